// The listeners of an open document: each told every change once, after it
// is whole, with what changed (document/notice.h). A document holds one
// and tells through it; views add themselves and remove themselves by key.
#pragma once

#include <functional>
#include <map>

#include "document/notice.h"

namespace orniva::document {

class Listeners {
 public:
  using Listener = std::function<void(const Notice&)>;

  // `listener` is told every notice from now on; the key removes it.
  int Add(Listener listener);
  void Remove(int key);
  // Each listener once, in the order they were added; one removed by an
  // earlier one is not told, one added by an earlier one is told next time.
  void Tell(const Notice& notice) const;

 private:
  std::map<int, Listener> listeners_;
  int next_ = 0;
};

}  // namespace orniva::document
