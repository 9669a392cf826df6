#include "analysis/by_phase.h"

#include <utility>

namespace orniva::analysis {

namespace {

// Appends the rows of `report` to `all`, each led by `name`; its header
// only when `withHeader`, led by "subset".
void AppendLedRows(const std::string& report, const std::string& name, bool withHeader,
                   std::string& all) {
  std::size_t start = 0;
  for (bool header = true; start < report.size(); header = false) {
    const std::size_t end = report.find('\n', start);
    if (!header || withHeader) {
      all += header ? "subset" : name;
      all += ',';
      all.append(report, start, end - start);
      all += '\n';
    }
    start = end == std::string::npos ? report.size() : end + 1;
  }
}

}  // namespace

CsvReport ByPhase(Study& study, const StudyReport& report, const ByPhaseControl& control) {
  const std::vector<PhaseInfo> phases = study.curation().phases;
  if (phases.empty()) return {{}, kNoPhases};
  const int scope = study.scope();
  CsvReport all;
  for (std::size_t k = 0; k < phases.size(); ++k) {
    if (control.cancel && *control.cancel) {
      all = {{}, kByPhaseCancelled};
      break;
    }
    study.SetScope(int(k) + 1);
    const CsvReport one = report(study);
    if (!one.error.empty()) {
      all = {{}, "phase " + phases[k].name + ": " + one.error};
      break;
    }
    AppendLedRows(one.text, CsvField(phases[k].name), k == 0, all.text);
    if (control.phaseDone) control.phaseDone(int(k) + 1, int(phases.size()));
  }
  study.SetScope(scope);
  return all;
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
