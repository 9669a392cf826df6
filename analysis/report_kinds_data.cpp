// The reports of the data themselves: kinematics, the Linked Bingham axes,
// density and right dihedra on the report grid.
#include <cstdlib>

#include "analysis/density.h"
#include "analysis/dihedra.h"
#include "analysis/geometry.h"
#include "analysis/kinematics.h"
#include "analysis/report_kinds.h"
#include "analysis/study.h"

namespace orniva::analysis {

namespace {

const std::vector<std::string> kKinematicsColumns = {"line",    "misfit",   "p_trend", "p_plunge",
                                                     "t_trend", "t_plunge", "b_trend", "b_plunge"};
const std::vector<std::string> kBinghamColumns = {"axis", "trend", "plunge", "eigenvalue"};
const std::vector<std::string> kGridColumns = {"trend", "plunge", "value"};

ReportTable KinematicsTable(const KinematicsResult& result) {
  if (result.faults.empty()) return RefusedTable(kNoUsableData);
  ReportTable table = TableWith(kKinematicsColumns);
  table.cells.reserve(result.faults.size() * kKinematicsColumns.size());
  for (const KinematicAxes& f : result.faults)
    table.AddRow(WholeCell(f.line), AngleCell(f.misfit), TrendCell(f.p.trend),
                 AngleCell(f.p.plunge), TrendCell(f.t.trend), AngleCell(f.t.plunge),
                 TrendCell(f.b.trend), AngleCell(f.b.plunge));
  return table;
}

ReportTable BinghamTable(const KinematicsResult& result) {
  if (result.faults.empty()) return RefusedTable(kNoUsableData);
  ReportTable table = TableWith(kBinghamColumns);
  const char* names[3] = {"T", "B", "P"};
  for (std::size_t k = 0; k < 3; ++k)
    table.AddRow(table.Label(names[k]), TrendCell(result.bingham.axes[k].trend),
                 AngleCell(result.bingham.axes[k].plunge),
                 ValueCell(result.bingham.eigenvalues[k]));
  return table;
}

ReportTable DensityTable(const FaultSet& data, DensityOf of, DensityMethod method,
                         const std::vector<bool>* use) {
  const UsedFaults used = CollectUsedFaults(data, use);
  if (used.faults.empty()) return RefusedTable(kNoUsableData);
  const std::vector<math::Vector3d> directions = DensityDirections(used.faults, of);
  return GridTable(DensityValues(directions, method, ReportGridNodes()));
}

ReportTable DihedraTable(const FaultSet& data, const std::vector<bool>* use) {
  const UsedFaults used = CollectUsedFaults(data, use);
  if (used.faults.empty()) return RefusedTable(kNoUsableData);
  return GridTable(DihedraValues(used.faults, ReportGridNodes()));
}

OptionDeclaration DensityOfOption() {
  return {"--of",
          "",
          ValueKind::Choice,
          {"poles", "p", "t", "striations"},
          {},
          "what the density counts: the poles, the P or T axes, or the striations",
          true};
}

OptionDeclaration DensityMethodOption() {
  return {"--method",
          "",
          ValueKind::Choice,
          {"kamb", "one-percent"},
          {},
          "how it counts: Kamb's method, or the share in a circle of 1 % of the net",
          true};
}

}  // namespace

ReportTable TableWith(const std::vector<std::string>& columns) {
  ReportTable table;
  table.columns = columns;
  return table;
}

const std::vector<std::string>& GridColumns() { return kGridColumns; }

ReportTable GridTable(const std::vector<double>& values) {
  const std::vector<math::TrendPlunge> lines = ReportGridLines();
  ReportTable table = TableWith(kGridColumns);
  table.cells.reserve(3 * lines.size());
  for (std::size_t k = 0; k < lines.size() && k < values.size(); ++k)
    table.AddRow(TrendCell(lines[k].trend), AngleCell(lines[k].plunge), ValueCell(values[k]));
  return table;
}

double NumberOption(const ReportRequest& request, const std::string& name, double fallback) {
  const std::optional<std::string> text = request.Value(name);
  return text ? std::strtod(text->c_str(), nullptr) : fallback;
}

CsvReport KinematicsCsv(const FaultSet& data) { return KinematicsCsv(ComputeKinematics(data)); }
CsvReport KinematicsCsv(const KinematicsResult& r) { return ReportCsv(KinematicsTable(r)); }
CsvReport BinghamCsv(const FaultSet& data) { return BinghamCsv(ComputeKinematics(data)); }
CsvReport BinghamCsv(const KinematicsResult& r) { return ReportCsv(BinghamTable(r)); }
CsvReport DensityCsv(const FaultSet& data, DensityOf of, DensityMethod method,
                     const std::vector<bool>* use) {
  return ReportCsv(DensityTable(data, of, method, use));
}
CsvReport DihedraCsv(const FaultSet& data, const std::vector<bool>* use) {
  return ReportCsv(DihedraTable(data, use));
}

std::vector<ReportKind> DataReports() {
  return {
      {"kinematics",
       "Kinematics",
       "per datum: the misfit and the P, T and B axes",
       kKinematicsColumns,
       {},
       ReportReads::Data,
       true,
       [](Study& s, const ReportRequest&) { return KinematicsTable(s.Kinematics()); }},
      {"bingham",
       "Linked Bingham axes",
       "the Linked Bingham axes T, B and P and their eigenvalues",
       kBinghamColumns,
       {},
       ReportReads::Data,
       true,
       [](Study& s, const ReportRequest&) { return BinghamTable(s.Kinematics()); }},
      {"density",
       "Density",
       "the density of the directions on the report grid (trend 0 to 355 and plunge 0 to 85 in "
       "steps of 5, then 0/90)",
       kGridColumns,
       {DensityOfOption(), DensityMethodOption()},
       ReportReads::Density,
       true,
       [](Study& s, const ReportRequest&) {
         return DensityTable(s.data(), s.choices().densityOf, s.choices().densityMethod, s.InUse());
       }},
      {"dihedra",
       "Right dihedra",
       "right dihedra: the per cent of the faults whose compressional dihedron holds each grid "
       "direction",
       kGridColumns,
       {},
       ReportReads::Data,
       true,
       [](Study& s, const ReportRequest&) { return DihedraTable(s.data(), s.InUse()); }},
  };
}

}  // namespace orniva::analysis
