// One open orientation table (NAME.orient.csv): its rows, the curation
// beside them (rows switched off, sets as the curation's phases), the edits
// of both on an undo history, the unsaved state, and saving the table and
// its curation file as one plan. The table's window opens, changes and
// saves a table only through its document.
//
// The sets start from the table's `set` column when no curation file is
// applied: one set per value, in the order of first appearance, named after
// it, in colours of their own; a row with no set is in none. Saved, the
// table's `set` column holds each row's set (empty in none), so that the
// table alone says what the window showed; the curation file keeps the
// rows switched off and the sets' colours. Listeners are told every change
// once, after it is whole, with what changed (document/notice.h).
#pragma once

#include <array>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "analysis/orientation_statistics.h"
#include "document/document.h"
#include "document/edit_history.h"
#include "document/listeners.h"
#include "document/notice.h"
#include "document/orientation_edits.h"
#include "document/orientation_opening.h"

namespace orniva::document {

class OrientationDocument {
 public:
  using Listener = Listeners::Listener;
  using History = BasicEditHistory<OrientationEdit>;

  OrientationDocument() = default;
  OrientationDocument(const OrientationDocument&) = delete;
  OrientationDocument& operator=(const OrientationDocument&) = delete;

  // ---- what is open ----
  const std::string& fileName() const { return fileName_; }
  const std::vector<OrientationRecord>& records() const { return state_.records; }
  const analysis::CurationState& curation() const { return state_.curation; }
  int rowCount() const { return state_.count(); }
  // The curation file's verdict when the table was opened.
  const CurationVerdict& verdict() const { return verdict_; }
  // Rows of the file left out when it was read (they failed their checks).
  std::size_t leftOutRows() const { return leftOut_; }
  bool modified() const { return !history_.clean(); }
  const History& history() const { return history_; }

  // Row `row` (1 to count): its set's name, empty in none; whether it is in use.
  std::string setName(int row) const;
  bool inUse(int row) const { return !state_.curation.off[std::size_t(row)]; }
  // By record (as records(), from 0): the rows in use and in set `set`
  // (0: in any set or none).
  std::vector<bool> Used(int set = 0) const;

  // ---- opening ----
  // Takes over a table read by OpenOrientationTable (not refused), with
  // its curation when the verdict is Applied (or OtherData and
  // `applyOtherData`), its sets from the `set` column otherwise; an empty
  // history. One notice.
  void Adopt(OrientationOpening opening, bool applyOtherData = false);

  // ---- edits, undoable ----
  bool Do(const OrientationEdit& edit, std::string text);
  bool Undo();
  bool Redo();
  // Row `row`'s value in `column` replaced by `text`, checked as the reader
  // checks it. Empty when done (or when nothing changed); else why it was
  // refused, naming the accepted values. The `set` column puts the row in
  // the set of that name (a new one when there is none; empty: in none).
  std::string EditValue(int row, OrientationColumn column, const std::string& text);

  // ---- saving ----
  // What saving to `path` writes: the table when it is another file or its
  // rows or sets changed (the bytes as read while they did not), then the
  // curation file beside it when there is a curation to keep or already a
  // curation file there.
  SavePlan PlanSave(const std::string& path) const;
  // Whether `plan` writes the table itself (then the rows left out when it
  // was read are not in it).
  static bool WritesTable(const SavePlan& plan);
  // Writes the plan's files, each atomically, in order; then the document
  // is the plan's file, saved. Throws FileError (nothing taken over).
  void Save(const SavePlan& plan);

  // ---- listeners ----
  int AddListener(Listener listener) const;
  void RemoveListener(int key) const;

 private:
  bool Step(bool forward);
  void Tell(unsigned changes) const;
  std::vector<OrientationRecord> RecordsToWrite() const;

  std::string fileName_;
  OrientationTableState state_;
  CurationVerdict verdict_;
  std::size_t leftOut_ = 0;
  std::array<bool, kOrientationColumns> columns_{};  // the columns the file holds
  std::optional<std::string> bytes_;                 // as read or saved, when kept
  std::string sha256_;
  History history_;
  mutable Listeners listeners_;
};

// The curation of `records` from their `set` column: one set per value in
// the order of first appearance, named after it, each in a colour of its
// own (analysis::NextPhaseColour); nothing switched off.
analysis::CurationState CurationFromSetColumn(const std::vector<OrientationRecord>& records);

// The bedding whose pole is the Fisher mean of the poles in use of `table`'s
// set named `set` (of every row in use for none), for the faults' back-tilt
// and tilt test; refused for a set the table lacks ("no set named 'S9'"),
// else as analysis::MeanBeddingOf.
analysis::MeanBedding MeanBeddingOfSet(const OrientationDocument& table,
                                       const std::optional<std::string>& set);

}  // namespace orniva::document
