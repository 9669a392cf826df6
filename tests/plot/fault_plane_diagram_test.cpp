// The fault plane and striation diagram, as recorded plot coordinates,
// pens and brushes (Medium symbols).
#include "plot/fault_plane_diagram.h"
#include "plot/tangent_lineation_diagram.h"

#include <gtest/gtest.h>

#include "data/colours.h"
#include "platform/emf_reader.h"
#include "tests/plot/plot_test_support.h"

namespace orniva {
namespace {

using test::DataFromLines;
using test::DataDrawingOf;
using test::Drawn;
using test::Points;

std::vector<Drawn> Plot(const std::vector<std::string>& lines, std::int16_t highlight = -1) {
  test::PlotFixture f;
  PlotFaultPlanes(DataFromLines(lines), f.target, highlight);
  return DataDrawingOf(f.picture);
}

// The striation arrow of a single datum: the only six-point polyline.
std::vector<TPoint> ArrowOf(const std::string& line) {
  for (const Drawn& d : Plot({line}))
    if (d.op == DrawOp::Polyline && d.points.size() == 6) return d.points;
  return {};
}

TEST(PlotFaultPlanes, EmptyDataSetLeavesThePictureAlone) {
  test::PlotFixture f;
  RenderPlot(f.target, nullptr);
  const std::vector<DrawRecord> before = f.picture.records();
  PlotFaultPlanes(FaultSet(), f.target, -1);
  EXPECT_EQ(f.picture.records(), before);
  EXPECT_EQ(f.shown, 1);
}

TEST(DrawGreatCircle, ThroughStrikeAndDipLines) {
  struct Row { std::string line; TPoint first, middle, last; };
  const Row rows[] = {
      {"90 45 90 45 N", {500, 950}, {686, 500}, {500, 50}},
      {"0 0 0 0 N", {950, 500}, {500, 50}, {50, 500}},
      {"0 90 90 0 N", {950, 500}, {500, 500}, {50, 500}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    const std::vector<Drawn> drawn = Plot({row.line});
    ASSERT_FALSE(drawn.empty());
    const std::vector<TPoint>& circle = drawn[0].points;
    ASSERT_EQ(circle.size(), 181u);
    EXPECT_EQ(circle[0], row.first);
    EXPECT_EQ(circle[90], row.middle);
    EXPECT_EQ(circle[180], row.last);
  }
}

TEST(DrawFaultPlaneDatum, NormalDatumDrawsCircleArrowAndDot) {
  const std::vector<Drawn> drawn = Plot({"90 45 90 45 N"});
  ASSERT_EQ(drawn.size(), 3u);
  EXPECT_EQ(drawn[0].op, DrawOp::Polyline);
  EXPECT_EQ(drawn[0].pen, clBlue);
  EXPECT_EQ(drawn[0].penWidth, 2);
  EXPECT_EQ(drawn[1].pen, clBlack);
  EXPECT_EQ(drawn[1].penWidth, 2);
  EXPECT_EQ(drawn[2].op, DrawOp::Ellipse);
  EXPECT_EQ(drawn[2].points, Points({{676, 490}, {696, 510}}));
  EXPECT_EQ(drawn[2].pen, clBlack);  // the arrow left the pen black
  EXPECT_EQ(drawn[2].brush, clBlue);
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
  };
  for (const Row& row : rows) EXPECT_EQ(ArrowOf(row.line), row.arrow) << row.line;
}

TEST(ChooseArrowShape, AlphaEqualToThresholdIsStrikeSlip) {
  ArrowShape shape;
  ArrowShape shear;
  ShearArrowShape(10, shear);
  // AzimuthAngle(0, 75) is exactly 75 = 0.25 * 60 + 60.
  TFaultData d;
  d.faz = 0, d.fpl = 60, d.saz = 75, d.spl = 10, d.sense = "S", d.colour = clRed;
  ChooseArrowShape(d, 10, shape);
  EXPECT_EQ(shape, shear);
  // AzimuthAngle(0, 65) is a hair below 65 = 0.25 * 20 + 60: dip-slip.
  ArrowShape straight, reversed;
  StraightArrowShape(10, straight);
  ReversedArrowShape(10, reversed);
  d.fpl = 20, d.saz = 65, d.colour = clBlue;
  ChooseArrowShape(d, 10, shape);
  EXPECT_EQ(shape, straight);
  d.colour = clRed;
  ChooseArrowShape(d, 10, shape);
  EXPECT_EQ(shape, reversed);
  // Strike-slip with an unknown sense leaves the six points at the anchor.
  d.fpl = 60, d.saz = 75, d.sense = "X";
  ChooseArrowShape(d, 10, shape);
  EXPECT_EQ(shape, ArrowShape{});
}

TEST(ArrowShapes, PointLists) {
  ArrowShape s;
  StraightArrowShape(10, s);
  EXPECT_EQ(s, (ArrowShape{{{0, 0}, {0, -40}, {10, -30}, {0, -40}, {-10, -30}, {0, -40}}}));
  ReversedArrowShape(10, s);
  EXPECT_EQ(s, (ArrowShape{{{0, 0}, {0, 40}, {-10, 30}, {0, 40}, {10, 30}, {0, 40}}}));
  ShearArrowShape(10, s);
  EXPECT_EQ(s, (ArrowShape{{{20, -30}, {10, -40}, {10, 0}, {-10, 0}, {-10, 40}, {-20, 30}}}));
  MirroredShearArrowShape(10, s);
  EXPECT_EQ(s, (ArrowShape{{{-20, -30}, {-10, -40}, {-10, 0}, {10, 0}, {10, 40}, {20, 30}}}));
  StraightArrowShape(15, s);
  EXPECT_EQ(s[2], (TPoint{15, -45}));
}

TEST(PointOperations, RotateAddSubtract) {
  EXPECT_EQ(RotatePoint({0, -40}, 90), (TPoint{40, 0}));
  EXPECT_EQ(RotatePoint({0, -40}, 180), (TPoint{0, 40}));
  EXPECT_EQ(RotatePoint({0, -40}, -90), (TPoint{-40, 0}));
  EXPECT_EQ(RotatePoint({10, -30}, 45), (TPoint{28, -14}));
  EXPECT_EQ(AddPoints({1, 2}, {10, 20}), (TPoint{11, 22}));
  EXPECT_EQ(SubtractPoints({1, 2}, {10, 20}), (TPoint{-9, -18}));
}

TEST(DrawFaultPlaneDatum, ShallowStriationsAreBlack) {
  for (const char* line : {"90 30 0 0 S", "90 30 0 0 D", "90 45 90 0.5 N"}) {
    const std::vector<Drawn> drawn = Plot({line});
    ASSERT_EQ(drawn.size(), 3u) << line;
    EXPECT_EQ(drawn[0].pen, clBlack) << line;
    EXPECT_EQ(drawn[2].brush, clBlack) << line;
  }
  const std::vector<Drawn> drawn = Plot({"90 45 90 1.0 N"});
  EXPECT_EQ(drawn[0].pen, clBlue);
  EXPECT_EQ(drawn[2].brush, clBlue);
}

TEST(DrawFaultPlaneDatum, FailedChecksDecideWhatIsDrawn) {
  // Sense invalid: circle and dot, the dot outlined and filled in the circle's colour.
  std::vector<Drawn> drawn = Plot({"90 45 90 45 X"});
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_EQ(drawn[0].pen, clSilver);
  EXPECT_EQ(drawn[1].op, DrawOp::Ellipse);
  EXPECT_EQ(drawn[1].pen, clSilver);
  EXPECT_EQ(drawn[1].brush, clSilver);
  // Striation invalid: the great circle only.
  for (const char* line : {"90 45 400 45 N", "90 45 90 95 N"}) {
    drawn = Plot({line});
    ASSERT_EQ(drawn.size(), 1u) << line;
    EXPECT_EQ(drawn[0].points.size(), 181u) << line;
  }
  // Plane invalid: nothing, also highlighted.
  for (const char* line : {"400 45 90 45 N", "90 95 90 45 N"}) {
    EXPECT_TRUE(Plot({line}, 1).empty()) << line;
  }
}

// A datum keeps only its last failure in `status`; every failed check counts.
TEST(DrawFaultPlaneDatum, EarlierFailuresAreNotHiddenByTheLastOne) {
  EXPECT_TRUE(Plot({"370 -5 200 30 Q"}, 1).empty());
  EXPECT_TRUE(Plot({"1e39 45 200 30 X"}, 1).empty());
  // saz failed and sense failed: no arrow and no dot, though status says "sense invalid".
  const std::vector<Drawn> drawn = Plot({"90 45 400 45 Q"});
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_EQ(drawn[0].points.size(), 181u);
}

TEST(PlotFaultPlanes, HighlightIsDrawnAfterEveryDatum) {
  const std::vector<std::string> lines = {"10 30 10 30 N", "100 40 100 40 R", "200 50 200 50 N",
                                          "300 60 300 60 R", "45 70 45 70 N"};
  const std::vector<Drawn> drawn = Plot(lines, 3);
  // Each datum: circle, arrow, dot; each followed by the highlighted datum 3.
  ASSERT_EQ(drawn.size(), 5u * 6u);
  for (std::size_t i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    const Drawn& normal = drawn[6 * i];
    const Drawn& circle = drawn[6 * i + 3];
    EXPECT_EQ(normal.penWidth, 2);
    EXPECT_EQ(circle.pen, clAqua);
    EXPECT_EQ(circle.penWidth, 4);
    EXPECT_EQ(circle.points, drawn[12].points);  // datum 3's own circle
    EXPECT_EQ(drawn[6 * i + 4].pen, clBlack);
    EXPECT_EQ(drawn[6 * i + 4].penWidth, 4);
    EXPECT_EQ(drawn[6 * i + 5].pen, clBlack);
    EXPECT_EQ(drawn[6 * i + 5].brush, clAqua);
  }
  for (std::int16_t none : {-1, 0, 6}) EXPECT_EQ(Plot(lines, none).size(), 15u) << none;
}

TEST(PlotFaultPlanes, SymbolSizeScalesArrowsAndDots) {
  test::PlotFixture f;
  f.target.symbolSize = SymbolSize::Large;
  PlotFaultPlanes(DataFromLines({"90 45 90 45 N"}), f.target, -1);
  const std::vector<Drawn> drawn = DataDrawingOf(f.picture);
  ASSERT_EQ(drawn.size(), 3u);
  EXPECT_EQ(drawn[1].points[1], (TPoint{746, 500}));
  EXPECT_EQ(drawn[2].points, Points({{671, 485}, {701, 515}}));
}

TEST(GreatCircleCache, DrawsTheSameAndFollowsNewData) {
  FaultSet data = DataFromLines({"10 30 10 30 N", "100 40 100 40 R", "400 40 100 40 R"});
  test::PlotFixture plain, cached;
  GreatCircleCache cache;
  cached.target.greatCircles = &cache;
  PlotFaultPlanes(data, plain.target, 2);
  PlotFaultPlanes(data, cached.target, 2);
  EXPECT_EQ(DataDrawingOf(cached.picture).size(), DataDrawingOf(plain.picture).size());
  EXPECT_EQ(EffectiveDrawing(cached.picture), EffectiveDrawing(plain.picture));
  // A load re-creates the data: the cache computes the new circles.
  data.Recreate(1);
  data[1] = DataFromLines({"0 90 0 0 N"})[1];
  PlotFaultPlanes(data, cached.target, -1);
  const std::vector<Drawn> drawn = DataDrawingOf(cached.picture);
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn[0].points[90], (TPoint{500, 500}));
}

TEST(PlotFaultPlanes, HighlightCopiesShareTheirPoints) {
  std::vector<std::string> lines(200, "100 40 100 40 R");
  test::PlotFixture f;
  PlotFaultPlanes(DataFromLines(lines), f.target, 7);
  // 200 circles and arrows of the data, one of the highlighted datum.
  EXPECT_EQ(f.picture.points().size(), 201u * (181 + 6));
  EXPECT_EQ(DataDrawingOf(f.picture).size(), 400u * 3);
  // The first copy is marked as a run, and every later copy repeats it.
  ASSERT_EQ(f.picture.repeats().size(), 200u);
  const RepeatedRun first = f.picture.repeats()[0];
  EXPECT_EQ(first.begin, first.source);
  for (const RepeatedRun& run : f.picture.repeats()) {
    EXPECT_EQ(run.source, first.source);
    EXPECT_EQ(run.length, first.length);
  }
}

// The view keeps the raster of a drawing while its key stays: the key
// follows the data and the symbol size, not the highlight.
TEST(DrawingKey, FollowsWhatIsDrawnButNotTheHighlight) {
  FaultSet data = DataFromLines({"10 30 10 30 N", "100 40 100 40 R"});
  test::PlotFixture f;
  auto key = [&](std::int16_t highlight) {
    PlotFaultPlanes(data, f.target, highlight);
    return f.picture.drawingKey();
  };
  const std::uint64_t plain = key(-1);
  EXPECT_NE(plain, 0u);
  EXPECT_EQ(key(2), plain);
  data[2].colour = clBlue;
  EXPECT_NE(key(2), plain);
  data[2].colour = clRed;
  f.target.symbolSize = SymbolSize::Small;
  EXPECT_NE(key(-1), plain);
  f.target.symbolSize = SymbolSize::Medium;
  PlotTangentLineation(data, f.target, -1);
  EXPECT_NE(f.picture.drawingKey(), plain);
  RenderPlot(f.target, nullptr);
  EXPECT_EQ(f.picture.drawingKey(), 0u);
}

}  // namespace
}  // namespace orniva
