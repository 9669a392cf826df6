// The orientation net and the fabric diagrams as recorded: each record in
// its symbol, colour and order, the girdle and the Fisher cone, and the
// points of Vollmer's triangle and Woodcock's plot.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "analysis/geometry.h"
#include "analysis/orientation_statistics.h"
#include "plot/analysis_diagrams.h"
#include "plot/figures.h"
#include "plot/fabric_diagrams.h"
#include "plot/great_circles.h"
#include "plot/orientation_net.h"
#include "tests/plot/plot_test_support.h"
#include "tests/support/test_support.h"

namespace orniva::test {
namespace {

OrientationRecord Record(OrientationKind kind, float azimuth, float angle, std::string set = "") {
  OrientationRecord r;
  r.kind = kind;
  r.azimuth = azimuth;
  r.angle = angle;
  r.set = std::move(set);
  return r;
}

std::vector<TPoint> Circle(const NetGeometry& net, float faz, float fpl) {
  std::vector<TPoint> points(kGreatCirclePoints);
  GreatCirclePoints(net, faz, fpl, points.data());
  return points;
}

TEST(OrientationNet, EachRecordInItsSymbolThenTheGirdleAndTheMean) {
  const TColor green = Rgb(0, 160, 0), orange = Rgb(230, 120, 0);
  const std::vector<OrientationRecord> records = {Record(OrientationKind::Plane, 90, 60),
                                                  Record(OrientationKind::Line, 200, 10)};
  OrientationNetFigure figure;
  figure.records = &records;
  figure.colours = {green, orange};
  figure.girdleAxis = math::TrendPlunge{270, 0};
  figure.fisher = OrientationNetFigure::Mean{{0, 40}, 10.0};
  for (const PlaneSymbol planes : {PlaneSymbol::GreatCircles, PlaneSymbol::Poles}) {
    PlotFixture f;
    figure.planes = planes;
    PlotOrientationNet(figure, f.target);
    const NetGeometry& net = f.target.geometry;
    const std::vector<Drawn> drawn = DataDrawingOf(f.picture);
    ASSERT_GE(drawn.size(), 6u);
    if (planes == PlaneSymbol::GreatCircles) {
      EXPECT_EQ(drawn[0].op, DrawOp::Polyline);
      EXPECT_EQ(drawn[0].points, Circle(net, 90, 60));
      EXPECT_EQ(drawn[0].penColour, green);
    } else {
      const TPoint pole = ProjectLine(net, {270, 30});
      EXPECT_EQ(drawn[0].op, DrawOp::Ellipse);
      EXPECT_EQ(drawn[0].points, Points({{pole.x - 10, pole.y - 10}, {pole.x + 10, pole.y + 10}}));
      EXPECT_EQ(drawn[0].brushColour, green);
    }
    EXPECT_EQ(drawn[1].op, DrawOp::Polygon);
    EXPECT_EQ(drawn[1].points, MethodSymbolOutline(2, ProjectLine(net, {200, 10}), 10));
    EXPECT_EQ(drawn[1].brushColour, orange);
    EXPECT_EQ(drawn[2].points, Circle(net, 90, 90));  // the girdle: the plane of 270/00
    EXPECT_EQ(drawn[2].penWidth, 3);
    const Drawn& mean = drawn.back();
    EXPECT_EQ(mean.points, MethodSymbolOutline(0, ProjectLine(net, {0, 40}), 12));
    EXPECT_EQ(mean.brushColour, Rgb(255, 255, 255));
    EXPECT_EQ(drawn[drawn.size() - 2].penWidth, 2);  // the cone before it
  }
  PlotFixture empty;
  PlotOrientationNet({}, empty.target);
  EXPECT_TRUE(DataDrawingOf(empty.picture).empty());
}

// A selected record is ringed last, about the point where picking finds
// it (its pole or line), on either net and hemisphere.
TEST(OrientationNet, RingsAboutTheSelectedPolesAndLines) {
  const std::vector<OrientationRecord> records = {Record(OrientationKind::Plane, 90, 60),
                                                  Record(OrientationKind::Line, 200, 10),
                                                  Record(OrientationKind::Line, 20, 70)};
  const math::TrendPlunge pole{270, 30}, line{200, 10};
  OrientationNetFigure figure;
  figure.records = &records;
  figure.selected = {1, 0};
  for (NetKind kind : {NetKind::EqualAngle, NetKind::EqualArea})
    for (Hemisphere hemisphere : {Hemisphere::Lower, Hemisphere::Upper}) {
      PlotFixture f;
      f.target.geometry.kind = kind;
      f.target.geometry.hemisphere = hemisphere;
      PlotOrientationNet(figure, f.target);
      const std::vector<Drawn> drawn = DataDrawingOf(f.picture);
      ASSERT_EQ(drawn.size(), 5u);  // the three records, then the two rings
      const analysis::NetFrame frame{500, 500, 450};
      const math::TrendPlunge expected[] = {line, pole};
      for (int k = 0; k < 2; ++k) {
        const Drawn& ring = drawn[std::size_t(3 + k)];
        EXPECT_EQ(ring.penColour, Rgb(255, 0, 255));
        EXPECT_EQ(ring.penWidth, 4);
        const analysis::NetPoint at = analysis::NetPointOf(kind, hemisphere, frame, expected[k]);
        for (const TPoint& p : ring.points)
          EXPECT_NEAR(std::hypot(p.x - at.x, p.y - at.y), 20, 1.5);
      }
    }
}

// The density of planes given as rows is the fault window's density of
// the same planes' poles, for both methods and nets; on the net its bands
// come first and the rows over them.
TEST(OrientationNet, DensityOfRowsIsTheFaultsDensityAndLiesUnderTheRows) {
  const FaultSet data = DataFromLines({"90 45 90 45 N", "100 50 100 50 N", "95 40 95 40 N",
                                       "200 70 290 0 D", "210 80 300 5 D", "320 20 320 20 R"});
  std::vector<OrientationRecord> records;
  for (int i = 1; i <= data.count(); ++i)
    records.push_back(
        Record(OrientationKind::Plane, data[std::size_t(i)].faz, data[std::size_t(i)].fpl));
  const auto poles = analysis::OrientationDirections(records, analysis::OrientationOf::Poles);
  for (const NetKind kind : {NetKind::EqualArea, NetKind::EqualAngle})
    for (const auto method : {analysis::DensityMethod::Kamb, analysis::DensityMethod::OnePercent}) {
      analysis::AnalysisChoices choices;
      choices.densityMethod = method;
      const NetGeometry net = Net(kind);
      const FieldFigure faults = FiguresFor(PlotMode::Density, data, net, choices).field;
      const FieldFigure rows = DensityField(poles, method, net);
      ASSERT_EQ(rows.bands.size(), faults.bands.size());
      for (std::size_t k = 0; k < rows.bands.size(); ++k)
        EXPECT_EQ(rows.bands[k].points, faults.bands[k].points);
      EXPECT_EQ(rows.lines, faults.lines);
      EXPECT_EQ(rows.levelLabels, faults.levelLabels);
    }
  const FieldFigure field = DensityField(poles, analysis::DensityMethod::Kamb, Net());
  OrientationNetFigure figure;
  figure.records = &records;
  figure.field = &field;
  PlotFixture f;
  PlotOrientationNet(figure, f.target);
  const std::vector<Drawn> drawn = DataDrawingOf(f.picture);
  ASSERT_GT(drawn.size(), field.bands.size() + records.size());
  EXPECT_EQ(drawn.front().points, field.bands.front().points);
  EXPECT_EQ(drawn.front().brushColour, field.levelColours[std::size_t(field.bands[0].level)]);
  EXPECT_EQ(drawn.back().points, Circle(f.target.geometry, 320, 20));  // the last row on top
}

TEST(OrientationNet, ConesKeepTheirRadiusAndBreakAtThePrimitiveCircle) {
  const NetGeometry net = Net(NetKind::EqualArea);
  auto radius = [&net](TPoint p) { return std::hypot(p.x - 500.0, p.y - 500.0); };
  const auto vertical = SmallCircleRuns(net, {0, 90}, 20);
  ASSERT_EQ(vertical.size(), 1u);
  EXPECT_EQ(vertical[0].size(), 361u);
  for (TPoint p : vertical[0])
    EXPECT_NEAR(radius(p), 450 * std::sqrt(2.0) * std::sin(0.1745329), 1);
  // About a horizontal axis the cone crosses the circle: its upper part is drawn at the
  // other end of the axis, as runs that end on the circle.
  const auto horizontal = SmallCircleRuns(net, {90, 0}, 20);
  ASSERT_GE(horizontal.size(), 2u);
  for (const auto& run : horizontal) {
    for (TPoint p : run) EXPECT_LE(radius(p), 451);
    EXPECT_NEAR(radius(run.back()), 450, 12);
  }
}

// The sets' colours and order are the curation's; the legend leaves out a
// set without records.
TEST(OrientationNet, SetsTakeTheCurationsColoursAndTheLegendNamesThem) {
  const std::vector<OrientationRecord> records = {
      Record(OrientationKind::Plane, 1, 2, "B"), Record(OrientationKind::Line, 1, 2, "A"),
      Record(OrientationKind::Plane, 1, 2, "B"), Record(OrientationKind::Line, 1, 2)};
  const SetColouring sets =
      SetColours(records, {{"A", "#ff0000"}, {"empty", "#0000ff"}, {"B", "#00ff00"}});
  const TColor b = Rgb(0, 0xff, 0), a = Rgb(0xff, 0, 0);
  EXPECT_EQ(sets.colours, (std::vector<TColor>{b, a, b, Rgb(0, 0, 0)}));
  OrientationNetFigure figure;
  figure.records = &records;
  figure.colours = sets.colours;
  figure.fisher = OrientationNetFigure::Mean{{0, 40}, std::nullopt, 0.99};
  std::vector<std::string> texts;
  for (const LegendEntry& entry : OrientationNetLegend(figure, sets, 10))
    texts.push_back(entry.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"A", "B", "no set", "Fisher mean and its 99% cone"}));
}

TEST(FabricDiagrams, PointsOnTheTriangleAndThePlot) {
  EXPECT_EQ(VollmerPoint(1, 0, 0), (TPoint{500, 200}));
  EXPECT_EQ(VollmerPoint(0, 1, 0), (TPoint{120, 858}));
  EXPECT_EQ(VollmerPoint(0, 0, 1), (TPoint{880, 858}));
  EXPECT_EQ(VollmerPoint(1.0 / 3, 1.0 / 3, 1.0 / 3), (TPoint{500, 639}));
  EXPECT_EQ(WoodcockPoint(0, 0, 7), (TPoint{170, 880}));
  EXPECT_EQ(WoodcockPoint(7, 7, 7), (TPoint{900, 150}));
  EXPECT_EQ(WoodcockPoint(30, -1, 7), (TPoint{900, 880}));  // held on the frame
  auto fabric = [](double s1, double s2, double s3) {
    analysis::FabricResult f;
    f.s = {s1, s2, s3};
    return FabricPoint{"x", 0, f};
  };
  struct Case {
    std::vector<FabricPoint> points;
    double top;
  };
  const Case cases[] = {{{fabric(0.5, 0.3, 0.2)}, 2},
                        {{fabric(0.9, 0.09, 0.01)}, 4},
                        {{fabric(0.999, 0.001, 1e-9)}, 15},
                        {{fabric(0.6, 0.4, 0), fabric(1, 1e-12, 1e-20)}, 20},
                        {{fabric(0.6, 0.4, 0)}, 2}};
  for (const Case& c : cases) EXPECT_EQ(WoodcockTop(c.points), c.top);
  std::vector<std::string> texts;
  for (const Drawn& d : EffectiveDrawing(DrawWoodcockDiagram({fabric(0.6, 0.4, 0)}, "T")))
    if (d.op == DrawOp::Text) texts.push_back(d.text);
  EXPECT_NE(std::find(texts.begin(), texts.end(), "No point where S2 or S3 is 0: x"), texts.end());
}

TEST(FabricDiagrams, APointPerSetOfTheKindAsked) {
  const OrientationTable table =
      ReadOrientationFile(ORNIVA_SOURCE_DIR "/tests/data/orientation/fold.orient.csv");
  const std::vector<analysis::PhaseInfo> sets = {
      {"J1", "#000001"}, {"L1", "#000002"}, {"S0", "#000003"}};
  std::vector<std::string> names;
  for (const FabricPoint& p :
       FabricPointsBySet(table.records, sets, analysis::OrientationOf::Poles))
    names.push_back(p.name + " " + std::to_string(p.fabric.n) + " " + std::to_string(p.colour));
  // L1 holds lines only.
  EXPECT_EQ(names, (std::vector<std::string>{"J1 8 " + std::to_string(Rgb(0, 0, 1)),
                                             "S0 12 " + std::to_string(Rgb(0, 0, 3))}));
  std::vector<bool> firstTwo(table.records.size(), false);
  firstTwo[0] = firstTwo[1] = true;
  const std::vector<OrientationRecord> unnamed = {Record(OrientationKind::Line, 1, 2)};
  EXPECT_EQ(FabricPointsBySet(table.records, sets, analysis::OrientationOf::Poles, &firstTwo)
                .at(0)
                .fabric.n,
            2u);
  EXPECT_EQ(FabricPointsBySet(unnamed, {}, analysis::OrientationOf::Lines).at(0).name, "all");
}

}  // namespace
}  // namespace orniva::test
