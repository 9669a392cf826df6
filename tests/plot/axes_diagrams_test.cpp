// The pole and kinematic-axes diagrams (Medium symbols, equal-angle net).
#include "plot/axes_diagrams.h"

#include <utility>

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
  // Datum 1: pole 270/45 and striation 090/45 (radius 3); 2: plane invalid;
  // 3: pole 180/30 and striation; 4: the pole only.
  const DrawOp e = DrawOp::Ellipse;
  EXPECT_EQ(drawn,
            (std::vector<Drawn>{{e, Points({{304, 490}, {324, 510}}), 2, clBlack, clBlue, ""},
                                {e, Points({{683, 497}, {689, 503}}), 2, clBlack, clBlue, ""},
                                {e, Points({{490, 750}, {510, 770}}), 2, clBlack, clRed, ""},
                                {e, Points({{497, 376}, {503, 382}}), 2, clBlack, clRed, ""},
                                {e, Points({{304, 490}, {324, 510}}), 2, clBlack, clBlue, ""}}));
}

TEST(PlotPoles, HighlightFollowsTheTangentLineationRule) {
  const FaultSet data = DataFromLines(kLines);
  // The highlighted datum's symbols (datum 1's pole and striation, the last
  // datum's pole) after each of the three drawable data; an undrawable plane
  // highlights nothing.
  for (const auto& [highlight, symbols] :
       {std::pair<std::int16_t, std::size_t>{1, 2}, {4, 1}, {2, 0}}) {
    PlotFixture f;
    PlotPoles(data, f.target, highlight);
    const std::vector<Drawn> drawn = DataDrawingOf(f.picture);
    ASSERT_EQ(drawn.size(), 5u + 3 * symbols) << highlight;
    EXPECT_EQ((std::pair{drawn[2].penWidth, drawn[2].penColour}),
              (symbols > 0 ? std::pair{4, clAqua} : std::pair{2, clBlack}));  // else datum 3's pole
  }
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
  // Datum 1's P, T and the first stroke of B's cross; the highlight, datum 3's
  // P; datum 3's own P; the summary's P.
  const DrawOp e = DrawOp::Ellipse, line = DrawOp::LineTo;
  EXPECT_EQ(drawn[0], (Drawn{e, Points({{490, 490}, {510, 510}}), 2, clBlue, clBlue, ""}));
  EXPECT_EQ(drawn[1], (Drawn{e, Points({{940, 490}, {960, 510}}), 2, clBlue, clWhite, ""}));
  EXPECT_EQ(drawn[2], (Drawn{line, Points({{490, 50}, {510, 50}}), 2, clBlue, 0, ""}));
  EXPECT_EQ(drawn[4], (Drawn{e, Points({{490, 835}, {510, 855}}), 4, clAqua, clAqua, ""}));
  EXPECT_EQ(drawn[8], (Drawn{e, Points({{490, 835}, {510, 855}}), 2, clRed, clRed, ""}));
  EXPECT_EQ(drawn[16], (Drawn{e, Points({{480, 480}, {520, 520}}), 3, clBlack, clBlack, ""}));
  // Without the analysis's result the diagram is the empty net.
  PlotDiagram(PlotMode::KinematicAxes, data, f.target, 3);
  EXPECT_TRUE(DataDrawingOf(f.picture).empty());
}

}  // namespace
}  // namespace orniva::test
