// The parts of the command-line tools below their programs: the files of
// orniva-plot --by-subset and the progress line of a long run.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/phase_files.h"
#include "app/progress.h"

namespace orniva::cli {
namespace {

TEST(PhaseFiles, OnePhaseOneFileNamedSafely) {
  const struct {
    std::vector<std::string> names;
    std::vector<std::string> paths;
    std::string error;
  } rows[] = {
      {{"A", "B, late"}, {"d/f-A.svg", "d/f-B, late.svg"}, ""},
      {{"a/b", "a_b", "50%"}, {"d/f-a%2Fb.svg", "d/f-a_b.svg", "d/f-50%25.svg"}, ""},
      {{std::string("x\0y", 3), "\xE2\x80\xAEgpj", "\xC3\xA9t\xC3\xA9", "\xFF"},
       {"d/f-x%00y.svg", "d/f-%E2%80%AEgpj.svg", "d/f-\xC3\xA9t\xC3\xA9.svg", "d/f-%FF.svg"},
       ""},
      {{"A", "A"}, {}, "two phases are named A; each figure needs its own"},
      {{std::string(260, 'n')},
       {},
       "phase " + std::string(260, 'n') +
           ": its figure's file name would be longer than the 255 bytes its folder takes"},
      {std::vector<std::string>(101, "p"),
       {},
       "101 phases would make as many figures; at most 100 are written at once (choose with "
       "--subset)"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.error);
    const PhaseFiles files = PhaseFilesFor("d/f.svg", row.names);
    EXPECT_EQ(files.error, row.error);
    if (row.error.empty()) {
      EXPECT_EQ(files.paths, row.paths);
    }
  }
}

// Printed only when shown and once the delay has passed; a line per whole
// per cent, cleared at the end.
TEST(Progress, ShownOnlyWhenAskedAndAfterItsDelay) {
  const struct {
    bool shown;
    std::chrono::milliseconds delay;
    std::string written;
  } rows[] = {
      {true, std::chrono::milliseconds(0), "\rrun 0%\rrun 50%\r       \r"},
      {false, std::chrono::milliseconds(0), ""},
      {true, std::chrono::hours(1), ""},
  };
  for (const auto& row : rows) {
    std::FILE* out = std::tmpfile();
    {
      Progress progress("run", row.shown, out, row.delay);
      for (double share : {0.0, 0.001, 0.5, 0.501}) progress.Update(share);
    }
    std::rewind(out);
    std::string written(64, '\0');
    written.resize(std::fread(written.data(), 1, written.size(), out));
    std::fclose(out);
    EXPECT_EQ(written, row.written);
  }
}

}  // namespace
}  // namespace orniva::cli
