// The reports of how far a stress can be trusted (bootstrap confidence,
// leave-one-out influence) and of the phases of a mixed population: the
// long ones, which follow the request's cancel flag and tell its progress.
#include <charconv>

#include "analysis/leave_one_out.h"
#include "analysis/report_kinds.h"
#include "analysis/separation.h"
#include "analysis/stress_bootstrap.h"
#include "analysis/study.h"

namespace orniva::analysis {

namespace {

const std::vector<std::string> kBootstrapColumns = {
    "samples",  "rank_deficient", "confidence",   "theta_radius", "phi_low",
    "phi_high", "r_prime_low",    "r_prime_high", "shmax_low",    "shmax_high"};
const std::vector<std::string> kSolutionsColumns = {
    "s1_trend", "s1_plunge", "s2_trend", "s2_plunge", "s3_trend", "s3_plunge", "phi", "theta"};
const std::vector<std::string> kLeaveOneOutColumns = {"line", "theta", "beta"};
const std::vector<std::string> kSeparationColumns = {
    "phase",     "n",        "s1_trend",  "s1_plunge", "s2_trend",
    "s2_plunge", "s3_trend", "s3_plunge", "phi",       "mean_misfit"};
const std::vector<std::string> kAssignmentColumns = {"line", "phase", "also"};

void AddAxes(const std::array<math::TrendPlunge, 3>& axes, std::vector<ReportCell>& cells) {
  for (const math::TrendPlunge& axis : axes) {
    cells.push_back(TrendCell(axis.trend));
    cells.push_back(AngleCell(axis.plunge));
  }
}

ReportTable BootstrapTable(const StressBootstrap& b) {
  if (!b.error.empty()) return RefusedTable(b.error);
  ReportTable table = TableWith(kBootstrapColumns);
  table.AddRow(WholeCell(b.settings.samples), WholeCell(b.rankDeficient),
               ValueCell(b.settings.confidence), AngleCell(b.thetaRadius), ValueCell(b.phi.low),
               ValueCell(b.phi.high), ValueCell(b.rPrime.low), ValueCell(b.rPrime.high));
  if (b.shMax) {
    // An arc that starts at 180.00 as written starts at 0.00.
    const double turn = FormatAngle(b.shMax->low) == "180.00" ? 180 : 0;
    table.AddRow(AngleCell(b.shMax->low - turn), AngleCell(b.shMax->high - turn));
  } else {
    table.AddRow(EmptyCell(), EmptyCell());
  }
  return table;
}

ReportTable SolutionsTable(const StressBootstrap& b) {
  if (!b.error.empty()) return RefusedTable(b.error);
  ReportTable table = TableWith(kSolutionsColumns);
  for (const BootstrapSolution& s : b.kept) {
    AddAxes(s.axes, table.cells);
    table.AddRow(ValueCell(s.phi), AngleCell(s.theta));
  }
  return table;
}

ReportTable LeaveOneOutTable(const LeaveOneOut& result) {
  if (!result.error.empty()) return RefusedTable(result.error);
  ReportTable table = TableWith(kLeaveOneOutColumns);
  for (const LeftOut& d : result.data)
    table.AddRow(WholeCell(d.line), d.theta ? AngleCell(*d.theta) : EmptyCell(),
                 d.beta ? AngleCell(*d.beta) : EmptyCell());
  return table;
}

std::string RefusalOfReport(const SeparationResult& r) {
  if (!r.error.empty()) return r.error;
  if (r.cancelled) return "the separation was cancelled";
  return {};
}

ReportTable SeparationTable(const SeparationResult& r) {
  if (const std::string refusal = RefusalOfReport(r); !refusal.empty())
    return RefusedTable(refusal);
  ReportTable table = TableWith(kSeparationColumns);
  for (std::size_t p = 0; p < r.phases.size(); ++p) {
    const StressResult& phase = r.phases[p];
    table.AddRow(WholeCell(double(p + 1)), WholeCell(phase.used));
    AddAxes(phase.axes, table.cells);
    table.AddRow(ValueCell(phase.phi), AngleCell(phase.meanBeta));
  }
  return table;
}

ReportTable AssignmentsTable(const SeparationResult& r) {
  if (const std::string refusal = RefusalOfReport(r); !refusal.empty())
    return RefusedTable(refusal);
  ReportTable table = TableWith(kAssignmentColumns);
  for (const SeparatedFault& f : r.faults) {
    std::string also;
    for (int p : f.also) also += (also.empty() ? "" : ";") + std::to_string(p);
    table.AddRow(WholeCell(f.line), WholeCell(f.phase), table.Label(also));
  }
  return table;
}

WorkControl ControlOf(const ReportRequest& request) {
  WorkControl control{request.cancel, {}};
  if (request.progress)
    control.report = [progress = request.progress](int done, int total) {
      progress(total > 0 ? double(done) / total : 1.0);
    };
  return control;
}

ReportTable Bootstrap(Study& study, const ReportRequest& request) {
  BootstrapSettings settings;
  const auto samples = request.Value("--samples"), confidence = request.Value("--confidence"),
             seed = request.Value("--seed");
  const std::string refusal =
      ReadBootstrapSettings(samples ? &*samples : nullptr, confidence ? &*confidence : nullptr,
                            seed ? &*seed : nullptr, settings);
  if (!refusal.empty()) return RefusedTable(refusal);
  const StressBootstrap bootstrap = BootstrapStress(SetupOf(study), settings, ControlOf(request));
  return request.Has("--solutions") ? SolutionsTable(bootstrap) : BootstrapTable(bootstrap);
}

// The options of `separate` over the defaults (their declarations have
// checked them).
SeparationOptions SeparationOptionsOf(const ReportRequest& request) {
  SeparationOptions options;
  options.cut = NumberOption(request, "--cut", options.cut);
  options.width = NumberOption(request, "--width", options.width);
  options.maxPhases = int(NumberOption(request, "--max-phases", options.maxPhases));
  options.candidates =
      std::int64_t(NumberOption(request, "--candidates", double(options.candidates)));
  if (const auto seed = request.Value("--seed"))
    std::from_chars(seed->data(), seed->data() + seed->size(), options.seed);
  return options;
}

ReportTable Separate(Study& study, const ReportRequest& request) {
  const SeparationControl control{request.cancel, request.progress};
  const SeparationResult result =
      SeparatePhases(study.data(), SeparationOptionsOf(request), study.InUse(), control);
  return request.Has("--assignments") ? AssignmentsTable(result) : SeparationTable(result);
}

const NumberRange kSeed{"S", 0, 18446744073709551615.0, false, "from 0 to 2^64 - 1"};

std::vector<OptionDeclaration> BootstrapOptions() {
  return {IterateOption(),
          MethodOption(),
          {"--samples",
           "B",
           ValueKind::Whole,
           {},
           {{"B", 1, double(kMaxResamples)}},
           "the number of resamples (default 2000)"},
          {"--seed",
           "S",
           ValueKind::Whole,
           {},
           {kSeed},
           "the seed of the resampling (default 1): the same seed, the same result"},
          {"--confidence",
           "C",
           ValueKind::Number,
           {},
           {{"C", 0, 1, true}},
           "the share of the resamples kept (default 0.95)"},
          {"--solutions", "", ValueKind::Flag, {}, {}, "every kept resample's axes instead"}};
}

std::vector<OptionDeclaration> SeparationOptionSpecs() {
  return {{"--assignments",
           "",
           ValueKind::Flag,
           {},
           {},
           "each datum's phase (0 for none) and the other phases within whose cut it lies"},
          {"--max-phases",
           "K",
           ValueKind::Whole,
           {},
           {{"K", 1, 9}},
           "the most phases proposed (default 3)"},
          {"--cut",
           "DEG",
           ValueKind::Number,
           {},
           {{"DEG", 0, 180, true}},
           "the largest misfit angle of a phase's data (default 30)"},
          {"--width",
           "DEG",
           ValueKind::Number,
           {},
           {{"DEG", 0, 180, true}},
           "the width w of the score exp(-beta^2 / 2w^2) (default 15)"},
          {"--candidates",
           "M",
           ValueKind::Whole,
           {},
           {{"M", 1, double(kMaxCandidates)}},
           "the candidate stresses drawn (default 1000000)"},
          {"--seed",
           "S",
           ValueKind::Whole,
           {},
           {kSeed},
           "the seed of the candidates (default 1): the same seed, the same phases"}};
}

}  // namespace

CsvReport StressBootstrapCsv(const StressBootstrap& b) { return ReportCsv(BootstrapTable(b)); }
CsvReport BootstrapSolutionsCsv(const StressBootstrap& b) { return ReportCsv(SolutionsTable(b)); }
CsvReport LeaveOneOutCsv(const LeaveOneOut& r) { return ReportCsv(LeaveOneOutTable(r)); }
CsvReport SeparationCsv(const SeparationResult& r) { return ReportCsv(SeparationTable(r)); }
CsvReport SeparationAssignmentsCsv(const SeparationResult& r) {
  return ReportCsv(AssignmentsTable(r));
}

std::vector<ReportKind> ConfidenceReports() {
  return {
      {"stress-bootstrap", "Bootstrap confidence",
       "bootstrap confidence of the inversion: the ranges of Phi, R' and SHmax and the radius "
       "Theta of the kept resamples",
       kBootstrapColumns, BootstrapOptions(), ReportReads::Inversion, false, Bootstrap,
       "--solutions", kSolutionsColumns},
      {"leave-one-out",
       "Leave-one-out influence",
       "per datum used: Theta between the result of all data and the result without it, and its "
       "beta under that result",
       kLeaveOneOutColumns,
       {IterateOption(), MethodOption()},
       ReportReads::Inversion,
       true,
       [](Study& s, const ReportRequest& request) {
         return LeaveOneOutTable(LeaveEachOut(SetupOf(s), ControlOf(request)));
       }},
      {"separate", "Separation of phases",
       "the phases proposed in a mixed population: each one's faults, axes, Phi and mean misfit",
       kSeparationColumns, SeparationOptionSpecs(), ReportReads::Parameters, false, Separate,
       "--assignments", kAssignmentColumns},
  };
}

}  // namespace orniva::analysis
