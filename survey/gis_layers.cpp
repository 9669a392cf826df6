#include "survey/gis_layers.h"

#include <cmath>

#include "analysis/report_format.h"
#include "data/json.h"
#include "survey/geodesy.h"
#include "survey/survey_table.h"

namespace orniva::survey {

namespace {

constexpr const char* kAzimuthNote =
    "azimuths in degrees clockwise from true north; positions WGS 84 longitude and latitude";

std::string Coordinates(GeoPosition p, const char* separator) {
  return FormatDegrees(p.lon) + separator + FormatDegrees(p.lat);
}

// The row's cells as GeoJSON properties.
std::string Properties(const std::vector<std::string>& cells) {
  std::string text = "{";
  const std::vector<TableColumn>& columns = TableColumns();
  for (std::size_t i = 0; i < columns.size(); ++i) {
    text += (i ? ", " : "") + JsonQuoted(columns[i].name) + ": ";
    if (cells[i].empty())
      text += "null";
    else
      text += columns[i].number ? cells[i] : JsonQuoted(cells[i]);
  }
  return text + "}";
}

std::string Feature(const std::string& geometry, const std::string& properties) {
  return "{\"type\": \"Feature\", \"geometry\": " + geometry + ", \"properties\": " + properties +
         "}";
}

// "ffbbggrr" of "#rrggbb"; opaque black for none.
std::string KmlColour(const std::string& colour) {
  if (colour.size() != 7) return "ff000000";
  return "ff" + colour.substr(5, 2) + colour.substr(3, 2) + colour.substr(1, 2);
}

std::string Placemark(const SurveyResult& result, const SurveyRow& row, GeoPosition at,
                      double barKm) {
  const std::vector<std::string> cells = RowCells(result, row);
  std::string description;
  for (std::size_t i = 0; i < cells.size(); ++i)
    if (!cells[i].empty())
      description += std::string(TableColumns()[i].name) + ": " + cells[i] + "\n";
  std::string geometry = "<Point><coordinates>" + Coordinates(at, ",") + "</coordinates></Point>";
  if (const std::optional<double> shMax = ShMaxOf(row)) {
    const auto [a, b] = ShMaxBar(at, *shMax, barKm);
    geometry += "<LineString><coordinates>" + Coordinates(a, ",") + " " + Coordinates(b, ",") +
                "</coordinates></LineString>";
  }
  const std::string name = result.survey.sites[std::size_t(row.site)].name + " " + row.phase;
  return "<Placemark><name>" + XmlEscaped(name) + "</name>\n<description>" +
         XmlEscaped(description) + "</description>\n<Style><LineStyle><color>" +
         KmlColour(row.colour) + "</color><width>3</width></LineStyle></Style>\n<MultiGeometry>" +
         geometry + "</MultiGeometry></Placemark>\n";
}

std::string WholeDegrees(const std::string& cell, int turn) {
  const std::optional<double> value = CellNumber(cell);
  if (!value) return "";
  return std::to_string(std::lround(*value) % turn);
}

}  // namespace

std::string XmlEscaped(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string SurveyGeoJson(const SurveyResult& result, double barKm) {
  std::string text = "{\"type\": \"FeatureCollection\", \"description\": " +
                     JsonQuoted(std::string("Orniva survey: ") + kAzimuthNote) +
                     ", \"features\": [";
  const char* separator = "\n";
  for (const SurveyRow& row : result.rows) {
    const std::string properties = Properties(RowCells(result, row));
    const auto& position = result.survey.sites[std::size_t(row.site)].position;
    const std::string point =
        position ? "{\"type\": \"Point\", \"coordinates\": [" + Coordinates(*position, ", ") + "]}"
                 : "null";
    text += separator + Feature(point, properties);
    separator = ",\n";
    const std::optional<double> shMax = ShMaxOf(row);
    if (!position || !shMax) continue;
    const auto [a, b] = ShMaxBar(*position, *shMax, barKm);
    text += separator + Feature("{\"type\": \"LineString\", \"coordinates\": [[" +
                                    Coordinates(a, ", ") + "], [" + Coordinates(b, ", ") + "]]}",
                                properties.substr(0, properties.size() - 1) +
                                    ", \"bar_km\": " + JsonNumber(barKm) + "}");
  }
  return text + "\n]}\n";
}

std::string SurveyKml(const SurveyResult& result, double barKm) {
  std::string text =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n"
      "<Document><name>Orniva survey</name>\n<description>SHmax bars of " +
      JsonNumber(barKm) + " km; " + kAzimuthNote + "</description>\n";
  for (const SurveyRow& row : result.rows)
    if (const auto& position = result.survey.sites[std::size_t(row.site)].position)
      text += Placemark(result, row, *position, barKm);
  return text + "</Document>\n</kml>\n";
}

std::string SurveyWsmCsv(const SurveyResult& result) {
  std::string text =
      "ID,SITE,LAT,LON,AZI,TYPE,DEPTH,QUALITY,REGIME,LOCALITY,DATE,NUMBER,METHOD,S1AZ,S1PL,S2AZ,"
      "S2PL,S3AZ,S3PL\n";
  const SurveyChoices& choices = result.survey.choices;
  const std::string method = std::string(analysis::StressMethodName(choices.method)) +
                             (choices.iterate ? " iterated" : "");
  int id = 0;
  for (const SurveyRow& row : result.rows) {
    const SiteEntry& site = result.survey.sites[std::size_t(row.site)];
    if (!site.position) continue;
    const std::vector<std::string> c = RowCells(result, row);
    const auto cell = [&c](const char* name) { return c[ColumnIndex(name)]; };
    const std::string azimuth = WholeDegrees(cell("shmax"), 180);
    const std::string regime = cell("wsm_regime");
    text += std::to_string(++id) + "," +
            analysis::CsvField(row.scope == 0 ? site.name : site.name + " " + row.phase) + "," +
            FormatDegrees(site.position->lat) + "," + FormatDegrees(site.position->lon) + "," +
            (azimuth.empty() ? "999" : azimuth) + ",GFI,0," + cell("accuracy_class") + "," +
            (regime.empty() ? "U" : regime) + "," + analysis::CsvField(site.locality) + "," +
            analysis::CsvField(site.date) + "," + cell("n") + "," + method;
    for (const char* axis : {"s1", "s2", "s3"})
      text += "," + WholeDegrees(cell((std::string(axis) + "_trend").c_str()), 360) + "," +
              WholeDegrees(cell((std::string(axis) + "_plunge").c_str()), 360);
    text += "\n";
  }
  return text;
}

}  // namespace orniva::survey
