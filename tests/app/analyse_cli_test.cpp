// orniva-analyse run as a process: the command table, its refusals, and each
// report equal to the same report made in-process (the reports' content is
// the analysis layer's tests').
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "analysis/by_phase.h"
#include "analysis/density.h"
#include "analysis/dihedra.h"
#include "analysis/geometry.h"
#include "analysis/rose.h"
#include "analysis/orientation_statistics.h"
#include "analysis/report_table.h"
#include "analysis/rotation.h"
#include "analysis/leave_one_out.h"
#include "analysis/stress_bootstrap.h"
#include "analysis/given_stress.h"
#include "analysis/kinematics.h"
#include "analysis/mohr.h"
#include "analysis/separation.h"
#include "analysis/stress_inversion.h"
#include "analysis/stress_methods.h"
#include "analysis/stress_summary.h"
#include "data/curation.h"
#include "analysis/tendency.h"
#include "data/fault_reader.h"
#include "data/orientation_table.h"
#include "tests/support/test_support.h"

namespace orniva {
namespace {

using namespace analysis;

TEST(OrnivaAnalyseCli, CommandsAndRefusals) {
  test::TempDir dir;
  const std::string example = ORNIVA_EXAMPLE_FILE, two = dir.File("two.fdt"),
                    bad = dir.File("bad.fdt"), big = dir.File("big.fdt");
  test::WriteFile(two, "90 45 90 45 N\r\n400 45 90 45 R\r\n90 90 0 0 D\r\n");
  test::WriteFile(bad, "400 45 90 45 R\r\n");
  test::WriteFile(big, test::Repeat("1 2 3 4 N\n", 32761));
  const std::string five = dir.File("five.fdt"), empty = dir.File("empty.fdt");
  test::WriteFile(five, test::Repeat("90 45 90 45 N\r\n", 5));
  test::WriteFile(empty, "");
  const FaultSet data = test::DataFromLines(ReadDataFile(example).lines);
  std::array<StressResult, 5> every;
  for (std::size_t i = 0; i < every.size(); ++i)
    every[i] = InvertStress(data, kStressMethods[i], false);
  const InversionSetup michael = SetupOf(data, nullptr, StressMethod::Michael, false);
  const StressBootstrap bootstrap = BootstrapStress(michael, {40, 0.9, 5});
  const StressResult given = GivenStressResult(data, {{0, 90}, {90, 0}, 0.5});
  SeparationOptions few;
  few.candidates = 2000;
  const SeparationResult separated = SeparatePhases(data, few);
  few.seed = 7;
  few.cut = 25;
  const SeparationResult seven = SeparatePhases(data, few);
  // The whole report, or the last line of standard error.
  struct Row {
    std::vector<std::string> args;
    int status;
    std::string text;
  };
  // clang-format off
  const Row rows[] = {
      {{example, "kinematics"}, 0, KinematicsCsv(data).text},
      {{example, "bingham"}, 0, BinghamCsv(data).text},
      {{example, "density", "--of", "t", "--method=kamb"}, 0,
       DensityCsv(data, DensityOf::TAxes, DensityMethod::Kamb).text},
      {{example, "density", "--method", "one-percent", "--of=striations"}, 0,
       DensityCsv(data, DensityOf::Striations, DensityMethod::OnePercent).text},
      {{example, "dihedra"}, 0, DihedraCsv(data).text},
      {{example, "stress", "--iterate"}, 0, StressCsv(data, true).text},
      {{example, "misfit-angles"}, 0, MisfitAnglesCsv(data, false).text},
      {{example, "stress-summary", "--method", "fry"}, 0,
       StressSummaryCsv(InvertStress(data, StressMethod::Fry, false), StressMethod::Fry).text},
      {{example, "stress-methods"}, 0, StressMethodsCsv(every).text},
      {{example, "select", "--window", "350,10,0,90", "--of", "p"}, 0,
       SelectCsv(SelectInWindow(DirectionsOf(data, nullptr, DensityOf::PAxes), {350, 10, 0, 90})).text},
      {{example, "select", "--cone", "120,30,25"}, 0,
       SelectCsv(SelectInCone(DirectionsOf(data, nullptr, DensityOf::Poles), {{120, 30}, 25})).text},
      {{example, "rose", "--of", "strike", "--bin", "15"}, 0,
       RoseCsv(CountRose(data, nullptr, RoseOf::Strike, 15)).text},
      {{example, "back-tilt", "--bedding", "60,40", "--fraction", "0.5"}, 0,
       BackTiltCsv(RotateData(data, BackTiltRotation({60, 40}, 0.5)), nullptr).text},
      {{example, "tilt-test", "--bedding", "60,40", "--method", "shan"}, 0,
       TiltTestCsv(TiltTest(data, {60, 40}, StressMethod::Shan, false, nullptr)).text},
      {{example, "stress-bootstrap", "--samples", "40", "--seed=5", "--confidence", "0.9"}, 0,
       StressBootstrapCsv(bootstrap).text},
      {{example, "stress-bootstrap", "--samples=40", "--seed=5", "--confidence=.9", "--solutions"},
       0, BootstrapSolutionsCsv(bootstrap).text},
      {{example, "leave-one-out", "--method", "shan"}, 0,
       LeaveOneOutCsv(LeaveEachOut(SetupOf(data, nullptr, StressMethod::Shan, false))).text},
      {{example, "stress-bootstrap", "--samples", "0"}, 2,
       "orniva-analyse: --samples needs a whole number B from 1 to 1000000, not '0'"},
      {{example, "mohr", "--method", "shan"}, 0, MohrCsv(MohrOf(data, every[1])).text},
      {{example, "mohr", "--stress=0,90,90,0,0.5"}, 0, MohrCsv(MohrOf(data, given)).text},
      {{example, "misfit-angles", "--stress", "0,90,90,0,0.5"}, 0, MisfitAnglesCsv(given).text},
      {{two, "misfit-angles", "--stress", "0,0,95,0,0.5"}, 2, "orniva-analyse: " + two + ": sigma1 and sigma3 are 5.00 degrees off perpendicular (at most 1)"},
      {{example, "separate", "--candidates", "2000"}, 0, SeparationCsv(separated).text},
      {{example, "separate", "--assignments", "--candidates=2000", "--seed", "7", "--cut", "25"}, 0,
       SeparationAssignmentsCsv(seven).text},
      {{two, "separate"}, 2, "orniva-analyse: " + two + ": separation needs at least 5 faults; 2 given"},
      {{example, "tendency", "--magnitudes", "100,60,40", "--stress", "0,90,90,0,0.5"}, 0,
       TendencyCsv(FaultTendencies(data, nullptr, given, {100, 60, 40, 0})).text},
      {{example, "tendency", "--magnitudes", "100,60,40", "--pore-pressure=10"}, 0,
       TendencyCsv(FaultTendencies(data, nullptr, every[0], {100, 60, 40, 10})).text},
      {{example, "tendency-grid", "--of", "dilation", "--magnitudes=100,60,40", "--method", "fry"}, 0,
       TendencyGridCsv(every[2], {100, 60, 40, 0}, TendencyOf::Dilation).text},
      // The options table's refusals, one of each kind through the program.
      {{two, "bingham", "--iterate"}, 2,
       "orniva-analyse: option '--iterate' does not apply to bingham (see --help)"},
      {{two, "stress", "--method", "shan", "--iterate"}, 2,
       "orniva-analyse: --iterate applies only with --method michael, not with --method shan"},
      {{two, "mohr", "--stress", "0,90,90,0,0.5", "--method", "fry"}, 2,
       "orniva-analyse: --method cannot be given with --stress (a given stress is not inverted)"},
      {{two, "rose", "--of", "trend", "--bin", "1e-5"}, 2,
       "orniva-analyse: --bin needs W from 1 to 360, not '1e-5'"},
      {{two, "tendency", "--magnitudes", "100,60,40", "--pore-pressure", "-1e17"}, 2,
       "orniva-analyse: --pore-pressure needs PF from -1e12 to 1e12, not '-1e17'"},
      {{two, "tendency", "--magnitudes", "1e300,1e299,1e298"}, 2,
       "orniva-analyse: --magnitudes needs S1,S2,S3 (S1 from -1e12 to 1e12, S2 from -1e12 to "
       "1e12, S3 from -1e12 to 1e12), not '1e300,1e299,1e298'"},
      {{two, "bingham", "--curation", ""}, 2, "orniva-analyse: --curation needs a FILE"},
      {{two, "back-tilt"}, 2, "orniva-analyse: back-tilt needs --bedding or --bedding-from (see --help)"},
      {{two, "select", "--of", "t"}, 2, "orniva-analyse: " + two + ": select needs --window or --cone"},
      {{two, "select", "--window", "0,10,50,40"}, 2, "orniva-analyse: " + two +
       ": --window needs T1,T2,P1,P2 (trends 0 to 360, 0 <= P1 <= P2 <= 90), not '0,10,50,40'"},
      {{two, "rose", "--of", "trend", "--bin", "7"}, 2, "orniva-analyse: " + two +
       ": --bin needs a width in degrees that divides 360, not '7'"},
      {{two, "tendency", "--magnitudes", "1e12,1e12,999999999999.9999"}, 2, "orniva-analyse: " +
       two + ": sigma1 - sigma3 and sigma3 - pore pressure are too small beside the magnitudes "
       "(1e+12) to be told from 0"},
      {{five, "separate", "--candidates", "2000"}, 2,
       "orniva-analyse: " + five + ": the fault planes do not determine the stress (rank below 5)"},
      {{two, "tendency", "--magnitudes", "1,2,3"}, 2,
       "orniva-analyse: " + two + ": " + ParseMagnitudes("1,2,3", "").error},
      {{two, "tendency", "--magnitudes", "3,2,1"}, 2,
       "orniva-analyse: " + two + ": stress inversion needs at least 4 faults; 2 given"},
      {{dir.File("none.fdt"), "bingham"}, 2,
       "orniva-analyse: cannot read " + dir.File("none.fdt") + ": No such file or directory"},
      // After the bad-fields message; a report's refusal (the analyses' own
      // texts) named by the file.
      {{bad, "kinematics"}, 2, "orniva-analyse: " + bad + ": no usable data: every line failed a check"},
      {{empty, "kinematics"}, 2, "orniva-analyse: " + empty + ": the data file holds no data"},
      {{big, "bingham"}, 2, "orniva-analyse: " + big + ": Number of fault must be less than 32760"},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.args));
    const test::ProgramRun run = test::RunProgram(ORNIVA_TOOL_EXE, row.args, dir);
    EXPECT_EQ(run.status, row.status);
    if (row.status == 0) {
      EXPECT_EQ(run.out, row.text);
      continue;
    }
    const std::string err = run.err.substr(0, run.err.size() - 1);  // without the last break
    EXPECT_EQ(err.substr(err.rfind('\n') + 1), row.text);
    EXPECT_EQ(run.out, "");
  }
  const test::ProgramRun help = test::RunProgram(ORNIVA_TOOL_EXE, {"--help"}, dir);
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage: orniva-analyse DATAFILE COMMAND [OPTIONS]\n", 0), 0u);
}

// Runs orniva-analyse on `args` in `dir` and expects its exit `status` and
// `text`: the report, or when refused the last line on standard error.
// Returns what it wrote on standard error.
std::string ExpectRun(const test::TempDir& dir, const std::vector<std::string>& args, int status,
                      const std::string& text) {
  SCOPED_TRACE(testing::PrintToString(args));
  const test::ProgramRun run = test::RunProgram(ORNIVA_TOOL_EXE, args, dir);
  EXPECT_EQ(run.status, status);
  const std::string err = run.err.empty() ? "" : run.err.substr(0, run.err.size() - 1);
  EXPECT_EQ(status == 0 ? run.out : err.substr(err.rfind('\n') + 1), text);
  return run.err;
}

// The curation file beside the data (or named), --lines, --subset and
// --by-subset choose the data every command reads.
TEST(OrnivaAnalyseCli, TheCurationAndTheDataChosen) {
  test::TempDir dir;
  const std::vector<std::string> lines = {"90 45 90 45 N",   "270 60 270 60 N", "0 50 0 50 N",
                                          "180 70 180 70 N", "45 30 45 30 N",   "135 80 135 80 N"};
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  const std::string six = dir.File("six.fdt"), other = dir.File("other.json");
  test::WriteFile(six, text);
  Curation curation;
  curation.off = {2};
  curation.phases = {{"A", "#1b9e77", {1, 3, 4}, {}}, {"B, late", "#d95f02", {5, 6}, {}}};
  test::WriteFile(CurationPathFor(six), CurationText(curation, "six.fdt", 6, Sha256Hex(text)));
  test::WriteFile(other, CurationText(curation, "six.fdt", 6, Sha256Hex("other")));
  auto bingham = [&](const std::vector<std::string>& kept) {
    return BinghamCsv(test::DataFromLines(kept)).text;
  };
  Study study;
  study.data() = test::DataFromLines(lines);
  study.DataReplaced();
  study.SetCuration(CurationState::FromFile(curation, 6));
  const ReportKind& kinematics = *ReportKindNamed("kinematics");
  const CsvReport bySubset = ReportCsv(ByPhaseTable(
      study, [&](Study& s) { return RunReport(kinematics, s, {}); }, kinematics.columns));
  const struct {
    std::vector<std::string> args;
    int status;
    std::string text;  // the report, or the last line of standard error
  } rows[] = {
      {{six, "bingham"}, 0, bingham({lines[0], lines[2], lines[3], lines[4], lines[5]})},
      {{six, "bingham", "--lines", "1-3,6"}, 0, bingham({lines[0], lines[2], lines[5]})},
      {{six, "bingham", "--subset", "A"}, 0, bingham({lines[0], lines[2], lines[3]})},
      {{six, "kinematics", "--by-subset"}, 0, bySubset.text},
      {{six, "bingham", "--curation", other},
       2,
       "orniva-analyse: " + other + ": made for other data (the data file has changed since)"},
      {{six, "bingham", "--curation", dir.File("none.json")},
       2,
       "orniva-analyse: " + dir.File("none.json") + ": no such file or directory"},
      {{six, "bingham", "--no-curation"}, 0, bingham(lines)},
      {{six, "bingham", "--lines", "3-1"},
       2,
       "orniva-analyse: " + six + ": bad --lines item '3-1' (lines 1 to 6)"},
      {{six, "bingham", "--lines=7"},
       2,
       "orniva-analyse: " + six + ": bad --lines item '7' (lines 1 to 6)"},
      {{six, "bingham", "--lines=2"},
       2,
       "orniva-analyse: " + six +
           ": no datum of --lines 2 is in use (each failed a check or is switched off)"},
      {{six, "bingham", "--subset", "C"},
       2,
       "orniva-analyse: " + six + ": no phase named 'C' in the curation"},
      {{six, "stress", "--by-subset"},
       2,
       "orniva-analyse: " + six +
           ": no phase gave a result (phase A: stress inversion needs at least 4 faults; 3 given)"},
  };
  for (const auto& row : rows) ExpectRun(dir, row.args, row.status, row.text);
  EXPECT_NE(test::RunProgram(ORNIVA_TOOL_EXE, {six, "bingham"}, dir)
                .err.find(six + ": applying the curation file " + CurationPathFor(six) +
                          " (1 switched off, 2 phases)"),
            std::string::npos);
  test::WriteFile(six, text + "90 45 90 45 N\r\n");  // the curation is now stale
  const test::ProgramRun stale = test::RunProgram(ORNIVA_TOOL_EXE, {six, "bingham"}, dir);
  EXPECT_EQ(stale.status, 0);
  EXPECT_EQ(stale.out, BinghamCsv(test::DataFromLines([&] {
                         auto seven = lines;
                         seven.push_back(lines[0]);
                         return seven;
                       }()))
                           .text);
  EXPECT_NE(stale.err.find("warning: " + CurationPathFor(six) + ": made for a file of 6 lines"),
            std::string::npos);
}

// Each phase that can be analysed gives its rows, one that cannot a row
// saying why; misfit-angles lists the data used, as a file of only those
// lines would.
TEST(OrnivaAnalyseCli, PhasesAndTheDataUsed) {
  test::TempDir dir;
  const std::string data = dir.File("data.fdt");
  const std::string text = test::ReadFile(ORNIVA_EXAMPLE_FILE);
  test::WriteFile(data, text);
  const std::vector<std::string> lines = ReadDataFile(data).lines;
  const std::vector<std::string> first(lines.begin(), lines.begin() + 10);
  Curation curation;
  curation.phases = {{"A", "#1b9e77", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {}},
                     {"B", "#d95f02", {11, 12}, {}}};
  test::WriteFile(CurationPathFor(data),
                  CurationText(curation, "data.fdt", int(lines.size()), Sha256Hex(text)));
  const std::string stressA = StressCsv(test::DataFromLines(first), false).text;
  const test::ProgramRun bySubset =
      test::RunProgram(ORNIVA_TOOL_EXE, {data, "stress", "--by-subset"}, dir);
  EXPECT_EQ(bySubset.status, 0);
  EXPECT_EQ(bySubset.out, "subset," + stressA.substr(0, stressA.find('\n') + 1) + "A," +
                              stressA.substr(stressA.find('\n') + 1) +
                              "B,\"stress inversion needs at least 4 faults; 2 given\",,,,,,,,,\n");
  EXPECT_NE(bySubset.err.find(data + ": warning: phase B: stress inversion needs at least 4 "
                                     "faults; 2 given"),
            std::string::npos);
  const test::ProgramRun used = test::RunProgram(
      ORNIVA_TOOL_EXE, {data, "misfit-angles", "--lines", "1-10", "--no-curation"}, dir);
  EXPECT_EQ(used.out, MisfitAnglesCsv(test::DataFromLines(first), false).text);
}

// An orientation table: the reports of orientations on its rows chosen
// by --lines (its file's lines), --subset and --by-subset (its sets), each
// equal to the report made in-process; the reports of faults refused.
TEST(OrnivaAnalyseCli, OrientationTables) {
  test::TempDir dir;
  const std::string table = dir.File("t.orient.csv"), example = ORNIVA_EXAMPLE_FILE;
  test::WriteFile(table,
                  "kind,azimuth,angle,set\nplane,90,30,S0\nplane,90,30,S0\nline,200,10,L1\n"
                  "plane,95,40,\nplane,90,95,S0\nline,210,20,L1\n");
  const std::vector<OrientationRecord> records = ReadOrientationFile(table).records;
  // The report `name` of the records whose index `keep` holds, in-process.
  auto report = [&records](const char* name, std::vector<bool> keep, const char* of = "poles") {
    Study none;
    ReportRequest request;
    request.options["--of"] = of;
    request.orientations = &records;
    request.orientationUse = &keep;
    return ReportCsv(ReportKindNamed(name)->run(none, request)).text;
  };
  const FaultSet data = test::DataFromLines(ReadDataFile(example).lines);
  Study study;
  study.Replace(data, {}, {});
  ReportRequest striations;
  striations.options["--of"] = "lines";
  const std::string same = "n,trend,plunge,r,k,alpha,csd\n2,270.00,60.00,2.0000,,0.00,0.00\n";
  struct Row {
    std::vector<std::string> args;
    int status;
    std::string text;  // the report, or the last line on standard error
  };
  const Row rows[] = {
      {{table, "fisher", "--subset", "S0"}, 0, same},
      {{table, "fisher", "--lines", "2-4"}, 0, same},
      {{table, "fisher", "--by-subset"},
       0,
       "subset,n,trend,plunge,r,k,alpha,csd\nS0,2,270.00,60.00,2.0000,,0.00,0.00\n"
       "L1,no plane or line to analyse,,,,,,\n"},
      {{table, "fabric", "--of", "lines", "--subset", "L1"},
       0,
       report("fabric", {false, false, true, false, true}, "lines")},
      {{table, "fold-axis"}, 0, report("fold-axis", {true, true, true, true, true})},
      {{example, "fisher", "--of", "lines"},
       0,
       ReportCsv(ReportKindNamed("fisher")->run(study, striations)).text},
      {{table, "stress"},
       2,
       "orniva-analyse: " + table + ": stress analyses fault-slip data, not an orientation table"},
      {{table, "fisher", "--subset", "S9"},
       2,
       "orniva-analyse: " + table + ": no set named S9 in its set column"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.args));
    const test::ProgramRun run = test::RunProgram(ORNIVA_TOOL_EXE, row.args, dir);
    EXPECT_EQ(run.status, row.status);
    if (row.status == 0) {
      EXPECT_EQ(run.out, row.text);
      if (row.args[0] == table) {
        EXPECT_NE(run.err.find("1 of 6 rows were left out (a value failed its check). Consult "
                               "the file VORN.log."),
                  std::string::npos);
      }
      continue;
    }
    const std::string err = run.err.substr(0, run.err.size() - 1);
    EXPECT_EQ(err.substr(err.rfind('\n') + 1), row.text);
  }
}

// An orientation table's curation file, as a data file's: its rows
// switched off left out, its sets named by --subset and --by-subset; the
// set column with --no-curation or a curation file made for other data
// (said on standard error); one named by --curation for other data refused.
TEST(OrnivaAnalyseCli, OrientationTablesFollowTheirCuration) {
  test::TempDir dir;
  const std::string text =
      "kind,azimuth,angle,set\nplane,90,30,S0\nplane,90,30,S0\nplane,270,50,S0\n"
      "line,200,10,L1\nline,210,20,L1\n";
  const std::string table = dir.File("t.orient.csv"), moved = dir.File("m.orient.csv"),
                    other = dir.File("other.json");
  Curation curation;
  curation.off = {3};
  // The sets in the curation's order, not the rows'.
  curation.phases = {{"lineation", "#d95f02", {4, 5}, {}}, {"bedding", "#1b9e77", {1, 2, 3}, {}}};
  test::WriteFile(table, text);
  test::WriteFile(moved, text);
  test::WriteFile(CurationPathFor(table),
                  CurationText(curation, "t.orient.csv", 5, Sha256Hex(text)));
  test::WriteFile(other, CurationText(curation, "t.orient.csv", 5, Sha256Hex("other")));
  test::WriteFile(CurationPathFor(moved), CurationText(curation, "m.orient.csv", 5, Sha256Hex("")));
  const std::vector<OrientationRecord> records = ReadOrientationFile(table).records;
  // The Fisher report of the records whose index `keep` holds, in-process.
  auto fisher = [&records](std::vector<bool> keep) {
    Study none;
    ReportRequest request;
    request.orientations = &records;
    request.orientationUse = &keep;
    return ReportCsv(ReportKindNamed("fisher")->run(none, request)).text;
  };
  const std::string two = fisher({true, true, false, false, false});
  const struct {
    std::vector<std::string> args;
    int status;
    std::string text;  // the report, or the last line on standard error
    std::string err;   // a line standard error holds
  } rows[] = {
      {{table, "fisher"},
       0,
       fisher({true, true, false, true, true}),
       table + ": applying the curation file " + CurationPathFor(table) +
           " (1 switched off, 2 sets)"},
      {{table, "fisher", "--subset", "bedding"}, 0, two, ""},
      {{table, "fisher", "--by-subset"},
       0,
       "subset," + two.substr(0, two.find('\n') + 1) +
           "lineation,no plane or line to analyse,,,,,,\n" + "bedding," +
           two.substr(two.find('\n') + 1),
       ""},
      {{table, "fisher", "--subset", "S0"},
       2,
       "orniva-analyse: " + table + ": no set named S0 in the curation",
       ""},
      {{table, "fisher", "--no-curation", "--subset", "S0"},
       0,
       fisher({true, true, true, false, false}),
       ""},
      {{table, "fisher", "--curation", other},
       2,
       "orniva-analyse: " + other + ": made for other data (the data file has changed since)",
       ""},
      {{moved, "fisher", "--subset", "S0"},
       0,
       fisher({true, true, true, false, false}),
       "warning: " + CurationPathFor(moved) +
           ": made for other data (the data file has changed since); the curation is not "
           "applied"},
  };
  for (const auto& row : rows)
    EXPECT_NE(ExpectRun(dir, row.args, row.status, row.text).find(row.err), std::string::npos);
  // A fault data set back-tilted by the mean of a set's poles in use, as by
  // that bedding typed.
  const std::string data = dir.File("d.fdt");
  test::WriteFile(data, "120 40 120 40 N\r\n300 70 300 70 R\r\n");
  std::vector<bool> bedding = {true, true, false, false, false};
  const analysis::Bedding mean =
      analysis::MeanBeddingOf(OrientationDirections(records, OrientationOf::Poles, &bedding))
          .bedding;
  char typed[64];
  std::snprintf(typed, sizeof typed, "%.17g,%.17g", mean.dipDirection, mean.dip);
  const std::string tilted =
      test::RunProgram(ORNIVA_TOOL_EXE, {data, "back-tilt", "--bedding", typed}, dir).out;
  ASSERT_NE(tilted, "");
  EXPECT_NE(ExpectRun(dir, {data, "back-tilt", "--bedding-from", table, "--bedding-set", "bedding"},
                      0, tilted)
                .find(table + ": the bedding is the mean of set bedding, "),
            std::string::npos);
  ExpectRun(dir, {data, "tilt-test", "--bedding-from", table, "--bedding-set", "none"}, 2,
            "orniva-analyse: " + table + ": no set named none in the curation");
}

}  // namespace
}  // namespace orniva
