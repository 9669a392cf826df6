// A report for each phase in turn: the header once, each phase's rows led
// by its name (neutralised for spreadsheets), a refused phase's row saying
// why, a refusal only when no phase gave a result, and the study's scope
// left as it was.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "analysis/by_phase.h"
#include "analysis/kinematics.h"
#include "analysis/report_table.h"
#include "tests/support/test_support.h"

namespace orniva::analysis {
namespace {

TEST(ByPhase, EachPhaseInTurn) {
  const std::vector<std::string> lines = {"90 45 90 45 N",   "270 60 270 60 N", "0 50 0 50 N",
                                          "180 70 180 70 N", "45 30 45 30 N",   "135 80 135 80 N"};
  const std::string all = KinematicsCsv(test::DataFromLines(lines)).text;
  auto rowsOf = [&](std::vector<int> wanted, const std::string& subset) {
    std::string rows;
    for (int line : wanted) {
      const std::size_t at = all.find("\n" + std::to_string(line) + ",");
      rows += subset + all.substr(at + 1, all.find('\n', at + 1) - at);
    }
    return rows;
  };
  const ReportKind& kinematicsKind = *ReportKindNamed("kinematics");
  const StudyTable kinematics = [&](Study& s) { return RunReport(kinematicsKind, s, {}); };
  const std::vector<std::string> nm = {"n", "m"};
  const StudyTable fewRefused = [&](Study& s) {
    if (s.usedCount() < 3) return RefusedTable("too few; 2");
    ReportTable table;
    table.columns = nm;
    table.AddRow(WholeCell(1), WholeCell(2));
    return table;
  };
  const StudyTable nonFinite = [&](Study& s) {
    ReportTable table;
    table.columns = nm;
    table.AddRow(WholeCell(1), ValueCell(s.usedCount() < 3 ? NAN : 2));
    return table;
  };
  const StudyTable allRefused = [](Study&) { return RefusedTable("never"); };
  std::atomic<bool> cancel{false};
  const ByPhaseControl cancelAfterOne{&cancel, [&](int, int) { cancel = true; }};
  const struct {
    bool phases;
    StudyTable report;
    std::vector<std::string> columns;
    ByPhaseControl control;
    CsvReport expected;
  } rows[] = {
      {true,
       kinematics,
       kinematicsKind.columns,
       {},
       {"subset," + all.substr(0, all.find('\n') + 1) + rowsOf({1, 3, 4}, "'=A,") +
            rowsOf({5, 6}, "\"B, late\","),
        {}}},
      {true, fewRefused, nm, {}, {"subset,n,m\n'=A,1,2\n\"B, late\",\"too few; 2\",\n", {}}},
      // A phase whose result is not finite is refused like one too small.
      {true,
       nonFinite,
       nm,
       {},
       {"subset,n,m\n'=A,1,2.0000\n\"B, late\",\"the result is not a finite number (column m, "
        "row 1): the values given are beyond what can be computed\",\n",
        {}}},
      {true, allRefused, nm, {}, {{}, "no phase gave a result (phase =A: never)"}},
      {true, kinematics, kinematicsKind.columns, cancelAfterOne, {{}, kByPhaseCancelled}},
      {false, kinematics, kinematicsKind.columns, {}, {{}, kNoPhases}},
  };
  for (const auto& row : rows) {
    Study study;
    study.data() = test::DataFromLines(lines);
    study.DataReplaced(lines);
    study.SetOff({2}, true);
    if (row.phases) {
      study.SetPhaseOf({1, 3, 4}, study.AddPhase({"=A", "#1b9e77"}));
      study.SetPhaseOf({5, 6}, study.AddPhase({"B, late", "#d95f02"}));
      study.SetScope(2);
    }
    const int scope = study.scope();
    const CsvReport report = ReportCsv(ByPhaseTable(study, row.report, row.columns, row.control));
    EXPECT_EQ(report.text, row.expected.text);
    EXPECT_EQ(report.error, row.expected.error);
    EXPECT_EQ(study.scope(), scope);
  }
}

// "Switched out" counts the data switched off in the scope, not those of
// other phases.
TEST(ByPhase, SwitchedOffInTheScopeOnly) {
  const std::vector<std::string> lines = {"90 45 90 45 N", "270 60 270 60 N", "0 50 0 50 N",
                                          "400 45 90 45 N", "45 30 45 30 N"};
  Study study;
  study.data() = test::DataFromLines(lines);
  study.DataReplaced(lines);
  study.SetPhaseOf({1, 2}, study.AddPhase({"A", "#1b9e77"}));
  study.SetPhaseOf({3, 4, 5}, study.AddPhase({"B", "#d95f02"}));
  study.SetOff({2, 4, 5}, true);  // line 4 failed a check: not counted
  const int expected[] = {2, 1, 1};
  for (int scope = 0; scope <= 2; ++scope) {
    study.SetScope(scope);
    EXPECT_EQ(SwitchedOffInScope(study), expected[scope]) << scope;
  }
}

}  // namespace
}  // namespace orniva::analysis
