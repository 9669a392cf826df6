#include "document/edits.h"

#include <algorithm>

#include "document/notice.h"

namespace orniva::document {

using analysis::CurationState;
using analysis::Study;

namespace {

bool IsLine(const Study& study, int line) { return line >= 1 && line <= study.data().count(); }
int PhaseCount(const Study& study) { return int(study.curation().phases.size()); }
bool IsPhase(const Study& study, int phase) { return phase >= 1 && phase <= PhaseCount(study); }

std::optional<Edit> Undone(SetLineTexts edit, Study& study) {
  SetLineTexts before;
  auto& texts = edit.texts;
  texts.erase(std::remove_if(
                  texts.begin(), texts.end(),
                  [&](const auto& t) { return !IsLine(study, t.first) || study.lines().empty(); }),
              texts.end());
  for (const auto& [line, text] : texts)
    before.texts.push_back({line, study.lines()[std::size_t(line - 1)]});
  std::reverse(before.texts.begin(), before.texts.end());  // a line given twice ends as it was
  study.ReplaceLines(texts);
  return Edit{std::move(before)};
}

// The lines the records land on, inserted in order as Study::InsertLines does.
std::vector<int> Landings(const std::vector<std::pair<int, LineRecord>>& records, int count) {
  std::vector<int> lines;
  for (const auto& record : records) lines.push_back(std::clamp(record.first, 1, ++count));
  return lines;
}

std::optional<Edit> Undone(const InsertLines& edit, Study& study) {
  const std::vector<int> lines = Landings(edit.records, int(study.lines().size()));
  if (!study.InsertLines(edit.records)) return std::nullopt;
  return Edit{RemoveLines{lines}};
}

std::optional<Edit> Undone(RemoveLines edit, Study& study) {
  auto& lines = edit.lines;
  std::sort(lines.begin(), lines.end());
  lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
  lines.erase(
      std::remove_if(lines.begin(), lines.end(),
                     [&](int line) { return line < 1 || line > int(study.lines().size()); }),
      lines.end());
  return Edit{InsertLines{study.RemoveLines(lines)}};
}

// The curation with `change` made to a copy; the inverse from `before`.
template <typename Change>
std::optional<Edit> CurationEdit(Study& study, Change change) {
  CurationState next = study.curation();
  Edit inverse = change(next);
  study.SetCuration(std::move(next));
  return inverse;
}

std::optional<Edit> Undone(const SetOff& edit, Study& study) {
  return CurationEdit(study, [&](CurationState& next) {
    SetOff before;
    for (const auto& [line, off] : edit.lines) {
      if (!IsLine(study, line)) continue;
      before.lines.insert(before.lines.begin(), {line, next.off[std::size_t(line)]});
      next.off[std::size_t(line)] = off;
    }
    return Edit{std::move(before)};
  });
}

std::optional<Edit> Undone(const SetPhaseOf& edit, Study& study) {
  return CurationEdit(study, [&](CurationState& next) {
    SetPhaseOf before;
    for (const auto& [line, phase] : edit.lines) {
      if (!IsLine(study, line) || phase < 0 || phase > PhaseCount(study)) continue;
      before.lines.insert(before.lines.begin(), {line, next.phase[std::size_t(line)]});
      next.phase[std::size_t(line)] = phase;
    }
    return Edit{std::move(before)};
  });
}

std::optional<Edit> Undone(const InsertPhase& edit, Study& study) {
  if (edit.at < 1 || edit.at > PhaseCount(study) + 1) return Edit{EditSteps{}};
  study.InsertPhase(edit.at, edit.info);
  return Edit{RemovePhase{edit.at}};
}

std::optional<Edit> Undone(const RemovePhase& edit, Study& study) {
  if (!IsPhase(study, edit.phase)) return Edit{EditSteps{}};
  SetPhaseOf members;
  const std::vector<int>& phase = study.curation().phase;
  for (std::size_t line = 1; line < phase.size(); ++line)
    if (phase[line] == edit.phase) members.lines.push_back({int(line), edit.phase});
  const analysis::PhaseInfo info = study.curation().phases[std::size_t(edit.phase - 1)];
  study.RemovePhase(edit.phase);
  return Edit{EditSteps{{Edit{InsertPhase{edit.phase, info}}, Edit{std::move(members)}}}};
}

std::optional<Edit> Undone(const SetPhaseInfo& edit, Study& study) {
  if (!IsPhase(study, edit.phase)) return Edit{EditSteps{}};
  const analysis::PhaseInfo before = study.curation().phases[std::size_t(edit.phase - 1)];
  study.SetPhaseInfo(edit.phase, edit.info);
  return Edit{SetPhaseInfo{edit.phase, before}};
}

// Each step in order; a step refused takes back the steps before it.
std::optional<Edit> Undone(const EditSteps& edit, Study& study) {
  EditSteps inverse;
  for (const Edit& step : edit.steps) {
    std::optional<Edit> undo = Apply(step, study);
    if (!undo) {
      for (const Edit& done : inverse.steps) Apply(done, study);
      return std::nullopt;
    }
    inverse.steps.insert(inverse.steps.begin(), std::move(*undo));
  }
  return Edit{std::move(inverse)};
}

}  // namespace

Edit Edit::LineText(int line, std::string text) {
  return {SetLineTexts{{{line, std::move(text)}}}};
}

Edit Edit::Insert(int first, const std::vector<std::string>& texts) {
  InsertLines insert;
  for (std::size_t k = 0; k < texts.size(); ++k)
    insert.records.push_back({first + int(k), LineRecord{texts[k]}});
  return {std::move(insert)};
}

Edit Edit::Remove(std::vector<int> lines) { return {RemoveLines{std::move(lines)}}; }

Edit Edit::Switch(const std::vector<int>& lines, bool off) {
  SetOff edit;
  for (int line : lines) edit.lines.push_back({line, off});
  return {std::move(edit)};
}

Edit Edit::PutInPhase(const std::vector<int>& lines, int phase) {
  SetPhaseOf edit;
  for (int line : lines) edit.lines.push_back({line, phase});
  return {std::move(edit)};
}

Edit Edit::NewPhase(analysis::PhaseInfo info, int count, const std::vector<int>& lines) {
  return {EditSteps{{Edit{InsertPhase{count + 1, std::move(info)}}, PutInPhase(lines, count + 1)}}};
}

unsigned Edit::changes() const {
  if (const auto* steps = std::get_if<EditSteps>(&what)) {
    unsigned bits = 0;
    for (const Edit& step : steps->steps) bits |= step.changes();
    return bits;
  }
  const bool lines = std::holds_alternative<SetLineTexts>(what) ||
                     std::holds_alternative<InsertLines>(what) ||
                     std::holds_alternative<RemoveLines>(what);
  return lines ? kLinesEdited : kCurationChanged;
}

std::optional<std::vector<int>> Edit::curationLines() const {
  std::vector<int> lines;
  auto add = [&lines](const auto& pairs) {
    for (const auto& pair : pairs) lines.push_back(pair.first);
  };
  if (const auto* off = std::get_if<SetOff>(&what))
    add(off->lines);
  else if (const auto* phases = std::get_if<SetPhaseOf>(&what))
    add(phases->lines);
  else if (const auto* steps = std::get_if<EditSteps>(&what))
    for (const Edit& step : steps->steps) {
      const auto stepLines = step.curationLines();
      if (!stepLines) return std::nullopt;
      lines.insert(lines.end(), stepLines->begin(), stepLines->end());
    }
  else
    return std::nullopt;
  std::sort(lines.begin(), lines.end());
  lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
  return lines;
}

std::optional<Edit> Apply(const Edit& edit, Study& study) {
  return std::visit([&study](const auto& change) { return Undone(change, study); }, edit.what);
}

}  // namespace orniva::document
