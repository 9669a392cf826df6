// The orientation table: its CSV form, the check of every value, the
// refusals of files that give no table, the writer, and the conversion of
// tables in the common conventions.
#include "data/orientation_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/csv_records.h"
#include "data/import_table.h"
#include "data/orientation_import.h"
#include "tests/support/test_support.h"

namespace orniva {
namespace {

using test::Repeat;

TEST(CsvRecords, QuotedFieldsSpanLinesAndRecordsKeepTheirFirstLine) {
  CsvRecords reader("a, b ,\"c,\"\"d\"\"\r\ne\"\r\n\n  \rx,\"\"\ry");
  CsvRecord r;
  ASSERT_TRUE(reader.Next(r));
  EXPECT_EQ(r.line, 1);
  EXPECT_EQ(r.fields, (std::vector<std::string>{"a", "b", "c,\"d\"\r\ne"}));
  ASSERT_TRUE(reader.Next(r));  // the blank lines 3 and 4 are no records
  EXPECT_EQ(r.line, 5);
  EXPECT_EQ(r.fields, (std::vector<std::string>{"x", ""}));
  ASSERT_TRUE(reader.Next(r));
  EXPECT_EQ(r.line, 6);
  EXPECT_FALSE(reader.Next(r));
  EXPECT_EQ(CsvField(" a,\"b\""), "\" a,\"\"b\"\"\"");
  EXPECT_EQ(CsvField("plain text"), "plain text");
}

OrientationTable Parse(const std::string& body, const std::string& header = "kind,azimuth,angle") {
  return ParseOrientationTable(header + "\n" + body);
}

TEST(OrientationTable, ReadsEveryColumnInAnyOrderAndCase) {
  const OrientationTable table = ParseOrientationTable(
      "\xEF\xBB\xBFNotes,Set,ANGLE,Kind,azimuth,lon,lat,elevation,site,label,quality,time\r\n"
      "\"joint, open\r\nwide\",J1,80,Plane,360,-70.5,-24.25,3850.5,S1,j-7,A,2023-04-01T10:00\r\n"
      ",,.,line,5.,,,,,,,\r\n");
  ASSERT_TRUE(table.refusal.empty());
  EXPECT_TRUE(table.log.empty());
  ASSERT_EQ(table.records.size(), 2u);
  const OrientationRecord& joint = table.records[0];
  EXPECT_EQ(joint.line, 2);
  EXPECT_EQ(joint.kind, OrientationKind::Plane);
  EXPECT_EQ(joint.azimuth, 360);
  EXPECT_EQ(joint.angle, 80);
  EXPECT_EQ(joint.notes, "joint, open\r\nwide");
  EXPECT_EQ(joint.set, "J1");
  EXPECT_EQ(joint.lon, -70.5);
  EXPECT_EQ(joint.lat, -24.25);
  EXPECT_EQ(joint.elevation, 3850.5);
  EXPECT_EQ(joint.time, "2023-04-01T10:00");
  const OrientationRecord& line = table.records[1];
  EXPECT_EQ(line.line, 4);  // the quoted line break counts
  EXPECT_EQ(line.kind, OrientationKind::Line);
  EXPECT_EQ(line.angle, 0);  // a lone period, as in a data file
  EXPECT_FALSE(line.lon || line.elevation);
}

TEST(OrientationTable, EachBadValueIsNamedByLineAndColumnAndItsRowLeftOut) {
  struct Case {
    std::string row;  // kind,azimuth,angle,lon,lat,set,notes
    std::vector<std::string> log;
  };
  const std::string at = " invalid at line #2, column ";
  const Case cases[] = {
      {"plane,360,90,180,-90,S,n", {}},
      {"Line,+5,1.2e1,,,,", {}},
      {"fold,10,20,,,,", {"  kind" + at + "1: 'fold' is neither plane nor line"}},
      {",360.5,90.5,,,,",
       {"  kind" + at + "1: missing", "  azimuth" + at + "2: '360.5' is not a number from 0 to 360",
        "  angle" + at + "3: '90.5' is not a number from 0 to 90"}},
      {"plane,\"1,5\",12 5,,,,",
       {"  azimuth" + at + "2: '1,5' is not a number from 0 to 360",
        "  angle" + at + "3: '12 5' is not a number from 0 to 90"}},
      {"plane,1e39,-0,,,,", {"  azimuth" + at + "2: '1e39' is not a number from 0 to 360"}},
      {"plane,1,2,180.5,,,",
       {"  lon" + at + "4: '180.5' is not a number from -180 to 180",
        "  lat" + at + "5: missing where lon is given"}},
      {"plane,1,2,,45,,", {"  lon" + at + "4: missing where lat is given"}},
      {"plane,1,2,,,\"a\tb\",\"x\ty\"", {"  set" + at + "6: holds a control character"}},
      {"plane,1,2,,,,\xC3(", {"  notes" + at + "7: not UTF-8 text"}},
      {"plane,1,2,,,,,extra", {"  line #2 has 8 fields, the header 7"}},
      {"plane,1,\"2\"x,,,,", {"  line #2: text after the closing quote of a field"}},
      {"plane,1,2,,,,\"open",
       {"  line #2: a quote is never closed: the rest of the file is left out"}},
  };
  for (const Case& c : cases) {
    const OrientationTable table = Parse(c.row, "kind,azimuth,angle,lon,lat,set,notes");
    EXPECT_EQ(table.log, c.log) << c.row;
    EXPECT_EQ(table.records.size(), c.log.empty() ? 1u : 0u) << c.row;
    EXPECT_EQ(table.badRows, c.log.empty() ? 0u : 1u) << c.row;
  }
}

TEST(OrientationTable, FilesThatGiveNoTableAreRefused) {
  struct Case {
    std::string bytes;
    std::string refusal;
  };
  const Case cases[] = {
      {"PK\x03\x04rest", "it is a spreadsheet workbook, not CSV text; save the sheet as CSV UTF-8"},
      {"\xFF\xFEk\0i\0", "it is UTF-16 text; save it as CSV UTF-8"},
      {std::string("kind,azimuth,angle\nplane,1,") + '\0', "it holds binary data, not CSV text"},
      {"\n \n", "no header row: the first row must name the columns: kind, azimuth, angle, ..."},
      {"kind,azimuth,dip\n",
       "the header names no column 'angle' (the first row must name the columns: kind, "
       "azimuth, angle, ...)"},
      {"kind,Azimuth,angle,azimuth\n", "the header names column 'azimuth' twice (columns 2 and 4)"},
      {"kind,azimuth,\"angle\n",
       "the header row: a quote is never closed: the rest of the file "
       "is left out"},
      {"kind,azimuth,angle\n" + Repeat("line,1,2\n", kMaxOrientationRows + 1),
       "more than 250000 rows"},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseOrientationTable(c.bytes).refusal, c.refusal);
}

TEST(OrientationTable, HostileRowsCostBoundedMemoryAndTheLogIsCapped) {
  const OrientationTable commas = Parse(std::string(1 << 20, ','));
  EXPECT_EQ(commas.log, (std::vector<std::string>{"  line #2: more than 64 fields"}));
  const OrientationTable longField =
      Parse("plane,1,2,\"" + std::string(70000, 'x') + "\"", "kind,azimuth,angle,notes");
  EXPECT_EQ(longField.log,
            (std::vector<std::string>{"  line #2: a field longer than 65536 bytes"}));
  const OrientationTable bad =
      Parse(Repeat("x,1,2\n", kMaxOrientationLogLines + 5), "kind,azimuth,angle,Strike");
  ASSERT_EQ(bad.log.size(), kMaxOrientationLogLines + 1);
  EXPECT_EQ(bad.log.front(), "  column 4 'Strike' is not known and is left out");
  EXPECT_EQ(bad.log.back(), "  ... and 6 more lines");
  EXPECT_EQ(bad.badRows, kMaxOrientationLogLines + 5);
}

TEST(OrientationTable, WrittenTextReadsBackToTheSameRecords) {
  OrientationRecord a, b;
  a.azimuth = 123.45f;
  a.angle = 0.1f;
  a.notes = " starts blank, has \"quotes\"\r\nand a break";
  a.lon = -70.123456789;
  a.lat = 1e-7;
  b.kind = OrientationKind::Line;
  b.azimuth = 360;
  b.angle = 90;
  b.set = "L1";
  const std::string text = OrientationTableText({a, b});
  EXPECT_EQ(text.substr(0, text.find("\r\n")), "kind,azimuth,angle,set,lon,lat,notes");
  const OrientationTable back = ParseOrientationTable(text);
  ASSERT_EQ(back.records.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    const OrientationRecord& x = i ? b : a;
    const OrientationRecord& y = back.records[i];
    EXPECT_EQ(y.kind, x.kind);
    EXPECT_EQ(y.azimuth, x.azimuth);
    EXPECT_EQ(y.angle, x.angle);
    EXPECT_EQ(y.set, x.set);
    EXPECT_EQ(y.notes, x.notes);
    EXPECT_EQ(y.lon, x.lon);
    EXPECT_EQ(y.lat, x.lat);
  }
  EXPECT_EQ(OrientationValueText(a, OrientationColumn::Notes), a.notes);  // unquoted
  EXPECT_EQ(OrientationValueText(b, OrientationColumn::Azimuth), "360");
}

// The columns a table was read with are written again, filled or not.
TEST(OrientationTable, ColumnsOfTheHeaderAreKeptWhenEmpty) {
  const OrientationTable table =
      ParseOrientationTable("kind,azimuth,angle,site,label\nline,1,2,,\n");
  const std::string text = OrientationTableText(table.records, table.columns);
  EXPECT_EQ(text, "kind,azimuth,angle,site,label\r\nline,1,2,,\r\n");
  EXPECT_EQ(OrientationTableText(table.records), "kind,azimuth,angle\r\nline,1,2\r\n");
}

TEST(OrientationFile, WrittenReadAndLoggedBesideTheTable) {
  test::TempDir dir;
  const std::string path = dir.File("site.orient.csv");
  OrientationRecord plane;
  plane.azimuth = 90;
  plane.angle = 30;
  WriteOrientationTable(path, {plane});
  EXPECT_EQ(ReadOrientationFile(path).records.size(), 1u);
  const OrientationTable bad = Parse("plane,1,2\nline,400,2\n");
  const CheckOutcome outcome = CheckOrientationFile(bad, path);
  EXPECT_TRUE(outcome.badFields);
  EXPECT_EQ(test::ReadFile(dir.File("VORN.log")),
            "site.orient.csv\r\n  azimuth invalid at line #3, column 2: '400' is not a number "
            "from 0 to 360\r\n");
  test::WriteFile(path, "kind,azimuth\n");
  EXPECT_EQ(test::FileErrorOf([&] { ReadOrientationFile(path); }).reason(),
            "the header names no column 'angle' (the first row must name the columns: kind, "
            "azimuth, angle, ...)");
  EXPECT_TRUE(IsOrientationTablePath("/a/B.ORIENT.CSV"));
  EXPECT_FALSE(IsOrientationTablePath(".orient.csv"));
  EXPECT_FALSE(IsOrientationTablePath("b.csv"));
}

TEST(ConvertToOrientations, CommonConventionsAndAttributes) {
  const ImportTable table = ReadTable(
      "Type,Strike,Dip,Dip quadrant,Site,Latitude,Longitude\n"
      "P,N30E,45,NW,S1,-24,-70\n"
      "L,N30E,20,,S1,,\n"
      "plane,30,45NW,,S2,,\n"
      "Line,120,N30E,,S2,,\n"
      "fold,1,2,,S3,,\n"
      "plane,30,45,NW,S4,95,0\n"
      "plane,30,45,,S5,,\n",
      Delimiter::Comma, HeaderChoice::Yes);
  const OrientationImportSettings settings = ProposeOrientationColumns(table);
  EXPECT_EQ(settings.plane, PlaneConvention::StrikeQuadrant);
  const OrientationImport result = ConvertToOrientations(table, settings);
  ASSERT_EQ(result.records.size(), 3u);
  EXPECT_EQ(result.records[0].azimuth, 300);  // N30E 45NW dips to 300
  EXPECT_EQ(result.records[0].site, "S1");
  EXPECT_EQ(result.records[0].lat, -24);
  EXPECT_EQ(result.records[1].kind, OrientationKind::Line);
  EXPECT_EQ(result.records[1].azimuth, 30);
  EXPECT_EQ(result.records[2].azimuth, 300);
  EXPECT_EQ(result.log,
            (std::vector<std::string>{
                "  line #5: plunge 'N30E' is not a number from 0 to 90",
                "  line #6: kind 'fold' is neither plane nor line",
                "  lat invalid at line #7, column 6: '95' is not a number from -90 to 90",
                "  line #8: no dip quadrant"}));
  EXPECT_EQ(ParseOrientationTable(result.text).records.size(), 3u);
  // A right-hand-rule strike with one kind for every row.
  const ImportTable rhr = ReadTable("strike,dip\n350,30\n", Delimiter::Comma, HeaderChoice::Yes);
  OrientationImportSettings planes = ProposeOrientationColumns(rhr);
  planes.kind = OrientationKind::Plane;
  EXPECT_EQ(ConvertToOrientations(rhr, planes).records.at(0).azimuth, 80);
  // The field app's export: planes by right-hand-rule strike, lines by trend, in one pair.
  const OrientationImportSettings app = ProposeOrientationColumns(
      ReadTable("No.,Type,Trd/Strk,Plg/Dip,Longitude,Latitude,Elevation,Notes\n", Delimiter::Comma,
                HeaderChoice::Yes));
  EXPECT_EQ(app.plane, PlaneConvention::StrikeRhr);
  EXPECT_EQ(app.columns,
            (std::array<int, kOrientationColumns>{2, 3, 4, 0, 0, 5, 6, 7, 1, 0, 0, 8}));
}

}  // namespace
}  // namespace orniva
