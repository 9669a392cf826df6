// The report table: each cell written in its format, the user's text
// neutralised for spreadsheets, no number that is not finite written, the
// true reason when no datum is in use, and each report's declared columns
// the ones it writes.
#include "analysis/report_table.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <string>
#include <vector>

#include "analysis/stress_inversion.h"
#include "analysis/study.h"
#include "data/fault_reader.h"
#include "tests/support/test_support.h"

namespace orniva::analysis {
namespace {

TEST(ReportTable, EachCellInItsFormat) {
  ReportTable t;
  const struct {
    ReportCell cell;
    std::string written;
  } rows[] = {
      {WholeCell(32760), "32760"},
      {AngleCell(-0.001), "0.00"},
      {TrendCell(359.996), "0.00"},
      {TrendCell(180), "180.00"},
      {AxialCell(179.999), "0.00"},
      {ValueCell(1.23456), "1.2346"},
      {EmptyCell(), ""},
      {t.Label("pure extension"), "pure extension"},
      {t.Text("A"), "A"},
      {t.Text("=HYPERLINK(\"x\")"), "\"'=HYPERLINK(\"\"x\"\")\""},
      {t.Text("+1"), "'+1"},
      {t.Text("-1"), "'-1"},
      {t.Text("@SUM(A1)"), "'@SUM(A1)"},
      {t.Text("\t=1"), "\xEF\xBF\xBD=1"},
      {t.Text("a;=1"), "\"a;=1\""},
      {t.Text("B, late"), "\"B, late\""},
      {t.Text(std::string("x\0y", 3)), "x\xEF\xBF\xBDy"},
      {t.Text("\xE2\x80\xAE"
              "fdp.exe"),
       "\xEF\xBF\xBD"
       "fdp.exe"},
      {t.Text("\xC3\xA9t\xC3\xA9"), "\xC3\xA9t\xC3\xA9"},
  };
  for (const auto& row : rows) EXPECT_EQ(t.Written(row.cell), row.written) << t.TextOf(row.cell);
}

TEST(ReportTable, ANumberThatIsNotFiniteRefusesTheReport) {
  ReportTable table;
  table.columns = {"line", "ts"};
  table.AddRow(WholeCell(1), ValueCell(0.5));
  EXPECT_EQ(ReportCsv(table).text, "line,ts\n1,0.5000\n");
  table.AddRow(WholeCell(2), ValueCell(std::numeric_limits<double>::infinity()));
  EXPECT_EQ(ReportCsv(table).error,
            "the result is not a finite number (column ts, row 2): the values given are beyond "
            "what can be computed");
}

TEST(ReportTable, NoDataInUseSaysWhy) {
  const std::vector<std::string> two = {"90 45 90 45 N", "270 60 270 60 N"};
  const struct {
    std::vector<std::string> lines;
    std::vector<int> off;
    bool emptyPhase;
    std::string reason;
  } rows[] = {
      {{}, {}, false, "the data file holds no data"},
      {{"400 45 90 45 N"}, {}, false, kNoUsableData},
      {two, {1, 2}, false, "no data in use: every datum that passed its checks is switched off"},
      {two, {}, true, "the phase holds no data in use"},
      {two, {1}, false, ""},
  };
  for (const auto& row : rows) {
    Study study;
    study.data() = test::DataFromLines(row.lines);
    study.DataReplaced(row.lines);
    study.SetOff(row.off, true);
    if (row.emptyPhase) study.SetScope(study.AddPhase({"P", "#000000"}));
    EXPECT_EQ(NoDataReason(study), row.reason);
  }
}

// misfit-angles lists the data the inversion used, not those switched out.
TEST(ReportTable, MisfitAnglesOfTheDataUsed) {
  const std::vector<std::string> lines = ReadDataFile(ORNIVA_EXAMPLE_FILE).lines;
  std::vector<bool> use(lines.size() + 1, true);
  use[3] = use[7] = false;
  const std::string report =
      MisfitAnglesCsv(InvertStress(test::DataFromLines(lines), false, &use)).text;
  EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), std::ptrdiff_t(lines.size() - 2 + 1));
  EXPECT_EQ(report.find("\n3,"), std::string::npos);
}

// Every report, run with the options it needs, writes the columns it declares.
TEST(ReportTable, EachReportWritesItsDeclaredColumns) {
  const std::map<std::string, std::map<std::string, std::string>> needs = {
      {"density", {{"--of", "p"}, {"--method", "kamb"}}},
      {"tendency", {{"--magnitudes", "3,2,1"}}},
      {"tendency-grid", {{"--of", "slip"}, {"--magnitudes", "3,2,1"}}},
      {"stress-bootstrap", {{"--samples", "20"}, {"--solutions", ""}}},
      {"separate", {{"--candidates", "200"}}},
      {"select", {{"--cone", "0,90,90"}}},
      {"rose", {{"--of", "strike"}}},
      {"back-tilt", {{"--bedding", "10,20"}}},
      {"tilt-test", {{"--bedding", "10,20"}}}};
  const std::vector<std::string> lines = ReadDataFile(ORNIVA_EXAMPLE_FILE).lines;
  for (const ReportKind& kind : ReportKinds()) {
    SCOPED_TRACE(kind.name);
    Study study;
    study.data() = test::DataFromLines(lines);
    study.DataReplaced(lines);
    ReportRequest request;
    if (needs.count(kind.name)) request.options = needs.at(kind.name);
    ASSERT_EQ(ApplyReportChoices(study, request), "");
    const ReportTable table = RunReport(kind, study, request);
    EXPECT_EQ(table.error, "");
    EXPECT_EQ(table.columns, kind.ColumnsFor(request));
    EXPECT_GT(table.rowCount(), 0u);
  }
}

}  // namespace
}  // namespace orniva::analysis
