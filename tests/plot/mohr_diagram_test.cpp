// The Mohr diagram of a given stress, through the figures the window and
// orniva-plot draw it from.
#include "plot/mohr_diagram.h"

#include <gtest/gtest.h>

#include "analysis/study.h"
#include "data/colours.h"
#include "plot/figures.h"
#include "tests/plot/plot_test_support.h"

namespace orniva::test {
namespace {

// sigma1 vertical, sigma3 east-west, Phi 1/2 (the hand-worked case of the
// analysis tests): 090/45 at (0, 0.866), 090/60 at (-0.433, 0.75); the
// largest circle from sigma1 = 0.866 to sigma3 = -0.866.
TEST(PlotMohr, PointsAtTheirStressesTheCirclesAndTheHighlightLast) {
  analysis::Study study;
  study.data() = DataFromLines({"90 45 90 45 N", "90 60 90 60 R"});
  study.DataReplaced();
  study.SetGivenStress(analysis::GivenStress{{0, 90}, {90, 0}, 0.5});
  PlotFixture f;
  const DiagramFigures figures = FiguresFor(PlotMode::Mohr, study, f.target.geometry);
  PlotDiagram(PlotMode::Mohr, study.data(), f.target, 2, figures.Inputs());
  std::vector<Drawn> dots, circles;
  for (const Drawn& d : EffectiveDrawing(f.picture)) {
    if (d.op == DrawOp::Ellipse) dots.push_back(d);
    if (d.op == DrawOp::Polyline) circles.push_back(d);
  }
  ASSERT_EQ(dots.size(), 3u);
  EXPECT_EQ(dots[0],
            (Drawn{DrawOp::Ellipse, Points({{520, 309}, {540, 329}}), 1, clBlack, clBlue, ""}));
  EXPECT_EQ(dots[1],
            (Drawn{DrawOp::Ellipse, Points({{329, 360}, {349, 380}}), 1, clBlack, clRed, ""}));
  EXPECT_EQ(dots[2], (Drawn{DrawOp::Ellipse, dots[1].points, 4, clAqua, clRed, ""}));
  EXPECT_EQ(f.picture.repeats().size(), 1u);
  ASSERT_EQ(circles.size(), 3u);
  EXPECT_EQ(circles[0].points.front(), (TPoint{911, 700}));
  EXPECT_EQ(circles[0].points[90], (TPoint{530, 319}));
  EXPECT_EQ(circles[0].points.back(), (TPoint{149, 700}));
  EXPECT_EQ(f.shown, 1);
}

// The principal values' labels: where they stand apart, at their values;
// where two or three crowd, `gap` apart about the mean of their values, in
// the values' order (a tie puts the later sigma left, as it is the smaller).
TEST(MohrLabels, SpreadOnlyWhereTheyCrowd) {
  using X = std::array<std::int32_t, 3>;
  const struct {
    X values, labels;
  } cases[] = {
      {{970, 530, 90}, {970, 530, 90}},    // far apart
      {{970, 320, 300}, {970, 332, 288}},  // sigma2 and sigma3 crowd
      {{970, 310, 310}, {970, 332, 288}},  // a tie
      {{330, 310, 300}, {357, 313, 269}},  // all three
      {{400, 356, 90}, {400, 356, 90}},    // exactly the gap apart
      {{400, 380, 343}, {418, 374, 330}},  // a crowded pair meets the third
  };
  for (const auto& c : cases) EXPECT_EQ(SpreadLabels(c.values, 44), c.labels);
}

}  // namespace
}  // namespace orniva::test
