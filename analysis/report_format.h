// The number formats of the analysis reports (CSV on the command line, the
// tables of the result windows): angles with 2 decimals, other values with
// 4, period as the decimal separator whatever the locale.
#pragma once

#include <string>

#include "math/vector3d.h"

namespace orniva::analysis {

// `value` with `decimals` decimals; a value that rounds to zero is written
// without a minus sign.
std::string FormatFixed(double value, int decimals);
// The same appended to `text`, without a string of its own: for reports of
// many rows.
void AppendFixed(std::string& text, double value, int decimals);
inline std::string FormatAngle(double degrees) { return FormatFixed(degrees, 2); }
inline std::string FormatValue(double value) { return FormatFixed(value, 4); }
// A trend with 2 decimals; one that rounds to 360.00 is written 0.00.
std::string FormatTrend(double degrees);
// "trend,plunge" of a lower-hemisphere line.
std::string FormatLine(math::TrendPlunge line);

// A CSV field: quoted when it holds a comma, a quote or a line break, its
// quotes doubled.
std::string CsvField(const std::string& text);

// A report for the command line: CSV text (header row, LF line ends), or a
// one-line reason why the data cannot be analysed.
struct CsvReport {
  std::string text;
  std::string error;  // empty when the report was made
};

// The error of a report on data of which no datum passed every check.
inline constexpr const char* kNoUsableData = "no usable data: every line failed a check";

}  // namespace orniva::analysis
