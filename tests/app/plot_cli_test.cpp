// The batch renderer run as a process: exit status, standard error, the log
// beside the data and the picture file. Every picture is compared byte for
// byte with the same plot drawn in-process, so the program adds nothing of
// its own to the drawing.
#include <gtest/gtest.h>

#include <QImage>

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "plot/figures.h"
#include "analysis/stress_bootstrap.h"
#include "data/curation.h"
#include "data/fault_reader.h"
#include "data/orientation_table.h"
#include "document/orientation_document.h"
#include "picture/emf.h"
#include "plot/diagram.h"
#include "plot/fabric_diagrams.h"
#include "plot/orientation_net.h"
#include "plot/tilt_test_chart.h"
#include "tests/support/test_support.h"

namespace orniva {
namespace {

using test::ReadFile;
using test::WriteFile;

// What one run should draw.
struct Plot {
  PlotMode mode = PlotMode::FaultPlaneAndStriation;
  std::int16_t highlight = -1;
  SymbolSize size = SymbolSize::Medium;
  NetKind net = NetKind::EqualAngle;
  analysis::AnalysisChoices choices{};
  Hemisphere hemisphere = Hemisphere::Lower;
  bool grid = false;
  int bootstrapSamples = 0;  // a bootstrap of this many resamples, seed 4, drawn as contours
};

// The EMF of `plot` of the data file, drawn in-process as the window draws
// it; with the layout, framed and titled `title`.
std::string DrawInProcess(const std::string& dataPath, const Plot& plot, bool layout = false,
                          const std::string& title = "") {
  const FaultSet data = test::DataFromLines(ReadDataFile(dataPath).lines);
  orniva::FigureRequest request{plot.mode, {}, plot.size, plot.highlight, layout, title};
  InitNetGeometry(request.geometry);
  request.geometry.kind = plot.net;
  request.geometry.hemisphere = plot.hemisphere;
  request.geometry.grid = plot.grid;
  analysis::Study study;
  study.data() = data;
  study.SetChoices(plot.choices);
  const analysis::BootstrapSettings bootstrap{plot.bootstrapSamples, 0.95, 4,
                                              analysis::BootstrapRegion::Contours};
  if (plot.bootstrapSamples > 0)
    study.SetBootstrap(std::make_shared<analysis::StressBootstrap>(
                           analysis::BootstrapStress(analysis::SetupOf(study), bootstrap)),
                       study.StressKey());
  const orniva::DiagramFigures figures = orniva::FiguresFor(plot.mode, study, request.geometry);
  const std::vector<std::uint8_t> emf = EncodeEmf(orniva::DrawFigure(data, request, figures));
  return std::string(emf.begin(), emf.end());
}

class OrnivaPlotCli : public ::testing::Test {
 protected:
  void SetUp() override { WriteFile(data_, ReadFile(ORNIVA_EXAMPLE_FILE)); }
  test::ProgramRun Run(std::vector<std::string> args) {
    for (std::string& arg : args)
      if (arg == "DATA" || arg == "OUT") arg = arg == "DATA" ? data_ : out_;
    return test::RunProgram(ORNIVA_PLOT_EXE, args, dir_);
  }
  bool Exists(const std::string& name) { return std::filesystem::exists(dir_.File(name)); }

  test::TempDir dir_;
  const std::string data_ = dir_.File("data.fdt");
  const std::string out_ = dir_.File("plot.emf");
};

// Every diagram and net by name; options before, between and after the
// operands, with their values after '=' or as the next argument.
TEST_F(OrnivaPlotCli, PictureEqualsTheInProcessPlot) {
  using analysis::DensityMethod;
  using analysis::DensityOf;
  using analysis::StressMethod;
  const SymbolSize medium = SymbolSize::Medium;
  const NetKind angle = NetKind::EqualAngle, area = NetKind::EqualArea;
  // clang-format off
  const struct { std::vector<std::string> args; Plot plot; } rows[] = {
      {{"DATA", "--diagram", "fault-planes", "OUT", "--symbol-size", "small", "--highlight", "1"},
       {PlotMode::FaultPlaneAndStriation, 1, SymbolSize::Small}},
      // The last datum may be highlighted.
      {{"--diagram=tangent-lineation", "--highlight=34", "--symbol-size=large", "DATA", "OUT"},
       {PlotMode::TangentLineation, 34, SymbolSize::Large}},
      {{"DATA", "OUT", "--diagram=poles", "--highlight=3", "--net", "equal-angle"}, {PlotMode::Poles, 3}},
      {{"DATA", "OUT", "--diagram", "kinematic-axes", "--net=equal-area"},
       {PlotMode::KinematicAxes, -1, medium, area}},
      {{"DATA", "OUT", "--diagram=density", "--of", "p", "--method=one-percent", "--highlight=2"},
       {PlotMode::Density, 2, medium, angle, {DensityOf::PAxes, DensityMethod::OnePercent, false}}},
      {{"DATA", "OUT", "--diagram", "dihedra", "--net", "equal-area"}, {PlotMode::RightDihedra, -1, medium, area}},
      {{"--iterate", "DATA", "OUT", "--diagram", "stress-axes"},
       {PlotMode::StressAxes, -1, medium, angle, {DensityOf::Poles, DensityMethod::Kamb, true}}},
      {{"DATA", "OUT", "--diagram", "stress-axes", "--method", "yamaji-sato"},
       {PlotMode::StressAxes, -1, medium, angle, {DensityOf::Poles, DensityMethod::Kamb, false, true, StressMethod::YamajiSato}}},
      {{"DATA", "OUT", "--every-method", "--diagram=stress-axes"},
       {PlotMode::StressAxes, -1, medium, angle, {DensityOf::Poles, DensityMethod::Kamb, false, true, StressMethod::Michael, true}}},
      {{"DATA", "OUT", "--hemisphere=upper", "--grid"}, {PlotMode::FaultPlaneAndStriation, -1, medium, angle, {}, Hemisphere::Upper, true}},
      {{"DATA", "OUT", "--diagram=stress-axes", "--bootstrap-region", "contours", "--samples", "300", "--seed=4"},
       {PlotMode::StressAxes, -1, medium, angle, {}, Hemisphere::Lower, false, 300}},
      {{"DATA", "OUT", "--diagram", "rose", "--of", "trend", "--bin", "15", "--net", "equal-area"},
       {PlotMode::Rose, -1, medium, area, {DensityOf::Poles, DensityMethod::Kamb, false, true, StressMethod::Michael, false, false, analysis::RoseOf::Trend, 15}}},
      {{"DATA", "OUT", "--diagram=tendency", "--of", "dilation", "--magnitudes", "100,60,40", "--pore-pressure=10", "--net", "equal-area"},
       {PlotMode::Tendency, -1, medium, area, {DensityOf::Poles, DensityMethod::Kamb, false, true, StressMethod::Michael, false, false,
                                              analysis::RoseOf::Strike, analysis::kDefaultRoseBin, {analysis::StressMagnitudes{100, 60, 40, 10}, analysis::TendencyOf::Dilation}}}},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.args));
    const test::ProgramRun run = Run(row.args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(ReadFile(dir_.File("VORN.log")), "data.fdt\r\nNo error\r\n");
    EXPECT_EQ(ReadFile(out_), DrawInProcess(data_, row.plot));
  }
  const test::ProgramRun help = Run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage: orniva-plot DATAFILE OUTFILE.emf", 0), 0u);
}

// The tilt test's chart of the data by the chosen method, titled by default.
TEST_F(OrnivaPlotCli, TiltTestChart) {
  const test::ProgramRun run =
      Run({"DATA", "OUT", "--diagram", "tilt-test", "--bedding", "250,30", "--method", "fry"});
  ASSERT_EQ(run.status, 0) << run.err;
  const FaultSet data = test::DataFromLines(ReadDataFile(data_).lines);
  const std::vector<std::uint8_t> emf = EncodeEmf(DrawTiltTestChart(
      analysis::TiltTest(data, {250, 30}, analysis::StressMethod::Fry, false, nullptr),
      "Tilt test, bedding 250/30 - data.fdt"));
  EXPECT_EQ(ReadFile(out_), std::string(emf.begin(), emf.end()));
}

// Bad fields are reported and still drawn, and a bad datum may be
// highlighted. A folder in the log's place is reported; the picture is
// written all the same.
// The curation beside the data switches faults off (grey) and groups them
// into phases, which colour the data, choose them, or give a figure each.
TEST_F(OrnivaPlotCli, TheCurationChoosesAndColoursTheData) {
  Curation curation;
  curation.off = {2};
  curation.phases = {{"A", "#1b9e77", {1, 3, 4, 5, 6, 7, 8}, {}},
                     {"B", "#d95f02", {9, 10, 11, 12}, {}}};
  const std::string text = ReadFile(data_);
  WriteFile(CurationPathFor(data_), CurationText(curation, "data.fdt", 34, Sha256Hex(text)));
  auto draw = [&](PlotMode mode, int scope, bool byPhase) {
    analysis::Study study;
    const std::vector<std::string> lines = ReadDataFile(data_).lines;
    LoadFaultLines(lines, study.data());
    study.DataReplaced(lines);
    study.SetCuration(analysis::CurationState::FromFile(curation, study.data().count()));
    study.SetScope(scope);
    study.SetColourByPhase(byPhase);
    orniva::FigureRequest request{mode, {}, SymbolSize::Medium, -1, false, ""};
    InitNetGeometry(request.geometry);
    const std::vector<std::uint8_t> emf = EncodeEmf(
        orniva::DrawFigure(study.data(), request, FiguresFor(mode, study, request.geometry)));
    return std::string(emf.begin(), emf.end());
  };
  ASSERT_EQ(Run({"DATA", "OUT", "--colour-by", "phase"}).status, 0);
  EXPECT_EQ(ReadFile(out_), draw(PlotMode::FaultPlaneAndStriation, 0, true));
  EXPECT_NE(ReadFile(out_), DrawInProcess(data_, {}));
  ASSERT_EQ(Run({"DATA", "OUT", "--diagram=stress-axes", "--subset", "A"}).status, 0);
  EXPECT_EQ(ReadFile(out_), draw(PlotMode::StressAxes, 1, false));
  ASSERT_EQ(Run({"DATA", "OUT", "--by-subset", "--diagram", "kinematic-axes"}).status, 0);
  EXPECT_EQ(ReadFile(dir_.File("plot-A.emf")), draw(PlotMode::KinematicAxes, 1, false));
  EXPECT_EQ(ReadFile(dir_.File("plot-B.emf")), draw(PlotMode::KinematicAxes, 2, false));
}

// One phase, one file: "a/b" and "a_b" apart; a phase without data in use
// gets no figure and a warning.
TEST_F(OrnivaPlotCli, EachPhaseItsOwnFile) {
  Curation curation;
  curation.phases = {{"a/b", "#1b9e77", {1, 2, 3, 4, 5, 6, 7, 8}, {}},
                     {"a_b", "#d95f02", {9, 10, 11, 12}, {}},
                     {"none", "#7570b3", {}, {}}};
  WriteFile(CurationPathFor(data_),
            CurationText(curation, "data.fdt", 34, Sha256Hex(ReadFile(data_))));
  const test::ProgramRun run = Run({"DATA", "OUT", "--by-subset", "--diagram=poles"});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.err.find(data_ + ": warning: 1 phase holds no data in use, no figure: none"),
            std::string::npos)
      << run.err;
  EXPECT_TRUE(Exists("plot-a%2Fb.emf") && Exists("plot-a_b.emf") && !Exists("plot-none.emf"));
  EXPECT_NE(ReadFile(dir_.File("plot-a%2Fb.emf")), ReadFile(dir_.File("plot-a_b.emf")));
}

TEST_F(OrnivaPlotCli, BadFieldsAndAnUnwritableLog) {
  WriteFile(data_, "120 45 200 30 N\r\n120 95 200 30 R\r\n370 -5 200 30 Q\r\n");
  test::ProgramRun run = Run({"DATA", "OUT", "--highlight", "3"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "orniva-plot: " + data_ +
                         ": Data file has at least one error. Consult the file VORN.log.\n");
  // The log's bytes are the reader's; here only that it is the checked file's.
  EXPECT_EQ(ReadFile(dir_.File("VORN.log")).rfind("data.fdt\r\n  fpl invalid at line #2\r\n", 0),
            0u);
  EXPECT_EQ(ReadFile(out_), DrawInProcess(data_, {PlotMode::FaultPlaneAndStriation, 3}));
  std::filesystem::remove(dir_.File("VORN.log"));
  std::filesystem::create_directory(dir_.File("VORN.log"));
  run = Run({"DATA", dir_.File("PLOT.EMF")});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err.rfind("orniva-plot: cannot write " + dir_.File("VORN.log") + ": ", 0), 0u)
      << run.err;
  EXPECT_EQ(ReadFile(dir_.File("PLOT.EMF")), DrawInProcess(data_, {}));
}

// The format follows the extension; the layout's EMF is the in-process
// figure, texts included, and a PNG carries its size and resolution.
TEST_F(OrnivaPlotCli, FormatByExtensionAndTheLayout) {
  struct Row {
    std::string file, magic;
  };
  const Row rows[] = {{"f.EMF", std::string("\x01\0\0\0", 4)},
                      {"f.svg", "<?xml"},
                      {"f.pdf", "%PDF"},
                      {"f.png", "\x89PNG"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.file);
    std::vector<std::string> args = {"DATA", dir_.File(row.file), "--layout", "--title", "Site 4"};
    if (row.file != "f.EMF") args.insert(args.end(), {"--width-mm", "50.8"});
    if (row.file == "f.png") args.push_back("--dpi=150");
    const test::ProgramRun run = Run(args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(ReadFile(dir_.File(row.file)).rfind(row.magic, 0), 0u);
  }
  EXPECT_EQ(ReadFile(dir_.File("f.EMF")), DrawInProcess(data_, {}, true, "Site 4"));
  const QImage png(QString::fromStdString(dir_.File("f.png")));
  EXPECT_EQ(png.width(), 300);  // 50.8 mm at 150 dpi
  EXPECT_EQ(png.dotsPerMeterX(), 5906);
}

// Every refusal: status 2, nothing on standard output, no picture.
TEST_F(OrnivaPlotCli, RefusalsSayWhyInOneLine) {
  // Without `err`: of the example file, in any one line naming the program.
  struct Row {
    std::vector<std::string> args;
    std::string err = "";
  };
  // clang-format off
  const Row rows[] = {
      {{}}, {{"DATA"}}, {{"DATA", "OUT", "extra.emf"}}, {{"--frobnicate", "DATA", "OUT"}},
      {{"DATA", "OUT", "--diagram", "roses"}}, {{"DATA", "OUT", "--diagram"}},
      {{"DATA", "OUT", "--hemisphere", "both"}}, {{"DATA", "OUT", "--diagram", "rose", "--bin", "7"}},
      {{"DATA", "OUT", "--highlight", "0"}}, {{"DATA", "OUT", "--highlight", "2.5"}},
      {{"DATA", "OUT", "--highlight="}}, {{"DATA", "OUT", "--symbol-size", "huge"}},
      {{"DATA", "OUT", "--net", "polar"}}, {{"DATA", "OUT", "--diagram", "density", "--of", "q"}},
      {{"DATA", "OUT", "--method", "gauss"}}, {{"DATA", dir_.File("plot.txt")}},
      {{"DATA", "OUT", "--diagram", "tendency"}}, {{"DATA", "OUT", "--magnitudes", "1,2,3"}},
      {{"DATA", "OUT", "--diagram", "tilt-test"}}, {{"DATA", "OUT", "--bedding", "90"}},
      {{"DATA", "OUT", "--dpi", "71"}}, {{"DATA", "OUT", "--width-mm", "1000.1"}},
      {{"DATA", "OUT", "--dpi", "300.5"}}, {{"DATA", "OUT", "--width-mm", "1e2"}},
      {{"DATA", "OUT", "--diagram=stress-axes", "--bootstrap-region", "dots"}},
      {{"DATA", "OUT", "--diagram=stress-axes", "--seed", "-1"}},
      {{"DATA", "OUT", "--diagram", "mohr", "--bootstrap"},
       "orniva-plot: option '--bootstrap' does not apply to the mohr diagram (only to stress-axes)\n"},
      {{"DATA", "OUT", "--diagram", "density", "--method", "shan"},
       "orniva-plot: unknown value 'shan' for --method (use kamb, one-percent)\n"},
      {{"DATA", "OUT", "--diagram", "tilt-test", "--bedding", "0,0", "--method", "fry", "--iterate"},
       "orniva-plot: --iterate applies only with --method michael, not with --method fry\n"},
      {{"DATA", "OUT", "--title", "T"}, "orniva-plot: --title applies only with --layout\n"},
      {{"DATA", "OUT", "--dpi", "300"}, "orniva-plot: option '--dpi' applies to a PNG file only\n"},
      {{"DATA", "OUT", "--diagram", "rose", "--bin", "1e-5"},
       "orniva-plot: --bin needs W from 1 to 360, not '1e-5'\n"},
      {{dir_.File("same.svg"), dir_.File("same.svg")},
       "orniva-plot: " + dir_.File("same.svg") + ": is " + dir_.File("same.svg") +
           ", which this run reads; choose another output file\n"},
      {{"DATA", dir_.File("link.emf")},
       "orniva-plot: " + dir_.File("link.emf") + ": is " + data_ +
           ", which this run reads; choose another output file\n"},
      {{dir_.File("five.fdt"), "OUT", "--diagram", "stress-axes"},
       "orniva-plot: " + dir_.File("five.fdt") +
           ": the fault planes do not determine the stress (rank below 5)\n"},
      {{dir_.File("five.fdt"), "OUT", "--diagram", "mohr"},
       "orniva-plot: " + dir_.File("five.fdt") +
           ": the fault planes do not determine the stress (rank below 5)\n"},
      {{dir_.File("five.fdt"), "OUT", "--diagram", "tendency", "--magnitudes", "3,2,1"},
       "orniva-plot: " + dir_.File("five.fdt") +
           ": the fault planes do not determine the stress (rank below 5)\n"},
      {{"DATA", dir_.File("plot.png"), "--dpi", "2400", "--width-mm", "1000"},
       "orniva-plot: " + dir_.File("plot.png") + ": an image of 94488 x 94488 pixels is too large "
       "(at most 50 million); lower the width or the resolution\n"},
      {{"DATA", "OUT", "--highlight", "35"}, "orniva-plot: " + data_ + ": --highlight 35 is beyond its 34 data\n"},
      {{dir_.File("missing.fdt"), "OUT"},
       "orniva-plot: cannot read " + dir_.File("missing.fdt") + ": No such file or directory\n"},
      {{"DATA", dir_.File("no/plot.emf")},
       "orniva-plot: cannot write " + dir_.File("no/plot.emf") + ": No such file or directory\n"},
      {{dir_.File("big.fdt"), "OUT"},
       "orniva-plot: " + dir_.File("big.fdt") + ": Number of fault must be less than 32760\n"},
  };
  // clang-format on
  WriteFile(dir_.File("big.fdt"), test::Repeat("1 2 3 4 N\n", 32761));
  WriteFile(dir_.File("five.fdt"), test::Repeat("90 45 90 45 N\r\n", 5));
  WriteFile(dir_.File("same.svg"), ReadFile(data_));
  ASSERT_EQ(::link(data_.c_str(), dir_.File("link.emf").c_str()), 0);
  const std::string kept = ReadFile(data_);
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.args));
    const test::ProgramRun run = Run(row.args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    if (row.err.empty()) {
      EXPECT_EQ(run.err.rfind("orniva-plot: ", 0), 0u) << run.err;
      EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    } else {
      EXPECT_EQ(run.err, row.err);
    }
    EXPECT_FALSE(Exists("plot.emf") || Exists("plot.png") || Exists("plot.txt"));
    EXPECT_EQ(ReadFile(data_), kept);
  }
}

// An orientation table's net and fabric diagrams, each the picture drawn
// in-process; the diagrams of faults and of orientations refuse the other
// kind of file.
TEST_F(OrnivaPlotCli, OrientationTables) {
  const std::string table = dir_.File("t.orient.csv");
  WriteFile(table, ReadFile(ORNIVA_SOURCE_DIR "/tests/data/orientation/fold.orient.csv"));
  const std::vector<OrientationRecord> records = ReadOrientationFile(table).records;
  auto emf = [](const Picture& picture) {
    const std::vector<std::uint8_t> bytes = EncodeEmf(picture);
    return std::string(bytes.begin(), bytes.end());
  };
  Picture net;
  PlotTarget target;
  target.picture = &net;
  InitNetGeometry(target.geometry);
  target.smoothCurves = true;
  OrientationNetFigure figure;
  figure.records = &records;
  figure.colours = SetColours(records, document::CurationFromSetColumn(records).phases).colours;
  PlotOrientationNet(figure, target);
  const auto points = FabricPointsBySet(records, document::CurationFromSetColumn(records).phases,
                                        analysis::OrientationOf::Poles);
  // A curation file's sets keep its order and colours: here J1 first, in red.
  const std::string curated = dir_.File("c.orient.csv");
  WriteFile(curated, ReadFile(table));
  Curation curation;
  curation.phases = {{"J1", "#ff0000", {}, {}}, {"S0", "#0000ff", {}, {}}};
  for (const OrientationRecord& r : records)
    for (Phase& set : curation.phases)
      if (r.set == set.name) set.lines.push_back(r.line - 1);
  WriteFile(CurationPathFor(curated), CurationText(curation, "c.orient.csv", int(records.size()),
                                                   Sha256Hex(ReadFile(table))));
  std::vector<analysis::PhaseInfo> sets;
  for (const Phase& set : curation.phases) sets.push_back({set.name, set.colour});
  std::vector<OrientationRecord> curatedRecords = records;
  for (OrientationRecord& r : curatedRecords)
    if (r.set == "L1") r.set.clear();
  const auto curatedPoints =
      FabricPointsBySet(curatedRecords, sets, analysis::OrientationOf::Poles);
  const struct {
    std::vector<std::string> args;
    std::string picture;
  } drawn[] = {
      {{table, "OUT"}, emf(net)},
      {{table, "OUT", "--diagram", "vollmer"}, emf(DrawVollmerTriangle(points, "t.orient.csv"))},
      {{table, "OUT", "--diagram=woodcock", "--title", "W"}, emf(DrawWoodcockDiagram(points, "W"))},
      {{curated, "OUT", "--diagram", "vollmer", "--title", "V"},
       emf(DrawVollmerTriangle(curatedPoints, "V"))},
  };
  for (const auto& row : drawn) {
    SCOPED_TRACE(testing::PrintToString(row.args));
    EXPECT_EQ(Run(row.args).status, 0);
    EXPECT_EQ(ReadFile(out_), row.picture);
  }
  const test::ProgramRun statistics =
      Run({table, "OUT", "--diagram", "orientations", "--mean", "--girdle", "--planes", "poles"});
  EXPECT_EQ(statistics.status, 0);
  EXPECT_NE(ReadFile(out_), emf(net));
  const struct {
    std::vector<std::string> args;
    std::string err;
  } refused[] = {
      {{"DATA", "OUT", "--diagram", "vollmer"},
       data_ + ": the vollmer diagram draws an orientation table (.orient.csv)"},
      {{table, "OUT", "--diagram", "poles"},
       table + ": the poles diagram draws fault-slip data, not an orientation table"},
      {{table, "OUT", "--diagram", "woodcock", "--by-subset"},
       table + ": --by-subset: an orientation table's diagrams show its sets at once"},
      {{table, "OUT", "--diagram", "orientations", "--girdle", "--subset", "L1"},
       table + ": --girdle: a fold axis needs at least two planes"},
  };
  for (const auto& row : refused) {
    SCOPED_TRACE(testing::PrintToString(row.args));
    const test::ProgramRun run = Run(row.args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "orniva-plot: " + row.err + "\n");
  }
}

}  // namespace
}  // namespace orniva
