#include "document/listeners.h"

#include <utility>

namespace orniva::document {

int Listeners::Add(Listener listener) {
  listeners_.emplace(next_, std::move(listener));
  return next_++;
}

void Listeners::Remove(int key) { listeners_.erase(key); }

void Listeners::Tell(const Notice& notice) const {
  const std::map<int, Listener> listeners = listeners_;
  for (const auto& [key, listener] : listeners)
    if (listeners_.count(key)) listener(notice);
}

}  // namespace orniva::document
