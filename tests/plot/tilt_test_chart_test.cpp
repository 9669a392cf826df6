// The tilt test's chart: each step's dot where its fraction and plunge
// put it on a scale from fraction 0 to 1.25 and plunge 0 to 90, the
// steepest axis named where it changes, and the fraction scale's ends.
#include "plot/tilt_test_chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/plot/plot_test_support.h"

namespace orniva::test {
namespace {

TEST(TiltTestChart, StepsLandOnTheScales) {
  // clang-format off
  const struct { double fraction, plunge; int axis; TPoint centre; } rows[] = {
      {0,    0,  0, {180, 750}},
      {0.5,  30, 0, {580, 550}},
      {1,    90, 2, {980, 150}},
      {1.25, 45, 2, {1180, 450}},
  };
  // clang-format on
  std::vector<analysis::TiltStep> steps;
  for (const auto& row : rows) {
    analysis::TiltStep step;
    step.fraction = row.fraction;
    step.steepestPlunge = row.plunge;
    step.stress.axes[std::size_t(row.axis)].plunge = row.plunge;
    steps.push_back(step);
  }
  std::vector<TPoint> centres;
  std::vector<std::string> texts;
  std::vector<TPoint> tickAnchors;  // the numbers under the fraction scale
  for (const Drawn& d : EffectiveDrawing(DrawTiltTestChart(steps, "T"))) {
    if (d.op == DrawOp::Ellipse)
      centres.push_back({(d.points[0].x + d.points[1].x) / 2, (d.points[0].y + d.points[1].y) / 2});
    if (d.op == DrawOp::Text) texts.push_back(d.text);
    if (d.op == DrawOp::Text && (d.text == "0" || d.text == "1.25") && d.points[0].y > 770)
      tickAnchors.push_back(d.points[0]);
  }
  ASSERT_GE(centres.size(), std::size(rows));
  for (std::size_t k = 0; k < std::size(rows); ++k) EXPECT_EQ(centres[k], rows[k].centre);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "\u03C31"), 1);  // named once per run
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "\u03C33"), 1);
  ASSERT_EQ(tickAnchors.size(), 2u);
  EXPECT_EQ(tickAnchors[0].x, 180);
  EXPECT_EQ(tickAnchors[1].x, 1180);
}

}  // namespace
}  // namespace orniva::test
