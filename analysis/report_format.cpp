#include "analysis/report_format.h"

#include <charconv>
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

// |value| 10^decimals is rounded to a whole number n: the product of two
// doubles lies within half an ulp (2^-53 of itself) of the exact product,
// so wherever its fraction is farther from 1/2 than that, it rounds the way
// the exact decimal value does, as snprintf rounds it. The rest (near ties,
// large values, NaN and infinities) go through FormatFixed.
void AppendFixed(std::string& out, double value, int decimals) {
  static constexpr double kScale[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
  const double scaled =
      decimals >= 0 && decimals <= 9 ? std::fabs(value) * kScale[decimals] : HUGE_VAL;
  const double whole = std::floor(scaled), fraction = scaled - whole;
  if (!(scaled < 0x1p52) || std::fabs(fraction - 0.5) <= scaled * 0x1p-52) {
    out += FormatFixed(value, decimals);
    return;
  }
  const auto n = static_cast<long long>(whole) + (fraction > 0.5 ? 1 : 0);
  const auto unit = static_cast<long long>(kScale[decimals]);
  char text[32];
  char* end = text;
  if (value < 0 && n != 0) *end++ = '-';
  end = std::to_chars(end, text + sizeof text, n / unit).ptr;
  if (decimals > 0) {
    *end++ = '.';
    for (long long rest = n % unit, digit = unit / 10; digit > 0; rest %= digit, digit /= 10)
      *end++ = char('0' + rest / digit);
  }
  out.append(text, end);
}

std::string FormatTrend(double degrees) {
  const std::string text = FormatFixed(degrees, 2);
  return text == "360.00" ? "0.00" : text;
}

std::string FormatLine(math::TrendPlunge line) {
  return FormatTrend(line.trend) + "," + FormatAngle(line.plunge);
}

}  // namespace orniva::analysis
