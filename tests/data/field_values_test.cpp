// How the field readers take the apps' values apart: times, feature words,
// planes and lines, where a project's spots are, a table's rows and their
// attributes, and the limits that keep memory bounded.
#include "data/field_readers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "data/import_file.h"
#include "data/import_table.h"
#include "tests/support/test_support.h"

namespace orniva::field {
namespace {

TEST(FieldValues, TimesAsTheAppsWriteThem) {
  const double day = 86400, june11 = 19885 * day;  // 2024-06-11
  // clang-format off
  const std::pair<std::string, std::optional<double>> rows[] = {
      {"2024-06-11T09:12:00.000Z", june11 + 9 * 3600 + 12 * 60},
      {"2024-06-11 09:12:30.5", june11 + 9 * 3600 + 12 * 60 + 30.5},
      {"2024-06-11T11:12:00+02:00", june11 + 9 * 3600 + 12 * 60},
      {"2024-06-11", june11},
      {"Tue Jun 11 09:12:00 2024", june11 + 9 * 3600 + 12 * 60},
      {"Jun 11 09:12:00 GMT+02:00 2024", june11 + 9 * 3600 + 12 * 60},
      {"1718097120000", june11 + 9 * 3600 + 12 * 60}, {"1718097120", june11 + 9 * 3600 + 12 * 60},
      {"Jun 11 09:12:00 15635400000", std::nullopt}, {"2024-13-01", std::nullopt}, {"yesterday", std::nullopt}, {"", std::nullopt},
  };
  // clang-format on
  for (const auto& [text, seconds] : rows) EXPECT_EQ(SecondsOf(text), seconds) << text;
}

TEST(FieldValues, FeatureWordsPlanesAndLines) {
  EXPECT_TRUE(FeatureMatches("Shear_Zone", "fault|shear zone"));
  EXPECT_TRUE(FeatureMatches("", "fault"));  // not said: taken
  EXPECT_FALSE(FeatureMatches("bedding", "fault|shear zone"));
  // clang-format off
  const struct { std::optional<double> dd, strike, dip; double wantDd; std::string problem; } planes[] = {
      {std::nullopt, -30, 50, 60, ""}, {400, 10, 50, 40, ""}, {std::nullopt, 90, 95, 0, "dip 95 is not from 0 to 90"},
      {std::nullopt, std::nullopt, 50, 0, "no strike or dip direction"}, {10, std::nullopt, std::nullopt, 0, "no dip"},
  };
  const struct { std::optional<double> trend, plunge, rake; double wantTrend; std::string problem; } lines[] = {
      {-10, 20, std::nullopt, 350, ""}, {10, -20, std::nullopt, 190, ""}, {10, 95, 30, 0, "plunge 95 is not from 0 to 90"},
      {std::nullopt, std::nullopt, 181, 0, "rake 181 is not from 0 to 180"},
      {std::nullopt, 20, std::nullopt, 0, "no trend and plunge or rake"},
  };
  // clang-format on
  for (const auto& p : planes) {
    FieldRecord r;
    SetPlane(r, p.dd, p.strike, p.dip);
    EXPECT_EQ(r.problem, p.problem);
    EXPECT_DOUBLE_EQ(p.problem.empty() ? r.dipDirection : 0, p.wantDd);
  }
  for (const auto& l : lines) {
    FieldRecord r;
    SetLine(r, l.trend, l.plunge, l.rake);
    EXPECT_EQ(r.problem, l.problem);
    EXPECT_DOUBLE_EQ(l.problem.empty() ? r.trend : 0, l.wantTrend);
  }
}

// A project's spots, wherever the export keeps them.
TEST(FieldValues, SpotsOfEveryKindOfProjectFile) {
  const std::string spot =
      R"({"type": "Feature", "geometry": {"type": "Point", "coordinates": [-52.7, 47.6]},)"
      R"( "properties": {"name": "S1", "orientation_data": [{"type": "planar_orientation",)"
      R"( "feature_type": "fault", "strike": 10, "dip": 20}]}})";
  for (const std::string& text :
       {"{\"spotsDb\": {\"1\": " + spot + "}}", "{\"features\": [" + spot + "]}",
        "{\"spots\": [" + spot + "]}", "[" + spot + "]", spot}) {
    std::string error;
    const std::vector<FieldRecord> records =
        StraboJsonRecords(text, *FieldPreset("strabo-json"), error);
    EXPECT_EQ(error, "");
    ASSERT_EQ(records.size(), 1u) << text;
    EXPECT_EQ(records[0].where, "spot S1, record 1");
    EXPECT_EQ(records[0].attributes.longitude, -52.7);
    EXPECT_DOUBLE_EQ(records[0].dipDirection, 100);
  }
}

// A table's row: its date from Year, Month and Day (none when one lies
// outside the calendar), a position of 999/99 as none, the spot's position
// as its site for pairing.
TEST(FieldValues, TableRowsAndTheirAttributes) {
  const std::string text =
      "No.\tType\tStructure\tTrd/Strk\tPlg/Dip\tLongitude\tLatitude\tElevation\tTime\tDay\tMonth\t"
      "Year\tNotes\n"
      "1\tP\tFault\t-45\t30\t-3.5\t40.25\t650\t09:12:00\t11\t6\t2024\tsteps\n"
      "2\tQ\tFault\t10\t20\t999\t99\t\t\t0\t0\t0\t\n"
      "3\tP\tFault\t10\t20\t\t\t\t08:00\t1\t1\t1.5e10\t\n"
      "4\tP\tFault\t10\t20\t\t\t\t08:00\t32\t1\t2024\t\n";
  std::string error;
  const std::vector<FieldRecord> records =
      TableRecords(text, *FieldPreset("strabo-tsv"), std::nullopt, "", error);
  ASSERT_EQ(records.size(), 4u);
  const FieldRecord& plane = records[0];
  EXPECT_EQ(plane.where, "line 2");
  EXPECT_DOUBLE_EQ(plane.dipDirection, 45);
  EXPECT_EQ(plane.group, "-3.5 40.25");
  EXPECT_EQ(plane.attributes.time, "2024-06-11 09:12:00");
  EXPECT_EQ(plane.seconds, SecondsOf("2024-06-11T09:12:00Z"));
  EXPECT_EQ(plane.attributes.elevation, 650);
  EXPECT_EQ(plane.attributes.notes, "steps");
  EXPECT_FALSE(records[1].wanted);
  EXPECT_EQ(records[1].feature, "type 'Q', neither P nor L");
  EXPECT_FALSE(records[1].attributes.longitude);
  EXPECT_EQ(records[1].attributes.time, "");
  EXPECT_EQ(records[2].attributes.time, "08:00");
  EXPECT_EQ(records[3].attributes.time, "08:00");
}

TEST(FieldValues, LimitsKeepMemoryBounded) {
  std::string error;
  const std::string rows = "alpha,beta\n" + test::Repeat("1,2\n", kMaxFieldRecords + 1);
  EXPECT_TRUE(TableRecords(rows, *FieldPreset("core"), std::nullopt, "", error).empty());
  EXPECT_EQ(error, "more than 200000 records, too many to import");
  // A row keeps kMaxRowFields fields, whatever its length; the sample keeps
  // the rows asked for, the ranges cover them all.
  const ImportTable table = ReadTable("a,b\n" + test::Repeat("1,", 5000) + "1\n-7,400\n",
                                      Delimiter::Auto, HeaderChoice::Auto, 1);
  ASSERT_EQ(table.rows.size(), 1u);
  EXPECT_EQ(table.rows[0].fields.size(), kMaxRowFields);
  EXPECT_EQ(table.rowCount, 2u);
  EXPECT_EQ(table.ranges[0].low, -7);
  EXPECT_EQ(table.ranges[1].high, 400);
  // UTF-8 text is taken over as it is, without its byte-order mark.
  EXPECT_EQ(DecodeImportBytes(std::string("\xEF\xBB\xBF"
                                          "45\xC2\xB0"))
                .text,
            "45\xC2\xB0");
}

}  // namespace
}  // namespace orniva::field
