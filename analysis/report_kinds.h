// The families of reports that make up the report table
// (analysis/report_table.h), each in a file of its own with its reports'
// columns, options, cells and the CSV of the analyses' own report
// functions (KinematicsCsv ...), which write those cells.
#pragma once

#include <string>
#include <vector>

#include "analysis/report_table.h"

namespace orniva::analysis {

// kinematics, bingham, density, dihedra.
std::vector<ReportKind> DataReports();
// stress, misfit-angles, stress-summary, stress-methods, mohr, tendency,
// tendency-grid.
std::vector<ReportKind> StressReports();
// stress-bootstrap, leave-one-out, separate.
std::vector<ReportKind> ConfidenceReports();
// select, rose, back-tilt, tilt-test.
std::vector<ReportKind> GeometryReports();
// fisher, fabric, fold-axis: of an orientation table's planes or lines, or
// of the faults' poles or striations.
std::vector<ReportKind> OrientationReports();

// An empty table under `columns`, for a report to fill.
ReportTable TableWith(const std::vector<std::string>& columns);

// The report grid's nodes (trend, plunge) with a value each, under
// GridColumns().
ReportTable GridTable(const std::vector<double>& values);
const std::vector<std::string>& GridColumns();

// The value of `name`, which its declaration has checked.
double NumberOption(const ReportRequest& request, const std::string& name, double fallback);

}  // namespace orniva::analysis
