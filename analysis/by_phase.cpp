#include "analysis/by_phase.h"

#include <utility>

#include "data/utf8_text.h"

namespace orniva::analysis {

namespace {

std::string PhaseNote(const std::string& name, const std::string& text) {
  return "phase " + PrintableText(name) + ": " + text;
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
    const std::string error = one->error.empty() ? NonFiniteError(*one) : one->error;
    if (!error.empty()) {
      all.notes.push_back(PhaseNote(name, error));
      if (firstRefusal.empty()) firstRefusal = all.notes.back();
      all.AddRow(all.Text(name), all.Text(error));
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
