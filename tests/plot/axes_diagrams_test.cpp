// The pole and kinematic-axes diagrams (Medium symbols, equal-angle net).
#include "plot/axes_diagrams.h"

#include <gtest/gtest.h>

#include "data/colours.h"
#include "plot/diagram.h"
#include "tests/plot/plot_test_support.h"

namespace orniva::test {
namespace {

const std::vector<std::string> kLines = {"90 45 90 45 N", "400 45 90 45 R", "0 60 0 60 R",
                                         "90 45 90 95 N"};

TEST(PlotPoles, PoleAndStriationOfEveryDrawablePlane) {
  PlotFixture f;
  PlotPoles(DataFromLines(kLines), f.target, -1);
  const std::vector<Drawn> drawn = DataDrawingOf(f.picture);
  // Datum 1: pole and striation; 2: plane invalid; 3: both; 4: the pole only.
  ASSERT_EQ(drawn.size(), 5u);
  EXPECT_EQ(drawn[0].points, Points({{304, 490}, {324, 510}}));  // pole 270/45
  EXPECT_EQ(drawn[0].brushColour, clBlue);
  EXPECT_EQ(drawn[1].points, Points({{683, 497}, {689, 503}}));  // striation 090/45, radius 3
  EXPECT_EQ(drawn[2].points, Points({{490, 750}, {510, 770}}));  // pole 180/30
  EXPECT_EQ(drawn[2].brushColour, clRed);
  EXPECT_EQ(drawn[4].brushColour, clBlue);
}

TEST(PlotPoles, HighlightFollowsTheTangentLineationRule) {
  const FaultSet data = DataFromLines(kLines);
  for (std::int16_t highlight : {1, 4}) {  // also the last datum
    PlotFixture f;
    PlotPoles(data, f.target, highlight);
    const std::vector<Drawn> drawn = DataDrawingOf(f.picture);
    const std::size_t copy = highlight == 1 ? 2 : 1;
    ASSERT_EQ(drawn.size(), 5u + 3 * copy) << highlight;
    EXPECT_EQ(drawn[2].penColour, clAqua);
    EXPECT_EQ(drawn[2].penWidth, 4);
  }
  PlotFixture f;
  PlotPoles(data, f.target, 2);  // an undrawable plane highlights nothing
  EXPECT_EQ(DataDrawingOf(f.picture).size(), 5u);
}

TEST(PlotKinematicAxes, AxesOfTheDataUsedThenTheSummary) {
  const FaultSet data = DataFromLines(kLines);
  KinematicAxesFigure axes;
  axes.perDatum.resize(5);
  axes.perDatum[1] = AxisTriple{{0, 90}, {90, 0}, {0, 0}};
  axes.perDatum[3] = AxisTriple{{180, 15}, {0, 75}, {90, 0}};
  axes.summary = AxisTriple{{0, 90}, {90, 0}, {0, 0}};
  PlotFixture f;
  PlotDiagram(PlotMode::KinematicAxes, data, f.target, 3, {&axes});
  const std::vector<Drawn> drawn = DataDrawingOf(f.picture);
  // Per datum P, T and the cross's two strokes; the highlight after each; the summary.
  ASSERT_EQ(drawn.size(), 4u * 4 + 4);
  EXPECT_EQ(drawn[0].points, Points({{490, 490}, {510, 510}}));
  EXPECT_EQ(drawn[0].brushColour, clBlue);
  EXPECT_EQ(drawn[1].brushColour, clWhite);
  EXPECT_EQ(drawn[1].penColour, clBlue);
  EXPECT_EQ(drawn[2].points, Points({{490, 50}, {510, 50}}));
  EXPECT_EQ(drawn[4].penColour, clAqua);
  EXPECT_EQ(drawn[4].penWidth, 4);
  EXPECT_EQ(drawn[8].brushColour, clRed);
  EXPECT_EQ(drawn[16].points, Points({{480, 480}, {520, 520}}));
  EXPECT_EQ(drawn[16].penWidth, 3);
  EXPECT_EQ(drawn[16].penColour, clBlack);
  // Without the analysis's result the diagram is the empty net.
  PlotDiagram(PlotMode::KinematicAxes, data, f.target, 3);
  EXPECT_TRUE(DataDrawingOf(f.picture).empty());
}

}  // namespace
}  // namespace orniva::test
