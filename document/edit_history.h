// The undo history of an open document: each step is an edit and the edit
// that undoes it, with the text the Undo and Redo commands show. It knows
// the step at which the document was last opened or saved (the clean mark),
// so that undoing and redoing across a save tell the unsaved state exactly.
// A data file's document keeps Edits; an orientation table's document its
// own edits (any type with `unsigned changes() const`).
#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "document/edits.h"

namespace orniva::document {

template <typename EditType>
class BasicEditHistory {
 public:
  struct Step {
    EditType redo;
    EditType undo;
    std::string text;  // "Edit of line 3"
  };

  bool canUndo() const { return done_ > 0; }
  bool canRedo() const { return done_ < steps_.size(); }
  // The step Undo or Redo would take; only when it can.
  const Step& undoStep() const { return steps_[done_ - 1]; }
  const Step& redoStep() const { return steps_[done_]; }
  // A step was done: the steps undone before it are dropped (a clean mark
  // among them can no longer be reached).
  void Push(Step step) {
    steps_.erase(steps_.begin() + long(done_), steps_.end());
    if (clean_ && *clean_ > done_) clean_.reset();
    steps_.push_back(std::move(step));
    ++done_;
  }
  // The step undoStep() was undone, or redoStep() done again.
  void SteppedBack() { --done_; }
  void SteppedForward() { ++done_; }

  // What is there now is as opened or last saved.
  bool clean() const { return clean_ == done_; }
  void MarkClean() { clean_ = done_; }
  // Whether a step between the clean mark and now changes any of `changes`
  // (document::Change bits); true when the mark cannot be reached.
  bool ChangedSinceClean(unsigned changes) const {
    if (!clean_) return true;
    const std::size_t first = std::min(*clean_, done_), last = std::max(*clean_, done_);
    for (std::size_t k = first; k < last; ++k)
      if (steps_[k].redo.changes() & changes) return true;
    return false;
  }
  // No steps, and clean.
  void Clear() {
    steps_.clear();
    done_ = 0;
    clean_ = 0;
  }
  std::size_t size() const { return steps_.size(); }

 private:
  std::vector<Step> steps_;
  std::size_t done_ = 0;                  // steps done, from the first
  std::optional<std::size_t> clean_ = 0;  // none: not reachable
};

using EditHistory = BasicEditHistory<Edit>;

}  // namespace orniva::document
