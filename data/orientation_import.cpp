#include "data/orientation_import.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <utility>

#include "data/import_columns.h"

namespace orniva {

namespace {

using Column = OrientationColumn;

std::size_t Index(Column column) { return std::size_t(column); }

// Lower-case letters and digits of `name`, a bracketed unit ("(deg)") left out.
std::string Squeezed(std::string_view name) {
  std::string out;
  bool bracketed = false;
  for (const char c : name) {
    bracketed = (bracketed || c == '(' || c == '[') && c != ')' && c != ']';
    const char lower = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
    if (!bracketed && ((lower >= 'a' && lower <= 'z') || (lower >= '0' && lower <= '9')))
      out += lower;
  }
  return out;
}

// The column a name of the orientation table's own, or of a field app, gives.
std::optional<Column> OwnColumnNamed(std::string_view name) {
  static const std::pair<Column, std::string_view> kNames[] = {
      {Column::Kind, " kind type "},
      {Column::Azimuth, " trdstrk "},
      {Column::Angle, " plgdip angle "},
      {Column::Set, " set joinset family group "},
      {Column::Site, " site station locality localityid spot spotname outcrop "},
      {Column::Lon, " lon long longitude lng "},
      {Column::Lat, " lat latitude "},
      {Column::Elevation, " elevation elev altitude alt height "},
      {Column::Label, " label name id no number "},
      {Column::Quality, " quality confidence "},
      {Column::Time, " time date datetime timedate timestamp "},
      {Column::Notes, " notes note comment comments remarks description "}};
  const std::string word = " " + Squeezed(name) + " ";
  for (const auto& [column, names] : kNames)
    if (word != "  " && names.find(word) != std::string_view::npos) return column;
  return std::nullopt;
}

std::string Field(const TableRow& row, int column) {
  return column >= 1 && std::size_t(column) <= row.fields.size()
             ? row.fields[std::size_t(column - 1)]
             : std::string();
}

std::optional<OrientationKind> KindWritten(const std::string& text) {
  std::string kind = Squeezed(text);
  if (kind == "plane" || kind == "p" || kind == "planar") return OrientationKind::Plane;
  if (kind == "line" || kind == "l" || kind == "linear") return OrientationKind::Line;
  return std::nullopt;
}

// The plane of a row as dip direction and dip, by the import's own reading:
// the plane's fields followed by a rake of 90 and a normal sense, which any
// plane takes, so that only the plane's fields can fail.
std::string ReadPlane(const TableRow& row, const OrientationImportSettings& s, double& dipDirection,
                      double& dip) {
  std::vector<std::string> fields = {Field(row, s.columns[Index(Column::Azimuth)]),
                                     Field(row, s.columns[Index(Column::Angle)])};
  if (s.plane == PlaneConvention::StrikeQuadrant) {
    const std::string quadrant = Field(row, s.quadrant);
    const std::size_t last = fields[1].find_last_not_of(" \t");
    const bool lettered =
        last != std::string::npos && std::isalpha(static_cast<unsigned char>(fields[1][last]));
    if (!quadrant.empty() && !lettered) fields.push_back(quadrant);
    if (quadrant.empty() && !lettered) return "no dip quadrant";
  }
  fields.insert(fields.end(), {"90", "N"});
  const ConvertedRow plane = ConvertRow(fields, s.plane, LineConvention::Rake, SenseMap::Default());
  dipDirection = plane.faz;
  dip = plane.fpl;
  return plane.error;
}

// A line's trend (a number or a bearing) and plunge (a plain number).
std::string ReadLine(const TableRow& row, const OrientationImportSettings& s, double& trend,
                     double& plunge) {
  const std::string trendText = Field(row, s.columns[Index(Column::Azimuth)]);
  const std::string plungeText = Field(row, s.columns[Index(Column::Angle)]);
  const std::optional<double> t = ParseAzimuth(trendText);
  if (!t) return "trend '" + trendText + "' is neither an azimuth nor a bearing";
  // ParseAzimuth also takes bearings ("N30E"), which are no plunge.
  const std::size_t first = plungeText.find_first_not_of(" \t");
  const bool plain =
      first != std::string::npos &&
      std::string_view("+-.0123456789").find(plungeText[first]) != std::string_view::npos;
  const std::optional<double> p = plain ? ParseAzimuth(plungeText) : std::nullopt;
  if (!p || *p > 90) return "plunge '" + plungeText + "' is not a number from 0 to 90";
  trend = *t;
  plunge = *p;
  return {};
}

// The record of one row, or none with the reason in `log`.
std::optional<OrientationRecord> ConvertOne(const TableRow& row, const OrientationImportSettings& s,
                                            std::vector<std::string>& log) {
  const std::string where = "  line #" + std::to_string(row.line) + ": ";
  const std::optional<OrientationKind> kind =
      s.kind ? s.kind : KindWritten(Field(row, s.columns[Index(Column::Kind)]));
  if (!kind) {
    log.push_back(where + "kind '" + Field(row, s.columns[Index(Column::Kind)]) +
                  "' is neither plane nor line");
    return std::nullopt;
  }
  double azimuth = 0, angle = 0;
  const std::string error = *kind == OrientationKind::Plane ? ReadPlane(row, s, azimuth, angle)
                                                            : ReadLine(row, s, azimuth, angle);
  if (!error.empty()) {
    log.push_back(where + error);
    return std::nullopt;
  }
  std::array<std::string, kOrientationColumns> values;
  for (std::size_t c = 0; c < kOrientationColumns; ++c) values[c] = Field(row, s.columns[c]);
  values[Index(Column::Kind)] = *kind == OrientationKind::Plane ? "plane" : "line";
  values[Index(Column::Azimuth)] = ShortestDecimal(float(azimuth));
  values[Index(Column::Angle)] = ShortestDecimal(float(angle));
  OrientationFields fields;
  std::copy(values.begin(), values.end(), fields.begin());
  return CheckOrientationFields(fields, row.line, s.columns, log);
}

}  // namespace

OrientationImport ConvertToOrientations(const ImportTable& table,
                                        const OrientationImportSettings& settings) {
  OrientationImport result;
  for (const TableRow& row : table.rows) {
    if (result.rows == kMaxOrientationRows) {
      result.overflowLine = row.line;
      break;
    }
    ++result.rows;
    if (std::optional<OrientationRecord> record = ConvertOne(row, settings, result.log))
      result.records.push_back(std::move(*record));
    else
      ++result.badRows;
  }
  result.text = OrientationTableText(result.records);
  return result;
}

OrientationImportSettings ProposeOrientationColumns(const ImportTable& table) {
  OrientationImportSettings s;
  bool strike = false;
  for (std::size_t k = 0; k < table.header.size(); ++k) {
    const int place = int(k) + 1;
    auto claim = [&s, place](Column c) {
      if (s.columns[Index(c)] == 0) s.columns[Index(c)] = place;
    };
    if (const std::optional<Column> own = OwnColumnNamed(table.header[k])) {
      claim(*own);
      strike = strike || *own == Column::Azimuth;  // Trd/Strk: a right-hand-rule strike
      continue;
    }
    switch (RoleNamed(table.header[k]).value_or(FieldRole::Sense)) {
      case FieldRole::Strike:
        strike = true;
        [[fallthrough]];
      case FieldRole::DipDirection:
      case FieldRole::Trend:
        claim(Column::Azimuth);
        break;
      case FieldRole::Dip:
      case FieldRole::Plunge:
        claim(Column::Angle);
        break;
      case FieldRole::DipQuadrant:
        if (s.quadrant == 0) s.quadrant = place;
        break;
      default:
        break;
    }
  }
  if (strike) s.plane = s.quadrant ? PlaneConvention::StrikeQuadrant : PlaneConvention::StrikeRhr;
  return s;
}

}  // namespace orniva
