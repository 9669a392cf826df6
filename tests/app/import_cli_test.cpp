// orniva-import: tables converted to data files, problems by input line,
// and its exit status.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/test_support.h"

namespace orniva {
namespace {

class OrnivaImportCli : public ::testing::Test {
 protected:
  test::ProgramRun Run(const std::string& table, std::vector<std::string> args) {
    test::WriteFile(in_, table);
    args.insert(args.begin(), {in_, out_});
    return test::RunProgram(ORNIVA_TOOL_EXE, args, dir_);
  }
  test::TempDir dir_;
  const std::string in_ = dir_.File("field.csv");
  const std::string out_ = dir_.File("field.fdt");
};

TEST_F(OrnivaImportCli, ConvertsAHeadedTableByItsColumns) {
  const test::ProgramRun run =
      Run("site,strike,dip,pitch,sense\r\nA,N30E,45NW,10NE,normal\r\n# a note\r\nB,0,45E,90S,thrust\r\n",
          {"--plane", "strike-quadrant", "--line=pitch-quadrant", "--columns", "2,3,4,5"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(test::ReadFile(out_), "300 45 22.892923 7.053022 N\r\n90 45 90 45 R\r\n");
}

TEST_F(OrnivaImportCli, RowsThatFailAreNamedAndTheOthersWritten) {
  const test::ProgramRun run = Run("90\t45\t-90\n90\t95\t0\n90\t45\t200\n", {"--plane=dip-direction", "--line=rake-aki"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "orniva-import: " + in_ + " line 2: dip '95' is not a number from 0 to 90\n"
                     "orniva-import: " + in_ + " line 3: rake '200' is not a number from -180 to 180\n");
  EXPECT_EQ(test::ReadFile(out_), "90 45 90 45 N\r\n");
}

TEST_F(OrnivaImportCli, RefusalsExitWithTwo) {
  const std::vector<std::vector<std::string>> rows = {
      {"--line", "rake"},
      {"--plane", "strike", "--line", "rake"},
      {"--plane", "dip-direction", "--line", "rake", "--sense-map", "U=up"},
      {"--plane", "dip-direction", "--line", "rake", "--columns", "0,1"},
  };
  for (const auto& args : rows) {
    const test::ProgramRun run = Run("90 45 90 N\n", args);
    EXPECT_EQ(run.status, 2) << testing::PrintToString(args);
    EXPECT_EQ(run.err.rfind("orniva-import: ", 0), 0u) << run.err;
  }
  const test::ProgramRun missing =
      test::RunProgram(ORNIVA_TOOL_EXE, {dir_.File("none.csv"), out_, "--plane=strike-rhr", "--line=rake"}, dir_);
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err, "orniva-import: cannot read " + dir_.File("none.csv") + ": No such file or directory\n");
}

}  // namespace
}  // namespace orniva
