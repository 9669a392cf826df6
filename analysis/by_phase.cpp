#include "analysis/by_phase.h"

#include <utility>

#include "data/utf8_text.h"

namespace orniva::analysis {

namespace {

// Runs `one` on each phase in turn, the study's scope set to it (and back
// after); false when cancelled before the end.
bool ForEachPhase(Study& study, const ByPhaseControl& control,
                  const std::function<void(const PhaseInfo&)>& one) {
  const std::vector<PhaseInfo> phases = study.curation().phases;
  const int scope = study.scope();
  bool finished = true;
  for (std::size_t k = 0; k < phases.size(); ++k) {
    if (control.cancel && *control.cancel) {
      finished = false;
      break;
    }
    study.SetScope(int(k) + 1);
    one(phases[k]);
    if (control.phaseDone) control.phaseDone(int(k) + 1, int(phases.size()));
  }
  study.SetScope(scope);
  return finished;
}

std::string PhaseNote(const std::string& name, const std::string& text) {
  return "phase " + PrintableText(name) + ": " + text;
}

// Appends the rows of `report` (after its header) to `all`, each led by
// `field`.
void AppendLedRows(const std::string& report, const std::string& field, std::string& all) {
  for (std::size_t start = report.find('\n');
       start != std::string::npos && start + 1 < report.size();) {
    const std::size_t end = report.find('\n', start + 1);
    all += field + ',';
    all.append(report, start + 1, end - start);
    start = end;
  }
}

}  // namespace

ReportTable ByNameTable(const std::vector<std::string>& names, const NamedTable& report,
                        const std::vector<std::string>& columns) {
  ReportTable all;
  all.columns.push_back("subset");
  all.columns.insert(all.columns.end(), columns.begin(), columns.end());
  int results = 0;
  std::string firstRefusal;
  for (std::size_t k = 0; k < names.size(); ++k) {
    const std::optional<ReportTable> one = report(k);
    if (!one) return RefusedTable(kByPhaseCancelled);
    const std::string& name = names[k];
    if (!one->error.empty()) {
      all.notes.push_back(PhaseNote(name, one->error));
      if (firstRefusal.empty()) firstRefusal = all.notes.back();
      all.AddRow(all.Text(name), all.Text(one->error));
      all.cells.resize(all.cells.size() + columns.size() - 1);
      continue;
    }
    ++results;
    for (const std::string& note : one->notes) all.notes.push_back(PhaseNote(name, note));
    for (std::size_t row = 0; row < one->rowCount(); ++row) {
      all.cells.push_back(all.Text(name));
      for (std::size_t column = 0; column < columns.size(); ++column)
        all.cells.push_back(all.CopyOf(*one, one->at(row, column)));
    }
  }
  if (results == 0) {
    all.cells.clear();
    all.error = "no phase gave a result (" + firstRefusal + ")";
  }
  return all;
}

ReportTable ByPhaseTable(Study& study, const StudyTable& report,
                         const std::vector<std::string>& columns, const ByPhaseControl& control) {
  if (study.curation().phases.empty()) return RefusedTable(kNoPhases);
  std::vector<std::string> names;
  for (const PhaseInfo& phase : study.curation().phases) names.push_back(phase.name);
  const int scope = study.scope();
  ReportTable all = ByNameTable(
      names,
      [&](std::size_t k) -> std::optional<ReportTable> {
        if (control.cancel && *control.cancel) return std::nullopt;
        study.SetScope(int(k) + 1);
        ReportTable one = report(study);
        if (control.phaseDone) control.phaseDone(int(k) + 1, int(names.size()));
        return one;
      },
      columns);
  study.SetScope(scope);
  return all;
}

CsvReport ByPhase(Study& study, const StudyReport& report, const ByPhaseControl& control) {
  if (study.curation().phases.empty()) return {{}, kNoPhases};
  std::vector<std::pair<std::string, CsvReport>> outcomes;
  const bool finished = ForEachPhase(study, control, [&](const PhaseInfo& phase) {
    outcomes.emplace_back(phase.name, report(study));
  });
  if (!finished) return {{}, kByPhaseCancelled};
  const std::string* header = nullptr;
  for (const auto& [name, one] : outcomes)
    if (one.error.empty() && !header) header = &one.text;
  if (!header) {
    const auto& [name, one] = outcomes.front();
    return {{}, "no phase gave a result (" + PhaseNote(name, one.error) + ")"};
  }
  const std::size_t width = CsvFields(header->substr(0, header->find('\n'))).size();
  CsvReport all{"subset," + header->substr(0, header->find('\n') + 1), {}};
  for (const auto& [name, one] : outcomes) {
    if (one.error.empty())
      AppendLedRows(one.text, NeutralisedField(name), all.text);
    else
      all.text += NeutralisedField(name) + "," + NeutralisedField(one.error) +
                  std::string(width - 1, ',') + "\n";
  }
  return all;
}

int SwitchedOffInScope(const Study& study) {
  const CurationState& curation = study.curation();
  const FaultSet& data = study.data();
  int count = 0;
  for (int i = 1; i <= data.count() && i <= curation.count(); ++i) {
    const std::size_t k = std::size_t(i);
    const bool inScope = study.scope() == 0 || curation.phase[k] == study.scope();
    count += data[k].failedChecks == 0 && curation.off[k] && inScope;
  }
  return count;
}

std::unique_ptr<Study> DetachedStudy(const Study& study) {
  auto copy = std::make_unique<Study>();
  copy->data() = study.data();
  copy->DataReplaced(study.lines());
  copy->SetCuration(study.curation());
  copy->SetScope(study.scope());
  copy->SetChoices(study.choices());
  copy->SetGivenStress(study.givenStress());
  return copy;
}

std::vector<std::string> CsvFields(const std::string& row) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < row.size(); ++i) {
    const char c = row[i];
    if (quoted && c == '"' && i + 1 < row.size() && row[i + 1] == '"') {
      fields.back() += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

}  // namespace orniva::analysis
