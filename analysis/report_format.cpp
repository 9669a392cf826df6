#include "analysis/report_format.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace orniva::analysis {

// snprintf follows LC_NUMERIC; the program never sets it, so the decimal
// separator is the "C" locale's period. A comma, should a caller have set a
// locale, is put right here.
std::string FormatFixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  for (char* c = text; *c; ++c)
    if (*c == ',') *c = '.';
  if (text[0] == '-' && std::strspn(text + 1, "0.") == std::strlen(text + 1)) return text + 1;
  return text;
}

std::string FormatTrend(double degrees) {
  const std::string text = FormatFixed(degrees, 2);
  return text == "360.00" ? "0.00" : text;
}

std::string FormatLine(math::TrendPlunge line) {
  return FormatTrend(line.trend) + "," + FormatAngle(line.plunge);
}

}  // namespace orniva::analysis
