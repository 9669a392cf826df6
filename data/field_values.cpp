// Numbers, times, feature words and orientations as the field apps write
// them, and the oriented-core conversion.
#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <iterator>
#include <string>
#include <vector>

#include "data/field_readers.h"
#include "math/numeric.h"
#include "math/vector3d.h"

namespace orniva {

namespace field {

namespace {

std::string_view Trimmed(std::string_view s) {
  const std::size_t first = s.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

double Wrapped(double azimuth) {
  const double a = std::fmod(azimuth, 360);
  return a < 0 ? a + 360 : a + 0.0;  // + 0.0: no negative zero
}

std::string Shown(double value) {
  char text[32];
  const auto [end, error] = std::to_chars(text, text + sizeof text, value);
  return error == std::errc() ? std::string(text, end) : std::string();
}

// Days from 1970-01-01 of a date of the proleptic Gregorian calendar
// (H. Hinnant's days_from_civil).
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = unsigned(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + (long long)doe - 719468;
}

// Reads `count` digits at `at` into `value`; false without them.
bool Digits(std::string_view s, std::size_t& at, std::size_t count, int& value) {
  if (at + count > s.size()) return false;
  value = 0;
  for (std::size_t i = 0; i < count; ++i, ++at) {
    if (s[at] < '0' || s[at] > '9') return false;
    value = value * 10 + (s[at] - '0');
  }
  return true;
}

// "hh:mm[:ss[.fff]]" at `at` as seconds of the day.
std::optional<double> TimeOfDay(std::string_view s, std::size_t& at) {
  int h = 0, m = 0, sec = 0;
  if (!Digits(s, at, 2, h) || at >= s.size() || s[at++] != ':' || !Digits(s, at, 2, m))
    return std::nullopt;
  double seconds = h * 3600.0 + m * 60.0;
  if (at < s.size() && s[at] == ':') {
    ++at;
    if (!Digits(s, at, 2, sec)) return std::nullopt;
    seconds += sec;
    if (at < s.size() && (s[at] == '.' || s[at] == ',')) {
      double scale = 0.1;
      for (++at; at < s.size() && s[at] >= '0' && s[at] <= '9'; ++at, scale /= 10)
        seconds += (s[at] - '0') * scale;
    }
  }
  return seconds;
}

// ISO 8601: "YYYY-MM-DD", then 'T' or a blank and a time of day, then 'Z'
// or an offset "+hh:mm".
std::optional<double> IsoSeconds(std::string_view s) {
  std::size_t at = 0;
  int y = 0, mo = 0, d = 0;
  if (!Digits(s, at, 4, y) || at >= s.size() || s[at++] != '-' || !Digits(s, at, 2, mo) ||
      at >= s.size() || s[at++] != '-' || !Digits(s, at, 2, d) || mo < 1 || mo > 12 || d < 1 ||
      d > 31)
    return std::nullopt;
  double seconds = double(DaysFromCivil(y, unsigned(mo), unsigned(d))) * 86400;
  if (at == s.size()) return seconds;
  if (s[at] != 'T' && s[at] != ' ') return std::nullopt;
  const std::optional<double> time = TimeOfDay(s, ++at);
  if (!time) return std::nullopt;
  seconds += *time;
  if (at < s.size() && (s[at] == '+' || s[at] == '-')) {
    const double sign = s[at++] == '+' ? -1 : 1;
    int oh = 0, om = 0;
    if (!Digits(s, at, 2, oh)) return std::nullopt;
    if (at < s.size() && s[at] == ':') ++at;
    if (at < s.size() && !Digits(s, at, 2, om)) return std::nullopt;
    seconds += sign * (oh * 3600.0 + om * 60.0);
  } else if (at < s.size() && s[at] == 'Z') {
    ++at;
  }
  return at == s.size() ? std::optional<double>(seconds) : std::nullopt;
}

// "Sat Oct 19 15:00:33 2024", "Oct 19 15:00:33 GMT+02:00 2024": blanks
// between the parts, a weekday and a zone name passed over.
std::optional<double> WordedSeconds(std::string_view s) {
  static const char* const kMonths[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                        "jul", "aug", "sep", "oct", "nov", "dec"};
  std::vector<std::string_view> parts;
  for (std::size_t at = 0; at < s.size();) {
    const std::size_t end = std::min(s.find(' ', at), s.size());
    if (end > at) parts.push_back(s.substr(at, end - at));
    at = end + 1;
  }
  int month = 0, day = 0, year = 0;
  std::optional<double> time;
  for (std::string_view part : parts) {
    std::string lower(part.substr(0, 3));
    for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
    const auto named = std::find(std::begin(kMonths), std::end(kMonths), lower);
    std::size_t at = 0;
    if (month == 0 && named != std::end(kMonths)) {
      month = int(named - std::begin(kMonths)) + 1;
    } else if (part.find(':') != std::string_view::npos && !time) {
      time = TimeOfDay(part, at);
    } else if (std::isdigit(static_cast<unsigned char>(part[0]))) {
      const std::optional<double> n = NumberOf(part);
      if (!n || *n > 9999) return std::nullopt;
      (day == 0 && *n <= 31 ? day : year) = int(*n);
    }
  }
  if (month == 0 || day == 0 || year == 0 || !time) return std::nullopt;
  return double(DaysFromCivil(year, unsigned(month), unsigned(day))) * 86400 + *time;
}

std::string Lowered(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    c = char(std::tolower(static_cast<unsigned char>(c)));
    if (c == '_' || c == '-') c = ' ';
  }
  return out;
}

}  // namespace

std::optional<double> NumberOf(std::string_view text) {
  text = Trimmed(text);
  if (!text.empty() && text[0] == '+') text.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
      !std::isfinite(value))
    return std::nullopt;
  return value;
}

std::optional<double> SecondsOf(std::string_view text) {
  text = Trimmed(text);
  if (text.empty()) return std::nullopt;
  if (const std::optional<double> unix = NumberOf(text))
    return *unix > 1e11 ? *unix / 1000 : *unix;  // milliseconds
  if (const std::optional<double> iso = IsoSeconds(text)) return iso;
  return WordedSeconds(text);
}

bool FeatureMatches(std::string_view feature, std::string_view words) {
  const std::string f = Lowered(Trimmed(feature));
  if (f.empty() || Trimmed(words).empty()) return true;
  for (std::size_t at = 0; at <= words.size();) {
    const std::size_t end = std::min(words.find('|', at), words.size());
    const std::string word = Lowered(Trimmed(words.substr(at, end - at)));
    if (!word.empty() && f.find(word) != std::string::npos) return true;
    at = end + 1;
  }
  return false;
}

void SetPlane(FieldRecord& record, std::optional<double> dipDirection, std::optional<double> strike,
              std::optional<double> dip) {
  if (!dipDirection && !strike) {
    record.problem = "no strike or dip direction";
  } else if (!dip || *dip < 0 || *dip > 90) {
    record.problem = dip ? "dip " + Shown(*dip) + " is not from 0 to 90" : "no dip";
  } else {
    record.dipDirection = Wrapped(dipDirection ? *dipDirection : *strike + 90);
    record.dip = *dip;
  }
}

void SetLine(FieldRecord& record, std::optional<double> trend, std::optional<double> plunge,
             std::optional<double> rake) {
  if (trend && plunge && std::fabs(*plunge) <= 90) {
    const bool up = *plunge < 0;  // the other end of the same line
    record.trend = Wrapped(up ? *trend + 180 : *trend);
    record.plunge = std::fabs(*plunge);
  } else if (trend && plunge) {
    record.problem = "plunge " + Shown(*plunge) + " is not from 0 to 90";
  } else if (rake && *rake >= 0 && *rake <= 180) {
    record.rake = *rake;
  } else {
    record.problem =
        rake ? "rake " + Shown(*rake) + " is not from 0 to 180" : "no trend and plunge or rake";
  }
}

}  // namespace field

CoreOrientation FromCore(double holeAzimuth, double holeInclination, double alpha, double beta,
                         double gamma) {
  using numeric::kDegToRad;
  const math::Vector3d axis = math::LineVector(holeAzimuth, holeInclination);
  const math::Vector3d bottom = math::LineVector(holeAzimuth + 180, 90 - holeInclination);
  const double a = alpha * kDegToRad, b = beta * kDegToRad;
  const math::Vector3d r = std::cos(b) * bottom + std::sin(b) * math::Cross(axis, bottom);
  const math::Vector3d pole = std::cos(a) * r - std::sin(a) * axis;
  const math::TrendPlunge p = math::LowerHemisphereLine(pole);
  CoreOrientation core;
  core.dipDirection = field::Wrapped(p.trend + 180);
  core.dip = 90 - p.plunge;
  if (!std::isfinite(gamma)) return core;
  const math::Vector3d end = std::cos(a) * axis + std::sin(a) * r;
  const math::Vector3d downHole = -1.0 * pole;  // the normal on the down-hole side
  const double g = gamma * kDegToRad;
  const math::TrendPlunge l =
      math::LowerHemisphereLine(std::cos(g) * end + std::sin(g) * math::Cross(downHole, end));
  core.trend = l.trend;
  core.plunge = l.plunge;
  return core;
}

}  // namespace orniva
