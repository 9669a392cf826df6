// The rows of a field app's table as records: a plane or a line, a whole
// fault in one of the conventions, or a plane and its striation in oriented
// core; each with what the data file cannot hold as its attributes.
#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <utility>

#include "data/field_readers.h"
#include "data/import_columns.h"

namespace orniva::field {

namespace {

constexpr std::size_t kNoColumn = std::size_t(-1);

// Each FieldColumn's index in a header, by the settings' names.
class Columns {
 public:
  Columns(const std::vector<std::string>& header, const FieldSettings& settings) {
    std::vector<std::string> names;
    for (const std::string& name : header) names.push_back(NormalisedName(name));
    for (std::size_t c = 0; c < kFieldColumnCount; ++c)
      index_[c] = Find(names, settings.columns[c]);
  }
  bool Has(FieldColumn c) const { return index_[std::size_t(c)] != kNoColumn; }
  std::string_view Cell(const TableRow& row, FieldColumn c) const {
    const std::size_t i = index_[std::size_t(c)];
    return i < row.fields.size() ? std::string_view(row.fields[i]) : std::string_view();
  }
  std::optional<double> Number(const TableRow& row, FieldColumn c) const {
    return NumberOf(Cell(row, c));
  }

 private:
  // The first column named by one of the '|'-separated alternatives.
  static std::size_t Find(const std::vector<std::string>& header, std::string_view alternatives) {
    for (std::size_t at = 0; at <= alternatives.size();) {
      const std::size_t end = std::min(alternatives.find('|', at), alternatives.size());
      const std::string name = NormalisedName(alternatives.substr(at, end - at));
      for (std::size_t i = 0; i < header.size() && !name.empty(); ++i)
        if (header[i] == name) return i;
      at = end + 1;
    }
    return kNoColumn;
  }
  std::array<std::size_t, kFieldColumnCount> index_{};
};

// A calendar part as a whole number, or none when it lies outside [low, high].
std::optional<int> CalendarPart(std::optional<double> value, int low, int high) {
  if (!value || !(*value >= low && *value < high + 1.0)) return std::nullopt;
  return int(*value);
}

// The time as written; a Year (with Month and Day) before a time of day. A
// year, month or day outside the calendar gives no date.
std::string TimeText(const TableRow& row, const Columns& c) {
  const std::string time(c.Cell(row, FieldColumn::Time));
  const std::optional<int> year = CalendarPart(c.Number(row, FieldColumn::Year), 1, 9999);
  const std::optional<int> month =
      CalendarPart(c.Number(row, FieldColumn::Month).value_or(1), 1, 12);
  const std::optional<int> day = CalendarPart(c.Number(row, FieldColumn::Day).value_or(1), 1, 31);
  if (!year || !month || !day) return time;
  char date[32];
  std::snprintf(date, sizeof date, "%04d-%02d-%02d", *year, *month, *day);
  return time.empty() ? std::string(date) : std::string(date) + " " + time;
}

// The row's attributes; a position outside the globe (such as the 999 and
// 99 some apps write for none) is none.
LineAttributes AttributesOfRow(const TableRow& row, const Columns& c) {
  LineAttributes a;
  a.site = c.Cell(row, FieldColumn::Site);
  const std::optional<double> longitude = c.Number(row, FieldColumn::Longitude);
  const std::optional<double> latitude = c.Number(row, FieldColumn::Latitude);
  if (longitude && latitude && std::fabs(*longitude) <= 180 && std::fabs(*latitude) <= 90)
    a.longitude = longitude, a.latitude = latitude;
  a.elevation = c.Number(row, FieldColumn::Elevation);
  a.accuracy = c.Number(row, FieldColumn::Accuracy);
  a.quality = c.Cell(row, FieldColumn::Quality);
  a.time = TimeText(row, c);
  a.label = c.Cell(row, FieldColumn::Label);
  a.notes = c.Cell(row, FieldColumn::Notes);
  return a;
}

// What every kind of row records besides its orientation.
FieldRecord Common(const TableRow& row, const Columns& c, std::string where) {
  FieldRecord r;
  r.where = std::move(where);
  r.feature = c.Cell(row, FieldColumn::Feature);
  r.sense = c.Cell(row, FieldColumn::Sense);
  r.id = c.Cell(row, FieldColumn::Id);
  r.attributes = AttributesOfRow(row, c);
  const LineAttributes& a = r.attributes;
  r.group = !a.site.empty() ? a.site
            : a.longitude   ? std::string(c.Cell(row, FieldColumn::Longitude)) + " " +
                                std::string(c.Cell(row, FieldColumn::Latitude))
                          : std::string();
  r.seconds = SecondsOf(a.time).value_or(kNoValue);
  return r;
}

FieldRecord PlaneOrLine(const TableRow& row, const Columns& c, const FieldSettings& s,
                        std::optional<FieldRecord::Kind> kind, std::string where) {
  FieldRecord r = Common(row, c, std::move(where));
  if (!kind) {
    const std::string_view type = c.Cell(row, FieldColumn::Kind);
    const char k = type.empty() ? 0 : char(type[0] & ~0x20);
    if (k != 'P' && k != 'L') {
      r.wanted = false;
      r.feature = "type '" + std::string(type) + "', neither P nor L";
      return r;
    }
    kind = k == 'P' ? FieldRecord::Kind::Plane : FieldRecord::Kind::Line;
  }
  r.kind = *kind;
  const bool plane = r.kind == FieldRecord::Kind::Plane;
  r.wanted = FeatureMatches(r.feature, plane ? s.faultWords : s.striationWords);
  if (plane)
    SetPlane(r, c.Number(row, FieldColumn::DipDirection), c.Number(row, FieldColumn::Strike),
             c.Number(row, FieldColumn::Dip));
  else
    SetLine(r, c.Number(row, FieldColumn::Trend), c.Number(row, FieldColumn::Plunge),
            c.Number(row, FieldColumn::Rake));
  return r;
}

// The fields of a whole-fault row in the order ConvertRow reads them. A
// quadrant letter that stands apart is handed over only where the value
// before it has none of its own.
std::vector<std::string> FaultFields(const TableRow& row, const Columns& c,
                                     const FieldSettings& s) {
  static const std::pair<FieldRole, FieldColumn> kColumnOf[] = {
      {FieldRole::DipDirection, FieldColumn::DipDirection},
      {FieldRole::Strike, FieldColumn::Strike},
      {FieldRole::Dip, FieldColumn::Dip},
      {FieldRole::DipQuadrant, FieldColumn::DipQuadrant},
      {FieldRole::Trend, FieldColumn::Trend},
      {FieldRole::Plunge, FieldColumn::Plunge},
      {FieldRole::Pitch, FieldColumn::Rake},
      {FieldRole::PitchEnd, FieldColumn::RakeEnd},
      {FieldRole::Rake, FieldColumn::Rake},
      {FieldRole::Sense, FieldColumn::Sense}};
  std::vector<std::string> fields;
  for (const ImportField& field : FieldsOf(s.plane, s.line)) {
    FieldColumn column = FieldColumn::Sense;
    for (const auto& [role, col] : kColumnOf)
      if (role == field.role) column = col;
    const std::string cell(c.Cell(row, column));
    const bool lettered = !fields.empty() && !fields.back().empty() &&
                          std::isalpha(static_cast<unsigned char>(fields.back().back()));
    if (field.optional && field.role != FieldRole::Sense && cell.empty() && lettered) continue;
    fields.push_back(cell);
  }
  return fields;
}

// Fills a whole fault's record from its converted row.
void SetFault(FieldRecord& r, const ConvertedRow& row) {
  if (!row.error.empty()) {
    r.problem = row.skipped ? "no sense of slip" : row.error;
    return;
  }
  r.dipDirection = row.faz, r.dip = row.fpl, r.trend = row.saz, r.plunge = row.spl;
  r.letter = row.sense;
  for (const std::string& w : row.warnings)
    if (w.rfind("fields after", 0) != 0) r.warnings.push_back(w);
}

FieldRecord WholeFault(const TableRow& row, const Columns& c, const FieldSettings& s,
                       std::string where) {
  FieldRecord r = Common(row, c, std::move(where));
  r.kind = FieldRecord::Kind::Fault;
  r.wanted = FeatureMatches(r.feature, s.faultWords);
  if (r.wanted) SetFault(r, ConvertRow(FaultFields(row, c, s), s.plane, s.line, s.senses, 90));
  return r;
}

FieldRecord CoreFault(const TableRow& row, const Columns& c, const FieldSettings& s,
                      std::string where) {
  FieldRecord r = Common(row, c, std::move(where));
  r.kind = FieldRecord::Kind::Fault;
  r.wanted = FeatureMatches(r.feature, s.faultWords);
  const std::optional<double> alpha = c.Number(row, FieldColumn::Alpha);
  const std::optional<double> beta = c.Number(row, FieldColumn::Beta);
  const std::optional<double> gamma = c.Number(row, FieldColumn::Gamma);
  const double azimuth = c.Number(row, FieldColumn::HoleAzimuth).value_or(s.holeAzimuth);
  const double inclination =
      c.Number(row, FieldColumn::HoleInclination).value_or(s.holeInclination);
  if (!alpha || *alpha < 0 || *alpha > 90)
    r.problem = "alpha '" + std::string(c.Cell(row, FieldColumn::Alpha)) + "' is not from 0 to 90";
  else if (!beta)
    r.problem = "beta '" + std::string(c.Cell(row, FieldColumn::Beta)) + "' is not a number";
  else if (std::fabs(inclination) > 90)
    r.problem = "the hole's inclination is not from -90 to 90";
  else if (!gamma)
    r.problem = "no gamma: a plane without its striation";
  if (!r.problem.empty() || !r.wanted) return r;
  const CoreOrientation o = FromCore(azimuth, inclination, *alpha, *beta, *gamma);
  SetFault(r, ConvertFault(o.dipDirection, o.dip, o.trend, o.plunge, r.sense, s.senses));
  return r;
}

// The first few lines: enough for the delimiter and the header row.
std::string_view FirstLines(std::string_view text) {
  std::size_t end = 0;
  for (int line = 0; line < 8 && end < text.size(); ++line) {
    end = text.find('\n', end);
    end = end == std::string_view::npos ? text.size() : end + 1;
  }
  return text.substr(0, end);
}

}  // namespace

// The records of a table's rows; a header row is its first row.
std::vector<FieldRecord> TableRecords(std::string_view text, const FieldSettings& s,
                                      std::optional<FieldRecord::Kind> kind,
                                      const std::string& source, std::string& error) {
  const ImportTable head = ReadTable(FirstLines(text), s.delimiter, HeaderChoice::Yes, 0);
  const Columns columns(head.header, s);
  std::vector<FieldRecord> records;
  bool first = true;
  ForEachRow(text, head.delimiter, [&](const TableRow& row) {
    if (std::exchange(first, false)) return true;
    if (records.size() == kMaxFieldRecords) {
      error = "more than " + std::to_string(kMaxFieldRecords) + " records, too many to import";
      return false;
    }
    std::string where = source + "line " + std::to_string(row.line);
    records.push_back(s.rows == FieldRows::Faults ? WholeFault(row, columns, s, std::move(where))
                      : s.rows == FieldRows::Core
                          ? CoreFault(row, columns, s, std::move(where))
                          : PlaneOrLine(row, columns, s, kind, std::move(where)));
    return true;
  });
  if (!error.empty()) records.clear();
  return records;
}

}  // namespace orniva::field
