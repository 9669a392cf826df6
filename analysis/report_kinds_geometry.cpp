// The reports of the geometry tools: selection by a window or a cone, the
// rose, the data back-tilted and the tilt test.
#include "analysis/geometry.h"
#include "analysis/report_kinds.h"
#include "analysis/rose.h"
#include "analysis/rotation.h"
#include "analysis/study.h"

namespace orniva::analysis {

namespace {

const std::vector<std::string> kSelectColumns = {"line"};
const std::vector<std::string> kRoseColumns = {"from", "to", "count"};
const std::vector<std::string> kBackTiltColumns = {"line", "faz", "fpl", "saz", "spl", "sense"};
const std::vector<std::string> kTiltTestColumns = {"fraction",  "mean_misfit", "steepest_plunge",
                                                   "s1_trend",  "s1_plunge",   "s3_trend",
                                                   "s3_plunge", "phi"};

ReportTable SelectTable(const std::vector<int>& lines) {
  ReportTable table = TableWith(kSelectColumns);
  for (int line : lines) table.AddRow(WholeCell(line));
  return table;
}

ReportTable RoseTable(const RoseCounts& rose) {
  if (rose.data == 0) return RefusedTable(kNoUsableData);
  ReportTable table = TableWith(kRoseColumns);
  for (std::size_t k = 0; k < rose.counts.size(); ++k)
    table.AddRow(AngleCell(double(k) * rose.binWidth), AngleCell(double(k + 1) * rose.binWidth),
                 WholeCell(rose.counts[k]));
  return table;
}

ReportTable BackTiltTable(const FaultSet& turned, const std::vector<bool>* use) {
  const std::vector<FaultVectors> faults = FaultsInUse(turned, use);
  if (faults.empty()) return RefusedTable(kNoUsableData);
  ReportTable table = TableWith(kBackTiltColumns);
  for (const FaultVectors& f : faults) {
    const TFaultData& d = turned[std::size_t(f.line)];
    table.AddRow(WholeCell(f.line), TrendCell(d.faz), AngleCell(d.fpl), TrendCell(d.saz),
                 AngleCell(d.spl), table.Label(d.sense));
  }
  return table;
}

ReportTable TiltTestTable(const std::vector<TiltStep>& steps) {
  if (steps.empty() || !steps.front().stress.error.empty())
    return RefusedTable(steps.empty() ? kNoUsableData : steps.front().stress.error);
  ReportTable table = TableWith(kTiltTestColumns);
  for (const TiltStep& step : steps) {
    const StressResult& r = step.stress;
    table.AddRow(ValueCell(step.fraction), AngleCell(r.meanBeta), AngleCell(step.steepestPlunge),
                 TrendCell(r.axes[0].trend), AngleCell(r.axes[0].plunge),
                 TrendCell(r.axes[2].trend), AngleCell(r.axes[2].plunge), ValueCell(r.phi));
  }
  return table;
}

ReportTable Select(Study& study, const ReportRequest& request) {
  const auto window = request.Value("--window"), cone = request.Value("--cone");
  if (window.has_value() == cone.has_value())
    return RefusedTable("select needs --window or --cone");
  const auto of = DensityOfNamed(request.Value("--of").value_or("poles"));
  const auto directions = DirectionsOf(study.data(), study.InUse(), *of);
  if (directions.empty()) return RefusedTable(kNoUsableData);
  std::string error;
  if (window) {
    const auto w = WindowWritten(*window, error);
    if (!w) return RefusedTable("--window needs " + error);
    return SelectTable(SelectInWindow(directions, *w));
  }
  const auto c = ConeWritten(*cone, error);
  if (!c) return RefusedTable("--cone needs " + error);
  return SelectTable(SelectInCone(directions, *c));
}

ReportTable Rose(Study& study, const ReportRequest& request) {
  const double bin = study.choices().roseBin;
  if (!ValidRoseBin(bin))
    return RefusedTable("--bin needs a width in degrees that divides 360, not '" +
                        request.Value("--bin").value_or(FormatFixed(bin, 2)) + "'");
  return RoseTable(CountRose(study.data(), study.InUse(), study.choices().roseOf, bin));
}

Bedding BeddingOf(const ReportRequest& request) {
  const auto numbers = NumbersOf(request.Value("--bedding").value_or("0,0"), 2);
  return numbers ? Bedding{(*numbers)[0], (*numbers)[1]} : Bedding{};
}

ReportTable BackTilt(Study& study, const ReportRequest& request) {
  const double fraction = NumberOption(request, "--fraction", 1);
  const FaultSet turned = RotateData(study.data(), BackTiltRotation(BeddingOf(request), fraction));
  return BackTiltTable(turned, study.InUse());
}

ReportTable Tilt(Study& study, const ReportRequest& request) {
  const AnalysisChoices& choices = study.choices();
  const std::function<bool(int)> carryOn = [&request](int done) {
    if (request.progress) request.progress(double(done) / kTiltSteps);
    return !(request.cancel && *request.cancel);
  };
  const std::vector<TiltStep> steps = TiltTest(study.data(), BeddingOf(request), choices.method,
                                               choices.iterate, study.InUse(), carryOn);
  if (request.cancel && *request.cancel) return RefusedTable("cancelled");
  return TiltTestTable(steps);
}

// The bedding: typed, or (read by the tools) the mean of an orientation
// table's set, which they pass on as --bedding.
std::vector<OptionDeclaration> BeddingOptions() {
  OptionDeclaration typed = DeclareNumbers("--bedding", "DD,DIP", {{"DD", 0, 360}, {"DIP", 0, 90}},
                                           "the bedding's dip direction and dip", true);
  typed.orInstead = {"--bedding-from"};
  OptionDeclaration table{"--bedding-from",
                          "TABLE",
                          ValueKind::Text,
                          {},
                          {},
                          "instead of --bedding: the bedding whose pole is the Fisher mean of "
                          "the poles in use of an orientation table (its curation file "
                          "applied), or of its set --bedding-set"};
  table.notWith = {"--bedding"};
  OptionDeclaration set{"--bedding-set",
                        "NAME",
                        ValueKind::Text,
                        {},
                        {},
                        "the set of --bedding-from's table whose mean is the bedding"};
  set.onlyWhile = {{"--bedding-from", {}, ""}};
  return {typed, table, set};
}

std::vector<OptionDeclaration> SelectOptions() {
  OptionDeclaration window = DeclareNumbers(
      "--window", "T1,T2,P1,P2", {{"T1", 0, 360}, {"T2", 0, 360}, {"P1", 0, 90}, {"P2", 0, 90}},
      "the directions between trends T1 and T2 (clockwise, through north when T2 < T1) and "
      "plunges P1 <= P2");
  window.notWith = {"--cone"};
  return {window,
          DeclareNumbers("--cone", "T,P,A", {{"T", 0, 360}, {"P", 0, 90}, {"A", 0, 90}},
                         "the directions within A degrees of the line T/P"),
          DeclareChoice("--of", {"poles", "striations", "p", "t"},
                        "the direction of each datum (default poles)")};
}

std::vector<OptionDeclaration> RoseOptions() {
  return {DeclareChoice("--of", {"strike", "dip-direction", "trend"},
                        "what is counted; each plane twice for the strike, at DD - 90 and DD + 90",
                        true),
          DeclareNumber("--bin", {"W", kSmallestRoseBin, 360},
                        "the bins' width in degrees, dividing 360 (default 10)")};
}

std::vector<OptionDeclaration> BackTiltOptions() {
  std::vector<OptionDeclaration> options = BeddingOptions();
  options.push_back(
      DeclareNumber("--fraction", {"F", -2, 2}, "the share of the dip turned back (default 1)"));
  return options;
}

std::vector<OptionDeclaration> TiltTestOptions() {
  std::vector<OptionDeclaration> options = BeddingOptions();
  options.push_back(IterateOption());
  options.push_back(MethodOption());
  return options;
}

}  // namespace

CsvReport SelectCsv(const std::vector<int>& lines) { return ReportCsv(SelectTable(lines)); }
CsvReport RoseCsv(const RoseCounts& rose) { return ReportCsv(RoseTable(rose)); }
CsvReport BackTiltCsv(const FaultSet& turned, const std::vector<bool>* use) {
  return ReportCsv(BackTiltTable(turned, use));
}
CsvReport TiltTestCsv(const std::vector<TiltStep>& steps) {
  return ReportCsv(TiltTestTable(steps));
}

std::vector<ReportKind> GeometryReports() {
  const ReportReads reads = ReportReads::Parameters;
  return {
      {"select", "Selection", "the lines whose direction lies in the window or the cone",
       kSelectColumns, SelectOptions(), reads, false, Select},
      {"rose", "Rose", "the counts per bin of the strikes, dip directions or striation trends",
       kRoseColumns, RoseOptions(), reads, false, Rose},
      {"back-tilt", "Back-tilt", "the data turned until the bedding is horizontal",
       kBackTiltColumns, BackTiltOptions(), reads, false, BackTilt},
      {"tilt-test", "Tilt test",
       "the inversion at back-tilt fractions 0, 0.05 ... 1.25, with the plunge of the steepest "
       "principal axis",
       kTiltTestColumns, TiltTestOptions(), reads, false, Tilt},
  };
}

}  // namespace orniva::analysis
