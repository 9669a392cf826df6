// The batch renderer run as a process: exit status, standard error, the log
// beside the data and the picture file. Every picture is compared byte for
// byte with the same plot drawn in-process, so the program adds nothing of
// its own to the drawing.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "data/fault_data.h"
#include "data/fault_reader.h"
#include "platform/emf.h"
#include "platform/emf_reader.h"
#include "platform/picture.h"
#include "plot/fault_plane_diagram.h"
#include "plot/net.h"
#include "plot/tangent_lineation_diagram.h"
#include "tests/support/test_support.h"

extern char** environ;

namespace orniva {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

const std::string kErrorMessage = "Data file has at least one error.\nConsult the file VORN.log.\n";

struct Outcome {
  int status = -1;  // exit status, or -1 when the process did not exit normally
  std::string out;
  std::string err;
};

// Runs orniva-plot with `args`, standard output and error going to files in `dir`.
Outcome RunPlot(const TempDir& dir, const std::vector<std::string>& args) {
  const std::string outPath = dir.File("stdout.txt");
  const std::string errPath = dir.File("stderr.txt");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);

  std::vector<std::string> all{ORNIVA_PLOT_EXE};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : all) argv.push_back(arg.data());
  argv.push_back(nullptr);

  Outcome outcome;
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, ORNIVA_PLOT_EXE, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    ADD_FAILURE() << "cannot start " << ORNIVA_PLOT_EXE << ": " << std::strerror(spawned);
    return outcome;
  }
  int wstatus = 0;
  if (waitpid(pid, &wstatus, 0) == pid && WIFEXITED(wstatus)) outcome.status = WEXITSTATUS(wstatus);
  outcome.out = ReadFile(outPath);
  outcome.err = ReadFile(errPath);
  return outcome;
}

bool Exists(const std::string& path) { return std::filesystem::exists(path); }

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
  const std::string text = ReadFile(path);
  return std::vector<std::uint8_t>(text.begin(), text.end());
}

std::uint32_t U32At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return std::uint32_t(bytes[at]) | std::uint32_t(bytes[at + 1]) << 8 |
         std::uint32_t(bytes[at + 2]) << 16 | std::uint32_t(bytes[at + 3]) << 24;
}

// The picture as the window starts it: the net geometry and the empty net.
struct PlotSetup {
  Picture picture;
  PlotTarget target;

  explicit PlotSetup(SymbolSize size = SymbolSize::Medium) {
    target.picture = &picture;
    target.symbolSize = size;
    InitNetGeometry(target.geometry);
    RenderPlot(target, {});
  }
};

enum class Diagram { FaultPlanes, TangentLineation };

// Loads `dataPath` and draws it in-process the way the window does.
std::vector<std::uint8_t> DrawInProcess(const std::string& dataPath, Diagram diagram,
                                        std::int16_t highlight = -1,
                                        SymbolSize size = SymbolSize::Medium) {
  test::MessageRecorder quiet;
  PlotSetup setup(size);
  const std::vector<std::string> lines = ReadDataLines(dataPath);
  FaultSet data;
  data.Recreate(std::int16_t(lines.size()));
  ParseFaultLines(lines, dataPath, data);
  AssignColours(data);
  if (diagram == Diagram::FaultPlanes)
    PlotFaultPlanes(data, setup.target, highlight);
  else
    PlotTangentLineation(data, setup.target, highlight);
  return EncodeEmf(setup.picture);
}

std::vector<std::uint8_t> EmptyNet() {
  PlotSetup setup;
  return EncodeEmf(setup.picture);
}

// Fails unless `err` is exactly one line that starts with the program's name.
void ExpectOneErrorLine(const std::string& err) {
  EXPECT_EQ(err.rfind("orniva-plot: ", 0), 0u) << err;
  ASSERT_FALSE(err.empty());
  EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
}

// A copy of the example in a temporary folder, so that its log lands there.
class OrnivaPlotCli : public ::testing::Test {
 protected:
  void SetUp() override { WriteFile(example_, ReadFile(ORNIVA_EXAMPLE_FDT)); }

  TempDir dir_;
  const std::string example_ = dir_.File("example.fdt");
  const std::string output_ = dir_.File("plot.emf");
};

TEST_F(OrnivaPlotCli, HelpDescribesUsageAndExitsZero) {
  const Outcome run = RunPlot(dir_, {"--help"});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("Usage: orniva-plot DATAFILE OUTFILE.emf"), std::string::npos) << run.out;
  for (const char* word : {"--diagram", "--highlight", "--symbol-size", "tangent-lineation"})
    EXPECT_NE(run.out.find(word), std::string::npos) << word;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(RunPlot(dir_, {"-h"}).status, 0);
}

TEST_F(OrnivaPlotCli, ExampleRendersAsWellFormedEmf) {
  for (const char* diagram : {"fault-planes", "tangent-lineation"}) {
    SCOPED_TRACE(diagram);
    const Outcome run = RunPlot(dir_, {example_, output_, "--diagram", diagram});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(ReadFile(dir_.File("VORN.log")), "example.fdt\r\nNo error\r\n");

    const std::vector<std::uint8_t> emf = ReadBytes(output_);
    ASSERT_GT(emf.size(), emf::kHeaderSize + emf::kEofSize);
    EXPECT_EQ(U32At(emf, 0), emf::kHeader);
    EXPECT_EQ(U32At(emf, 40), emf::kSignature);
    EXPECT_EQ(std::memcmp(emf.data() + 40, " EMF", 4), 0);
    EXPECT_EQ(U32At(emf, 48), emf.size());  // nBytes
    EXPECT_EQ(U32At(emf, emf.size() - emf::kEofSize), emf::kEof);
    EXPECT_EQ(U32At(emf, emf.size() - emf::kEofSize + 4), emf::kEofSize);
  }
}

TEST_F(OrnivaPlotCli, DefaultsDrawFaultPlanesMediumWithoutHighlight) {
  const Outcome run = RunPlot(dir_, {example_, output_});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(ReadBytes(output_), DrawInProcess(example_, Diagram::FaultPlanes));
}

TEST_F(OrnivaPlotCli, PictureEqualsTheInProcessPlot) {
  struct Case {
    std::vector<std::string> options;
    Diagram diagram;
    std::int16_t highlight;
    SymbolSize size;
  };
  const std::vector<Case> cases = {
      {{"--diagram", "fault-planes"}, Diagram::FaultPlanes, -1, SymbolSize::Medium},
      {{"--diagram", "tangent-lineation"}, Diagram::TangentLineation, -1, SymbolSize::Medium},
      {{"--highlight", "20"}, Diagram::FaultPlanes, 20, SymbolSize::Medium},
      {{"--diagram=tangent-lineation", "--highlight=34", "--symbol-size=large"},
       Diagram::TangentLineation,
       34,
       SymbolSize::Large},
      {{"--symbol-size", "small", "--highlight", "1"}, Diagram::FaultPlanes, 1, SymbolSize::Small},
      {{"--symbol-size", "medium", "--diagram", "tangent-lineation"},
       Diagram::TangentLineation,
       -1,
       SymbolSize::Medium},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = c.options;
    args.insert(args.begin(), {example_, output_});
    SCOPED_TRACE(testing::PrintToString(args));
    const Outcome run = RunPlot(dir_, args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(output_), DrawInProcess(example_, c.diagram, c.highlight, c.size));
  }
}

TEST_F(OrnivaPlotCli, OptionsMayPrecedeTheOperands) {
  const Outcome run = RunPlot(dir_, {"--diagram", "tangent-lineation", example_, output_});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(ReadBytes(output_), DrawInProcess(example_, Diagram::TangentLineation));
}

TEST_F(OrnivaPlotCli, BadArgumentsGiveOneLineAndStatusTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {example_},
      {example_, output_, "extra.emf"},
      {"--frobnicate", example_, output_},
      {example_, output_, "-x"},
      {example_, output_, "--diagram", "rose"},
      {example_, output_, "--diagram"},
      {example_, output_, "--highlight", "0"},
      {example_, output_, "--highlight", "35"},  // the example holds 34 data
      {example_, output_, "--highlight", "x1"},
      {example_, output_, "--highlight", "-3"},
      {example_, output_, "--highlight", "2.5"},
      {example_, output_, "--highlight", "99999"},
      {example_, output_, "--highlight="},
      {example_, output_, "--symbol-size", "huge"},
      {example_, dir_.File("plot.png")},
  };
  for (const std::vector<std::string>& args : cases) {
    SCOPED_TRACE(testing::PrintToString(args));
    const Outcome run = RunPlot(dir_, args);
    EXPECT_EQ(run.status, 2);
    ExpectOneErrorLine(run.err);
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(Exists(output_));
    EXPECT_FALSE(Exists(dir_.File("plot.png")));
  }
}

TEST_F(OrnivaPlotCli, HighlightBeyondTheDataNamesCountAndFile) {
  const Outcome run = RunPlot(dir_, {example_, output_, "--highlight", "35"});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("35"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("34"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find(example_), std::string::npos) << run.err;
}

TEST_F(OrnivaPlotCli, OutputNameIsCaseBlindAboutEmf) {
  const std::string upper = dir_.File("PLOT.EMF");
  EXPECT_EQ(RunPlot(dir_, {example_, upper}).status, 0);
  EXPECT_EQ(ReadBytes(upper), DrawInProcess(example_, Diagram::FaultPlanes));
}

TEST_F(OrnivaPlotCli, MissingDataFileIsNamed) {
  const std::string missing = dir_.File("missing.fdt");
  const Outcome run = RunPlot(dir_, {missing, output_});
  EXPECT_EQ(run.status, 2);
  ExpectOneErrorLine(run.err);
  EXPECT_EQ(run.err, "orniva-plot: cannot read " + missing + ": No such file or directory\n");
  EXPECT_FALSE(Exists(output_));
  EXPECT_FALSE(Exists(dir_.File("VORN.log")));
}

TEST_F(OrnivaPlotCli, UnwritableOutputIsNamed) {
  const std::string output = dir_.File("no-such-folder/plot.emf");
  const Outcome run = RunPlot(dir_, {example_, output});
  EXPECT_EQ(run.status, 2);
  ExpectOneErrorLine(run.err);
  EXPECT_EQ(run.err, "orniva-plot: cannot write " + output + ": No such file or directory\n");
  EXPECT_FALSE(Exists(output));
}

TEST_F(OrnivaPlotCli, BadFieldsAreReportedAndStillDrawn) {
  const std::string data = dir_.File("bad.fdt");
  WriteFile(data, "120 45 200 30 N\r\n120 95 200 30 R\r\n370 -5 200 30 Q\r\n90 45 90 45 n\r\n");
  const Outcome run = RunPlot(dir_, {data, output_});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, kErrorMessage);
  EXPECT_EQ(ReadFile(dir_.File("VORN.log")),
            "bad.fdt\r\n"
            "  fpl invalid at line #2\r\n"
            "  faz invalid at line #3\r\n"
            "  fpl invalid at line #3\r\n"
            "  sense invalid at line #3\r\n");
  EXPECT_EQ(ReadBytes(output_), DrawInProcess(data, Diagram::FaultPlanes));
  EXPECT_NE(ReadBytes(output_), EmptyNet());

  // A bad datum may still be highlighted; it draws as the window draws it.
  const Outcome highlighted =
      RunPlot(dir_, {data, output_, "--highlight", "3", "--diagram", "tangent-lineation"});
  EXPECT_EQ(highlighted.status, 0);
  EXPECT_EQ(highlighted.err, kErrorMessage);
  EXPECT_EQ(ReadBytes(output_), DrawInProcess(data, Diagram::TangentLineation, 3));
}

TEST_F(OrnivaPlotCli, UnwritableLogIsReportedAndThePictureStillWritten) {
  // A folder in the log's place cannot be replaced by the log.
  std::filesystem::create_directory(dir_.File("VORN.log"));
  const Outcome run = RunPlot(dir_, {example_, output_});
  EXPECT_EQ(run.status, 0);
  ExpectOneErrorLine(run.err);
  EXPECT_EQ(run.err.rfind("orniva-plot: cannot write " + dir_.File("VORN.log") + ": ", 0), 0u)
      << run.err;
  std::filesystem::remove(dir_.File("VORN.log"));
  EXPECT_EQ(ReadBytes(output_), DrawInProcess(example_, Diagram::FaultPlanes));
}

TEST_F(OrnivaPlotCli, ZeroLineFileGivesTheEmptyNet) {
  const std::string data = dir_.File("empty.fdt");
  WriteFile(data, "");
  for (const char* diagram : {"fault-planes", "tangent-lineation"}) {
    SCOPED_TRACE(diagram);
    const Outcome run = RunPlot(dir_, {data, output_, "--diagram", diagram});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(ReadFile(dir_.File("VORN.log")), "empty.fdt\r\nNo error\r\n");
    EXPECT_EQ(ReadBytes(output_), EmptyNet());
  }
  const Outcome highlighted = RunPlot(dir_, {data, output_, "--highlight", "1"});
  EXPECT_EQ(highlighted.status, 2);
  ExpectOneErrorLine(highlighted.err);
}

std::string Lines(std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text += "120 45 200 30 N\r\n";
  return text;
}

TEST_F(OrnivaPlotCli, MoreThan32760LinesAreRefused) {
  const std::string data = dir_.File("large.fdt");
  WriteFile(data, Lines(32761));
  const Outcome run = RunPlot(dir_, {data, output_});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "Number of fault must be less than 32760\n");
  EXPECT_FALSE(Exists(output_));
  EXPECT_FALSE(Exists(dir_.File("VORN.log")));
}

TEST_F(OrnivaPlotCli, Exactly32760LinesAreAccepted) {
  const std::string data = dir_.File("large.fdt");
  WriteFile(data, Lines(32760));
  const Outcome run =
      RunPlot(dir_, {data, output_, "--diagram", "tangent-lineation", "--highlight", "32760"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(ReadFile(dir_.File("VORN.log")), "large.fdt\r\nNo error\r\n");
  EXPECT_EQ(ReadBytes(output_), DrawInProcess(data, Diagram::TangentLineation, 32760));
}

}  // namespace
}  // namespace orniva
