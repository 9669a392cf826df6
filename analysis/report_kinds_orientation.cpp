// The reports of orientations: Fisher's mean, the fabric of the
// orientation tensor and the fold axis (analysis/orientation_statistics.h),
// of an orientation table's planes or lines when the request holds one,
// else of the study's fault poles or striations in scope.
#include <optional>

#include "analysis/orientation_statistics.h"
#include "analysis/report_kinds.h"
#include "analysis/study.h"

namespace orniva::analysis {

namespace {

const std::vector<std::string> kFisherColumns = {"n", "trend", "plunge", "r", "k", "alpha", "csd"};
const std::vector<std::string> kFabricColumns = {
    "s1",        "s2", "s3", "e1_trend", "e1_plunge", "e2_trend", "e2_plunge", "e3_trend",
    "e3_plunge", "K",  "C",  "P",        "G",         "R",        "B",         "I"};
const std::vector<std::string> kFoldAxisColumns = {"trend", "plunge", "n", "s3", "G"};

ReportCell MaybeAngle(const std::optional<double>& value) {
  return value ? AngleCell(*value) : EmptyCell();
}
ReportCell MaybeValue(const std::optional<double>& value) {
  return value ? ValueCell(*value) : EmptyCell();
}

// The directions the request asks for: the table's records in use, or
// the study's faults in scope.
std::vector<math::Vector3d> Directions(const Study& study, const ReportRequest& request,
                                       OrientationOf of) {
  if (request.orientations)
    return OrientationDirections(*request.orientations, of, request.orientationUse);
  return FaultDirections(study.data(), of, study.InUse());
}

OrientationOf OfOption(const ReportRequest& request) {
  const std::optional<std::string> of = request.Value("--of");
  return of ? OrientationOfNamed(*of).value_or(OrientationOf::Poles) : OrientationOf::Poles;
}

ReportTable Fisher(Study& study, const ReportRequest& request) {
  const FisherResult r = FisherStatistics(Directions(study, request, OfOption(request)),
                                          NumberOption(request, "--confidence", 0.95));
  if (!r.error.empty()) return RefusedTable(r.error);
  ReportTable table = TableWith(kFisherColumns);
  table.AddRow(WholeCell(double(r.n)), TrendCell(r.mean.trend), AngleCell(r.mean.plunge),
               ValueCell(r.r), MaybeValue(r.k), MaybeAngle(r.alpha), MaybeAngle(r.csd));
  return table;
}

ReportTable FabricTable(Study& study, const ReportRequest& request) {
  const FabricResult r = Fabric(Directions(study, request, OfOption(request)));
  if (!r.error.empty()) return RefusedTable(r.error);
  ReportTable table = TableWith(kFabricColumns);
  table.AddRow(ValueCell(r.s[0]), ValueCell(r.s[1]), ValueCell(r.s[2]));
  for (const math::TrendPlunge& e : r.e) table.AddRow(TrendCell(e.trend), AngleCell(e.plunge));
  table.AddRow(MaybeValue(r.K), MaybeValue(r.C), ValueCell(r.P), ValueCell(r.G), ValueCell(r.R),
               ValueCell(r.B), ValueCell(r.I));
  return table;
}

ReportTable FoldAxisTable(Study& study, const ReportRequest& request) {
  const FoldAxisResult r = FoldAxis(Directions(study, request, OrientationOf::Poles));
  if (!r.error.empty()) return RefusedTable(r.error);
  ReportTable table = TableWith(kFoldAxisColumns);
  table.AddRow(TrendCell(r.axis.trend), AngleCell(r.axis.plunge), WholeCell(double(r.n)),
               ValueCell(r.s3), ValueCell(r.G));
  return table;
}

OptionDeclaration OfOrientationOption() {
  return DeclareChoice("--of", {"poles", "lines"},
                       "the planes' poles (the default) or the lines; of a data file, the "
                       "faults' poles or striations");
}

}  // namespace

std::vector<ReportKind> OrientationReports() {
  const ReportReads reads = ReportReads::Data;
  return {
      {"fisher",
       "Fisher mean",
       "Fisher's mean of the poles or lines, with its cone of confidence",
       kFisherColumns,
       {OfOrientationOption(), DeclareNumber("--confidence", {"C", 0, 1, true},
                                             "the confidence of the cone (default 0.95), below 1")},
       reads,
       true,
       Fisher},
      {"fabric",
       "Fabric",
       "the orientation tensor's eigenvalues and axes and the fabric's shape",
       kFabricColumns,
       {OfOrientationOption()},
       reads,
       true,
       FabricTable},
      {"fold-axis",
       "Fold axis",
       "the fold axis: the pi-axis of the planes' poles",
       kFoldAxisColumns,
       {},
       reads,
       true,
       FoldAxisTable},
  };
}

}  // namespace orniva::analysis
