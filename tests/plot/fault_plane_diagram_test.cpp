// The fault plane and striation diagram, as recorded plot coordinates,
// pens and brushes (Medium symbols), and the window's plot cache.
#include "plot/fault_plane_diagram.h"

#include <tuple>

#include <gtest/gtest.h>

#include "data/colours.h"
#include "data/fault_reader.h"
#include "plot/diagram.h"
#include "tests/plot/plot_test_support.h"

namespace orniva::test {
namespace {

std::vector<Drawn> Plot(const std::vector<std::string>& lines, std::int16_t highlight = -1) {
  PlotFixture f;
  PlotFaultPlanes(DataFromLines(lines), f.target, highlight);
  return DataDrawingOf(f.picture);
}

// The striation arrow of a single datum: the only six-point polyline.
std::vector<TPoint> ArrowOf(const std::string& line) {
  for (const Drawn& d : Plot({line}))
    if (d.op == DrawOp::Polyline && d.points.size() == 6) return d.points;
  return {};
}

TEST(ChooseArrowShape, DipSlipAndStrikeSlipArrows) {
  struct Row { std::string line; std::vector<TPoint> arrow; };
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
  for (const Row& row : rows) EXPECT_EQ(ArrowOf(row.line), row.arrow) << row.line;
}

// A datum whose sense failed its check gets no arrow; were it asked, the
// shape would leave the six points at the anchor.
TEST(ChooseArrowShape, UnknownStrikeSlipSenseLeavesTheSixPointsAtTheAnchor) {
  TFaultData d;
  d.faz = 0, d.fpl = 60, d.saz = 75, d.spl = 10, d.sense = "X", d.colour = clRed;
  ArrowShape shape;
  shape.fill(TPoint{1, 1});
  ChooseArrowShape(d, 10, shape);
  EXPECT_EQ(shape, ArrowShape{});
}

TEST(PlotFaultPlanes, HighlightIsDrawnAfterEveryDatum) {
  const std::vector<std::string> lines = {"10 30 10 30 N", "100 40 100 40 R", "200 50 200 50 N",
                                          "300 60 300 60 R", "45 70 45 70 N"};
  for (std::int16_t highlight : {3, 5}) {  // also the last datum
    SCOPED_TRACE(highlight);
    const std::vector<Drawn> drawn = Plot(lines, highlight);
    // Each datum: circle, arrow, dot; each followed by the highlighted datum.
    ASSERT_EQ(drawn.size(), 5u * 6u);
    const std::size_t own = 6 * (highlight - 1);
    for (std::size_t i = 0; i < 5; ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(drawn[6 * i].penWidth, 2);
      EXPECT_EQ(drawn[6 * i + 3].penColour, clAqua);
      EXPECT_EQ(drawn[6 * i + 3].penWidth, 4);
      EXPECT_EQ(drawn[6 * i + 3].points, drawn[own].points);
      EXPECT_EQ(drawn[6 * i + 4].penColour, clBlack);
      EXPECT_EQ(drawn[6 * i + 4].penWidth, 4);
      EXPECT_EQ(drawn[6 * i + 5].brushColour, clAqua);
    }
  }
  for (std::int16_t none : {-1, 0, 6}) EXPECT_EQ(Plot(lines, none).size(), 15u) << none;
}

// The window plots through one PlotCache: the circles drawn are those of the
// data loaded last, also when a new file has as many lines as the old one.
TEST(PlotCache, DrawsTheSameAsWithoutAndFollowsANewLoad) {
  const std::vector<std::string> first = {"10 30 10 30 N", "100 40 100 40 R", "400 40 100 40 R"};
  const std::vector<std::string> second = {"0 90 0 0 N", "200 20 200 20 N", "90 45 90 45 R"};
  PlotCache cache;
  PlotFixture cached;
  cached.target.cache = &cache;
  FaultSet data;
  for (const auto* lines : {&first, &second}) {
    LoadFaultLines(*lines, data);
    PlotFixture plain;
    PlotDiagram(PlotMode::FaultPlaneAndStriation, data, plain.target, 2);
    PlotDiagram(PlotMode::FaultPlaneAndStriation, data, cached.target, 2);
    EXPECT_EQ(EffectiveDrawing(cached.picture), EffectiveDrawing(plain.picture));
  }
}

TEST(PlotDiagram, NoDataDrawsTheEmptyNetInEitherDiagram) {
  for (PlotMode mode : {PlotMode::FaultPlaneAndStriation, PlotMode::TangentLineation}) {
    PlotFixture f, empty;
    RenderPlot(empty.target, nullptr);
    PlotDiagram(mode, FaultSet(), f.target, 1);
    EXPECT_EQ(f.picture.records(), empty.picture.records());
    EXPECT_EQ(f.shown, 1);
  }
}

}  // namespace
}  // namespace orniva::test
