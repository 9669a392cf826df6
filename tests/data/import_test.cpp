// The import conventions against hand-checked rows.
#include "data/import_columns.h"
#include "data/import_conventions.h"
#include "data/import_file.h"
#include "data/import_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
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
    {{"90\u00B0", "45 \u00B0NW", "0\u00BA", "45", "N"}, P::StrikeQuadrant, L::TrendPlunge, 0, 45, 0, 45, 'N'},
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

// Every word the import knows by default, by the letter it means; and a
// row without a sense, by the choice for missing ones.
TEST(SenseMap, DefaultWordsAndMissingSenses) {
  // clang-format off
  const std::pair<char, std::vector<std::string>> kWords[] = {
      {'N', {"n", "Normal", "-"}}, {'R', {"r", "reverse", "Inverse", "i", "t", "THRUST", "+"}},
      {'D', {"d", "dx", "dextral", "rl"}}, {'S', {"s", "Sn", "sinistral", "LL"}}};
  // clang-format on
  for (const auto& [letter, words] : kWords)
    for (const std::string& word : words)
      EXPECT_EQ(ConvertRow({"90", "45", "90", "45", word}, P::DipDirection, L::TrendPlunge,
                           SenseMap::Default())
                    .sense,
                letter)
          << word;
  SenseMap senses = SenseMap::Default();
  const std::vector<std::string> unsaid{"90", "45", "90", "45", " "};
  EXPECT_EQ(ConvertRow(unsaid, P::DipDirection, L::TrendPlunge, senses).warnings,
            std::vector<std::string>{"no sense of slip, written as X"});
  ASSERT_TRUE(senses.SetWhenMissing("d"));
  EXPECT_EQ(ConvertRow({"90", "45", "90", "45"}, P::DipDirection, L::TrendPlunge, senses).sense,
            'D');
  ASSERT_TRUE(senses.SetWhenMissing("skip"));
  EXPECT_EQ(ConvertRow(unsaid, P::DipDirection, L::TrendPlunge, senses).error,
            "no sense of slip, row left out");
  EXPECT_FALSE(senses.SetWhenMissing("up"));
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
  row.faz = 359.996, row.saz = 49.8999, row.spl = 0.004;  // rounded: no 360, no trailing zeros
  EXPECT_EQ(DataLine(row, 2), "0 45 49.9 0 N\r\n");
}

// The delimiter and the header found from the text, or as told.
TEST(ReadTable, DelimiterAndHeader) {
  // clang-format off
  const struct {
    std::string text;
    Delimiter told;
    HeaderChoice header;
    Delimiter found;
    std::size_t headerFields;
                 std::vector<std::string> firstRow; int firstLine; } rows[] = {
      {"strike;dip;rake\n10;20;30\n", Delimiter::Auto, HeaderChoice::Auto, Delimiter::Semicolon, 3, {"10", "20", "30"}, 2},
      {"# Crete\n195\t65\t297\t64\tN\n", Delimiter::Auto, HeaderChoice::Auto, Delimiter::Tab, 0,
       {"195", "65", "297", "64", "N"}, 2},
      {"10, 20 , 30\r\n\r\n1,2,3\r\n", Delimiter::Auto, HeaderChoice::Auto, Delimiter::Comma, 0, {"10", "20", "30"}, 1},
      {"  N30E   45NW  10NE N\n", Delimiter::Auto, HeaderChoice::Auto, Delimiter::Space, 0, {"N30E", "45NW", "10NE", "N"}, 1},
      {"a b\n1 2\n", Delimiter::Auto, HeaderChoice::No, Delimiter::Space, 0, {"a", "b"}, 1},
      {"1,2\n3,4\n", Delimiter::Space, HeaderChoice::Yes, Delimiter::Space, 1, {"3,4"}, 2},
      // Quoted fields (RFC 4180): doubled quotes, delimiters and line breaks inside.
      {"\"\",\"Strike\",\"note\"\n\"1\",40,\"a \"\"b\"\", c\"\n", Delimiter::Auto, HeaderChoice::Auto, Delimiter::Comma, 3,
       {"1", "40", "a \"b\", c"}, 2},
      {"dip;\"no\nte;s\"\n45 ; \"x\" \n", Delimiter::Auto, HeaderChoice::Auto, Delimiter::Semicolon, 2, {"45", "x"}, 3},
      {"\"10,20\n30,40\n", Delimiter::Auto, HeaderChoice::Auto, Delimiter::Comma, 0, {"\"10", "20"}, 1},
      {"10;20;see note, above\r11;21;a, b\r", Delimiter::Auto, HeaderChoice::Auto, Delimiter::Semicolon, 0,
       {"10", "20", "see note, above"}, 1},
      {"faz fpl saz spl sense\n90 45 90 45 N\n120 30 200 20 R\n", Delimiter::Auto, HeaderChoice::Auto, Delimiter::Space, 5,
       {"90", "45", "90", "45", "N"}, 2},
  };
  // clang-format on
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

// Conventions and columns from the header's names and the first rows.
TEST(ProposeColumns, FromTheHeaderNames) {
  using Columns = std::vector<int>;
  // clang-format off
  const struct { std::string table; std::optional<P> plane; std::optional<L> line; Columns columns; } rows[] = {
      {"dipdir,dip,trend,plunge,sense\n90,45,90,45,N\n", P::DipDirection, L::TrendPlunge, {1, 2, 3, 4, 5}},
      {"Strike;Dip;Rake;Sense\n0;45;90;N\n", P::StrikeRhr, L::Rake, {1, 2, 3, 4}},
      {"site\tPlunge\tTrend\tDip (deg)\tDip Direction\tType\nA\t45\t90\t45\t90\tN\n", P::DipDirection, L::TrendPlunge,
       {5, 4, 3, 2, 6}},
      {"AZIMUTH DIP L_DIP_DIR L_DIP\n90 45 90 45\n", P::DipDirection, L::TrendPlunge, {1, 2, 3, 4, 0}},
      {"strike dip rake\n0 45 90\n", P::StrikeRhr, L::Rake360, {1, 2, 3}},
      {"strike dip rake sense\n0 45 -90 N\n", P::StrikeRhr, L::RakeAki, {1, 2, 3}},
      {"strike,dip,pitch,kind\nN30E,45NW,10NE,N\n", P::StrikeQuadrant, L::PitchQuadrant, {1, 2, 0, 3, 0, 4}},
      {"id,Strike,Dip,Dip_direction,Rake,Direction,sense\n1,40,63,W,13,N,S\n", P::StrikeQuadrant, L::PitchQuadrant,
       {2, 3, 4, 5, 6, 7}},
      {"Strike,Dip,Q,Pitch,From,Slip\n40,63,W,13,N,dextral\n", P::StrikeQuadrant, L::PitchQuadrant, {1, 2, 3, 4, 5, 6}},
      {"a,b,c\n1,2,3\n", std::nullopt, std::nullopt, {}},
      // A rake with its strike end beats line trend and plunge of other features; "type"
      // holds no sense words. A row's first fields may be blank.
      {"id;type;Strike;Dip;Dip direction;Rake;Strike direction;Striation trend;Type of mouvement;Line trend;Line plunge\n"
       "5;Crystal fibers in vein;;;;;;;;30;0\n11;Striated plane;75;70;S;0;N;;right lateral;;\n",
       P::StrikeQuadrant, L::PitchQuadrant, {3, 4, 5, 6, 7, 9}},
      {"Data type;Azimuth [0,360);Dip [0,90];Dip direction;Rake [0,90];Strike direction;Sense of mouvement\n"
       "Striated Plane;115;90;N;0;E;Right Lateral\n", P::StrikeQuadrant, L::PitchQuadrant, {2, 3, 4, 5, 6, 7}},
  };
  // clang-format on
  for (const auto& r : rows) {
    SCOPED_TRACE(r.table);
    const ColumnProposal proposal = ProposeColumns(ReadTable(r.table));
    EXPECT_EQ(proposal.plane, r.plane);
    EXPECT_EQ(proposal.line, r.line);
    EXPECT_EQ(proposal.columns, r.columns);
  }
  const ImportTable named = ReadTable("dipdir,dip,trend,plunge\n1,2,3,4\n");
  EXPECT_EQ(ProposeColumns(named, P::StrikeRhr, L::TrendPlunge).columns, Columns{});
  EXPECT_EQ(ChosenColumns({2, 0, 5}), (Columns{2, 5}));
}

TEST(DecodeImportBytes, TextOfEachEncodingAndNoTextRefused) {
  using namespace std::string_literals;
  const std::string degrees = "45\u00B0";
  // clang-format off
  const struct { std::string bytes, text; bool refused; } rows[] = {
      {"45\xB0;\x93" "a\x94 \x80\r\n", degrees + ";\u201Ca\u201D \u20AC\r\n", false},  // Windows-1252
      {"\xEF\xBB\xBF" + degrees, degrees, false},
      {degrees + ";caf\xE9", degrees + ";caf\u00E9", false},  // UTF-8 and Windows-1252 on one line
      {degrees, degrees, false},
      {"\xFF\xFE" "4\0" "5\0\xB0\0"s, degrees, false},
      {"\xFE\xFF\0" "4\xD8\x3D\xDE\x00\xDC\x00"s, "4\U0001F600\uFFFD", false},  // a pair, a lone half
      {"PK\x03\x04\x14\0"s, "", true}, {"\xD0\xCF\x11\xE0"s, "", true}, {"1,2\0"s, "", true},
  };
  // clang-format on
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::PrintToString(r.bytes));
    const DecodedText decoded = DecodeImportBytes(r.bytes);
    EXPECT_EQ(decoded.text, r.text);
    EXPECT_EQ(decoded.refusal.empty(), !r.refused);
    EXPECT_EQ(DecodeImportBytes(std::string(r.bytes)).text, r.text);  // the bytes taken over
  }
}

TEST(ReadImportFile, TextOrWhyNot) {
  test::TempDir dir;
  const std::string big = dir.File("big.csv"), table = dir.File("table.csv");
  test::WriteFile(big, "");
  std::filesystem::resize_file(big, kLargestImportFile + 1);  // sparse: nothing is written
  test::WriteFile(table,
                  "\xEF\xBB\xBF"
                  "1;2\n");
  const struct {
    std::string path, reason, text;
  } rows[] = {
      {table, "", "1;2\n"},
      {big, "larger than 64 MB, too large to import", ""},
      {dir.path(), "not a regular file", ""},
      {dir.File("none.csv"), "No such file or directory", ""},
  };
  for (const auto& r : rows) {
    const ImportFileText file = ReadImportFile(r.path);
    EXPECT_EQ(file.error ? file.error->reason() : "", r.reason) << r.path;
    EXPECT_EQ(file.text, r.text) << r.path;
  }
}

}  // namespace
}  // namespace orniva
