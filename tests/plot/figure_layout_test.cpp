// The figure layout of each diagram: "N = k" of the data drawn, and a
// legend of exactly the symbols drawn, each as the diagram draws it, within
// the figure below the caption.
#include "plot/figure_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "plot/figures.h"
#include "tests/plot/plot_test_support.h"

namespace orniva::test {
namespace {

// The records of an untitled figure: the diagram's, before "N = k"; the
// legend's, after the net's caption.
struct LaidOut {
  std::vector<Drawn> diagram, legend;
  std::string count;
  std::int32_t captionLine = 0;
};

LaidOut Split(const Picture& figure) {
  const std::vector<Drawn> drawn = EffectiveDrawing(figure);
  const auto count = std::find_if(drawn.begin(), drawn.end(),
                                  [](const Drawn& d) { return d.text.rfind("N = ", 0) == 0; });
  if (count + 2 > drawn.end()) return {};
  return {{drawn.begin() + 1, count}, {count + 2, drawn.end()}, count->text, count->points[0].y};
}

double Length(const Drawn& d) {
  double length = 0;
  for (std::size_t k = 1; k < d.points.size(); ++k)
    length += std::hypot(d.points[k].x - d.points[k - 1].x, d.points[k].y - d.points[k - 1].y);
  return length;
}

// Whether the diagram draws a legend's mark alike: a dot of its size, pen
// and fill; a line or cross in its pen; an arrow of its pen and length.
bool DrawnAlike(const Drawn& mark, const std::vector<Drawn>& diagram) {
  return std::any_of(diagram.begin(), diagram.end(), [&](const Drawn& d) {
    if (d.penColour != mark.penColour || d.penWidth != mark.penWidth) return false;
    if (mark.op == DrawOp::Ellipse)
      return d.op == DrawOp::Ellipse && d.brushColour == mark.brushColour &&
             d.points[1].x - d.points[0].x == mark.points[1].x - mark.points[0].x;
    if (mark.op == DrawOp::Polyline)
      return d.op == DrawOp::Polyline && d.points.size() == 6 &&
             std::fabs(Length(d) - Length(mark)) < 3;
    if (mark.op == DrawOp::Polygon)
      return d.op == DrawOp::Polygon && d.brushColour == mark.brushColour &&
             d.points.size() == mark.points.size() &&
             d.points[0].y - d.points[1].y == mark.points[0].y - mark.points[1].y;
    return d.op == DrawOp::LineTo || (d.op == DrawOp::Polyline && d.points.size() > 6);
  });
}

// Large symbols: the widest samples. A bad line is neither drawn nor counted.
TEST(FigureLayout, LegendOfExactlyWhatIsDrawnInsideTheFigure) {
  // clang-format off
  const std::vector<std::string> normal = {"90 45 90 45 N", "270 60 270 60 N", "400 45 90 45 N", "0 50 0 50 N"};
  const std::vector<std::string> mixed = {"90 45 90 45 N", "0 60 0 60 R", "90 30 0 10 S", "90 30 0 10 D", "90 45 90 45 X", "400 1 1 1 N"};
  const std::vector<std::string> flat = {"90 45 0 0 N", "90 45 90 45 N"};
  const std::vector<std::string> six = {"90 45 90 45 N", "270 60 270 60 N", "0 50 0 50 N", "180 70 180 70 N", "45 30 45 30 N", "135 80 135 80 N"};
  const std::vector<int> oneOut = {1}, threeIn = {1, 2, 3};
  struct Row {
    const std::vector<std::string>& lines;
    PlotMode mode;
    std::int16_t highlight;
    std::string count;  // after "N = "
    std::vector<std::string> legend;
    std::vector<int> off = {};
    bool stressKey = false;  // "σ2" names the stress axes' key alone
    bool everyMethod = false;
    bool phaseA = false;  // line 2 in phase A, the data coloured by phase
  };
  using M = PlotMode;
  const std::string n = "Normal or extensional", r = "Reverse or contractional", u = "Sense unknown", h = "Highlighted fault";
  const std::string down = "Dip slip, hanging wall down", out = "Excluded from the inversion";
  const std::string s13 = " (\u03C31, \u03C33)";
  const std::string index = ": stress-regime index, 0 to 3", nf = "World Stress Map regime NF: normal faulting";
  const std::string most = "\u00B0: azimuth of the greatest horizontal compression", least = "\u00B0: azimuth of the least horizontal compression";
  const Row rows[] = {
      {normal, M::FaultPlaneAndStriation, -1, "3", {n, down}},
      {normal, M::FaultPlaneAndStriation, 3, "3", {n, down}},  // not drawn: no highlight
      {mixed, M::FaultPlaneAndStriation, 1, "5", {n, r, u, down, "Dip slip, hanging wall up", "Sinistral", "Dextral", h}},
      {flat, M::FaultPlaneAndStriation, -1, "2", {n, "Striation plunging under 1\u00B0", down, "Sinistral"}},
      {flat, M::TangentLineation, -1, "2", {n, "Horizontal striation", "Tangent lineation"}},
      {mixed, M::Poles, 2, "5", {n, r, u, "Striation", h}},
      {six, M::StressAxes, -1, "5 of 6", {n, out, down, "R\u2032 = 0.0873, radial extension" + index, nf, "SHmax = 172.75" + most, "SHmin = 82.75" + least}, oneOut, true},
      {six, M::StressAxes, -1, "3 of 6", {n, out, down}, threeIn, false},  // refused: no axes
      {six, M::StressAxes, -1, "6", {n, down, "Michael" + s13, "Shan" + s13, "Fry" + s13, "Yamaji-Sato" + s13, "Angelier S4" + s13,
                                       "R\u2032 = 0.0418, radial extension" + index, nf, "SHmax = 12.95" + most, "SHmin = 102.95" + least}, {}, true, true},
      {six, M::Mohr, 2, "5 of 6", {n, out, h}, oneOut, true},  // its circles named sigma1 to 3
      {normal, M::KinematicAxes, 1, "3", {n + " (P, T, B)", "Linked Bingham axes (P, T, B)", h}},
      {normal, M::FaultPlaneAndStriation, -1, "2 of 3", {n, "Left out of the analyses", "Phase A", down}, {1}, false, false, true},
      {normal, M::Poles, -1, "2 of 3", {n, "Left out of the analyses", "Phase A", "Striation"}, {1}, false, false, true},
      {normal, M::KinematicAxes, -1, "2 of 3", {n + " (P, T, B)", "Phase A (P, T, B)", "Linked Bingham axes (P, T, B)"}, {1}, false, false, true},
      {mixed, M::Density, -1, "4", {"Pole", "Kamb (1959) contours of 4 poles, every 2\u03C3 (uniform: 3\u03C3)"}},
      {normal, M::RightDihedra, 4, "3", {"Fault plane", h, "Right dihedra of 3 faults (Angelier and Mechler 1977)",
                                         "%: faults whose compressional dihedron holds the direction",
                                         "Dark red compressional: \u03C31 at the highest share (100 %)",
                                         "Pale yellow extensional: \u03C33 at the lowest share (0 %)"}},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.lines[0] << " " << PlotModeName(row.mode));
    const FaultSet data = DataFromLines(row.lines);
    analysis::Study study;
    study.data() = data;
    study.DataReplaced();
    study.SetOff(row.off, true);
    study.SetEveryMethod(row.everyMethod);
    if (row.phaseA) {
      study.AddPhase({"A", "#1b9e77"});
      study.SetPhaseOf({2}, 1);
      study.SetColourByPhase(true);
    }
    FigureRequest request{row.mode, {}, SymbolSize::Large, row.highlight, true, ""};
    InitNetGeometry(request.geometry);
    const Picture figure = DrawFigure(data, request, FiguresFor(row.mode, study, request.geometry));
    const LaidOut laidOut = Split(figure);
    EXPECT_EQ(laidOut.count, "N = " + row.count);
    std::vector<std::string> legend;
    for (const Drawn& d : laidOut.legend) {
      const TPoint p = d.points[0];
      EXPECT_TRUE(p.y > laidOut.captionLine && p.y <= figure.height() && p.x >= 0);
      if (d.op == DrawOp::Text) legend.push_back(d.text);
      if (d.op == DrawOp::Text) continue;
      EXPECT_TRUE(DrawnAlike(d, laidOut.diagram)) << testing::PrintToString(d);
      EXPECT_TRUE(d.points.back().y <= figure.height() && d.points.back().x <= figure.width());
    }
    EXPECT_EQ(legend, row.legend);
    const std::string sigma2 = std::string("\u03C3") + "2";
    EXPECT_EQ(std::any_of(laidOut.diagram.begin(), laidOut.diagram.end(),
                          [&](const Drawn& d) { return d.text == sigma2; }),
              row.stressKey);
  }
}

}  // namespace
}  // namespace orniva::test
