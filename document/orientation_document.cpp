#include "document/orientation_document.h"

#include <algorithm>
#include <type_traits>
#include <utility>
#include <variant>

#include "data/curation.h"
#include "data/utf8_text.h"
#include "platform/file_identity.h"

namespace orniva::document {

using analysis::CurationState;
using analysis::PhaseInfo;
using Kind = CurationVerdict::Kind;

CurationState CurationFromSetColumn(const std::vector<OrientationRecord>& records) {
  CurationState curation = CurationState::Empty(int(records.size()));
  std::map<std::string, int> sets;
  for (std::size_t k = 0; k < records.size(); ++k) {
    const std::string& name = records[k].set;
    if (name.empty()) continue;
    auto [at, added] = sets.emplace(name, int(curation.phases.size()) + 1);
    if (added) curation.phases.push_back({name, analysis::NextPhaseColour(curation.phases)});
    curation.phase[k + 1] = at->second;
  }
  return curation;
}

analysis::MeanBedding MeanBeddingOfSet(const OrientationDocument& table,
                                       const std::optional<std::string>& set) {
  const auto& sets = table.curation().phases;
  const auto named = std::find_if(sets.begin(), sets.end(),
                                  [&set](const PhaseInfo& s) { return set && s.name == *set; });
  if (set && named == sets.end()) {
    analysis::MeanBedding refused;
    refused.error = "no set named '" + PrintableText(*set) + "'";
    return refused;
  }
  const std::vector<bool> use = table.Used(set ? int(named - sets.begin()) + 1 : 0);
  return analysis::MeanBeddingOf(
      analysis::OrientationDirections(table.records(), analysis::OrientationOf::Poles, &use));
}

std::string OrientationDocument::setName(int row) const {
  const int set = state_.curation.phase[std::size_t(row)];
  return set > 0 ? state_.curation.phases[std::size_t(set - 1)].name : std::string();
}

std::vector<bool> OrientationDocument::Used(int set) const {
  std::vector<bool> used(state_.records.size());
  for (std::size_t k = 0; k < used.size(); ++k)
    used[k] = !state_.curation.off[k + 1] && (set == 0 || state_.curation.phase[k + 1] == set);
  return used;
}

void OrientationDocument::Adopt(OrientationOpening opening, bool applyOtherData) {
  const bool wasModified = modified();
  const bool apply = opening.curation.kind == Kind::Applied ||
                     (opening.curation.kind == Kind::OtherData && applyOtherData);
  state_.curation =
      apply ? std::move(opening.curation.curation) : CurationFromSetColumn(opening.table.records);
  state_.records = std::move(opening.table.records);
  unsigned bits = kDataReplaced | kCurationChanged;
  if (opening.path != fileName_) bits |= kFileNameChanged;
  if (wasModified) bits |= kSavedStateChanged;
  fileName_ = std::move(opening.path);
  leftOut_ = opening.table.badRows;
  columns_ = opening.table.columns;
  bytes_ = std::move(opening.bytes);
  sha256_ = std::move(opening.sha256);
  verdict_ = std::move(opening.curation);
  history_.Clear();
  Tell(bits);
}

namespace {

// Whether `edit` changes nothing (as an inverse of an edit that touched
// no row and no set is).
bool Empty(const OrientationEdit& edit) {
  return std::visit(
      [](const auto& e) {
        using E = std::decay_t<decltype(e)>;
        if constexpr (std::is_same_v<E, SetRowValues> || std::is_same_v<E, InsertRows> ||
                      std::is_same_v<E, RemoveRows>)
          return e.rows.empty();
        else if constexpr (std::is_same_v<E, SetOff> || std::is_same_v<E, SetPhaseOf>)
          return e.lines.empty();
        else if constexpr (std::is_same_v<E, OrientationSteps>)
          return std::all_of(e.steps.begin(), e.steps.end(), Empty);
        else
          return false;
      },
      edit.what);
}

}  // namespace

bool OrientationDocument::Do(const OrientationEdit& edit, std::string text) {
  const bool wasModified = modified();
  std::optional<CurationState> before;
  if (!(edit.changes() & kLinesEdited)) before = state_.curation;
  std::optional<OrientationEdit> undo = Apply(edit, state_);
  if (!undo) return false;
  if (Empty(*undo) || (before && *before == state_.curation)) return true;
  history_.Push({edit, std::move(*undo), std::move(text)});
  Tell(edit.changes() | (modified() != wasModified ? kSavedStateChanged : 0u));
  return true;
}

bool OrientationDocument::Undo() { return Step(false); }
bool OrientationDocument::Redo() { return Step(true); }

// The next step of the history done again (`forward`) or the last undone.
bool OrientationDocument::Step(bool forward) {
  if (forward ? !history_.canRedo() : !history_.canUndo()) return false;
  const bool wasModified = modified();
  const History::Step& step = forward ? history_.redoStep() : history_.undoStep();
  const OrientationEdit& edit = forward ? step.redo : step.undo;
  Apply(edit, state_);
  forward ? history_.SteppedForward() : history_.SteppedBack();
  Tell(edit.changes() | (modified() != wasModified ? kSavedStateChanged : 0u));
  return true;
}

namespace {

// The set of `name` among `phases` (1-based); 0 when there is none.
int SetNamed(const std::vector<PhaseInfo>& phases, const std::string& name) {
  for (std::size_t k = 0; k < phases.size(); ++k)
    if (phases[k].name == name) return int(k) + 1;
  return 0;
}

// The record of `record` with `column` given `text`, checked; or none with
// the reason in `refusal`.
std::optional<OrientationRecord> WithValue(const OrientationRecord& record,
                                           OrientationColumn column, const std::string& text,
                                           std::string& refusal) {
  std::array<std::string, kOrientationColumns> values;
  OrientationFields fields;
  std::array<int, kOrientationColumns> places;
  for (std::size_t c = 0; c < kOrientationColumns; ++c) {
    values[c] =
        c == std::size_t(column) ? text : OrientationValueText(record, OrientationColumn(c));
    fields[c] = values[c];
    places[c] = int(c) + 1;
  }
  std::vector<std::string> log;
  std::optional<OrientationRecord> checked =
      CheckOrientationFields(fields, record.line, places, log);
  // "  angle invalid at line #3, column 3: '95' is ..." -> "angle: '95' is ..."
  for (const std::string& line : log) {
    const std::size_t name = line.find_first_not_of(' '), end = line.find(" invalid at "),
                      reason = line.find(": ");
    const bool named = name != std::string::npos && end != std::string::npos &&
                       reason != std::string::npos && end < reason;
    refusal += (refusal.empty() ? "" : "\n") +
               (named ? line.substr(name, end - name) + line.substr(reason) : line);
  }
  return checked;
}

}  // namespace

std::string OrientationDocument::EditValue(int row, OrientationColumn column,
                                           const std::string& text) {
  if (row < 1 || row > rowCount()) return {};
  const OrientationRecord& record = state_.records[std::size_t(row - 1)];
  if (column == OrientationColumn::Set) {
    std::string refusal;
    if (!WithValue(record, column, text, refusal)) return refusal;
    const int count = int(state_.curation.phases.size());
    const int set = text.empty() ? 0 : SetNamed(state_.curation.phases, text);
    const std::string what = "Set of row " + std::to_string(row);
    if (set > 0 || text.empty())
      Do(OrientationEdit::PutInSet({row}, set), what);
    else
      Do(OrientationEdit::NewSet({text, analysis::NextPhaseColour(state_.curation.phases)}, count,
                                 {row}),
         what);
    return {};
  }
  if (text == OrientationValueText(record, column)) return {};
  std::string refusal;
  std::optional<OrientationRecord> checked = WithValue(record, column, text, refusal);
  if (!checked) return refusal;
  Do(OrientationEdit::Values(row, std::move(*checked)), "Edit of row " + std::to_string(row));
  return {};
}

// The records as the table is written: each row's set its curation's.
std::vector<OrientationRecord> OrientationDocument::RecordsToWrite() const {
  std::vector<OrientationRecord> records = state_.records;
  for (std::size_t k = 0; k < records.size(); ++k) records[k].set = setName(int(k) + 1);
  return records;
}

SavePlan OrientationDocument::PlanSave(const std::string& path) const {
  SavePlan plan;
  plan.dataPath = path;
  std::vector<OrientationRecord> records = RecordsToWrite();
  bool asRead = bytes_ && !history_.ChangedSinceClean(kLinesEdited);
  for (std::size_t k = 0; asRead && k < records.size(); ++k)
    asRead = records[k].set == state_.records[k].set;
  if (asRead && !fileName_.empty() && SameFile(path, fileName_)) {
    plan.dataSha256 = sha256_.empty() ? Sha256Of(*bytes_) : sha256_;
    plan.dataBytes = bytes_;
  } else {
    std::array<bool, kOrientationColumns> keep = columns_;
    keep[std::size_t(OrientationColumn::Set)] =
        keep[std::size_t(OrientationColumn::Set)] || !state_.curation.phases.empty();
    std::string bytes = asRead ? *bytes_ : OrientationTableText(records, keep);
    plan.dataSha256 = Sha256Of(bytes);
    if (bytes.size() <= kMaxKeptBytes) plan.dataBytes = bytes;
    plan.files.push_back({path, std::move(bytes)});
  }
  const Curation curation = state_.curation.ToFile();
  const std::string curationPath = CurationPathFor(path);
  if (!curation.empty() || !curation.unknown.empty() || RegularFileAt(curationPath))
    plan.files.push_back(
        {curationPath, CurationText(curation, FileNameOf(path), rowCount(), plan.dataSha256)});
  return plan;
}

bool OrientationDocument::WritesTable(const SavePlan& plan) {
  return !plan.files.empty() && plan.files.front().path == plan.dataPath;
}

void OrientationDocument::Save(const SavePlan& plan) {
  const unsigned bits = WriteSavePlan(plan, fileName_, modified());
  if (WritesTable(plan)) {
    leftOut_ = 0;
    for (std::size_t k = 0; k < state_.records.size(); ++k)
      state_.records[k].set = setName(int(k) + 1);
  }
  fileName_ = plan.dataPath;
  bytes_ = plan.dataBytes;
  sha256_ = plan.dataSha256;
  history_.MarkClean();
  if (bits) Tell(bits);
}

int OrientationDocument::AddListener(Listener listener) const {
  return listeners_.Add(std::move(listener));
}

void OrientationDocument::RemoveListener(int key) const { listeners_.Remove(key); }

void OrientationDocument::Tell(unsigned changes) const {
  Notice notice;
  notice.changes = changes;
  listeners_.Tell(notice);
}

}  // namespace orniva::document
