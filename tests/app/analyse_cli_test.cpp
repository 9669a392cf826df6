// orniva-analyse run as a process: the command table, its refusals and the
// reports' framing (the reports' content is the analysis layer's tests').
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/test_support.h"

namespace orniva {
namespace {

using test::ReadFile;
using test::WriteFile;

TEST(OrnivaAnalyseCli, CommandsAndRefusals) {
  test::TempDir dir;
  const std::string data = dir.File("data.fdt"), bad = dir.File("bad.fdt");
  WriteFile(data, "90 45 90 45 N\r\n400 45 90 45 R\r\n90 90 0 0 D\r\n");
  WriteFile(bad, "400 45 90 45 R\r\n");
  // The first line of the report, or the last line of standard error.
  struct Row { std::vector<std::string> args; int status; std::string line; };
  const Row rows[] = {
      {{data, "kinematics"}, 0, "line,misfit,p_trend,p_plunge,t_trend,t_plunge,b_trend,b_plunge"},
      {{data, "bingham"}, 0, "axis,trend,plunge,eigenvalue"},
      {{"--help"}, 0, "Usage: orniva-analyse DATAFILE COMMAND [OPTIONS]"},
      {{}, 2, "orniva-analyse: expected DATAFILE and COMMAND (see --help)"},
      {{data, "rose"}, 2, "orniva-analyse: unknown command 'rose' (see --help)"},
      {{data, "bingham", "--iterate"}, 2, "orniva-analyse: unknown option '--iterate' for bingham"},
      {{data, "density", "--of", "t", "--method=kamb"}, 0, "trend,plunge,value"},
      {{data, "dihedra"}, 0, "trend,plunge,value"},
      {{data, "stress", "--iterate"}, 2,
       "orniva-analyse: " + data + ": stress inversion needs at least 4 faults; 2 given"},
      {{data, "misfit-angles", "--iterate=yes"}, 2,
       "orniva-analyse: option '--iterate' takes no value"},
      {{data, "density", "--of", "b", "--method", "kamb"}, 2, "orniva-analyse: unknown value 'b' for --of"},
      {{data, "density", "--of"}, 2, "orniva-analyse: option '--of' needs a value"},
      {{data, "density", "--of", "p"}, 2, "orniva-analyse: density needs --method (see --help)"},
      {{dir.File("none.fdt"), "bingham"}, 2,
       "orniva-analyse: cannot read " + dir.File("none.fdt") + ": No such file or directory"},
      {{bad, "kinematics"}, 2, "orniva-analyse: " + bad + ": no usable data: every line failed a check"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.args));
    const test::ProgramRun run = test::RunProgram(ORNIVA_TOOL_EXE, row.args, dir);
    EXPECT_EQ(run.status, row.status);
    if (row.status == 0) {
      EXPECT_EQ(run.out.substr(0, run.out.find('\n')), row.line);
      continue;
    }
    const std::string err = run.err.substr(0, run.err.size() - 1);  // without the last break
    EXPECT_EQ(err.substr(err.rfind('\n') + 1), row.line);
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(test::RunProgram(ORNIVA_TOOL_EXE, {bad, "bingham"}, dir).err,
            "Data file has at least one error.\nConsult the file VORN.log.\n"
            "orniva-analyse: " + bad + ": no usable data: every line failed a check\n");
  EXPECT_EQ(ReadFile(dir.File("VORN.log")), "bad.fdt\r\n  faz invalid at line #1\r\n");
  const std::string report = test::RunProgram(ORNIVA_TOOL_EXE, {data, "kinematics"}, dir).out;
  EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 3);  // header and the two data used
  EXPECT_EQ(report.find('\r'), std::string::npos);
}

}  // namespace
}  // namespace orniva
