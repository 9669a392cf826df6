// The changes of an open document's data and curation as values. Applied to
// the study, each gives back the edit that undoes it, worked out from the
// state it changed; the undo history keeps such pairs and never compares
// snapshots.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "analysis/study.h"

namespace orniva::document {

using LineRecord = analysis::Study::LineRecord;

struct Edit;

// Lines (1 to count) given new texts, each checked again.
struct SetLineTexts {
  std::vector<std::pair<int, std::string>> texts;
};
// Records inserted in order, each so that it becomes line `first` (ascending).
struct InsertLines {
  std::vector<std::pair<int, LineRecord>> records;
};
// Lines removed (ascending, distinct).
struct RemoveLines {
  std::vector<int> lines;
};
// Lines switched off (true) or on (false), each as given.
struct SetOff {
  std::vector<std::pair<int, bool>> lines;
};
// Lines put in a phase (1 to phases; 0: in none), each as given.
struct SetPhaseOf {
  std::vector<std::pair<int, int>> lines;
};
// A new phase at number `at` holding no data; the phases from `at` on move
// down one with their data, names and colours.
struct InsertPhase {
  int at = 1;
  analysis::PhaseInfo info;
};
// Phase `phase` deleted: its data in no phase; the later phases move up one
// with their data, names and colours.
struct RemovePhase {
  int phase = 1;
};
// Phase `phase` renamed and recoloured.
struct SetPhaseInfo {
  int phase = 1;
  analysis::PhaseInfo info;
};
// Several edits as one, in order.
struct EditSteps {
  std::vector<Edit> steps;
};

struct Edit {
  std::variant<SetLineTexts, InsertLines, RemoveLines, SetOff, SetPhaseOf, InsertPhase, RemovePhase,
               SetPhaseInfo, EditSteps>
      what;

  // ---- the user's edits, as the window makes them ----
  static Edit LineText(int line, std::string text);
  // `texts` inserted so that the first becomes line `first`, the others
  // after it in order; in use and in no phase.
  static Edit Insert(int first, const std::vector<std::string>& texts);
  static Edit Remove(std::vector<int> lines);
  static Edit Switch(const std::vector<int>& lines, bool off);
  static Edit PutInPhase(const std::vector<int>& lines, int phase);
  // A new last phase of `count` phases, holding `lines`.
  static Edit NewPhase(analysis::PhaseInfo info, int count, const std::vector<int>& lines);

  // Whether it edits the lines (document::kLinesEdited) or the curation
  // alone (kCurationChanged), as bits.
  unsigned changes() const;
  // The lines whose curation it changes, ascending and distinct, when it
  // changes theirs alone (data switched off or on, put in a phase); none
  // when it may change any line's (phases made, deleted or renamed, lines
  // edited).
  std::optional<std::vector<int>> curationLines() const;
};

// Applies `edit` to `study`. Returns the edit that undoes it, or none when
// the edit is refused and nothing changed: the data would have more than
// FaultSet::kMaxCount lines. Lines and phases the study does not have are
// passed over, by the edit and by its inverse alike.
std::optional<Edit> Apply(const Edit& edit, analysis::Study& study);

}  // namespace orniva::document
