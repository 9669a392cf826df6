// orniva-analyse run as a process: the command table, its refusals, and each
// report equal to the same report made in-process (the reports' content is
// the analysis layer's tests').
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/density.h"
#include "analysis/dihedra.h"
#include "analysis/kinematics.h"
#include "analysis/stress_inversion.h"
#include "analysis/stress_methods.h"
#include "analysis/stress_summary.h"
#include "analysis/tendency.h"
#include "data/fault_reader.h"
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
  const FaultSet data = test::DataFromLines(ReadDataFile(example).lines);
  std::array<StressResult, 5> every;
  for (std::size_t i = 0; i < every.size(); ++i)
    every[i] = InvertStress(data, kStressMethods[i], false);
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
      {{example, "tendency", "--magnitudes", "100,60,40", "--pore-pressure=10"}, 0,
       TendencyCsv(FaultTendencies(data, nullptr, every[0], {100, 60, 40, 10})).text},
      {{example, "tendency-grid", "--of", "dilation", "--magnitudes=100,60,40", "--method", "fry"}, 0,
       TendencyGridCsv(every[2], {100, 60, 40, 0}, TendencyOf::Dilation).text},
      {{}, 2, "orniva-analyse: expected DATAFILE and COMMAND (see --help)"},
      {{two, "rose"}, 2, "orniva-analyse: unknown command 'rose' (see --help)"},
      {{two, "bingham", "--iterate"}, 2, "orniva-analyse: unknown option '--iterate' for bingham"},
      {{two, "misfit-angles", "--iterate=yes"}, 2, "orniva-analyse: option '--iterate' takes no value"},
      {{two, "density", "--of", "b", "--method", "kamb"}, 2, "orniva-analyse: unknown value 'b' for --of"},
      {{two, "density", "--of"}, 2, "orniva-analyse: option '--of' needs a value"},
      {{two, "density", "--of", "p"}, 2, "orniva-analyse: density needs --method (see --help)"},
      {{two, "tendency-grid", "--magnitudes", "3,2,1"}, 2,
       "orniva-analyse: " + two + ": tendency-grid needs --of (see --help)"},
      {{two, "tendency", "--magnitudes", "1,2,3"}, 2,
       "orniva-analyse: " + two + ": " + ParseMagnitudes("1,2,3", "").error},
      {{two, "tendency", "--magnitudes", "3,2,1"}, 2,
       "orniva-analyse: " + two + ": stress inversion needs at least 4 faults; 2 given"},
      {{dir.File("none.fdt"), "bingham"}, 2,
       "orniva-analyse: cannot read " + dir.File("none.fdt") + ": No such file or directory"},
      // After the bad-fields message; a report's refusal (the analyses' own
      // texts) named by the file.
      {{bad, "kinematics"}, 2, "orniva-analyse: " + bad + ": no usable data: every line failed a check"},
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

}  // namespace
}  // namespace orniva
