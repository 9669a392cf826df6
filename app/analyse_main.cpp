// orniva-analyse: the analyses on the command line. Loads one fault-slip
// data file, or an orientation table (NAME.orient.csv) for the reports of
// orientations, as the window does (VORN.log beside it) and writes one
// report of the report table (analysis/report_table.h) as CSV to standard
// output.
//
// Exit status: 0 when the report was written; 2 for bad arguments, a data
// file that cannot be read or has too many lines, and data that cannot be
// analysed (the reason on standard error, one line).

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "analysis/by_phase.h"
#include "analysis/report_table.h"
#include "analysis/study.h"
#include "app/cli_support.h"
#include "app/data_scope.h"
#include "app/orientation_input.h"
#include "app/program_tables.h"
#include "app/progress.h"
#include "data/utf8_text.h"

namespace {

using orniva::analysis::ReportKind;
using orniva::analysis::ReportRequest;
using orniva::analysis::ReportTable;
using orniva::analysis::Study;
using orniva::cli::kFailure;

constexpr const char* kProgram = "orniva-analyse";

// One line on standard error, whatever a file's name or a value held.
void Report(const std::string& line) { orniva::cli::Report(kProgram, orniva::PrintableText(line)); }

// The report of the study's scope, or of each phase in turn; its progress
// told to `progress`.
ReportTable Run(const ReportKind& kind, Study& study, ReportRequest request, bool bySubset,
                orniva::cli::Progress& progress) {
  if (!bySubset) {
    request.progress = [&progress](double share) { progress.Update(share); };
    return orniva::analysis::RunReport(kind, study, request);
  }
  const double phases = double(study.curation().phases.size());
  int done = 0;
  request.progress = [&](double share) { progress.Update((done + share) / phases); };
  const orniva::analysis::ByPhaseControl control{nullptr, [&](int finished, int) {
                                                   done = finished;
                                                   progress.Update(done / phases);
                                                 }};
  return orniva::analysis::ByPhaseTable(
      study, [&](Study& s) { return orniva::analysis::RunReport(kind, s, request); },
      kind.ColumnsFor(request), control);
}

// Writes `table` as CSV to standard output; a refusal is reported.
int WriteReport(const std::string& path, const ReportTable& table,
                const orniva::cli::ScopeOptions& scope) {
  for (const std::string& note : table.notes) Report(path + ": warning: " + note);
  const orniva::analysis::CsvReport report = orniva::analysis::ReportCsv(table);
  if (!report.error.empty()) {
    const std::string phase =
        scope.subset ? "phase " + orniva::PrintableText(*scope.subset) + ": " : "";
    Report(path + ": " + phase + report.error);
    return kFailure;
  }
  std::fwrite(report.text.data(), 1, report.text.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : kFailure;
}

// The report of `kind` on the orientation table at `path`.
int AnalyseOrientations(const std::string& path, const ReportKind& kind,
                        const orniva::cli::Arguments& arguments) {
  if (!orniva::cli::IsOrientationReport(kind)) {
    Report(path + ": " + kind.name + " analyses fault-slip data, not an orientation table");
    return kFailure;
  }
  const orniva::cli::ScopeOptions scope = orniva::cli::ScopeOf(arguments);
  const auto input = orniva::cli::LoadOrientationInput(path, scope, Report);
  if (!input) return kFailure;
  ReportRequest request;
  request.options = arguments.values;
  return WriteReport(path, orniva::cli::OrientationReport(kind, *input, scope.bySubset, request),
                     scope);
}

// Loads the data file at `path` and writes the report of `kind`.
int Analyse(const std::string& path, const ReportKind& kind,
            const orniva::cli::Arguments& arguments) {
  if (orniva::IsOrientationTablePath(path)) return AnalyseOrientations(path, kind, arguments);
  Study study;
  const orniva::cli::ScopeOptions scope = orniva::cli::ScopeOf(arguments);
  const auto verdict = orniva::cli::LoadDataFile(kProgram, path, scope, study);
  if (!verdict) return kFailure;
  if (const std::string refused = orniva::cli::ApplyScope(path, *verdict, scope, study, Report);
      !refused.empty()) {
    Report(refused);
    return kFailure;
  }
  ReportRequest request;
  request.options = arguments.values;
  if (!orniva::cli::ReadBeddingFrom(request.options, Report)) return kFailure;
  if (const std::string refused = orniva::analysis::ApplyReportChoices(study, request);
      !refused.empty()) {
    Report(path + ": " + refused);
    return kFailure;
  }
  orniva::cli::Progress progress(std::string(kProgram) + ": " + path + ": " + kind.name,
                                 orniva::cli::ShowsProgress(arguments.Has("--quiet")));
  return WriteReport(path, Run(kind, study, request, scope.bySubset, progress), scope);
}

int Run(const std::vector<std::string>& args) {
  const orniva::cli::ProgramTable& program = orniva::cli::AnalyseProgram();
  const orniva::cli::Arguments arguments = orniva::cli::ParseArguments(program, args);
  if (arguments.ask != orniva::cli::Arguments::Ask::Run)
    return orniva::cli::ShowInfo(program, arguments.ask);
  if (!arguments.error.empty()) {
    Report(arguments.error);
    return kFailure;
  }
  const std::string& path = arguments.operands[0];
  try {
    return Analyse(path, *orniva::analysis::ReportKindNamed(arguments.command), arguments);
  } catch (const std::exception& error) {
    Report(path + ": " + error.what());
    return kFailure;
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  try {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& error) {
    Report(error.what());
    return kFailure;
  }
}
