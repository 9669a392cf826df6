// The recorded picture on Qt's devices: the raster, whole or in bands; the
// window's own pixel stroke; and the figure's files, checked by renderers
// that are not ours (each format, rasterised independently, looks like the
// same picture replayed by Qt).
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "data/fault_reader.h"
#include "plot/figures.h"
#include "render/figure_files.h"
#include "render/pixel_stroker.h"
#include "render/recolour.h"
#include "render/replay.h"
#include "tests/plot/plot_test_support.h"
#include "tests/support/qt_test_environment.h"

namespace orniva::render {
namespace {

using test::TempDir;
using test::WriteFile;

// Images and fonts need the application object.
const ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new test::QtTestEnvironment<QGuiApplication>);

using Raster = test::DiagramTest;

// A large picture is rasterised in bands on threads, to the same pixels at
// every size and pixel ratio: the lines, dots and highlight pens crossing a
// seam keep every pixel on both sides of it.
TEST_P(Raster, BandsPaintTheSamePixels) {
  const FaultSet data = test::DataFromLines(ReadDataFile(ORNIVA_EXAMPLE_FILE).lines);
  PlotDiagram(GetParam(), data, target, 7, FiguresFor(GetParam(), data, target.geometry).Inputs());
  const std::pair<QSize, qreal> rows[] = {{{390, 390}, 1},   {{251, 197}, 1},   {{600, 600}, 1},
                                          {{1000, 1000}, 1}, {{1400, 1400}, 1}, {{1999, 1999}, 1},
                                          {{1400, 1400}, 2}};
  for (const auto& [size, ratio] : rows) {
    const QRect logical(QPoint(), size / ratio);
    const QImage whole = render::RasterImage(picture, size, ratio, logical, nullptr, 1);
    for (int bands : {2, 3})
      EXPECT_TRUE(render::RasterImage(picture, size, ratio, logical, nullptr, bands) == whole)
          << bands << " bands at " << size.width() << " x " << ratio;
  }
}

using Recolour = test::DiagramTest;

// A drawing in other colours (data switched off grey) is the drawing's
// record raster coloured anew, to the pixel.
TEST_P(Recolour, RecordsPaintTheSamePixelsAsAReplay) {
  const FaultSet data = test::DataFromLines(ReadDataFile(ORNIVA_EXAMPLE_FILE).lines);
  PlotDiagram(GetParam(), data, target, 7, FiguresFor(GetParam(), data, target.geometry).Inputs());
  ASSERT_TRUE(render::Recolourable(picture));
  Picture recoloured = picture;
  for (std::size_t i = 0; i < picture.records().size(); i += 7)
    recoloured.SetColourOf(i, Rgb(160, 160, 160));
  const std::vector<bool> skip = render::RecordsInRepeatedRuns(picture);
  ASSERT_EQ(render::ShapesKey(recoloured, &skip), render::ShapesKey(picture, &skip));
  for (const auto& [side, ratio] : {std::pair{390, 1.0}, {1000, 2.0}}) {
    const QSize size(side, side);
    const QRect logical(QPoint(), size / ratio);
    const QImage records = render::RecordRaster(picture, size, ratio, logical, &skip, 2);
    EXPECT_TRUE(render::ColoursOf(records, recoloured, &skip) ==
                render::RasterImage(recoloured, size, ratio, logical, &skip))
        << side;
  }
  // Another highlight draws the same shapes under its copies; another
  // symbol size draws others.
  const std::uint64_t shapes = render::ShapesKey(picture, &skip);
  auto shapesWith = [&](std::int16_t highlight, SymbolSize size) {
    target.symbolSize = size;
    PlotDiagram(GetParam(), data, target, highlight,
                FiguresFor(GetParam(), data, target.geometry).Inputs());
    const std::vector<bool> inRun = render::RecordsInRepeatedRuns(picture);
    return render::ShapesKey(picture, &inRun);
  };
  EXPECT_EQ(shapesWith(8, target.symbolSize), shapes);
  EXPECT_NE(shapesWith(8, SymbolSize::Large), shapes);
}

INSTANTIATE_TEST_SUITE_P(Diagrams, Raster,
                         testing::Values(PlotMode::FaultPlaneAndStriation,
                                         PlotMode::TangentLineation, PlotMode::Poles,
                                         PlotMode::StressAxes));
// The data's diagrams of the window (the stress axes are named in text).
INSTANTIATE_TEST_SUITE_P(Diagrams, Recolour,
                         testing::Values(PlotMode::FaultPlaneAndStriation,
                                         PlotMode::TangentLineation, PlotMode::Poles));

// What the pixel stroker paints on a white 20 x 20 image, within `clip`
// when one is given, the picture's units scaled by `scale`.
QImage Stroked(const std::function<void(render::PixelStroker&)>& draw, const QRect& clip = {},
               double scale = 1) {
  QImage image(20, 20, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.scale(scale, scale);
  if (!clip.isNull()) painter.setClipRect(clip);
  std::optional<render::PixelStroker> stroker = render::PixelStroker::For(painter);
  EXPECT_TRUE(stroker.has_value());
  if (stroker) draw(*stroker);
  return image;
}

int Count(const QImage& image, QRgb colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == colour;
  return count;
}

// The window's own stroke: a pen's disc along the one-pixel path, clipped,
// and points far outside (upward lines project beyond the net) harmless.
TEST(PixelStroker, StampsThePenAlongThePathWithinTheClip) {
  struct Row {
    double width;
    std::vector<TPoint> points;
    int painted;
  };
  // clang-format off
  const Row rows[] = {
      {1, {{2, 5}, {17, 5}}, 16},             // one pixel a column
      {1, {{2, 2}, {12, 12}}, 11},            // diagonal, still connected: one pixel a step
      {2, {{2, 5}, {17, 5}}, 16 * 3 + 2},     // a plus-shaped pen: three rows and the ends
      {2, {{5, 5}}, 5},                       // a single point is one stamp
      {1, {{-100000, 5}, {100000, 5}}, 20},   // clipped to the image's 20 columns
      {1, {{-(1 << 29), -(1 << 29)}, {-(1 << 28), -(1 << 29)}}, 0},
      {1, {{10, 10}, {10 + (1 << 29), 10 + (1 << 29)}}, 10},  // towards far away: the diagonal kept
  };
  // clang-format on
  for (const Row& row : rows) {
    const QImage image = Stroked([&](render::PixelStroker& stroker) {
      stroker.Polyline(row.points.data(), int(row.points.size()), row.width, Rgb(0, 0, 255));
    });
    EXPECT_EQ(Count(image, qRgb(0, 0, 255)), row.painted)
        << row.width << " from " << row.points[0].x;
  }
  QImage image(20, 20, QImage::Format_RGB32);
  QPainter smooth(&image);
  smooth.setRenderHint(QPainter::Antialiasing);
  EXPECT_FALSE(render::PixelStroker::For(smooth).has_value());  // smoothing is the painter's
}

// An ellipse: the pixels whose centres lie inside it in red, then its outline
// in blue, both within the clip.
TEST(PixelStroker, EllipseFillsTheCentresInsideThenStrokesTheOutline) {
  struct Row {
    QRect box;
    QRect clip;
    double scale;
    int red, blue;
  };
  // clang-format off
  const Row rows[] = {
      {QRect(QPoint(2, 2), QPoint(17, 13)), {}, 1, 106, 36},
      {QRect(QPoint(1, 1), QPoint(12, 8)), {}, 1.5, 116, 40},    // centres off the pixels' grid
      {QRect(QPoint(-7, -7), QPoint(5, 5)), {}, 1, 12, 7},        // centres beyond the clip
      {QRect(QPoint(15, 15), QPoint(27, 27)), {}, 1, 14, 7},
      {QRect(QPoint(2, 2), QPoint(17, 13)), QRect(0, 0, 10, 20), 1, 57, 19},  // the painter's clip
      {QRect(QPoint(-(1 << 29), 2), QPoint(-(1 << 28), 12)), {}, 1, 0, 0},    // far outside
  };
  // clang-format on
  for (const Row& row : rows) {
    const QImage image = Stroked(
        [&](render::PixelStroker& stroker) {
          stroker.Ellipse(row.box.left(), row.box.top(), row.box.right(), row.box.bottom(), 1,
                          Rgb(0, 0, 255), Rgb(255, 0, 0));
        },
        row.clip, row.scale);
    EXPECT_EQ(Count(image, qRgb(255, 0, 0)), row.red) << row.box.left() << " " << row.clip.width();
    EXPECT_EQ(Count(image, qRgb(0, 0, 255)), row.blue) << row.box.left() << " " << row.clip.width();
  }
}

Picture ExampleFigure(PlotMode mode, std::int16_t highlight = 3) {
  const FaultSet data = orniva::test::DataFromLines(ReadDataFile(ORNIVA_EXAMPLE_FILE).lines);
  orniva::FigureRequest request;
  request.mode = mode;
  InitNetGeometry(request.geometry);
  request.highlight = highlight;
  request.layout = true;
  request.title = "Site 4";
  return orniva::DrawFigure(data, request, orniva::FiguresFor(mode, data, request.geometry));
}

// What a shell command run in `dir` writes to its standard output.
std::string Shell(const std::string& command, const TempDir& dir) {
  return orniva::test::RunProgram("/bin/sh", {"-c", "cd '" + dir.path() + "' && " + command}, dir)
      .out;
}

// The share of pixels whose grey levels differ by more than a quarter of
// the range, at a quarter of the size: renderers smooth edges, widen the
// thinnest lines and place glyphs each a little differently.
double DifferingShare(const QImage& a, const QImage& b) {
  if (a.size() != b.size() || a.isNull()) return 1;
  auto grey = [](const QImage& image) {
    return image.scaled(image.size() / 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_Grayscale8);
  };
  const QImage ga = grey(a), gb = grey(b);
  long differing = 0;
  for (int y = 0; y < ga.height(); ++y)
    for (int x = 0; x < ga.width(); ++x)
      differing += std::abs(int(ga.constScanLine(y)[x]) - int(gb.constScanLine(y)[x])) > 64;
  return double(differing) / (double(ga.width()) * ga.height());
}

TEST(FigureFiles, EveryFormatRasterisedIndependentlyMatchesTheReplay) {
  TempDir dir;
  FigureSize size;
  size.widthMm = 1000 / 300.0 * 25.4;  // 1000 pixels at 300 dpi
  for (PlotMode mode : {PlotMode::FaultPlaneAndStriation, PlotMode::RightDihedra}) {
    const Picture figure = ExampleFigure(mode);
    const QSize pixels = render::RasterPixels(figure, size);
    const QImage replay = render::FigureImage(figure, pixels, true);
    const std::string w = std::to_string(pixels.width()), h = std::to_string(pixels.height());
    struct Row {
      FigureFormat format;
      std::string file, command, raster;
    };
    // clang-format off
    const Row rows[] = {
        {FigureFormat::Svg, "f.svg", "rsvg-convert -b white -w " + w + " -h " + h + " f.svg -o svg.png", "svg.png"},
        {FigureFormat::Pdf, "f.pdf", "pdftoppm -png -singlefile -scale-to-x " + w + " -scale-to-y " + h + " f.pdf pdf",
         "pdf.png"},
        {FigureFormat::Emf, "f.emf", "inkscape f.emf --export-type=png --export-filename=emf.png -w " + w + " -h " + h,
         "emf.png"},
        {FigureFormat::Png, "f.png", "", "f.png"},
    };
    // clang-format on
    for (const Row& row : rows) {
      SCOPED_TRACE(row.file);
      WriteFile(dir.File(row.file), render::EncodeFigure(figure, row.format, size));
      if (!row.command.empty()) Shell(row.command + " 2>/dev/null", dir);
      const QImage raster(QString::fromStdString(dir.File(row.raster)));
      ASSERT_FALSE(raster.isNull()) << "no raster from: " << row.command;
      EXPECT_LT(DifferingShare(raster, replay), 0.01);
      if (row.format == FigureFormat::Pdf) {  // texts stay text
        const std::string text = Shell("pdftotext f.pdf -", dir);
        EXPECT_NE(text.find("Site 4"), std::string::npos) << text;
      }
    }
  }
}

// The curves of a figure's SVG (the great circles, the Mohr diagram's
// circles) carry their hundredths, so that they stay smooth at 3000 pixels
// and more; its metafile keeps the rounded points of the window's.
TEST(FigureFiles, SvgCurvesKeepTheirHundredths) {
  for (PlotMode mode : {PlotMode::FaultPlaneAndStriation, PlotMode::Mohr}) {
    SCOPED_TRACE(PlotModeName(mode));
    const Picture figure = ExampleFigure(mode);
    const std::string svg = render::EncodeFigure(figure, FigureFormat::Svg, FigureSize());
    std::size_t curves = 0, fine = 0;
    for (std::size_t at = svg.find("points=\""); at != std::string::npos;
         at = svg.find("points=\"", at + 1)) {
      const std::string points = svg.substr(at + 8, svg.find('"', at + 8) - at - 8);
      if (std::count(points.begin(), points.end(), ',') < 100) continue;  // not a curve
      ++curves;
      fine += points.find('.') != std::string::npos;
    }
    EXPECT_GE(curves, 3u);
    EXPECT_EQ(fine, curves);
    for (const DrawRecord& r : figure.records()) {
      const FinePoint* points = figure.FinePointsOf(r);
      if (!points) continue;
      for (std::int32_t k = 0; k < r.b; ++k) {
        const TPoint p = figure.PolylinePoints(r)[k];
        EXPECT_LE(std::abs(p.x * kFineUnits - points[k].x), 51);
        EXPECT_LE(std::abs(p.y * kFineUnits - points[k].y), 51);
      }
    }
  }
}

// A PNG carries its resolution on both axes, in dots per metre.
TEST(FigureFiles, RasterSizeFollowsWidthAndResolution) {
  const Picture square;  // 1000 x 1000 units
  struct Row {
    double mm;
    int dpi;
    int pixels;
    bool ok;
    int dotsPerMetre;  // of the PNG written; 0: none written
  };
  const Row rows[] = {{80, 300, 945, true, 11811}, {10, 72, 28, true, 2835},
                      {1000, 72, 2835, true, 0},   {10, 2400, 945, true, 94488},
                      {9.99, 300, 118, false, 0},  {1000.5, 300, 11817, false, 0},
                      {80, 71, 224, false, 0},     {80, 2401, 7562, false, 0},
                      {300, 2400, 28346, false, 0}};  // the last: 800 million pixels
  for (const Row& row : rows) {
    const FigureSize size{row.mm, row.dpi};
    EXPECT_EQ(render::RasterPixels(square, size), QSize(row.pixels, row.pixels))
        << row.mm << " " << row.dpi;
    EXPECT_EQ(!render::FigureSizeProblem(square, size, FigureFormat::Png), row.ok)
        << row.mm << " " << row.dpi;
    if (!row.dotsPerMetre) continue;
    const QImage png = QImage::fromData(
        QByteArray::fromStdString(render::EncodeFigure(square, FigureFormat::Png, size)), "PNG");
    EXPECT_EQ(QPoint(png.dotsPerMeterX(), png.dotsPerMeterY()),
              QPoint(row.dotsPerMetre, row.dotsPerMetre));
  }
}

TEST(FigureFiles, FormatOfTheExtension) {
  // clang-format off
  const std::pair<const char*, std::optional<FigureFormat>> rows[] = {
      {"a.svg", FigureFormat::Svg}, {"A.PDF", FigureFormat::Pdf}, {"x/b.Png", FigureFormat::Png},
      {"c.emf", FigureFormat::Emf}, {"d.svg.txt", std::nullopt},  {"e.d/svg", std::nullopt},
      {"png", std::nullopt}};
  // clang-format on
  for (const auto& [path, format] : rows) EXPECT_EQ(render::FigureFormatOf(path), format) << path;
}

}  // namespace
}  // namespace orniva::render
