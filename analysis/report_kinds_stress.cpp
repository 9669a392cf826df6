// The reports of a stress: the inversion, the misfit angles, the summary,
// the comparison of the methods, the Mohr values and the tendencies; and
// the options that choose the stress they read.
#include "analysis/given_stress.h"
#include "analysis/mohr.h"
#include "analysis/report_kinds.h"
#include "analysis/stress_inversion.h"
#include "analysis/stress_methods.h"
#include "analysis/stress_summary.h"
#include "analysis/study.h"
#include "analysis/tendency.h"

namespace orniva::analysis {

namespace {

const std::vector<std::string> kStressColumns = {
    "s1_trend",  "s1_plunge", "s2_trend", "s2_plunge",   "s3_trend",
    "s3_plunge", "phi",       "r",        "mean_misfit", "n"};
const std::vector<std::string> kMisfitColumns = {"line", "beta"};
const std::vector<std::string> kSummaryColumns = {
    "method",  "s1_trend", "s1_plunge",  "s2_trend", "s2_plunge", "s3_trend",    "s3_plunge", "phi",
    "r_prime", "regime",   "wsm_regime", "shmax",    "shmin",     "mean_misfit", "n"};
const std::vector<std::string> kMohrColumns = {"line", "sigma_n", "tau", "tau_slip", "rup", "ang"};
const std::vector<std::string> kTendencyColumns = {"line", "sigma_n",       "tau",
                                                   "ts",   "ts_normalised", "td"};

std::vector<std::string> MethodsColumns() {
  std::vector<std::string> columns = kSummaryColumns;
  columns.push_back("theta_to_michael");
  return columns;
}

std::string RefusalOf(const StressResult& r) { return r.used == 0 ? kNoUsableData : r.error; }

// The three axes' trend and plunge, sigma1 first.
void AddAxes(const StressResult& r, std::vector<ReportCell>& cells) {
  for (const math::TrendPlunge& axis : r.axes) {
    cells.push_back(TrendCell(axis.trend));
    cells.push_back(AngleCell(axis.plunge));
  }
}

ReportTable StressTable(const StressResult& r) {
  if (const std::string refusal = RefusalOf(r); !refusal.empty()) return RefusedTable(refusal);
  ReportTable table = TableWith(kStressColumns);
  AddAxes(r, table.cells);
  table.AddRow(ValueCell(r.phi), ValueCell(r.r), AngleCell(r.meanBeta), WholeCell(r.used));
  return table;
}

// One row per datum the result used.
ReportTable MisfitTable(const StressResult& r) {
  if (const std::string refusal = RefusalOf(r); !refusal.empty()) return RefusedTable(refusal);
  ReportTable table = TableWith(kMisfitColumns);
  for (const FaultMisfit& f : r.faults)
    if (f.used) table.AddRow(WholeCell(f.line), AngleCell(f.beta));
  return table;
}

void AddSummaryRow(const StressResult& r, StressMethod method, ReportTable& table) {
  const StressCharacter c = CharacterOf(r);
  table.cells.push_back(table.Label(StressMethodName(method)));
  AddAxes(r, table.cells);
  table.AddRow(ValueCell(r.phi), ValueCell(c.rPrime), table.Label(c.regime),
               table.Label(c.wsmRegime), c.shMax ? AxialCell(*c.shMax) : EmptyCell(),
               c.shMin ? AxialCell(*c.shMin) : EmptyCell(), AngleCell(r.meanBeta),
               WholeCell(r.used));
}

ReportTable SummaryTable(const StressResult& r, StressMethod method) {
  if (const std::string refusal = RefusalOf(r); !refusal.empty()) return RefusedTable(refusal);
  ReportTable table = TableWith(kSummaryColumns);
  AddSummaryRow(r, method, table);
  return table;
}

ReportTable MethodsTable(const std::array<StressResult, 5>& results) {
  for (const StressResult& r : results)
    if (const std::string refusal = RefusalOf(r); !refusal.empty()) return RefusedTable(refusal);
  ReportTable table = TableWith(MethodsColumns());
  for (std::size_t i = 0; i < results.size(); ++i) {
    AddSummaryRow(results[i], kStressMethods[i], table);
    table.cells.push_back(AngleCell(StressDistance(results[i].tensor, results[0].tensor)));
  }
  if (std::string warning = MethodsDisagreement(results); !warning.empty())
    table.notes.push_back(std::move(warning));
  return table;
}

ReportTable MohrTable(const MohrResult& mohr) {
  if (!mohr.error.empty()) return RefusedTable(mohr.error);
  ReportTable table = TableWith(kMohrColumns);
  table.cells.reserve(mohr.faults.size() * kMohrColumns.size());
  for (const MohrDatum& d : mohr.faults)
    if (d.used)
      table.AddRow(WholeCell(d.line), ValueCell(d.sigmaN), ValueCell(d.tau), ValueCell(d.tauSlip),
                   ValueCell(d.rup), AngleCell(d.ang));
  return table;
}

ReportTable TendencyTable(const TendencyResult& result) {
  if (!result.error.empty()) return RefusedTable(result.error);
  ReportTable table = TableWith(kTendencyColumns);
  table.cells.reserve(result.faults.size() * kTendencyColumns.size());
  for (const FaultTendency& f : result.faults) {
    const PlaneTendency& t = f.value;
    table.AddRow(WholeCell(f.line), ValueCell(t.sigmaN), ValueCell(t.tau), ValueCell(t.ts),
                 ValueCell(t.tsNormalised), ValueCell(t.td));
  }
  return table;
}

ReportTable TendencyGridTable(const StressResult& stress, const StressMagnitudes& m,
                              TendencyOf of) {
  if (!stress.error.empty()) return RefusedTable(stress.error);
  const TendencyStress tendency = MakeTendencyStress(m, stress.axes);
  if (!tendency.error.empty()) return RefusedTable(tendency.error);
  return GridTable(TendencyValues(tendency, of, ReportGridNodes()));
}

// The tendencies under the study's magnitudes and the stress in view.
ReportTable Tendency(Study& s, const ReportRequest&) {
  const std::optional<StressMagnitudes>& magnitudes = s.choices().tendency.magnitudes;
  if (!magnitudes) return RefusedTable(kNoMagnitudes);
  return TendencyTable(FaultTendencies(s.data(), s.InUse(), s.StressInView(), *magnitudes));
}

ReportTable TendencyGrid(Study& s, const ReportRequest&) {
  const TendencyChoice& tendency = s.choices().tendency;
  if (!tendency.magnitudes) return RefusedTable(kNoMagnitudes);
  return TendencyGridTable(s.StressInView(), *tendency.magnitudes, tendency.of);
}

NumberRange Magnitude(const char* name) { return {name, -kLargestMagnitude, kLargestMagnitude}; }

std::vector<OptionDeclaration> TendencyOptions() {
  return {DeclareNumbers("--magnitudes", "S1,S2,S3",
                         {Magnitude("S1"), Magnitude("S2"), Magnitude("S3")},
                         "the principal stresses, compression positive, S1 >= S2 >= S3, in any one "
                         "unit",
                         true),
          DeclareNumber("--pore-pressure", Magnitude("PF"),
                        "the pore pressure (default 0); S3 - PF must be positive"),
          IterateOption(), MethodOption(), GivenStressOption()};
}

std::vector<OptionDeclaration> InversionOptions() { return {IterateOption(), MethodOption()}; }

}  // namespace

const OptionDeclaration& MethodOption() {
  static const OptionDeclaration option = [] {
    OptionDeclaration declared{
        "--method",
        "M",
        ValueKind::Choice,
        {},
        {},
        "how the stress is inverted: michael (the default), shan, fry, yamaji-sato or "
        "angelier (Angelier's S4 minimum)"};
    for (const StressMethod method : kStressMethods)
      declared.choices.push_back(StressMethodName(method));
    declared.notWith = {"--stress"};
    declared.notWithReason = "a given stress is not inverted";
    return declared;
  }();
  return option;
}

const OptionDeclaration& IterateOption() {
  static const OptionDeclaration option = [] {
    OptionDeclaration declared{
        "--iterate",
        "",
        ValueKind::Flag,
        {},
        {},
        "the iterative option of Michael's method: solved again with the last "
        "solution's shear stresses"};
    declared.onlyWhile = {{"--method", {"michael"}, "michael"}};
    declared.notWith = {"--stress"};
    declared.notWithReason = "a given stress is not inverted";
    return declared;
  }();
  return option;
}

const OptionDeclaration& GivenStressOption() {
  static const OptionDeclaration option{
      "--stress",
      "T1,P1,T3,P3,PHI",
      ValueKind::Numbers,
      {},
      {{"T1", 0, 360}, {"P1", 0, 90}, {"T3", 0, 360}, {"P3", 0, 90}, {"PHI", 0, 1}},
      "a given stress instead of the inversion: sigma1's and sigma3's trend and plunge and Phi; "
      "sigma3 is made perpendicular to sigma1, axes more than 1 degree from it are refused"};
  return option;
}

std::string ApplyReportChoices(Study& study, const ReportRequest& request) {
  AnalysisChoices choices = study.choices();
  choices.iterate = request.Has("--iterate");
  if (const auto method = request.Value("--method")) {
    if (const auto density = DensityMethodNamed(*method)) choices.densityMethod = *density;
    if (const auto stress = StressMethodNamed(*method)) choices.method = *stress;
  }
  if (const auto of = request.Value("--of")) {
    if (const auto density = DensityOfNamed(*of)) choices.densityOf = *density;
    if (const auto rose = RoseOfNamed(*of)) choices.roseOf = *rose;
    if (const auto tendency = TendencyOfNamed(*of)) choices.tendency.of = *tendency;
  }
  choices.roseBin = NumberOption(request, "--bin", choices.roseBin);
  if (const auto magnitudes = request.Value("--magnitudes")) {
    const ParsedMagnitudes parsed =
        ParseMagnitudes(*magnitudes, request.Value("--pore-pressure").value_or(""));
    if (!parsed.error.empty()) return parsed.error;
    choices.tendency.magnitudes = parsed.magnitudes;
  }
  if (const auto given = request.Value("--stress")) {
    const std::optional<GivenStress> stress = GivenStressNamed(*given);
    if (!stress) return "--stress needs T1,P1,T3,P3,PHI (five numbers), not '" + *given + "'";
    study.SetGivenStress(*stress);
  }
  study.SetChoices(choices);
  return {};
}

CsvReport StressCsv(const FaultSet& data, bool iterate) {
  return StressCsv(InvertStress(data, iterate));
}
CsvReport StressCsv(const StressResult& r) { return ReportCsv(StressTable(r)); }
CsvReport MisfitAnglesCsv(const FaultSet& data, bool iterate) {
  return MisfitAnglesCsv(InvertStress(data, iterate));
}
CsvReport MisfitAnglesCsv(const StressResult& r) { return ReportCsv(MisfitTable(r)); }
CsvReport StressSummaryCsv(const StressResult& r, StressMethod method) {
  return ReportCsv(SummaryTable(r, method));
}
CsvReport StressMethodsCsv(const std::array<StressResult, 5>& results) {
  return ReportCsv(MethodsTable(results));
}
CsvReport MohrCsv(const MohrResult& mohr) { return ReportCsv(MohrTable(mohr)); }
CsvReport TendencyCsv(const TendencyResult& result) { return ReportCsv(TendencyTable(result)); }
CsvReport TendencyGridCsv(const StressResult& stress, const StressMagnitudes& m, TendencyOf of) {
  return ReportCsv(TendencyGridTable(stress, m, of));
}

namespace {

// The reports of the inversion by the chosen method, or by every method.
std::vector<ReportKind> InversionReports() {
  return {
      {"stress", "Stress inversion",
       "the stress inversion: the principal axes, Phi, R, the mean misfit angle and the faults "
       "used",
       kStressColumns, InversionOptions(), ReportReads::Inversion, true,
       [](Study& s, const ReportRequest&) { return StressTable(s.Stress()); }},
      {"stress-summary", "Stress summary",
       "the inversion's axes, Phi, R' and its regime, the World Stress Map regime, SHmax, SHmin "
       "and the mean misfit",
       kSummaryColumns, InversionOptions(), ReportReads::Inversion, true,
       [](Study& s, const ReportRequest&) { return SummaryTable(s.Stress(), s.choices().method); }},
      {"stress-methods",
       "Comparison of the methods",
       "the same by every method, with each one's angular distance Theta to Michael's result",
       MethodsColumns(),
       {IterateOption()},
       ReportReads::EveryMethod,
       true,
       [](Study& s, const ReportRequest&) { return MethodsTable(s.StressByEveryMethod()); }},
  };
}

// The reports of the stress in view: the inversion, or a given stress.
std::vector<ReportKind> ViewReports() {
  std::vector<OptionDeclaration> view = InversionOptions(), grid = TendencyOptions();
  view.push_back(GivenStressOption());
  grid.insert(grid.begin(),
              DeclareChoice("--of", {"slip", "dilation"},
                            "the normalised slip tendency Ts' or the dilation tendency "
                            "Td",
                            true));
  return {
      {"misfit-angles", "Misfit angles", "per datum used: the misfit angle beta", kMisfitColumns,
       view, ReportReads::StressInView, true,
       [](Study& s, const ReportRequest&) { return MisfitTable(s.StressInView()); }},
      {"mohr", "Mohr diagram values",
       "per datum used, in Angelier's normalisation: the normal stress (compression positive), "
       "the shear stress, its component along the slip, RUP and ANG",
       kMohrColumns, view, ReportReads::StressInView, true,
       [](Study& s, const ReportRequest&) {
         return MohrTable(MohrOf(s.EveryFault(), s.StressInView()));
       }},
      {"tendency", "Slip and dilation tendency",
       "per datum used: the normal and shear stress, the slip tendency Ts and Ts' and the "
       "dilation tendency Td",
       kTendencyColumns, TendencyOptions(), ReportReads::StressInView, true, Tendency},
      {"tendency-grid", "Tendency of every plane",
       "Ts' or Td of the plane whose pole is each node of the report grid", GridColumns(), grid,
       ReportReads::StressInView, false, TendencyGrid},
  };
}

}  // namespace

std::vector<ReportKind> StressReports() {
  std::vector<ReportKind> reports = InversionReports();
  for (ReportKind& kind : ViewReports()) reports.push_back(std::move(kind));
  return reports;
}

}  // namespace orniva::analysis
