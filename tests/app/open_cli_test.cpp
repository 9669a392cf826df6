// How the command-line tools open a data file's curation file: whatever is
// at its path is applied, warned about or refused with the file and the
// reason; nothing blocks (a pipe there is never waited on) and nothing is
// passed over in silence.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "data/curation.h"
#include "data/fault_reader.h"
#include "tests/support/test_support.h"

namespace orniva {
namespace {

const std::string kData = "90 45 90 45 N\n270 60 270 60 N\n0 50 0 50 R\n180 70 180 70 N\n";

struct OpenCase {
  const char* name;
  std::function<void(const std::string& curation, const test::TempDir& dir)> make;
  int status;
  // The last line on standard error ("" for none): @ stands for the curation
  // file, % for the data file; a line with either starts with the program.
  std::string last;
};

// Runs `tool` on d.fdt of `dir` with `args` (OUT: a file in `dir`), stopped
// after 20 s (as a hang).
test::ProgramRun Run(const std::string& tool, std::vector<std::string> args,
                     const test::TempDir& dir) {
  for (std::string& arg : args)
    if (arg == "OUT") arg = dir.File("out.svg");
  args.insert(args.begin(), {"20", tool, dir.File("d.fdt")});
  return test::RunProgram("timeout", args, dir);
}

void ExpectEveryCase(const std::string& tool, const std::string& name,
                     const std::vector<std::string>& args) {
  auto curation = [](std::vector<int> off, const std::string& data) {
    Curation c;
    c.off = std::move(off);
    return CurationText(c, "d.fdt", int(SplitDataLines(data).size()), Sha256Hex(data));
  };
  // clang-format off
  const OpenCase cases[] = {
      {"none", [](const std::string&, const test::TempDir&) {}, 0, ""},
      {"applied", [&](const std::string& p, const test::TempDir&) { test::WriteFile(p, curation({2}, kData)); }, 0,
       "%: applying the curation file @ (1 switched off, 0 phases)"},
      {"other data", [&](const std::string& p, const test::TempDir&) { test::WriteFile(p, curation({2}, kData + "\n")); }, 0,
       "warning: @: made for a file of 5 lines; the curation is not applied"},
      {"not JSON", [](const std::string& p, const test::TempDir&) { test::WriteFile(p, "["); }, 2,
       "@: not a curation file (not JSON: unexpected end of the text)"},
      {"a pipe", [](const std::string& p, const test::TempDir&) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); }, 2, "@: not a regular file"},
      {"a folder", [](const std::string& p, const test::TempDir&) { ASSERT_EQ(mkdir(p.c_str(), 0700), 0); }, 2, "@: not a regular file"},
      {"a dangling link", [](const std::string& p, const test::TempDir& d) { ASSERT_EQ(symlink(d.File("gone").c_str(), p.c_str()), 0); }, 2,
       "@: a link to a file that does not exist"},
      {"a loop of links", [](const std::string& p, const test::TempDir&) { ASSERT_EQ(symlink(p.c_str(), p.c_str()), 0); }, 2,
       "@: too many levels of symbolic links"},
  };
  // clang-format on
  for (const OpenCase& row : cases) {
    SCOPED_TRACE(name + ": " + row.name);
    test::TempDir dir;
    test::WriteFile(dir.File("d.fdt"), kData);
    const std::string path = CurationPathFor(dir.File("d.fdt"));
    row.make(path, dir);
    const test::ProgramRun run = Run(tool, args, dir);
    EXPECT_EQ(run.status, row.status);
    std::string expected = row.last;
    if (const std::size_t at = expected.find('@'); at != std::string::npos)
      expected = name + ": " + expected.replace(at, 1, path);
    if (const std::size_t at = expected.find('%'); at != std::string::npos)
      expected.replace(at, 1, dir.File("d.fdt"));
    const std::string err = run.err.empty() ? "" : run.err.substr(0, run.err.size() - 1);
    EXPECT_EQ(err.substr(err.rfind('\n') + 1), expected);
  }
}

TEST(OpeningOnTheCommandLine, EveryCurationFileBesideTheData) {
  ExpectEveryCase(ORNIVA_ANALYSE_EXE, "orniva-analyse", {"bingham"});
#ifdef ORNIVA_PLOT_EXE
  ExpectEveryCase(ORNIVA_PLOT_EXE, "orniva-plot", {"OUT"});
#endif
}

}  // namespace
}  // namespace orniva
