// The tangent-lineation diagram, as recorded plot coordinates, pens and
// brushes (Medium symbols).
#include "plot/tangent_lineation_diagram.h"

#include <gtest/gtest.h>

#include "data/colours.h"
#include "tests/plot/plot_test_support.h"

namespace orniva {
namespace {

using test::At;
using test::DataDrawingOf;
using test::DataFromLines;
using test::Drawn;
using test::Points;

std::vector<Drawn> Plot(const std::vector<std::string>& lines, std::int16_t highlight = -1) {
  test::PlotFixture f;
  PlotTangentLineation(DataFromLines(lines), f.target, highlight);
  return DataDrawingOf(f.picture);
}

TEST(DrawTangentLineationDatum, ArrowsFromThePole) {
  struct Row { std::string line; std::vector<TPoint> arrow; };
  const Row rows[] = {
      {"90 45 90 45 N", {{314, 500}, {274, 500}, {284, 490}, {274, 500}, {284, 510}, {274, 500}}},
      {"90 45 90 45 R", {{314, 500}, {354, 500}, {344, 510}, {354, 500}, {344, 490}, {354, 500}}},
      {"0 60 0 60 N", {{500, 760}, {500, 800}, {490, 790}, {500, 800}, {510, 790}, {500, 800}}},
      {"0 60 0 60 R", {{500, 760}, {500, 720}, {510, 730}, {500, 720}, {490, 730}, {500, 720}}},
      // The striation is the pole: a step of no length points right.
      {"0 30 180 60 R", {{500, 621}, {540, 621}, {530, 631}, {540, 621}, {530, 611}, {540, 621}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    const std::vector<Drawn> drawn = Plot({row.line});
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0].points, row.arrow);
    EXPECT_EQ(drawn[0].pen, clBlack);
    EXPECT_EQ(drawn[0].penWidth, 2);
    // The dot comes after the arrow, at the arrow's foot.
    const TPoint b = row.arrow[0];
    EXPECT_EQ(drawn[1].op, DrawOp::Ellipse);
    EXPECT_EQ(drawn[1].points, Points({{b.x - 10, b.y - 10}, {b.x + 10, b.y + 10}}));
    EXPECT_EQ(drawn[1].pen, clBlack);
  }
  EXPECT_EQ(At(Plot({"90 45 90 45 N"}), 1).brush, clBlue);
  EXPECT_EQ(At(Plot({"90 45 90 45 R"}), 1).brush, clRed);
}

TEST(PlotTangentLineation, HighlightSkipsUndrawableData) {
  const std::vector<std::string> lines = {"10 30 10 30 N", "100 95 100 40 R", "200 50 200 50 N",
                                          "300 60 300 60 R", "45 70 45 70 N"};
  // Datum 2 is not drawn; datum 4 is highlighted after data 1, 3, 4 and 5.
  const std::vector<Drawn> drawn = Plot(lines, 4);
  ASSERT_EQ(drawn.size(), 4u * 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const Drawn& arrow = drawn[4 * i + 2];
    const Drawn& dot = drawn[4 * i + 3];
    EXPECT_EQ(arrow.pen, clAqua);
    EXPECT_EQ(arrow.penWidth, 4);
    EXPECT_EQ(arrow.points, drawn[8].points);  // datum 4's own arrow, drawn third
    EXPECT_EQ(dot.pen, clAqua);
    EXPECT_EQ(dot.brush, clRed);  // a highlighted datum keeps its fill
  }
  // A highlighted datum that cannot be drawn highlights nothing.
  EXPECT_EQ(Plot(lines, 2).size(), 8u);
  EXPECT_EQ(Plot(lines, -1).size(), 8u);
}

}  // namespace
}  // namespace orniva
