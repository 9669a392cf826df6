// orniva-import run as a process: its options, the data file written, the
// problems by input line and the exit status (the conversions themselves are
// the import conventions' tests').
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/test_support.h"

namespace orniva {
namespace {

TEST(OrnivaImportCli, OptionsStatusMessagesAndTheDataFile) {
  test::TempDir dir;
  const std::string in = dir.File("field.csv"), out = dir.File("field.fdt");
  // The data file written, or "" for none; standard error, of a refusal
  // only its start.
  struct Row {
    std::string table;
    std::vector<std::string> args;
    int status;
    std::string err, data;
  };
  // clang-format off
  const Row rows[] = {
      {"site,strike,dip,pitch,sense\r\nA,N30E,45NW,10NE,normal\r\n# a note\r\nB,0,45E,90S,thrust\r\n",
       {"--plane", "strike-quadrant", "--line=pitch-quadrant", "--columns", "2,3,4,5"}, 0, "",
       "300 45 22.892923 7.053022 N\r\n90 45 90 45 R\r\n"},
      {"90\t45\t-90\n90\t95\t0\n90\t45\t200\n", {"--plane=dip-direction", "--line=rake-aki"}, 1,
       "orniva-import: " + in + " line 2: dip '95' is not a number from 0 to 90\n"
       "orniva-import: " + in + " line 3: rake '200' is not a number from -180 to 180\n",
       "90 45 90 45 N\r\n"},
      {"90 45 90 N\n", {"--line", "rake"}, 2, "orniva-import: ", ""},
      {"90 45 90 N\n", {"--plane", "strike", "--line", "rake"}, 2, "orniva-import: ", ""},
      {"90 45 90 N\n", {"--plane", "dip-direction", "--line", "rake", "--sense-map", "U=up"}, 2,
       "orniva-import: ", ""},
      {"90 45 90 N\n", {"--plane", "dip-direction", "--line", "rake", "--columns", "0,1"}, 2,
       "orniva-import: ", ""},
      {"", {"--plane=strike-rhr", "--line=rake"}, 2,
       "orniva-import: cannot read " + dir.File("none.csv") + ": No such file or directory\n", ""},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.args));
    const bool missing = row.table.empty();
    if (!missing) test::WriteFile(in, row.table);
    std::vector<std::string> args{missing ? dir.File("none.csv") : in, out};
    args.insert(args.end(), row.args.begin(), row.args.end());
    const test::ProgramRun run = test::RunProgram(ORNIVA_TOOL_EXE, args, dir);
    EXPECT_EQ(run.status, row.status);
    EXPECT_EQ(row.status == 2 ? run.err.substr(0, row.err.size()) : run.err, row.err);
    EXPECT_EQ(row.data.empty() ? "" : test::ReadFile(out), row.data);
  }
}

}  // namespace
}  // namespace orniva
