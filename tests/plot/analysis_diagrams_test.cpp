// The stress-axes and field diagrams (Medium symbols, equal-angle net).
#include "plot/analysis_diagrams.h"

#include <gtest/gtest.h>

#include "data/colours.h"
#include "plot/diagram.h"
#include "tests/plot/plot_test_support.h"

namespace orniva::test {
namespace {

std::vector<std::string> TextsOf(const Picture& picture) {
  std::vector<std::string> texts;
  for (const EffectiveDraw& d : EffectiveDrawing(picture))
    if (d.op == DrawOp::Text) texts.push_back(d.text);
  return texts;
}

// The operations `op` of `drawn`; with `points`, only those of that many points.
std::vector<Drawn> Only(const std::vector<Drawn>& drawn, DrawOp op, std::size_t points = 0) {
  std::vector<Drawn> out;
  for (const Drawn& d : drawn)
    if (d.op == op && (points == 0 || d.points.size() == points)) out.push_back(d);
  return out;
}

TEST(PlotStressAxes, PlanesGreyWhenSwitchedOutThenTheAxesLabelledWithTheirLegend) {
  const FaultSet data = DataFromLines({"90 45 90 45 N", "0 60 0 60 R"});
  StressAxesFigure figure;
  figure.switchedOut = {false, false, true};
  figure.axes = {{{0, 90}, {90, 0}, {0, 0}}};
  figure.phi = 0.25;
  PlotFixture f;
  PlotDiagram(PlotMode::StressAxes, data, f.target, -1, {nullptr, &figure});
  const std::vector<Drawn> circles =
      Only(DataDrawingOf(f.picture), DrawOp::Polyline, 181);  // not the arrows
  ASSERT_EQ(circles.size(), 2u);
  EXPECT_EQ(circles[0].penColour, clBlue);
  EXPECT_EQ(circles[1].penColour, kSwitchedOutGrey);
  const std::vector<Drawn> polygons = Only(DataDrawingOf(f.picture), DrawOp::Polygon);
  ASSERT_GE(polygons.size(), 1u);  // sigma1 at the centre, half-size 1.6 r
  EXPECT_EQ(polygons[0],
            (Drawn{DrawOp::Polygon, Points({{484, 484}, {516, 484}, {516, 516}, {484, 516}}), 3,
                   clBlack, clWhite, ""}));
  const std::string sigma = "\u03C3";
  const std::vector<std::string> labels = {"1", "2", "3", sigma + "1", sigma + "2", sigma + "3"};
  EXPECT_EQ(TextsOf(f.picture), labels);

  DiagramInputs layout{nullptr, &figure};
  layout.layout = true;
  PlotDiagram(PlotMode::StressAxes, data, f.target, -1, layout);
  std::vector<std::string> withPhi = labels;
  withPhi.push_back("\u03A6 = 0.25");
  EXPECT_EQ(TextsOf(f.picture), withPhi);

  figure.axes.reset();  // a refusal: the window's key alone; the layout names no axes
  PlotDiagram(PlotMode::StressAxes, data, f.target, -1, {nullptr, &figure});
  EXPECT_EQ(TextsOf(f.picture), std::vector<std::string>(labels.begin() + 3, labels.end()));
  PlotDiagram(PlotMode::StressAxes, data, f.target, -1, layout);
  EXPECT_TRUE(TextsOf(f.picture).empty());
}

TEST(PlotField, BandsInTheirColoursThenLinesPointsAndTheHighlightLast) {
  const FaultSet data = DataFromLines({"90 45 90 45 N", "0 60 0 60 R"});
  FieldFigure figure;
  const TColor low = Rgb(250, 250, 200), high = Rgb(200, 0, 0);
  figure.levelColours = {low, high};
  figure.levelLabels = {"2\u03C3", "4\u03C3"};
  figure.bands = {{0, {{400, 400}, {600, 400}, {600, 600}}},
                  {7, {{1, 1}, {2, 2}, {3, 1}}},
                  {1, {{450, 450}, {550, 450}, {500, 550}}}};
  figure.lines = {{{400, 500}, {600, 500}}};
  figure.points = {std::nullopt, directional_operations::Orientation{0, 90}, std::nullopt};
  PlotFixture f;
  DiagramInputs inputs;
  inputs.field = &figure;
  PlotDiagram(PlotMode::Density, data, f.target, 1, inputs);
  const std::vector<Drawn> drawn = DataDrawingOf(f.picture);
  ASSERT_EQ(drawn.size(),
            6u);  // two bands (level 7 is unknown), a line, the circle, dot, highlight
  EXPECT_EQ(drawn[0], (Drawn{DrawOp::Polygon, Points({{400, 400}, {600, 400}, {600, 600}}), 2, low,
                             low, ""}));
  EXPECT_EQ(drawn[1].brushColour, high);
  EXPECT_EQ(drawn[2], (Drawn{DrawOp::Polyline, figure.lines[0], 1, Rgb(64, 64, 64), 0, ""}));
  EXPECT_EQ(drawn[3].penColour, clSilver);  // the primitive circle again
  EXPECT_EQ(drawn[4],
            (Drawn{DrawOp::Ellipse, Points({{497, 497}, {503, 503}}), 1, clBlack, clBlack, ""}));
  EXPECT_EQ(drawn[5],
            (Drawn{DrawOp::Ellipse, Points({{490, 490}, {510, 510}}), 4, clAqua, clAqua, ""}));
  ASSERT_EQ(f.picture.repeats().size(), 1u);  // the highlight, cached apart
  EXPECT_TRUE(TextsOf(f.picture).empty());

  inputs.layout = true;
  figure.planes = true;  // the planes instead of the points
  const std::string sigma1 = std::string("\u03C3") + "1";
  figure.labels = {{{0, 90}, sigma1}};
  PlotDiagram(PlotMode::RightDihedra, data, f.target, -1, inputs);
  const std::vector<std::string> texts = {"2\u03C3", "4\u03C3", sigma1};
  EXPECT_EQ(TextsOf(f.picture), texts);
  EXPECT_EQ(Only(DataDrawingOf(f.picture), DrawOp::Polyline).size(),
            2u + 2);  // line, circle, planes
}

// Lightness (Rec. 601 luma) falls with every level, whatever their number.
TEST(RampColour, DarkerWithEveryLevel) {
  auto luma = [](TColor c) { return 299 * RedOf(c) + 587 * GreenOf(c) + 114 * BlueOf(c); };
  for (std::size_t n : {2u, 5u, 9u, 24u})
    for (std::size_t k = 1; k < n; ++k)
      EXPECT_LT(luma(RampColour(k, n)), luma(RampColour(k - 1, n))) << k << " of " << n;
}

}  // namespace
}  // namespace orniva::test
