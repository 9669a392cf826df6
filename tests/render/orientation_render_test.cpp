// The orientation net and the fabric diagrams written as SVG and drawn by
// a renderer that is not ours (rsvg-convert): every symbol lands where the
// projection puts it, in its colour.
#include <cstdlib>
#include <string>
#include <vector>

#include <QGuiApplication>
#include <QImage>
#include <gtest/gtest.h>

#include "plot/fabric_diagrams.h"
#include "plot/orientation_net.h"
#include "render/figure_files.h"
#include "tests/plot/plot_test_support.h"
#include "tests/support/qt_test_environment.h"

namespace orniva {
namespace {

using test::TempDir;

const ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new test::QtTestEnvironment<QGuiApplication>);

// The picture as rsvg-convert draws its SVG file, one pixel a plot unit.
QImage Rendered(const Picture& picture, const TempDir& dir) {
  render::FigureSize size;
  size.widthMm = picture.width() / 300.0 * 25.4;
  test::WriteFile(dir.File("f.svg"),
                  render::EncodeFigure(picture, render::FigureFormat::Svg, size));
  const std::string command = "cd '" + dir.path() + "' && rsvg-convert -b white -w " +
                              std::to_string(picture.width()) + " -h " +
                              std::to_string(picture.height()) + " f.svg -o f.png";
  EXPECT_EQ(test::RunProgram("/bin/sh", {"-c", command}, dir).status, 0);
  return QImage(QString::fromStdString(dir.File("f.png"))).convertToFormat(QImage::Format_RGB32);
}

// Whether a pixel within one of `at` has `colour`, or for a thin line
// `colour` blended with the white page by at least a third (renderers
// smooth edges), each channel to 40 levels.
bool ColourNear(const QImage& image, TPoint at, TColor colour) {
  const int target[3] = {RedOf(colour), GreenOf(colour), BlueOf(colour)};
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) {
      const QRgb p = image.pixel(at.x + dx, at.y + dy);
      const int got[3] = {qRed(p), qGreen(p), qBlue(p)};
      int c = 0;  // the channel farthest from white decides the blend
      for (int k = 1; k < 3; ++k) c = target[k] < target[c] ? k : c;
      const double a = target[c] == 255 ? 1 : double(255 - got[c]) / (255 - target[c]);
      bool near = a >= 1.0 / 3;
      for (int k = 0; k < 3; ++k)
        near = near && std::abs(255 - a * (255 - target[k]) - got[k]) <= 40;
      if (near) return true;
    }
  return false;
}

OrientationRecord Record(OrientationKind kind, float azimuth, float angle) {
  OrientationRecord r;
  r.kind = kind;
  r.azimuth = azimuth;
  r.angle = angle;
  return r;
}

TEST(OrientationNetFile, SymbolsWhereTheProjectionPutsThem) {
  TempDir dir;
  const TColor green = Rgb(0, 160, 0), orange = Rgb(230, 120, 0), violet = Rgb(120, 0, 200);
  const std::vector<OrientationRecord> records = {Record(OrientationKind::Plane, 90, 60),
                                                  Record(OrientationKind::Line, 200, 10),
                                                  Record(OrientationKind::Plane, 300, 45)};
  OrientationNetFigure figure;
  figure.records = &records;
  figure.colours = {green, orange, violet};
  figure.fisher = OrientationNetFigure::Mean{{0, 40}, 10.0};
  figure.girdleAxis = math::TrendPlunge{270, 0};
  for (const PlaneSymbol planes : {PlaneSymbol::GreatCircles, PlaneSymbol::Poles}) {
    test::PlotFixture fixture;
    fixture.target.geometry.kind = NetKind::EqualArea;
    figure.planes = planes;
    PlotOrientationNet(figure, fixture.target);
    const QImage image = Rendered(fixture.picture, dir);
    const NetGeometry& net = fixture.target.geometry;
    auto at = [&net](float trend, float plunge) { return ProjectLine(net, {trend, plunge}); };
    if (planes == PlaneSymbol::GreatCircles) {
      EXPECT_TRUE(ColourNear(image, at(90, 60), green));  // on the circle, down its dip
    } else {
      EXPECT_TRUE(ColourNear(image, at(120, 45), violet));  // the pole of 300/45
    }
    EXPECT_TRUE(ColourNear(image, at(200, 10), orange));
    EXPECT_TRUE(ColourNear(image, at(0, 40), Rgb(255, 255, 255)));  // inside the mean's square
    EXPECT_TRUE(ColourNear(image, at(0, 30), Rgb(0, 0, 0)));        // the cone, 10 degrees off
    EXPECT_TRUE(ColourNear(image, at(0, 75), Rgb(0, 0, 0)));        // the girdle 090/90
    EXPECT_TRUE(ColourNear(image, at(270, 0), Rgb(0, 0, 0)));       // its axis
  }
}

TEST(FabricDiagramFiles, EachSetsPointInItsColour) {
  TempDir dir;
  analysis::FabricResult cluster, girdle;
  cluster.s = {0.9, 0.06, 0.04};
  cluster.P = 0.84, cluster.G = 0.04, cluster.R = 0.12;
  girdle.s = {0.55, 0.4, 0.05};
  girdle.P = 0.15, girdle.G = 0.7, girdle.R = 0.15;
  const std::vector<FabricPoint> points = {{"J1", Rgb(0, 160, 0), cluster},
                                           {"S0", Rgb(120, 0, 200), girdle}};
  const QImage triangle = Rendered(DrawVollmerTriangle(points, "Shapes"), dir);
  EXPECT_TRUE(ColourNear(triangle, VollmerPoint(0.84, 0.04, 0.12), Rgb(0, 160, 0)));
  EXPECT_TRUE(ColourNear(triangle, VollmerPoint(0.15, 0.7, 0.15), Rgb(120, 0, 200)));
  EXPECT_TRUE(ColourNear(triangle, VollmerPoint(0.5, 0.5, 0), Rgb(64, 64, 64)));  // a side
  const Picture woodcock = DrawWoodcockDiagram(points, "Shapes");
  const QImage plot = Rendered(woodcock, dir);
  const double top = WoodcockTop(points);
  EXPECT_EQ(top, 4);
  for (const FabricPoint& p : points)
    EXPECT_TRUE(ColourNear(plot,
                           WoodcockPoint(std::log(p.fabric.s[1] / p.fabric.s[2]),
                                         std::log(p.fabric.s[0] / p.fabric.s[1]), top),
                           p.colour))
        << p.name;
}

}  // namespace
}  // namespace orniva
