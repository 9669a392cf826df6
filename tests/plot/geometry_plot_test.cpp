// The upper hemisphere, the net grid and the rose diagram.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "data/fault_reader.h"
#include "plot/figures.h"
#include "plot/mohr_diagram.h"
#include "plot/net_grid.h"
#include "plot/pick_points.h"
#include "tests/plot/plot_test_support.h"

namespace orniva {
namespace {

using test::Drawn;

FaultSet Example() { return test::DataFromLines(ReadDataFile(ORNIVA_EXAMPLE_FILE).lines); }

FigureRequest Request(PlotMode mode, const NetGeometry& geometry) {
  FigureRequest request;
  request.mode = mode;
  request.geometry = geometry;
  return request;
}

std::vector<Drawn> DataDrawing(PlotMode mode, const FaultSet& data, NetGeometry geometry) {
  const Picture picture =
      DrawFigure(data, Request(mode, geometry), FiguresFor(mode, data, geometry));
  return test::DataDrawingOf(picture);
}

double Radius(TPoint p) { return std::hypot(p.x - 500.0, p.y - 500.0); }

// Turned half round the centre, every point of the data's drawing lands
// within a unit (the arrows' turned shapes round on their own) of the same
// drawing on the upper hemisphere.
TEST(UpperHemisphere, DrawsEveryDiagramOfTheDataTurnedHalfRound) {
  const FaultSet data = Example();
  for (PlotMode mode : {PlotMode::FaultPlaneAndStriation, PlotMode::TangentLineation,
                        PlotMode::Poles, PlotMode::KinematicAxes}) {
    NetGeometry upper = test::Net(NetKind::EqualArea);
    upper.hemisphere = Hemisphere::Upper;
    const auto lower = DataDrawing(mode, data, test::Net(NetKind::EqualArea));
    const auto turned = DataDrawing(mode, data, upper);
    ASSERT_EQ(lower.size(), turned.size());
    for (std::size_t k = 0; k < lower.size(); ++k) {
      ASSERT_EQ(lower[k].points.size(), turned[k].points.size());
      // A box's corners and a line's ends swap.
      const bool swap = lower[k].op == DrawOp::Ellipse || lower[k].op == DrawOp::LineTo;
      for (std::size_t i = 0; i < lower[k].points.size(); ++i) {
        const TPoint a = lower[k].points[i], b = turned[k].points[swap ? 1 - i : i];
        EXPECT_LE(std::abs(a.x + b.x - 1000) + std::abs(a.y + b.y - 1000), 2)
            << int(mode) << " record " << k << " point " << i;
      }
    }
  }
}

// Ten poles at 270/45 counted in one per cent caps: the densest band lies
// about the pole's point on either hemisphere.
TEST(UpperHemisphere, DensityPeaksAtThePointOfItsDirections) {
  const FaultSet data = test::DataFromLines(std::vector<std::string>(10, "90 45 90 45 N"));
  for (Hemisphere hemisphere : {Hemisphere::Lower, Hemisphere::Upper}) {
    NetGeometry net = test::Net(NetKind::EqualArea);
    net.hemisphere = hemisphere;
    analysis::AnalysisChoices choices;
    choices.densityMethod = analysis::DensityMethod::OnePercent;
    const DiagramFigures f = FiguresFor(PlotMode::Density, data, net, choices);
    const TPoint pole = ProjectLine(net, {270, 45});
    int top = 0;
    for (const auto& band : f.field.bands) top = std::max(top, band.level);
    double x = 0, y = 0, n = 0;
    for (const auto& band : f.field.bands)
      if (band.level == top)
        for (TPoint p : band.points) x += p.x, y += p.y, ++n;
    EXPECT_NEAR(x / n, pole.x, 10);
    EXPECT_NEAR(y / n, pole.y, 10);
  }
}

// The grid's 34 half circles (17 meridians, 17 parallels) each run from
// rim to rim, in the grid's colour, under the data.
TEST(NetGrid, HalfCirclesFromRimToRimUnderTheData) {
  NetGeometry net = test::Net();
  net.grid = true;
  const auto drawn = DataDrawing(PlotMode::Poles, Example(), net);
  ASSERT_GT(drawn.size(), 34u);
  for (std::size_t k = 0; k < 34; ++k) {
    EXPECT_EQ(drawn[k].penColour, kNetGridColour);
    EXPECT_NEAR(Radius(drawn[k].points.front()), 450, 1);
    EXPECT_NEAR(Radius(drawn[k].points.back()), 450, 1);
  }
  EXPECT_NE(drawn[34].penColour, kNetGridColour);
}

// Dip directions 090 twice and 180 once in 10-degree bins: a petal of the
// full radius over 090-100 and one of half the radius (of 1 / sqrt 2 on the
// equal-area net) over 180-190, turned half round on the upper hemisphere.
TEST(Rose, PetalsReachTheirCountsShareOfTheRadius) {
  const FaultSet data = test::DataFromLines({"90 45 90 45 N", "90 45 90 45 N", "180 30 180 30 N"});
  analysis::AnalysisChoices choices;
  choices.roseOf = analysis::RoseOf::DipDirection;
  // clang-format off
  struct Case { NetKind kind; Hemisphere hemisphere; double second; TPoint firstTip; };
  const Case cases[] = {
      {NetKind::EqualAngle, Hemisphere::Lower, 225, {950, 500}},
      {NetKind::EqualArea, Hemisphere::Lower, 450 / std::sqrt(2.0), {950, 500}},
      {NetKind::EqualAngle, Hemisphere::Upper, 225, {50, 500}},
  };
  // clang-format on
  for (const Case& c : cases) {
    NetGeometry net = test::Net(c.kind);
    net.hemisphere = c.hemisphere;
    const Picture picture = DrawFigure(data, Request(PlotMode::Rose, net),
                                       FiguresFor(PlotMode::Rose, data, net, choices));
    const auto petals = test::DataDrawingOf(picture);
    ASSERT_EQ(petals.size(), 2u);
    EXPECT_EQ(petals[0].points.front(), (TPoint{500, 500}));
    EXPECT_EQ(petals[0].points[1], c.firstTip);
    EXPECT_NEAR(Radius(petals[0].points[3]), 450, 1);
    EXPECT_NEAR(Radius(petals[1].points[3]), c.second, 1);
  }
}

}  // namespace
}  // namespace orniva

namespace orniva {
namespace {

// The point a click picks a datum by lies on the line the diagram draws of
// it, on either hemisphere; on the Mohr diagram, at its stresses.
TEST(PickPoints, LieOnTheLineEachDiagramDrawsOfTheDatum) {
  const FaultSet data = test::DataFromLines({"120 50 150 40 N"});
  // clang-format off
  const struct { PlotMode mode; Hemisphere hemisphere; std::vector<math::TrendPlunge> lines; } rows[] = {
      {PlotMode::FaultPlaneAndStriation, Hemisphere::Lower, {{150, 40}}},
      {PlotMode::FaultPlaneAndStriation, Hemisphere::Upper, {{150, 40}}},
      {PlotMode::Poles,                  Hemisphere::Lower, {{300, 40}}},
      {PlotMode::TangentLineation,       Hemisphere::Upper, {{300, 40}}},
  };
  // clang-format on
  for (const auto& row : rows) {
    NetGeometry geometry;
    InitNetGeometry(geometry);
    geometry.hemisphere = row.hemisphere;
    const auto points = PickPoints(row.mode, data, geometry, FiguresFor(row.mode, data, geometry));
    ASSERT_EQ(points.size(), row.lines.size());
    for (std::size_t k = 0; k < points.size(); ++k) {
      const auto line = LineUnder(row.mode, geometry, points[k].point);
      ASSERT_TRUE(line);
      EXPECT_NEAR(line->trend, row.lines[k].trend, 1e-6) << int(row.mode);
      EXPECT_NEAR(line->plunge, row.lines[k].plunge, 1e-6) << int(row.mode);
    }
  }
  NetGeometry geometry;
  InitNetGeometry(geometry);
  const FaultSet example = Example();
  const DiagramFigures mohr = FiguresFor(PlotMode::Mohr, example, geometry);
  const auto points = PickPoints(PlotMode::Mohr, example, geometry, mohr);
  ASSERT_FALSE(points.empty());
  const MohrFigure::Point& expected = *mohr.mohr.points[std::size_t(points[0].line)];
  const MohrFigure::Point at = PlotToMohr(points[0].point.x, points[0].point.y);
  EXPECT_NEAR(at.sigmaN, expected.sigmaN, 0.5 / 440);
  EXPECT_NEAR(at.tau, expected.tau, 0.5 / 440);
  EXPECT_FALSE(LineUnder(PlotMode::Mohr, geometry, points[0].point));
}

}  // namespace
}  // namespace orniva
