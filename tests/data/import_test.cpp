// The import conventions against hand-checked rows.
#include "data/import_conventions.h"
#include "data/import_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "data/fault_reader.h"
#include "tests/support/test_support.h"

namespace orniva {
namespace {

using P = PlaneConvention;
using L = LineConvention;

struct Case {
  std::vector<std::string> fields;
  P plane;
  L line;
  float faz, fpl, saz, spl;
  char sense;
};

// Rakes on the plane 090/45 (strike 000): 0 is north, 90 down the dip.
// N30E 45NW is 300/45; pitch 10 from the NE end (030) plunges
// asin(sin 10 sin 45) = 7.053 at 030 - atan(tan 10 cos 45) = 22.893.
// clang-format off
const Case kCases[] = {
    {{"N30E", "45NW", "10NE", "N"}, P::StrikeQuadrant, L::PitchQuadrant, 300, 45, 22.893f, 7.053f, 'N'},
    {{"30", "45", "NW", "10", "ne", "normal"}, P::StrikeQuadrant, L::PitchQuadrant, 300, 45, 22.893f, 7.053f, 'N'},
    {{"S10W", "20", "E", "280", "10", "dextral"}, P::StrikeQuadrant, L::TrendPlunge, 100, 20, 280, 10, 'D'},
    {{"0", "45", "0", "R"}, P::StrikeRhr, L::Rake, 90, 45, 0, 0, 'R'},
    {{"90", "45", "45", "ll"}, P::DipDirection, L::Rake, 90, 45, 35.264f, 30, 'S'},
    {{"90", "45", "90", "thrust"}, P::DipDirection, L::Rake, 90, 45, 90, 45, 'R'},
    {{"90", "45", "135", "+"}, P::DipDirection, L::Rake, 90, 45, 144.736f, 30, 'R'},
    {{"90", "45", "180", "SN"}, P::DipDirection, L::Rake, 90, 45, 180, 0, 'S'},
    {{"90", "45", "270"}, P::DipDirection, L::Rake360, 90, 45, 90, 45, 'R'},
    // 200: u = cos 200 h + sin 200 d points up; its lower end plunges asin(sin 20 sin 45).
    {{"90", "45", "200"}, P::DipDirection, L::Rake360, 90, 45, 14.433f, 13.995f, 'D'},
    {{"90", "45", "90"}, P::DipDirection, L::RakeAki, 90, 45, 90, 45, 'R'},
    {{"90", "45", "-90"}, P::DipDirection, L::RakeAki, 90, 45, 90, 45, 'N'},
    {{"90", "45", "180"}, P::DipDirection, L::RakeAki, 90, 45, 180, 0, 'D'},
    {{"90", "45", "-180"}, P::DipDirection, L::RakeAki, 90, 45, 180, 0, 'D'},
    {{"90", "45", "0"}, P::DipDirection, L::RakeAki, 90, 45, 0, 0, 'S'},
    {{"90", "45", "-45"}, P::DipDirection, L::RakeAki, 90, 45, 35.264f, 30, 'N'},  // a tie is dip-slip
    // Two-letter codes by the line: steep, the dip-slip letter; shallow, the lateral one.
    {{"90", "45", "90", "45", "TL"}, P::DipDirection, L::TrendPlunge, 90, 45, 90, 45, 'R'},
    {{"90", "45", "0", "0", "NR"}, P::DipDirection, L::TrendPlunge, 90, 45, 0, 0, 'D'},
    {{"90", "45", "90", "45", "U"}, P::DipDirection, L::TrendPlunge, 90, 45, 90, 45, 'X'},
};
// clang-format on

TEST(ConvertRow, HandCheckedRows) {
  const SenseMap senses = SenseMap::Default();
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::PrintToString(c.fields));
    const ConvertedRow row = ConvertRow(c.fields, c.plane, c.line, senses);
    ASSERT_EQ(row.error, "");
    EXPECT_NEAR(row.faz, c.faz, 0.001);
    EXPECT_NEAR(row.fpl, c.fpl, 0.001);
    EXPECT_NEAR(row.saz, c.saz, 0.001);
    EXPECT_NEAR(row.spl, c.spl, 0.001);
    EXPECT_EQ(row.sense, c.sense);
  }
}

TEST(ConvertRow, RefusalsAndWarningsNameTheField) {
  const SenseMap senses = SenseMap::Default();
  // clang-format off
  const struct { std::vector<std::string> fields; P plane; L line; std::string error, warning; } rows[] = {
      {{"90", "95", "0", "0", "N"}, P::DipDirection, L::TrendPlunge, "dip '95' is not a number from 0 to 90", ""},
      {{"N0E", "45N", "0", "0", "N"}, P::StrikeQuadrant, L::TrendPlunge, "dip quadrant N lies along the strike", ""},
      {{"N95E", "45", "E", "0", "0", "N"}, P::StrikeQuadrant, L::TrendPlunge,
       "strike 'N95E' is neither an azimuth nor a bearing", ""},
      {{"90", "45", "190"}, P::DipDirection, L::RakeAki, "rake '190' is not a number from -180 to 180", ""},
      {{"90", "45", "0", "90", "N"}, P::DipDirection, L::TrendPlunge, "",
       "the striation is 45.00 degrees off its plane"},
      {{"90", "45", "90", "45", "sideways"}, P::DipDirection, L::TrendPlunge, "",
       "unknown sense 'sideways', written as X"},
  };
  // clang-format on
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::PrintToString(r.fields));
    const ConvertedRow row = ConvertRow(r.fields, r.plane, r.line, senses);
    EXPECT_EQ(row.error, r.error);
    EXPECT_EQ(row.warnings.empty() ? "" : row.warnings[0], r.warning);
  }
  SenseMap mapped = senses;
  EXPECT_TRUE(mapped.Set("u", "r"));
  EXPECT_FALSE(mapped.Set("1", "up"));
  EXPECT_EQ(
      ConvertRow({"90", "45", "90", "45", "U"}, P::DipDirection, L::TrendPlunge, mapped).sense,
      'R');
}

// Written values read back bit for bit, as plain decimals.
TEST(DataLine, ShortestDecimalsReadBackExactly) {
  for (float value : {0.0f, 0.1f, 22.893f, 359.99f, 0.001f, 89.99999f, 300.0f, 1e-7f}) {
    const std::string text = ShortestDecimal(value);
    std::string rest = text + " ";
    bool ok = false;
    const float back = ReadNumberToken(rest, ok);
    EXPECT_TRUE(ok) << text;
    EXPECT_EQ(std::memcmp(&back, &value, sizeof value), 0) << text;
    EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << text;
  }
  ConvertedRow row;
  row.faz = 300, row.fpl = 45, row.saz = 22.893f, row.spl = 7.053f, row.sense = 'N';
  EXPECT_EQ(DataLine(row), "300 45 22.893 7.053 N\r\n");
}

// The delimiter and the header found from the text, or as told.
TEST(ReadTable, DelimiterAndHeader) {
  const struct {
    std::string text;
    Delimiter told;
    HeaderChoice header;
    Delimiter found;
    std::size_t headerFields;
    // clang-format off
                 std::vector<std::string> firstRow; int firstLine; } rows[] = {
      {"strike;dip;rake\n10;20;30\n", Delimiter::Auto, HeaderChoice::Auto, Delimiter::Semicolon, 3, {"10", "20", "30"}, 2},
      {"# Crete\n195\t65\t297\t64\tN\n", Delimiter::Auto, HeaderChoice::Auto, Delimiter::Tab, 0,
       {"195", "65", "297", "64", "N"}, 2},
      {"10, 20 , 30\r\n\r\n1,2,3\r\n", Delimiter::Auto, HeaderChoice::Auto, Delimiter::Comma, 0, {"10", "20", "30"}, 1},
      {"  N30E   45NW  10NE N\n", Delimiter::Auto, HeaderChoice::Auto, Delimiter::Space, 0, {"N30E", "45NW", "10NE", "N"}, 1},
      {"a b\n1 2\n", Delimiter::Auto, HeaderChoice::No, Delimiter::Space, 0, {"a", "b"}, 1},
      {"1,2\n3,4\n", Delimiter::Space, HeaderChoice::Yes, Delimiter::Space, 1, {"3,4"}, 2},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.text);
    const ImportTable table = ReadTable(r.text, r.told, r.header);
    EXPECT_EQ(table.delimiter, r.found);
    EXPECT_EQ(table.header.size(), r.headerFields);
    ASSERT_FALSE(table.rows.empty());
    EXPECT_EQ(table.rows[0].fields, r.firstRow);
    EXPECT_EQ(table.rows[0].line, r.firstLine);
  }
  EXPECT_EQ(PickColumns({"a", "b", "c"}, {3, 1, 5}), (std::vector<std::string>{"c", "a", ""}));
}

// The text sources of tests/data/realdata/raw, converted as its README
// documents, give the committed data files within 0.01 degrees, with the
// same senses. (The spreadsheet is not text; the mplstereonet table gives
// some striations as a bare azimuth, a convention the import does not
// offer.)
TEST(ConvertTable, RealSourcesGiveTheCommittedDataFiles) {
  const std::string dir = ORNIVA_REALDATA_DIR;
  struct Row { const char* raw; const char* fdt; P plane; L line; std::vector<int> columns; };
  const Row rows[] = {
      {"compgeo_jujuy.txt", "jujuy.fdt", P::StrikeRhr, L::TrendPlunge, {}},
      {"compgeo_bar.txt", "basin_range_bar.fdt", P::StrikeRhr, L::TrendPlunge, {}},
      {"geologyGeometry_cyprusSlicks2008005.tsv", "cyprus_2008005.fdt", P::StrikeRhr, L::Rake360, {}},
      {"geologyGeometry_cali_all_kh_faults_latlong.tsv", "kettleman_hills.fdt", P::StrikeRhr, L::Rake360,
       {2, 3, 4}},
      {"SG2PS_ST_RUP_ANG.rgf", "sg2ps_phd.fdt", P::DipDirection, L::TrendPlunge, {9, 10, 11, 12, 13}},
  };
  auto azimuthOff = [](double a, double b, double period) {
    const double d = std::fmod(std::fabs(a - b), period);
    return std::min(d, period - d);
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.raw);
    const ImportSettings settings{row.plane, row.line, row.columns, SenseMap::Default()};
    const ImportResult result = ConvertTable(ReadTable(test::ReadFile(dir + "/raw/" + row.raw)), settings);
    FaultSet got, expected;
    LoadFaultLines(ReadDataFile(dir + "/" + row.fdt).lines, expected);
    LoadFaultLines(SplitDataLines(result.data), got);
    EXPECT_EQ(result.failed, 0);
    ASSERT_EQ(got.count(), expected.count());
    for (std::size_t i = 1; i <= std::size_t(got.count()); ++i) {
      const TFaultData &g = got[i], &e = expected[i];
      SCOPED_TRACE(i);
      EXPECT_LE(azimuthOff(g.faz, e.faz, 360), 0.01);
      EXPECT_NEAR(g.fpl, e.fpl, 0.01);
      // A horizontal striation is the same line at either end.
      EXPECT_LE(azimuthOff(g.saz, e.saz, e.spl < 0.01f ? 180 : 360), 0.01);
      EXPECT_NEAR(g.spl, e.spl, 0.01);
      EXPECT_EQ(g.sense, e.sense);
    }
  }
}

}  // namespace
}  // namespace orniva
