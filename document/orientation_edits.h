// The changes of an open orientation table and of its curation as values:
// rows given new values, inserted or removed; rows switched off or on; sets
// (the curation's phases) made, renamed, deleted and given rows. Applied to
// the table, each gives back the edit that undoes it, worked out from the
// state it changed, as the data file's edits do (document/edits.h, whose
// curation edits these share).
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "analysis/curation_state.h"
#include "data/orientation_table.h"
#include "document/edits.h"

namespace orniva::document {

// One row of the table with its curation.
struct OrientationRow {
  OrientationRecord record;
  bool off = false;
  int set = 0;  // 0: in none; k: the curation's phase k
  LineAttributes attributes{};
};

// The table and its curation, row by row (the curation's line k is row k).
struct OrientationTableState {
  std::vector<OrientationRecord> records;
  analysis::CurationState curation;  // of records.size() lines

  int count() const { return int(records.size()); }
};

// Rows (1 to count) given new values.
struct SetRowValues {
  std::vector<std::pair<int, OrientationRecord>> rows;
};
// Rows inserted in order, each so that it becomes row `first` (ascending).
struct InsertRows {
  std::vector<std::pair<int, OrientationRow>> rows;
};
// Rows removed (any order; each once).
struct RemoveRows {
  std::vector<int> rows;
};

struct OrientationEdit;
// Several edits as one, in order.
struct OrientationSteps {
  std::vector<OrientationEdit> steps;
};

struct OrientationEdit {
  std::variant<SetRowValues, InsertRows, RemoveRows, SetOff, SetPhaseOf, InsertPhase, RemovePhase,
               SetPhaseInfo, OrientationSteps>
      what;

  // ---- the user's edits, as the window makes them ----
  static OrientationEdit Values(int row, OrientationRecord record);
  // `records` inserted so that the first becomes row `first`; in use, in
  // set `set`.
  static OrientationEdit Insert(int first, const std::vector<OrientationRecord>& records,
                                int set = 0);
  static OrientationEdit Remove(std::vector<int> rows);
  static OrientationEdit Switch(const std::vector<int>& rows, bool off);
  static OrientationEdit PutInSet(const std::vector<int>& rows, int set);
  // A new last set of `count` sets, holding `rows`.
  static OrientationEdit NewSet(analysis::PhaseInfo info, int count, const std::vector<int>& rows);
  static OrientationEdit SetInfo(int set, analysis::PhaseInfo info);
  static OrientationEdit DeleteSet(int set);

  // Whether it edits the rows (document::kLinesEdited) or the curation
  // alone (kCurationChanged), as bits.
  unsigned changes() const;
};

// Applies `edit` to `state`. Returns the edit that undoes it; rows and sets
// the table does not have are passed over, by the edit and its inverse
// alike. None when refused (nothing changed): the table would have more
// than kMaxOrientationRows rows.
std::optional<OrientationEdit> Apply(const OrientationEdit& edit, OrientationTableState& state);

}  // namespace orniva::document
