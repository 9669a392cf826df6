#include "analysis/report_format.h"

#include <algorithm>
#include <charconv>

namespace orniva::analysis {

// std::to_chars writes as printf does in the "C" locale (a period, the
// value rounded exactly), whatever locale a caller may have set.
void AppendFixed(std::string& text, double value, int decimals) {
  char buffer[400];  // the longest double in fixed notation, with its decimals
  const std::to_chars_result written =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  const char *begin = buffer, *end = written.ptr;
  if (written.ec != std::errc()) return;
  if (*begin == '-' && std::all_of(begin + 1, end, [](char c) { return c == '0' || c == '.'; }))
    ++begin;
  text.append(begin, std::size_t(end - begin));
}

std::string FormatFixed(double value, int decimals) {
  std::string text;
  AppendFixed(text, value, decimals);
  return text;
}

std::string FormatTrend(double degrees) {
  const std::string text = FormatFixed(degrees, 2);
  return text == "360.00" ? "0.00" : text;
}

std::string FormatLine(math::TrendPlunge line) {
  return FormatTrend(line.trend) + "," + FormatAngle(line.plunge);
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

}  // namespace orniva::analysis
