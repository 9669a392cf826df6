#include "app/orientation_input.h"

#include <algorithm>
#include <cstdio>

#include "analysis/by_phase.h"
#include "analysis/orientation_statistics.h"
#include "analysis/report_kinds.h"
#include "analysis/study.h"
#include "data/utf8_text.h"
#include "document/orientation_document.h"
#include "document/orientation_opening.h"

namespace orniva::cli {

namespace {

// The rows the options choose; the refusal of a bad option, else "".
std::string ChooseRows(const std::string& path, const ScopeOptions& scope, bool curated,
                       OrientationInput& input) {
  const std::vector<OrientationRecord>& records = input.table.records;
  const char* from = curated ? " in the curation" : " in its set column";
  if (scope.lines) {
    int last = 1;
    for (const OrientationRecord& r : records) last = std::max(last, r.line);
    std::string error;
    const auto lines = ParseLineList(*scope.lines, last, error);
    if (!lines) return path + ": --lines: " + error;
    std::vector<bool> chosen(std::size_t(last) + 1, false);
    for (int line : *lines) chosen[std::size_t(line)] = true;
    for (std::size_t k = 0; k < records.size(); ++k)
      input.use[k] = input.use[k] && chosen[std::size_t(records[k].line)];
  }
  if (scope.subset) {
    const auto& sets = input.sets;
    if (std::none_of(sets.begin(), sets.end(),
                     [&](const analysis::PhaseInfo& set) { return set.name == *scope.subset; }))
      return path + ": no set named " + PrintableText(*scope.subset) + from;
    const std::vector<bool> in = analysis::InSet(records, *scope.subset);
    for (std::size_t k = 0; k < records.size(); ++k) input.use[k] = input.use[k] && in[k];
  }
  if (scope.bySubset && input.sets.empty()) return path + ": --by-subset: no set" + from;
  return {};
}

// The rows `curation` switches off are out of use, and each row's set is
// its set there, by name.
void ApplyTableCuration(const analysis::CurationState& curation, OrientationInput& input) {
  std::vector<OrientationRecord>& records = input.table.records;
  for (std::size_t k = 0; k < records.size(); ++k) {
    const int set = curation.phase[k + 1];
    records[k].set = set > 0 ? curation.phases[std::size_t(set - 1)].name : std::string();
    input.use[k] = !curation.off[k + 1];
  }
  input.sets = curation.phases;
}

// A message's lines joined by blanks.
std::string OneLine(std::string text) {
  for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.replace(at, 2, " ");
  return text;
}

}  // namespace

std::optional<OrientationInput> LoadOrientationInput(
    const std::string& path, const ScopeOptions& scope,
    const std::function<void(const std::string&)>& report) {
  document::OpenOptions options;
  options.curationPath = scope.curation;
  options.readCuration = !scope.noCuration;
  options.keepBytes = false;
  document::OrientationOpening opening = document::OpenOrientationTable(path, options);
  if (opening.error) {
    report("cannot read " + opening.error->path() + ": " + opening.error->reason());
    return std::nullopt;
  }
  if (opening.check.logError)
    report("cannot write " + opening.check.logError->path() + ": " +
           opening.check.logError->reason());
  else if (opening.check.badFields)
    report(path + ": " + OneLine(document::LeftOutRowsMessage(opening.table)));
  OrientationInput input;
  input.table = std::move(opening.table);
  input.use.assign(input.table.records.size(), true);
  std::string refusal;
  const bool curated = AppliesCuration(opening.curation, scope, refusal, report);
  if (curated) {
    ApplyTableCuration(opening.curation.curation, input);
    report(ApplyingCurationLine(path, opening.curation, "set"));
  } else {
    input.sets = document::CurationFromSetColumn(input.table.records).phases;
  }
  if (refusal.empty()) refusal = ChooseRows(path, scope, curated, input);
  if (!refusal.empty()) {
    report(refusal);
    return std::nullopt;
  }
  return input;
}

bool ReadBeddingFrom(std::map<std::string, std::string>& options,
                     const std::function<void(const std::string&)>& report) {
  const auto table = options.find("--bedding-from");
  if (table == options.end()) return true;
  ScopeOptions scope;
  if (const auto set = options.find("--bedding-set"); set != options.end())
    scope.subset = set->second;
  const std::optional<OrientationInput> input = LoadOrientationInput(table->second, scope, report);
  if (!input) return false;
  const analysis::MeanBedding mean = analysis::MeanBeddingOf(analysis::OrientationDirections(
      input->table.records, analysis::OrientationOf::Poles, &input->use));
  if (!mean.error.empty()) {
    report(table->second + ": --bedding-from: " + mean.error);
    return false;
  }
  char bedding[64];
  std::snprintf(bedding, sizeof bedding, "%.17g,%.17g", mean.bedding.dipDirection,
                mean.bedding.dip);
  options["--bedding"] = bedding;
  std::snprintf(bedding, sizeof bedding, "%.1f/%.1f", mean.bedding.dipDirection, mean.bedding.dip);
  report(table->second + ": the bedding is the mean of " +
         (scope.subset ? "set " + PrintableText(*scope.subset) : std::string("the rows in use")) +
         ", " + bedding);
  return true;
}

bool IsOrientationReport(const analysis::ReportKind& kind) {
  static const std::vector<analysis::ReportKind> kinds = analysis::OrientationReports();
  return std::any_of(kinds.begin(), kinds.end(),
                     [&](const analysis::ReportKind& k) { return k.name == kind.name; });
}

analysis::ReportTable OrientationReport(const analysis::ReportKind& kind,
                                        const OrientationInput& input, bool bySubset,
                                        analysis::ReportRequest request) {
  analysis::Study none;
  request.orientations = &input.table.records;
  if (!bySubset) {
    request.orientationUse = &input.use;
    return kind.run(none, request);
  }
  std::vector<std::string> sets;
  for (const analysis::PhaseInfo& set : input.sets) sets.push_back(set.name);
  return analysis::ByNameTable(
      sets,
      [&](std::size_t k) -> std::optional<analysis::ReportTable> {
        std::vector<bool> use = analysis::InSet(input.table.records, sets[k]);
        for (std::size_t i = 0; i < use.size(); ++i) use[i] = use[i] && input.use[i];
        request.orientationUse = &use;
        return kind.run(none, request);
      },
      kind.ColumnsFor(request));
}

}  // namespace orniva::cli
