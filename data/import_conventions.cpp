#include "data/import_conventions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cctype>
#include <cstdio>
#include <iterator>

#include "data/fault_reader.h"
#include "math/vector3d.h"
#include "platform/names.h"

namespace orniva {

namespace {

using math::Vector3d;
constexpr double kDeg = 3.141592653589793238462643383279502884 / 180;

std::string TrimmedUpper(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  const std::size_t last = text.find_last_not_of(" \t");
  std::string out = first == std::string_view::npos
                        ? std::string()
                        : std::string(text.substr(first, last - first + 1));
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return out;
}

// A plain number, perhaps ending in a degree sign ("45°", or the look-alike "45º").
std::optional<double> Number(std::string_view text) {
  std::string t = TrimmedUpper(text);
  for (const char* degree : {"\xC2\xB0", "\xC2\xBA"})
    if (t.size() > 2 && t.compare(t.size() - 2, 2, degree) == 0)
      t = TrimmedUpper(t.substr(0, t.size() - 2));
  double value = 0;
  const char* begin = t.data() + (!t.empty() && t[0] == '+' ? 1 : 0);
  const auto [end, error] = std::from_chars(begin, t.data() + t.size(), value);
  if (t.empty() || error != std::errc() || end != t.data() + t.size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

// "45NW" as 45 and "NW"; "45" as 45 and "".
bool SplitNumberAndLetters(std::string_view text, double& number, std::string& letters) {
  const std::string t = TrimmedUpper(text);
  std::size_t cut = t.size();
  while (cut > 0 && t[cut - 1] >= 'A' && t[cut - 1] <= 'Z') --cut;
  letters = t.substr(cut);
  const std::optional<double> value = Number(t.substr(0, cut));
  if (!value) return false;
  number = *value;
  return true;
}

std::optional<double> QuadrantAzimuth(const std::string& letters) {
  static const std::pair<const char*, double> kQuadrants[] = {{"N", 0},    {"NE", 45}, {"E", 90},
                                                              {"SE", 135}, {"S", 180}, {"SW", 225},
                                                              {"W", 270},  {"NW", 315}};
  for (const auto& [name, azimuth] : kQuadrants)
    if (letters == name) return azimuth;
  return std::nullopt;
}

double Wrap(double azimuth) {
  double a = std::fmod(azimuth, 360);
  if (a < 0) a += 360;
  return a == 0 ? 0 : a;  // no negative zero
}

// Angular distance of two azimuths [deg], 0 to 180.
double AzimuthDistance(double a, double b) {
  const double d = std::fabs(Wrap(a) - Wrap(b));
  return std::min(d, 360 - d);
}

// Of the two ends `a` and a + 180, the one within 90 degrees of the
// quadrant's azimuth; none when both are 90 away.
std::optional<double> EndTowards(double a, double quadrant) {
  const double d = AzimuthDistance(a, quadrant);
  if (std::fabs(d - 90) < 1e-9) return std::nullopt;
  return Wrap(d < 90 ? a : a + 180);
}

struct Plane {
  double dipDirection = 0, dip = 0;
};

std::string Field(const std::vector<std::string>& fields, std::size_t& next) {
  return next < fields.size() ? fields[next++] : std::string();
}

std::string ReadPlane(const std::vector<std::string>& fields, std::size_t& next,
                      PlaneConvention convention, Plane& plane) {
  const std::string first = Field(fields, next), second = Field(fields, next);
  std::string letters;
  double dip = 0;
  if (!SplitNumberAndLetters(second, dip, letters) || dip < 0 || dip > 90)
    return "dip '" + second + "' is not a number from 0 to 90";
  plane.dip = dip;
  if (convention == PlaneConvention::StrikeQuadrant) {
    const std::optional<double> strike = ParseAzimuth(first);
    if (!strike) return "strike '" + first + "' is neither an azimuth nor a bearing";
    if (letters.empty()) letters = TrimmedUpper(Field(fields, next));
    const std::optional<double> quadrant = QuadrantAzimuth(letters);
    if (!quadrant) return "dip quadrant '" + letters + "' is not one of N, NE, E, SE, S, SW, W, NW";
    const std::optional<double> direction = EndTowards(*strike + 90, *quadrant);
    if (!direction) return "dip quadrant " + letters + " lies along the strike";
    plane.dipDirection = *direction;
    return {};
  }
  if (!letters.empty()) return "dip '" + second + "' is not a number from 0 to 90";
  const std::optional<double> azimuth = Number(first);
  if (!azimuth || *azimuth < 0 || *azimuth > 360)
    return std::string(convention == PlaneConvention::StrikeRhr ? "strike" : "dip direction") +
           " '" + first + "' is not a number from 0 to 360";
  plane.dipDirection = Wrap(convention == PlaneConvention::StrikeRhr ? *azimuth + 90 : *azimuth);
  return {};
}

// The words of a sense code: '_' and '-' between letters, '+', '/' and ','
// separate them; upper case.
std::vector<std::string> SenseWords(const std::string& upper) {
  std::vector<std::string> words(1);
  for (std::size_t i = 0; i < upper.size(); ++i) {
    const char c = upper[i];
    const bool joiner = (c == '_' || c == '-') && i > 0 && i + 1 < upper.size() &&
                        std::isalpha(static_cast<unsigned char>(upper[i - 1])) &&
                        std::isalpha(static_cast<unsigned char>(upper[i + 1]));
    if (joiner || c == ' ' || c == '\t' || c == '+' || c == '/' || c == ',') {
      if (!words.back().empty()) words.emplace_back();
    } else {
      words.back() += c;
    }
  }
  if (words.back().empty()) words.pop_back();
  return words;
}

// Words that say only that a surface is a fault, not how it moved.
bool IsFillerWord(const std::string& word) {
  static const char* const kFiller[] = {"FAULT",    "FAULTS",    "SLIP",       "STRIKE SLIP",
                                        "OBLIQUE",  "LOW ANGLE", "HIGH ANGLE", "SHEAR",
                                        "MOVEMENT", "SENSE",     "AND",        "WITH"};
  return std::find(std::begin(kFiller), std::end(kFiller), word) != std::end(kFiller);
}

// The dip-slip (N or R) and lateral (S or D) components named by the parts
// of a combined sense code.
struct SenseParts {
  char dip = 0, lateral = 0;
  // False when the target contradicts a component already named.
  bool Add(const std::string& target) {
    if (target.size() == 1)
      return Put(target[0] == 'N' || target[0] == 'R' ? dip : lateral, target[0]);
    return Put(dip, target[0] == 'T' ? 'R' : 'N') && Put(lateral, target[1] == 'L' ? 'S' : 'D');
  }
  std::optional<std::string> Code() const {
    if (dip == 0 && lateral == 0) return std::nullopt;
    if (dip == 0 || lateral == 0) return std::string(1, dip ? dip : lateral);
    return std::string{dip == 'R' ? 'T' : 'N', lateral == 'S' ? 'L' : 'R'};
  }

 private:
  static bool Put(char& slot, char letter) {
    if (slot != 0 && slot != letter) return false;
    slot = letter;
    return true;
  }
};

}  // namespace

namespace {
constexpr Named<PlaneConvention> kPlaneNames[] = {
    {"dip-direction", PlaneConvention::DipDirection},
    {"strike-rhr", PlaneConvention::StrikeRhr},
    {"strike-quadrant", PlaneConvention::StrikeQuadrant}};
constexpr Named<LineConvention> kLineNames[] = {{"trend-plunge", LineConvention::TrendPlunge},
                                                {"pitch-quadrant", LineConvention::PitchQuadrant},
                                                {"rake", LineConvention::Rake},
                                                {"rake-360", LineConvention::Rake360},
                                                {"rake-aki", LineConvention::RakeAki}};
}  // namespace

std::vector<ImportField> FieldsOf(PlaneConvention plane, LineConvention line) {
  using R = FieldRole;
  std::vector<ImportField> fields;
  switch (plane) {
    case PlaneConvention::DipDirection:
      fields = {{"Dip direction", R::DipDirection}, {"Dip", R::Dip}};
      break;
    case PlaneConvention::StrikeRhr:
      fields = {{"Strike (RHR)", R::Strike}, {"Dip", R::Dip}};
      break;
    case PlaneConvention::StrikeQuadrant:
      fields = {{"Strike", R::Strike}, {"Dip", R::Dip}, {"Dip quadrant", R::DipQuadrant, true}};
      break;
  }
  switch (line) {
    case LineConvention::TrendPlunge:
      fields.insert(fields.end(), {{"Trend", R::Trend}, {"Plunge", R::Plunge}});
      break;
    case LineConvention::PitchQuadrant:
      fields.insert(fields.end(), {{"Pitch", R::Pitch}, {"Pitch from", R::PitchEnd, true}});
      break;
    case LineConvention::Rake:
    case LineConvention::Rake360:
    case LineConvention::RakeAki:
      fields.push_back({"Rake", R::Rake});
      break;
  }
  if (line != LineConvention::Rake360 && line != LineConvention::RakeAki)
    fields.push_back({"Sense", R::Sense, true});
  return fields;
}

std::optional<PlaneConvention> PlaneConventionNamed(std::string_view name) {
  return ValueNamed(kPlaneNames, name);
}
std::optional<LineConvention> LineConventionNamed(std::string_view name) {
  return ValueNamed(kLineNames, name);
}

SenseMap SenseMap::Default() {
  SenseMap map;
  const std::pair<const char*, const char*> kCodes[] = {{"N", "N"},
                                                        {"NORMAL", "N"},
                                                        {"-", "N"},
                                                        {"R", "R"},
                                                        {"REVERSE", "R"},
                                                        {"INVERSE", "R"},
                                                        {"I", "R"},
                                                        {"T", "R"},
                                                        {"THRUST", "R"},
                                                        {"+", "R"},
                                                        {"D", "D"},
                                                        {"DX", "D"},
                                                        {"DEXTRAL", "D"},
                                                        {"RL", "D"},
                                                        {"RIGHT LATERAL", "D"},
                                                        {"S", "S"},
                                                        {"SN", "S"},
                                                        {"SINISTRAL", "S"},
                                                        {"LL", "S"},
                                                        {"LEFT LATERAL", "S"},
                                                        {"TL", "TL"},
                                                        {"TR", "TR"},
                                                        {"NL", "NL"},
                                                        {"NR", "NR"}};
  for (const auto& [code, target] : kCodes) map.codes_[code] = target;
  return map;
}

bool SenseMap::Set(std::string_view code, std::string_view target) {
  const std::string t = TrimmedUpper(target);
  if (t != "N" && t != "R" && t != "S" && t != "D" && t != "TL" && t != "TR" && t != "NL" &&
      t != "NR")
    return false;
  codes_[TrimmedUpper(code)] = t;
  return true;
}

std::optional<std::string> SenseMap::Find(std::string_view code) const {
  const std::string upper = TrimmedUpper(code);
  if (const auto found = codes_.find(upper); found != codes_.end()) return found->second;
  const std::vector<std::string> words = SenseWords(upper);
  SenseParts parts;
  for (std::size_t i = 0; i < words.size();) {
    std::size_t taken = 0;  // the longest run of words that is a code or a filler word
    for (std::size_t n = std::min<std::size_t>(3, words.size() - i); n > 0 && taken == 0; --n) {
      std::string run = words[i];
      for (std::size_t k = 1; k < n; ++k) run += " " + words[i + k];
      const auto found = codes_.find(run);
      if (found != codes_.end() && !parts.Add(found->second)) return std::nullopt;
      if (found != codes_.end() || IsFillerWord(run)) taken = n;
    }
    if (taken == 0) return std::nullopt;
    i += taken;
  }
  return parts.Code();
}

bool SenseMap::SetWhenMissing(std::string_view choice) {
  const std::string c = TrimmedUpper(choice);
  if (c == "SKIP") {
    whenMissing_.reset();
  } else if (c.size() == 1 && std::string_view("NRSDX").find(c[0]) != std::string_view::npos) {
    whenMissing_ = c[0];
  } else {
    return false;
  }
  return true;
}

std::optional<double> ParseAzimuth(std::string_view text) {
  const std::string t = TrimmedUpper(text);
  if (const std::optional<double> azimuth = QuadrantAzimuth(t); azimuth && t.size() == 1)
    return azimuth;
  if (t.size() >= 3 && (t[0] == 'N' || t[0] == 'S') && (t.back() == 'E' || t.back() == 'W')) {
    const std::optional<double> angle = Number(t.substr(1, t.size() - 2));
    if (!angle || *angle < 0 || *angle > 90) return std::nullopt;
    const bool north = t[0] == 'N', east = t.back() == 'E';
    return Wrap(north ? (east ? *angle : 360 - *angle) : (east ? 180 - *angle : 180 + *angle));
  }
  const std::optional<double> number = Number(t);
  if (!number || *number < 0 || *number > 360) return std::nullopt;
  return Wrap(*number);
}

namespace {

// The striation of a trend-plunge row, warned about when off its plane.
std::string ReadTrendPlunge(const std::vector<std::string>& fields, std::size_t& next,
                            const Vector3d& normal, double tolerance, ConvertedRow& row,
                            Vector3d& u) {
  const std::string trend = Field(fields, next), plunge = Field(fields, next);
  const std::optional<double> t = Number(trend), p = Number(plunge);
  if (!t || *t < 0 || *t > 360) return "trend '" + trend + "' is not a number from 0 to 360";
  if (!p || *p < 0 || *p > 90) return "plunge '" + plunge + "' is not a number from 0 to 90";
  u = math::LineVector(*t, *p);
  const double off = std::asin(std::min(1.0, std::fabs(math::Dot(u, normal)))) / kDeg;
  if (off > tolerance) {
    char text[96];
    std::snprintf(text, sizeof text, "the striation is %.2f degrees off its plane", off);
    row.warnings.push_back(text);
  }
  return {};
}

// The striation `pitch` degrees down the plane from the strike end a letter names.
std::string ReadPitch(const std::vector<std::string>& fields, std::size_t& next, const Plane& plane,
                      Vector3d& u) {
  const std::string field = Field(fields, next);
  double pitch = 0;
  std::string letters;
  if (!SplitNumberAndLetters(field, pitch, letters) || pitch < 0 || pitch > 90)
    return "pitch '" + field + "' is not a number from 0 to 90";
  if (letters.empty()) letters = TrimmedUpper(Field(fields, next));
  const std::optional<double> quadrant = QuadrantAzimuth(letters);
  if (!quadrant) return "pitch quadrant '" + letters + "' is not one of N, NE, E, SE, S, SW, W, NW";
  const std::optional<double> end = EndTowards(plane.dipDirection - 90, *quadrant);
  if (!end) return "pitch quadrant " + letters + " names neither end of the strike";
  const Vector3d along = math::LineVector(*end, 0);
  u = std::cos(pitch * kDeg) * along +
      std::sin(pitch * kDeg) * math::LineVector(plane.dipDirection, plane.dip);
  return {};
}

// The hanging wall's slip from a rake in one of the three conventions.
std::string ReadRake(const std::vector<std::string>& fields, std::size_t& next,
                     LineConvention convention, const Vector3d& h, const Vector3d& d, Vector3d& u) {
  const std::string field = Field(fields, next);
  const std::optional<double> rake = Number(field);
  const double low = convention == LineConvention::RakeAki ? -180 : 0;
  const double high = convention == LineConvention::Rake360 ? 360 : 180;
  if (!rake || *rake < low || *rake > high)
    return "rake '" + field + "' is not a number from " + std::to_string(int(low)) + " to " +
           std::to_string(int(high));
  const double r = (convention == LineConvention::RakeAki ? -*rake : *rake) * kDeg;
  u = std::cos(r) * h + std::sin(r) * d;
  return {};
}

// The sense field's letter; a two-letter code by the slip's dominant component.
std::string ReadSense(const std::string& field, const SenseMap& senses, bool dipSlip,
                      ConvertedRow& row) {
  if (TrimmedUpper(field).empty()) {
    row.skipped = !senses.WhenMissing();
    if (row.skipped) return "no sense of slip, row left out";
    row.sense = *senses.WhenMissing();
    if (row.sense == 'X') row.warnings.push_back("no sense of slip, written as X");
    return {};
  }
  const std::optional<std::string> target = senses.Find(field);
  if (!target) {
    row.warnings.push_back("unknown sense '" + field + "', written as X");
  } else if (target->size() == 1) {
    row.sense = (*target)[0];
  } else {
    row.sense = dipSlip ? ((*target)[0] == 'T' ? 'R' : 'N') : ((*target)[1] == 'L' ? 'S' : 'D');
  }
  return {};
}

// The row's letter and line from its plane and the direction `u` along its
// striation (for rakes the hanging wall's slip): from the rake's own sign
// where `sense` is none, else from the sense field.
std::string FinishRow(const Plane& plane, const Vector3d& u,
                      const std::optional<std::string>& sense, const SenseMap& senses,
                      ConvertedRow& row) {
  const Vector3d h = math::LineVector(plane.dipDirection - 90, 0);
  const Vector3d d = math::LineVector(plane.dipDirection, plane.dip);
  const double alongStrike = math::Dot(u, h), alongDip = math::Dot(u, d);
  const bool dipSlip = std::fabs(alongDip) >= std::fabs(alongStrike) - 1e-12;
  if (!sense)
    row.sense = dipSlip ? (alongDip > 0 ? 'N' : 'R') : (alongStrike > 0 ? 'S' : 'D');
  else if (std::string error = ReadSense(*sense, senses, dipSlip, row); !error.empty())
    return error;
  const math::TrendPlunge line = math::LowerHemisphereLine(u);
  row.faz = plane.dipDirection;
  row.fpl = plane.dip;
  row.saz = Wrap(line.trend);
  row.spl = std::max(0.0, line.plunge);
  return {};
}

}  // namespace

ConvertedRow ConvertRow(const std::vector<std::string>& fields, PlaneConvention planeConvention,
                        LineConvention lineConvention, const SenseMap& senses, double tolerance) {
  ConvertedRow row;
  std::size_t next = 0;
  Plane plane;
  row.error = ReadPlane(fields, next, planeConvention, plane);
  if (!row.error.empty()) return row;
  const Vector3d h = math::LineVector(plane.dipDirection - 90, 0);
  const Vector3d d = math::LineVector(plane.dipDirection, plane.dip);
  Vector3d u;  // along the striation; for rakes the hanging wall's slip
  if (lineConvention == LineConvention::TrendPlunge)
    row.error =
        ReadTrendPlunge(fields, next, math::Normalise(math::Cross(d, h)), tolerance, row, u);
  else if (lineConvention == LineConvention::PitchQuadrant)
    row.error = ReadPitch(fields, next, plane, u);
  else
    row.error = ReadRake(fields, next, lineConvention, h, d, u);
  if (!row.error.empty()) return row;
  const bool signedRake =
      lineConvention == LineConvention::Rake360 || lineConvention == LineConvention::RakeAki;
  std::optional<std::string> sense;
  if (!signedRake) sense = Field(fields, next);
  const std::size_t used = next;
  row.error = FinishRow(plane, u, sense, senses, row);
  if (row.error.empty() && used < fields.size())
    row.warnings.push_back("fields after the " + std::to_string(used) + " used are left out");
  return row;
}

ConvertedRow ConvertFault(double dipDirection, double dip, double trend, double plunge,
                          std::string_view sense, const SenseMap& senses) {
  ConvertedRow row;
  row.error = FinishRow({Wrap(dipDirection), dip}, math::LineVector(trend, plunge),
                        std::string(sense), senses, row);
  return row;
}

std::optional<char> SenseLetter(std::string_view word) {
  static const SenseMap kSenses = SenseMap::Default();
  const std::optional<std::string> target = kSenses.Find(word);
  if (!target || target->size() != 1) return std::nullopt;
  return (*target)[0];
}

std::string ShortestDecimal(float value) {
  if (value == 0) value = 0;  // no negative zero
  char text[64];
  const auto [end, error] =
      std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
  std::string shortest = error == std::errc() ? std::string(text, end) : std::string();
  // The reader's own conversion decides: more digits while it reads another float.
  for (int digits = 1; digits <= 12; ++digits) {
    std::string rest = shortest + " ";
    bool ok = false;
    const float back = ReadNumberToken(rest, ok);
    if (ok && back == value) return shortest;
    std::snprintf(text, sizeof text, "%.*f", digits, double(value));
    shortest = text;
  }
  return shortest;
}

std::string RoundedDecimal(double value, int decimals) {
  char text[400];
  std::snprintf(text, sizeof text, "%.*f", std::clamp(decimals, 0, 12), value);
  std::string rounded = text;
  if (rounded.find('.') != std::string::npos) {
    while (rounded.back() == '0') rounded.pop_back();
    if (rounded.back() == '.') rounded.pop_back();
  }
  return rounded == "-0" ? "0" : rounded;
}

std::string DataLine(const ConvertedRow& row, int decimals) {
  auto text = [decimals](double value) {
    return decimals < 0 ? ShortestDecimal(float(value)) : RoundedDecimal(value, decimals);
  };
  auto azimuth = [&text](double value) {
    const std::string written = text(value);
    return written == "360" ? std::string("0") : written;
  };
  return azimuth(row.faz) + " " + text(row.fpl) + " " + azimuth(row.saz) + " " + text(row.spl) +
         " " + std::string(1, row.sense) + "\r\n";
}

}  // namespace orniva
