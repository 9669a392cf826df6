// The fault plane and striation diagram's arrows, as recorded plot
// coordinates (Medium symbols), and the window's plot cache. The whole
// drawing, its highlight and the empty net picture_digest_test pins.
#include "plot/fault_plane_diagram.h"

#include <array>

#include <gtest/gtest.h>

#include "data/fault_reader.h"
#include "plot/analysis_diagrams.h"
#include "plot/data_colours.h"
#include "plot/diagram.h"
#include "tests/plot/plot_test_support.h"

namespace orniva::test {
namespace {

// The striation arrow of a single datum: the only six-point polyline.
std::vector<TPoint> ArrowOf(const std::string& line) {
  PlotFixture f;
  PlotFaultPlanes(DataFromLines({line}), f.target, -1);
  for (const Drawn& d : DataDrawingOf(f.picture))
    if (d.op == DrawOp::Polyline && d.points.size() == 6) return d.points;
  return {};
}

TEST(ChooseArrowShape, DipSlipAndStrikeSlipArrows) {
  struct Row {
    std::string line;
    std::vector<TPoint> arrow;
  };
  // clang-format off
  const Row rows[] = {
      // Dip-slip: outward for blue, towards the centre for red.
      {"90 45 90 45 N", {{686, 500}, {726, 500}, {716, 510}, {726, 500}, {716, 490}, {726, 500}}},
      {"90 45 90 45 R", {{686, 500}, {646, 500}, {656, 490}, {646, 500}, {656, 510}, {646, 500}}},
      // Strike-slip: half-arrow pairs, not turned for saz 0.
      {"90 30 0 0 S", {{520, 20}, {510, 10}, {510, 50}, {490, 50}, {490, 90}, {480, 80}}},
      {"90 30 0 0 D", {{480, 20}, {490, 10}, {490, 50}, {510, 50}, {510, 90}, {520, 80}}},
      // alpha = -90: N takes the shear shape, R the mirrored one.
      {"90 30 0 10 N", {{520, 92}, {510, 82}, {510, 122}, {490, 122}, {490, 162}, {480, 152}}},
      {"90 30 0 10 R", {{480, 92}, {490, 82}, {490, 122}, {510, 122}, {510, 162}, {520, 152}}},
      // The threshold T = 0.25 fpl + 60 on |alpha|: AzimuthAngle(0, 75) is exactly 75 = T
      // for fpl 60, strike-slip; AzimuthAngle(0, 65) a hair below 65 = T for fpl 20,
      // dip-slip by the colour.
      {"0 60 75 10 S", {{899, 414}, {906, 401}, {868, 412}, {862, 392}, {824, 403}, {831, 390}}},
      {"0 20 65 10 N", {{842, 340}, {878, 323}, {873, 336}, {878, 323}, {865, 318}, {878, 323}}},
      {"0 20 65 10 R", {{842, 340}, {806, 357}, {811, 344}, {806, 357}, {819, 362}, {806, 357}}},
  };
  // clang-format on
  for (const Row& row : rows) EXPECT_EQ(ArrowOf(row.line), row.arrow) << row.line;
}

// The window plots through one PlotCache: the circles drawn are those of the
// data loaded last, also when a new file has as many lines as the old one,
// and a drawing composed for a new highlight is the one recorded whole,
// with the same runs repeated (a datum that draws nothing highlighted too),
// in each diagram that composes one; so is one recoloured from the kept
// drawing when only the data's colours changed.
TEST(PlotCache, DrawsTheSameAsWithoutAndFollowsANewLoad) {
  const std::vector<std::string> first = {"10 30 10 30 N", "100 40 100 40 R", "400 40 100 40 R"};
  const std::vector<std::string> second = {"0 90 0 0 N", "200 20 200 20 N", "90 45 90 45 R"};
  auto runs = [](const Picture& p) {
    std::vector<std::array<std::size_t, 3>> out;
    for (const RepeatedRun& r : p.repeats()) out.push_back({r.begin, r.source, r.length});
    return out;
  };
  PlotCache cache;
  PlotFixture cached;
  cached.target.cache = &cache;
  FaultSet data;
  const PlotMode modes[] = {PlotMode::FaultPlaneAndStriation, PlotMode::TangentLineation,
                            PlotMode::Poles};
  for (const auto* lines : {&first, &second}) {
    LoadFaultLines(*lines, data);
    for (const PlotMode mode : modes) {
      std::uint64_t revision = 0;
      for (const std::int16_t highlight : {2, 1, 3, -1, -1, 2, 2, -1}) {
        SCOPED_TRACE(testing::Message()
                     << (*lines)[0] << " diagram " << int(mode) << " highlight " << highlight);
        // Data switched off or coloured by phase: a drawing of the same
        // shapes in other colours.
        const std::vector<TColor> colours[] = {
            {}, {kOwnColour, kOwnColour, kSwitchedOutGrey}, {kOwnColour, Rgb(0, 160, 0)}};
        const std::vector<TColor>& shown = colours[++revision % 3];
        DiagramInputs inputs;
        inputs.dataColours = shown.empty() ? nullptr : &shown;
        inputs.revision = revision;
        PlotFixture plain;
        PlotDiagram(mode, data, plain.target, highlight, inputs);
        PlotDiagram(mode, data, cached.target, highlight, inputs);
        EXPECT_EQ(EffectiveDrawing(cached.picture), EffectiveDrawing(plain.picture));
        EXPECT_EQ(runs(cached.picture), runs(plain.picture));
      }
    }
  }
}

}  // namespace
}  // namespace orniva::test
