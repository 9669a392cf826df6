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

TEST(ProjectLine, EqualAreaCheckPoints) {
  struct Row { float trend, plunge; TPoint expected; };
  const Row rows[] = {{45, 45, {672, 328}},  {30, 60, {582, 357}}, {200, 10, {360, 884}},
                      {315, 20, {242, 242}}, {90, 0, {950, 500}},  {0, 90, {500, 500}}};
  NetGeometry g = Net();
  g.kind = NetKind::EqualArea;
  for (const Row& row : rows)
    EXPECT_EQ(ProjectLine(g, {row.trend, row.plunge}), row.expected)
        << row.trend << "/" << row.plunge;
}

// Lines without a projection are held within +-2^29 plot units; NaN lands
// on the centre. (Every other hostile value is the render fuzz target's.)
TEST(ProjectLine, StaysFiniteForLinesWithoutAProjection) {
  const NetGeometry g = Net();
  EXPECT_EQ(ProjectLine(g, {0, -90}), (TPoint{500, std::int32_t(1) << 29}));
  EXPECT_EQ(ProjectLine(g, {0, std::numeric_limits<float>::quiet_NaN()}), (TPoint{500, 500}));
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
  EXPECT_EQ(test::PointAt(drawn.back().points, 1), (TPoint{7, 7}));
}

}  // namespace
}  // namespace orniva
