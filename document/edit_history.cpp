#include "document/edit_history.h"

#include <algorithm>
#include <utility>

namespace orniva::document {

void EditHistory::Push(Step step) {
  steps_.erase(steps_.begin() + long(done_), steps_.end());
  if (clean_ && *clean_ > done_) clean_.reset();
  steps_.push_back(std::move(step));
  ++done_;
}

bool EditHistory::ChangedSinceClean(unsigned changes) const {
  if (!clean_) return true;
  const std::size_t first = std::min(*clean_, done_), last = std::max(*clean_, done_);
  for (std::size_t k = first; k < last; ++k)
    if (steps_[k].redo.changes() & changes) return true;
  return false;
}

void EditHistory::Clear() {
  steps_.clear();
  done_ = 0;
  clean_ = 0;
}

}  // namespace orniva::document
