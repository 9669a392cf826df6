// The net geometry, the projection, the empty net and the plot cycle.
#include "plot/net.h"

#include <cmath>
#include <limits>
#include <stdexcept>

#include <gtest/gtest.h>

#include "data/colours.h"
#include "tests/plot/plot_test_support.h"

namespace orniva {
namespace {

using test::Drawn;
using test::DrawingOf;

NetGeometry Net() {
  NetGeometry geometry;
  InitNetGeometry(geometry);
  return geometry;
}

TEST(NetGeometry, InitSetsUnitRadiusAndCentre) {
  const NetGeometry g = Net();
  EXPECT_EQ(g.symbolUnit, 10);
  EXPECT_EQ(g.netRadius, 450);
  EXPECT_EQ(g.netCentre, (TPoint{500, 500}));
}

TEST(ProjectLine, CompassAndKnownPoints) {
  struct Row { float trend, plunge; TPoint expected; };
  const Row rows[] = {
      {0, 0, {500, 50}},     {90, 0, {950, 500}},    {180, 0, {500, 950}},  {270, 0, {50, 500}},
      {0, 90, {500, 500}},   {123, 90, {500, 500}},  {45, 45, {632, 368}},  {30, 60, {560, 396}},
      {200, 10, {371, 855}}, {315, 20, {277, 277}},  {-45, 20, {277, 277}}, {360, 0, {500, 50}},
      {0, -10, {500, -36}},  {210, 0, {275, 890}},
  };
  const NetGeometry g = Net();
  for (const Row& row : rows) {
    EXPECT_EQ(ProjectLine(g, {row.trend, row.plunge}), row.expected)
        << row.trend << "/" << row.plunge;
  }
}

TEST(ProjectLine, StaysFiniteForLinesWithoutAProjection) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float cases[][2] = {{0, -90}, {45, -90},  {0, -89.9999f}, {nan, 10},  {10, nan},
                            {inf, 0}, {0, inf},   {0, -inf},      {1e30f, 0}, {0, 1e30f},
                            {0, -270}, {-1e38f, -1e38f}};
  const NetGeometry g = Net();
  const std::int32_t limit = std::int32_t(1) << 29;
  for (const auto& c : cases) {
    const TPoint p = ProjectLine(g, {c[0], c[1]});
    EXPECT_LE(std::abs(std::int64_t(p.x) - 500), std::int64_t(limit) + 500) << c[0] << "/" << c[1];
    EXPECT_LE(std::abs(std::int64_t(p.y) - 500), std::int64_t(limit) + 500) << c[0] << "/" << c[1];
  }
  // Straight up lands far outside the picture, on the far side of north.
  EXPECT_GT(std::abs(ProjectLine(g, {0, -90}).y), 100000);
  // NaN lands on the centre.
  EXPECT_EQ(ProjectLine(g, {0, nan}), (TPoint{500, 500}));
}

TEST(SymbolRadius, BySize) {
  const NetGeometry g = Net();
  EXPECT_EQ(SymbolRadius(g, SymbolSize::Large), 15);
  EXPECT_EQ(SymbolRadius(g, SymbolSize::Medium), 10);
  EXPECT_EQ(SymbolRadius(g, SymbolSize::Small), 7);
}

TEST(DrawNetFrame, RecordsFillCircleAndTicksInOrder) {
  Picture picture;
  {
    RecordingCanvas canvas(picture);
    DrawNetFrame(canvas, Net());
  }
  const std::vector<DrawRecord> expected = {
      {DrawOp::PenWidth, 2},
      {DrawOp::BrushColour, std::int32_t(clWhite)},
      {DrawOp::PenColour, std::int32_t(clSilver)},
      {DrawOp::FillRect, 0, 0, 1000, 1000},
      {DrawOp::Ellipse, 50, 50, 950, 950},
      {DrawOp::MoveTo, 500, 50},  {DrawOp::LineTo, 500, 30},
      {DrawOp::MoveTo, 500, 950}, {DrawOp::LineTo, 500, 970},
      {DrawOp::MoveTo, 50, 500},  {DrawOp::LineTo, 30, 500},
      {DrawOp::MoveTo, 950, 500}, {DrawOp::LineTo, 970, 500},
  };
  EXPECT_EQ(picture.records(), expected);
}

TEST(RenderPlot, EmptyStepDrawsTheEmptyNetAndShowsIt) {
  test::PlotFixture f;
  RenderPlot(f.target, nullptr);
  EXPECT_EQ(f.shown, 1);
  const std::vector<Drawn> drawn = DrawingOf(f.picture);
  ASSERT_EQ(drawn.size(), 6u);
  EXPECT_EQ(drawn[1].op, DrawOp::Ellipse);
  EXPECT_EQ(drawn[1].pen, clSilver);
  EXPECT_EQ(drawn[1].brush, clWhite);
  EXPECT_EQ(drawn[1].penWidth, 2);
}

TEST(RenderPlot, EveryPlotReplacesTheWholePicture) {
  test::PlotFixture f;
  RenderPlot(f.target, [](RecordingCanvas& c) { c.LineTo({1, 2}); });
  RenderPlot(f.target, [](RecordingCanvas& c) { c.LineTo({3, 4}); });
  const std::vector<Drawn> drawn = DrawingOf(f.picture);
  ASSERT_EQ(drawn.size(), 7u);
  EXPECT_EQ(drawn.back().points[1], (TPoint{3, 4}));
  EXPECT_EQ(f.shown, 2);
}

TEST(RenderPlot, FailingStepClosesTheCanvasAndIsNotShown) {
  test::PlotFixture f;
  RenderPlot(f.target, nullptr);
  EXPECT_THROW(RenderPlot(f.target,
                          [](RecordingCanvas& c) {
                            c.LineTo({7, 7});
                            throw std::runtime_error("drawing failed");
                          }),
               std::runtime_error);
  EXPECT_EQ(f.shown, 1);
  // The picture holds what was recorded up to the failure.
  const std::vector<Drawn> drawn = DrawingOf(f.picture);
  ASSERT_EQ(drawn.size(), 7u);
  EXPECT_EQ(drawn.back().points[1], (TPoint{7, 7}));
}

}  // namespace
}  // namespace orniva
