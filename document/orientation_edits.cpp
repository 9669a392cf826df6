#include "document/orientation_edits.h"

#include <algorithm>

#include "document/notice.h"

namespace orniva::document {

using analysis::CurationState;
using State = OrientationTableState;
using Result = std::optional<OrientationEdit>;

namespace {

bool IsRow(const State& state, int row) { return row >= 1 && row <= state.count(); }
int SetCount(const State& state) { return int(state.curation.phases.size()); }
bool IsSet(const State& state, int set) { return set >= 1 && set <= SetCount(state); }
OrientationEdit Nothing() { return {OrientationSteps{}}; }

Result Undone(const SetRowValues& edit, State& state) {
  SetRowValues before;
  for (const auto& [row, record] : edit.rows) {
    if (!IsRow(state, row)) continue;
    OrientationRecord& slot = state.records[std::size_t(row - 1)];
    before.rows.insert(before.rows.begin(), {row, slot});  // a row given twice ends as it was
    slot = record;
  }
  return OrientationEdit{std::move(before)};
}

Result Undone(const InsertRows& edit, State& state) {
  if (state.records.size() + edit.rows.size() > kMaxOrientationRows) return std::nullopt;
  CurationState& c = state.curation;
  RemoveRows inverse;
  for (const auto& [first, row] : edit.rows) {
    const int at = std::clamp(first, 1, state.count() + 1);
    if (!c.attributes.empty() || !row.attributes.empty()) {
      c.attributes.resize(c.off.size());
      c.attributes.insert(c.attributes.begin() + at, row.attributes);
    }
    state.records.insert(state.records.begin() + (at - 1), row.record);
    c.off.insert(c.off.begin() + at, row.off);
    c.phase.insert(c.phase.begin() + at, IsSet(state, row.set) ? row.set : 0);
    inverse.rows.push_back(at);
  }
  return OrientationEdit{std::move(inverse)};
}

// The row taken out of `state`, with its curation.
OrientationRow TakeRow(State& state, int row) {
  CurationState& c = state.curation;
  const std::size_t k = std::size_t(row);
  OrientationRow taken{std::move(state.records[k - 1]), c.off[k], c.phase[k], {}};
  if (k < c.attributes.size()) {
    taken.attributes = std::move(c.attributes[k]);
    c.attributes.erase(c.attributes.begin() + long(k));
  }
  state.records.erase(state.records.begin() + long(k - 1));
  c.off.erase(c.off.begin() + long(k));
  c.phase.erase(c.phase.begin() + long(k));
  return taken;
}

Result Undone(RemoveRows edit, State& state) {
  auto& rows = edit.rows;
  rows.erase(std::remove_if(rows.begin(), rows.end(), [&](int r) { return !IsRow(state, r); }),
             rows.end());
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  InsertRows inverse;
  for (auto it = rows.rbegin(); it != rows.rend(); ++it)
    inverse.rows.insert(inverse.rows.begin(), {*it, TakeRow(state, *it)});
  return OrientationEdit{std::move(inverse)};
}

Result Undone(const SetOff& edit, State& state) {
  SetOff before;
  for (const auto& [row, off] : edit.lines) {
    if (!IsRow(state, row)) continue;
    auto slot = state.curation.off[std::size_t(row)];
    before.lines.insert(before.lines.begin(), {row, bool(slot)});
    slot = off;
  }
  return OrientationEdit{std::move(before)};
}

Result Undone(const SetPhaseOf& edit, State& state) {
  SetPhaseOf before;
  for (const auto& [row, set] : edit.lines) {
    if (!IsRow(state, row) || set < 0 || set > SetCount(state)) continue;
    int& slot = state.curation.phase[std::size_t(row)];
    before.lines.insert(before.lines.begin(), {row, slot});
    slot = set;
  }
  return OrientationEdit{std::move(before)};
}

Result Undone(const InsertPhase& edit, State& state) {
  if (edit.at < 1 || edit.at > SetCount(state) + 1) return Nothing();
  CurationState& c = state.curation;
  c.phases.insert(c.phases.begin() + (edit.at - 1), edit.info);
  for (int& k : c.phase) k = k >= edit.at ? k + 1 : k;
  return OrientationEdit{RemovePhase{edit.at}};
}

Result Undone(const RemovePhase& edit, State& state) {
  if (!IsSet(state, edit.phase)) return Nothing();
  CurationState& c = state.curation;
  SetPhaseOf members;
  for (std::size_t row = 1; row < c.phase.size(); ++row)
    if (c.phase[row] == edit.phase) members.lines.push_back({int(row), edit.phase});
  const analysis::PhaseInfo info = c.phases[std::size_t(edit.phase - 1)];
  c.phases.erase(c.phases.begin() + (edit.phase - 1));
  for (int& k : c.phase) k = k == edit.phase ? 0 : k > edit.phase ? k - 1 : k;
  return OrientationEdit{OrientationSteps{
      {OrientationEdit{InsertPhase{edit.phase, info}}, OrientationEdit{std::move(members)}}}};
}

Result Undone(const SetPhaseInfo& edit, State& state) {
  if (!IsSet(state, edit.phase)) return Nothing();
  analysis::PhaseInfo& slot = state.curation.phases[std::size_t(edit.phase - 1)];
  SetPhaseInfo before{edit.phase, slot};
  slot = edit.info;
  return OrientationEdit{std::move(before)};
}

// Each step in order; a step refused takes back the steps before it.
Result Undone(const OrientationSteps& edit, State& state) {
  OrientationSteps inverse;
  for (const OrientationEdit& step : edit.steps) {
    Result undo = Apply(step, state);
    if (!undo) {
      for (const OrientationEdit& done : inverse.steps) Apply(done, state);
      return std::nullopt;
    }
    inverse.steps.insert(inverse.steps.begin(), std::move(*undo));
  }
  return OrientationEdit{std::move(inverse)};
}

}  // namespace

OrientationEdit OrientationEdit::Values(int row, OrientationRecord record) {
  return {SetRowValues{{{row, std::move(record)}}}};
}

OrientationEdit OrientationEdit::Insert(int first, const std::vector<OrientationRecord>& records,
                                        int set) {
  InsertRows insert;
  for (std::size_t k = 0; k < records.size(); ++k)
    insert.rows.push_back({first + int(k), OrientationRow{records[k], false, set, {}}});
  return {std::move(insert)};
}

OrientationEdit OrientationEdit::Remove(std::vector<int> rows) {
  return {RemoveRows{std::move(rows)}};
}

OrientationEdit OrientationEdit::Switch(const std::vector<int>& rows, bool off) {
  SetOff edit;
  for (int row : rows) edit.lines.push_back({row, off});
  return {std::move(edit)};
}

OrientationEdit OrientationEdit::PutInSet(const std::vector<int>& rows, int set) {
  SetPhaseOf edit;
  for (int row : rows) edit.lines.push_back({row, set});
  return {std::move(edit)};
}

OrientationEdit OrientationEdit::NewSet(analysis::PhaseInfo info, int count,
                                        const std::vector<int>& rows) {
  return {OrientationSteps{
      {OrientationEdit{InsertPhase{count + 1, std::move(info)}}, PutInSet(rows, count + 1)}}};
}

OrientationEdit OrientationEdit::SetInfo(int set, analysis::PhaseInfo info) {
  return {SetPhaseInfo{set, std::move(info)}};
}

OrientationEdit OrientationEdit::DeleteSet(int set) { return {RemovePhase{set}}; }

unsigned OrientationEdit::changes() const {
  if (const auto* steps = std::get_if<OrientationSteps>(&what)) {
    unsigned bits = 0;
    for (const OrientationEdit& step : steps->steps) bits |= step.changes();
    return bits;
  }
  const bool rows = std::holds_alternative<SetRowValues>(what) ||
                    std::holds_alternative<InsertRows>(what) ||
                    std::holds_alternative<RemoveRows>(what);
  return rows ? kLinesEdited : kCurationChanged;
}

Result Apply(const OrientationEdit& edit, State& state) {
  return std::visit([&state](const auto& change) { return Undone(change, state); }, edit.what);
}

}  // namespace orniva::document
