// The net geometry, the projection, the empty net and the plot cycle.
#include "plot/net.h"

#include <limits>
#include <stdexcept>

#include <gtest/gtest.h>

#include "data/colours.h"
#include "tests/plot/plot_test_support.h"

namespace orniva::test {
namespace {

// Equal-angle (the default) at the compass points and known points;
// equal-area at the check points of the analysis conventions. Lines without
// a projection are held within +-2^29 plot units; NaN lands on the centre.
// (Every other hostile value is the render fuzz target's.)
TEST(ProjectLine, CompassKnownAndUnprojectablePoints) {
  struct Row {
    NetKind kind;
    float trend, plunge;
    TPoint expected;
  };
  const NetKind angle = NetKind::EqualAngle, area = NetKind::EqualArea;
  // clang-format off
  const Row rows[] = {
      {angle, 0, 0, {500, 50}},     {angle, 90, 0, {950, 500}},    {angle, 180, 0, {500, 950}},
      {angle, 270, 0, {50, 500}},   {angle, 0, 90, {500, 500}},    {angle, 123, 90, {500, 500}},
      {angle, 45, 45, {632, 368}},  {angle, 30, 60, {560, 396}},   {angle, 200, 10, {371, 855}},
      {angle, 315, 20, {277, 277}}, {angle, -45, 20, {277, 277}},  {angle, 360, 0, {500, 50}},
      {angle, 0, -10, {500, -36}},  {angle, 210, 0, {275, 890}},   {area, 45, 45, {672, 328}},
      {area, 30, 60, {582, 357}},   {area, 200, 10, {360, 884}},   {area, 315, 20, {242, 242}},
      {area, 90, 0, {950, 500}},    {area, 0, 90, {500, 500}},     {angle, 0, -90, {500, 1 << 29}},
      {angle, 0, std::numeric_limits<float>::quiet_NaN(), {500, 500}},
  };
  // clang-format on
  for (const Row& row : rows) {
    const NetGeometry g = Net(row.kind);
    EXPECT_EQ(ProjectLine(g, {row.trend, row.plunge}), row.expected)
        << int(row.kind) << " " << row.trend << "/" << row.plunge;
  }
}

TEST(RenderPlot, FailingStepClosesTheCanvasAndIsNotShown) {
  PlotFixture f;
  RenderPlot(f.target, nullptr);
  EXPECT_THROW(RenderPlot(f.target,
                          [](RecordingCanvas& c) {
                            c.LineTo({7, 7});
                            throw std::runtime_error("drawing failed");
                          }),
               std::runtime_error);
  EXPECT_EQ(f.shown, 1);
  // The picture holds what was recorded up to the failure.
  const std::vector<Drawn> drawn = EffectiveDrawing(f.picture);
  ASSERT_EQ(drawn.size(), 7u);
  EXPECT_EQ(drawn.back().points, Points({{970, 500}, {7, 7}}));  // from the last tick
}

}  // namespace
}  // namespace orniva::test
