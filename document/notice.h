// What a document tells its listeners after a change: which of its parts
// changed, as bits of one notice, so that every view follows the change
// without keeping keys of its own to guess it.
#pragma once

#include <optional>
#include <vector>

namespace orniva::document {

enum Change : unsigned {
  kDataReplaced = 1u << 0,      // a data file opened: every part is new
  kLinesEdited = 1u << 1,       // lines edited, inserted or deleted, and checked again
  kCurationChanged = 1u << 2,   // data switched off or on; phases made, changed or deleted
  kScopeChanged = 1u << 3,      // what every analysis reads: all data in use, or one phase
  kChoicesChanged = 1u << 4,    // the user's choices of methods and options
  kInversionChanged = 1u << 5,  // the stress inversion in view may differ (with any other bit)
  kResultChanged = 1u << 6,     // a result kept beside the analyses: the bootstrap
  kFileNameChanged = 1u << 7,   // the data file is another (opened, or saved as)
  kSavedStateChanged = 1u << 8  // unsaved changes came or went
};

struct Notice {
  unsigned changes = 0;
  // With kCurationChanged from an edit of some lines' curation alone (see
  // Edit::curationLines): those lines, ascending; none when any line's
  // curation may have changed. A view repaints just their rows.
  std::optional<std::vector<int>> curationLines = std::nullopt;

  bool has(unsigned any) const { return (changes & any) != 0; }
  // The data are others: replaced, or their lines edited.
  bool dataChanged() const { return has(kDataReplaced | kLinesEdited); }
  // What the analyses read changed: the data, the curation or the scope.
  bool analysedChanged() const {
    return has(kDataReplaced | kLinesEdited | kCurationChanged | kScopeChanged);
  }
};

}  // namespace orniva::document
