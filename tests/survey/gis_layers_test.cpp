// The GIS layers read back: GeoJSON by the program's JSON reader, KML by
// Qt's XML reader, the World Stress Map CSV by its fields; each against the
// survey table and the SHmax bar checked by the inverse problem.
#include <gtest/gtest.h>

#include <QXmlStreamReader>

#include <cmath>

#include "analysis/by_phase.h"
#include "data/json.h"
#include "survey/geodesy.h"
#include "survey/gis_layers.h"
#include "survey/publication_table.h"
#include "survey/survey_table.h"
#include "tests/support/great_circle.h"
#include "tests/survey/kettleman_sites.h"

namespace orniva::survey {
namespace {

// A site name with what CSV, XML, LaTeX and Markdown each write otherwise.
constexpr const char* kOddName = "t_1 & \"3\" | x,y";

// The Kettleman survey, a site without a position and one too small.
SurveyResult KettlemanResult(const test::TempDir& dir) {
  Survey survey =
      test::KettlemanSurvey(dir, {analysis::StressMethod::Michael, false, 100, 5, 0.95, false});
  survey.sites.push_back(
      {"nowhere", "kh.fdt", {}, {}, {}, "", "", "", std::vector<int>{1, 2, 3, 4, 5}, {}});
  survey.sites.push_back({kOddName,
                          "kh.fdt",
                          GeoPosition{-120, 36},
                          {},
                          {},
                          "Hills",
                          "2024",
                          "",
                          std::vector<int>{1, 2, 3},
                          {}});
  return RunSurvey(survey, test::KettlemanSurveyPath(dir));
}

std::optional<std::uint32_t> Member(const JsonDocument& doc, std::uint32_t object,
                                    const std::string& key) {
  const std::vector<std::uint32_t> children = doc.ChildrenOf(object);
  for (std::size_t i = 0; i + 1 < children.size(); i += 2)
    if (doc.StringOf(children[i]) == key) return children[i + 1];
  return std::nullopt;
}

double NumberAt(const JsonDocument& doc, std::uint32_t value) {
  EXPECT_EQ(doc[value].type, JsonType::Number);
  const std::string_view text = doc.Text(value);
  const std::size_t dot = text.find('.');
  EXPECT_TRUE(dot == std::string_view::npos || text.size() - dot - 1 <= 7) << text;
  return *CellNumber(std::string(text));
}

// The bar's ends lie half its length from the site along SHmax and
// SHmax + 180, as the inverse problem finds them.
void ExpectBar(const std::vector<double>& a, const std::vector<double>& b, GeoPosition site,
               double shMax, double km) {
  EXPECT_NEAR(test::HaversineDistance(a[0], a[1], b[0], b[1], kEarthRadiusM), km * 1000, 0.05);
  EXPECT_NEAR(test::InitialBearing(site.lon, site.lat, a[0], a[1]), shMax, 1e-3);
  EXPECT_NEAR(test::InitialBearing(site.lon, site.lat, b[0], b[1]), shMax + 180, 1e-3);
}

// A feature's properties: the row's cells, numbers as JSON numbers, an
// empty cell as null.
void ExpectProperties(const JsonDocument& doc, std::uint32_t properties,
                      const std::vector<std::string>& cells) {
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const std::uint32_t value = *Member(doc, properties, TableColumns()[i].name);
    if (cells[i].empty())
      EXPECT_EQ(doc[value].type, JsonType::Null);
    else
      EXPECT_EQ(TableColumns()[i].number ? std::string(doc.Text(value)) : doc.StringOf(value),
                cells[i]);
  }
}

// The positions of a Point or a LineString.
std::vector<std::vector<double>> Positions(const JsonDocument& doc, std::uint32_t geometry,
                                           bool line) {
  std::vector<std::vector<double>> points;
  const std::uint32_t coordinates = *Member(doc, geometry, "coordinates");
  for (const std::uint32_t p : line ? doc.ChildrenOf(coordinates) : std::vector{coordinates}) {
    points.emplace_back();
    for (const std::uint32_t x : doc.ChildrenOf(p)) points.back().push_back(NumberAt(doc, x));
  }
  return points;
}

TEST(GisLayers, GeoJsonReadBackHasTheTableAndTheBars) {
  test::TempDir dir;
  const SurveyResult result = KettlemanResult(dir);
  const std::string text = SurveyGeoJson(result, 3);
  const JsonDocument doc(text);
  ASSERT_TRUE(doc.ok()) << doc.error();
  EXPECT_EQ(doc.StringOf(*Member(doc, 0, "type")), "FeatureCollection");
  EXPECT_FALSE(Member(doc, 0, "crs"));
  std::size_t row = 0, bars = 0;
  for (const std::uint32_t feature : doc.ChildrenOf(*Member(doc, 0, "features"))) {
    const std::uint32_t geometry = *Member(doc, feature, "geometry");
    const std::uint32_t properties = *Member(doc, feature, "properties");
    const bool bar = doc[geometry].type != JsonType::Null &&
                     doc.StringOf(*Member(doc, geometry, "type")) == "LineString";
    const SurveyRow& r = result.rows.at(bar ? row - 1 : row++);
    ExpectProperties(doc, properties, RowCells(result, r));
    const auto& position = result.survey.sites[std::size_t(r.site)].position;
    if (doc[geometry].type == JsonType::Null) {
      EXPECT_FALSE(position);
      continue;
    }
    const std::vector<std::vector<double>> points = Positions(doc, geometry, bar);
    if (!bar) {
      EXPECT_NEAR(points[0][0], position->lon, 5e-8);
      EXPECT_NEAR(points[0][1], position->lat, 5e-8);
      continue;
    }
    ++bars;
    EXPECT_EQ(std::string(doc.Text(*Member(doc, properties, "bar_km"))), "3");
    ExpectBar(points[0], points[1], *position, *ShMaxOf(r), 3);
  }
  EXPECT_EQ(row, result.rows.size());
  EXPECT_EQ(bars, 4u);
}

TEST(GisLayers, KmlReadBackHasAPlacemarkPerRowWithAPosition) {
  test::TempDir dir;
  const SurveyResult result = KettlemanResult(dir);
  QXmlStreamReader xml(QByteArray::fromStdString(SurveyKml(result)));
  std::vector<std::string> names, points, lines;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == u"kml") {
      EXPECT_EQ(xml.namespaceUri(), u"http://www.opengis.net/kml/2.2");
    }
    auto& into = xml.name() == u"name" ? names : xml.name() == u"Point" ? points : lines;
    if (xml.name() == u"name" || xml.name() == u"Point" || xml.name() == u"LineString")
      into.push_back(xml.readElementText(QXmlStreamReader::IncludeChildElements).toStdString());
  }
  ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_EQ(names.at(1), result.survey.sites[0].name + " all");
  EXPECT_EQ(names.back(), std::string(kOddName) + " all");
  ASSERT_EQ(points.size(), result.rows.size() - 1);  // "nowhere" has no position
  EXPECT_EQ(points.back(), "-120,36");
  ASSERT_EQ(lines.size(), 4u);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::vector<double> a(2), b(2);
    ASSERT_EQ(std::sscanf(lines[i].c_str(), "%lf,%lf %lf,%lf", &a[0], &a[1], &b[0], &b[1]), 4);
    ExpectBar(a, b, *result.survey.sites[i].position, *ShMaxOf(result.rows[i]), kDefaultBarKm);
  }
}

TEST(GisLayers, WsmCsvRowsWithAPosition) {
  test::TempDir dir;
  const SurveyResult result = KettlemanResult(dir);
  const std::string text = SurveyWsmCsv(result);
  std::vector<std::vector<std::string>> rows;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find('\n', start);
    rows.push_back(analysis::CsvFields(text.substr(start, end - start)));
    start = end + 1;
  }
  ASSERT_EQ(rows.size(), 1 + result.rows.size() - 1);
  EXPECT_EQ(rows[0].at(4), "AZI");
  for (std::size_t i = 1; i < rows.size(); ++i) {
    const SurveyRow& r = result.rows[i < 5 ? i - 1 : i];
    const std::vector<std::string> cells = RowCells(result, r);
    ASSERT_EQ(rows[i].size(), 19u);
    const std::optional<double> shMax = ShMaxOf(r);
    EXPECT_EQ(rows[i][4], shMax ? std::to_string(std::lround(*shMax) % 180) : "999");
    EXPECT_EQ(rows[i][5] + rows[i][6], "GFI0");
    EXPECT_EQ(rows[i][7], cells[ColumnIndex("accuracy_class")]);
    EXPECT_EQ(rows[i][11], cells[ColumnIndex("n")]);
  }
  EXPECT_EQ(rows.back()[1], kOddName);
  EXPECT_EQ(rows.back()[8] + rows.back()[9] + rows.back()[13], "UHills");
}

TEST(PublicationTable, EveryFormatHasARowPerRowAndTheNotes) {
  test::TempDir dir;
  const SurveyResult result = KettlemanResult(dir);
  const std::string latex = PublicationTable(result, TableFormat::Latex);
  const std::size_t body = latex.find("\\midrule\n"), end = latex.find("\\bottomrule\n");
  ASSERT_TRUE(latex.find("\\toprule\n") < body && body < end && end != std::string::npos);
  const std::string rows = latex.substr(body, end - body);
  EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), 1 + long(result.rows.size()));
  EXPECT_NE(rows.find("t\\_1 \\& \"3\" \\textbar{} x,y & -120.0000 & 36.0000 & all & 3 & -- &"),
            std::string::npos);
  EXPECT_TRUE(std::all_of(latex.begin(), latex.end(), [](char c) { return c > 0; }));  // ASCII
  EXPECT_NE(latex.find("t\\_1 \\& \"3\" \\textbar{} x,y all: stress inversion needs"),
            std::string::npos);
  const std::string markdown = PublicationTable(result, TableFormat::Markdown);
  EXPECT_NE(markdown.find("| t_1 & \"3\" \\| x,y | -120.0000 |"), std::string::npos);
  QXmlStreamReader html(
      QByteArray::fromStdString("<div>" + PublicationTableHtml(result) + "</div>"));
  std::vector<std::string> cells;
  while (!html.atEnd())
    if (html.readNext() == QXmlStreamReader::StartElement && html.name() == u"td")
      cells.push_back(html.readElementText().toStdString());
  ASSERT_FALSE(html.hasError()) << html.errorString().toStdString();
  ASSERT_EQ(cells.size(), 13 * result.rows.size());
  EXPECT_EQ(cells[cells.size() - 13], kOddName);
  EXPECT_EQ(TableFormatOf("a/T.TEX"), TableFormat::Latex);
  EXPECT_EQ(TableFormatOf("t.md"), TableFormat::Markdown);
  EXPECT_FALSE(TableFormatOf("t.md/x"));
}

}  // namespace
}  // namespace orniva::survey
