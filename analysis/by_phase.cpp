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

}  // namespace

ReportTable ByPhaseTable(Study& study, const StudyTable& report,
                         const std::vector<std::string>& columns, const ByPhaseControl& control) {
  if (study.curation().phases.empty()) return RefusedTable(kNoPhases);
  ReportTable all;
  all.columns.push_back("subset");
  all.columns.insert(all.columns.end(), columns.begin(), columns.end());
  int results = 0;
  std::string firstRefusal;
  const bool finished = ForEachPhase(study, control, [&](const PhaseInfo& phase) {
    const ReportTable one = report(study);
    const std::string error = one.error.empty() ? NonFiniteError(one) : one.error;
    if (!error.empty()) {
      all.notes.push_back(PhaseNote(phase.name, error));
      if (firstRefusal.empty()) firstRefusal = all.notes.back();
      all.AddRow(all.Text(phase.name), all.Text(error));
      all.cells.resize(all.cells.size() + columns.size() - 1);
      return;
    }
    ++results;
    for (const std::string& note : one.notes) all.notes.push_back(PhaseNote(phase.name, note));
    for (std::size_t row = 0; row < one.rowCount(); ++row) {
      all.cells.push_back(all.Text(phase.name));
      for (std::size_t column = 0; column < columns.size(); ++column)
        all.cells.push_back(all.CopyOf(one, one.at(row, column)));
    }
  });
  if (!finished) return RefusedTable(kByPhaseCancelled);
  if (results == 0) {
    all.cells.clear();
    all.error = "no phase gave a result (" + firstRefusal + ")";
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
