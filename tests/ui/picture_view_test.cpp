// The image control shows a highlighted drawing from the raster of the
// drawing without its highlight copies plus the last copy. Pins that this is
// pixel for pixel what replaying every record gives.
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "data/fault_reader.h"
#include "plot/diagram.h"
#include "plot/figures.h"
#include "render/replay.h"
#include "ui/picture_view.h"
#include "tests/support/test_support.h"

namespace orniva::ui {
namespace {

QImage EveryRecord(const Picture& picture, QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  render::PaintPicture(picture, painter, image.rect());
  return image;
}

QImage Shown(PictureView& view) {
  QImage image(view.size(), QImage::Format_RGB32);
  image.fill(Qt::black);
  view.render(&image);
  return image;
}

// Plots as the window does, through one plot cache.
class ShownPicture : public testing::TestWithParam<PlotMode> {
 protected:
  void Plot(const FaultSet& data, std::int16_t highlight) {
    PlotDiagram(GetParam(), data, target, highlight);
  }

  Picture picture;
  PlotCache cache;
  PlotTarget target;
  PictureView view;

  void SetUp() override {
    target.picture = &picture;
    target.cache = &cache;
    InitNetGeometry(target.geometry);
    view.setPicture(&picture);
  }
};

TEST_P(ShownPicture, HighlightOverTheKeptRasterEqualsEveryRecord) {
  const FaultSet data = test::DataFromLines(ReadDataFile(ORNIVA_EXAMPLE_FILE).lines);
  for (QSize size : {QSize(390, 390), QSize(251, 251), QSize(200, 150)}) {
    view.resize(size);
    for (std::int16_t highlight : {-1, 7, 1, 34, 12, -1}) {
      SCOPED_TRACE(testing::Message() << size.width() << " highlight " << highlight);
      Plot(data, highlight);
      EXPECT_TRUE(Shown(view) == EveryRecord(picture, size));
    }
  }
}

TEST_P(ShownPicture, NewDataOrSizeIsNotTakenFromTheKeptRaster) {
  view.resize(300, 300);
  Plot(test::DataFromLines({"90 45 90 45 N", "10 30 10 30 R"}), 2);
  Shown(view);
  // One datum: the highlight is drawn once, with no copy after it.
  Plot(test::DataFromLines({"200 60 200 60 S"}), 1);
  EXPECT_TRUE(Shown(view) == EveryRecord(picture, QSize(300, 300)));
  target.symbolSize = SymbolSize::Large;
  Plot(test::DataFromLines({"200 60 200 60 S"}), -1);
  EXPECT_TRUE(Shown(view) == EveryRecord(picture, QSize(300, 300)));
}

// A large picture is rasterised in bands on threads, to the same pixels at
// every size and pixel ratio: the lines, dots and highlight pens crossing a
// seam keep every pixel on both sides of it.
TEST_P(ShownPicture, BandsPaintTheSamePixels) {
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

INSTANTIATE_TEST_SUITE_P(Diagrams, ShownPicture,
                         testing::Values(PlotMode::FaultPlaneAndStriation,
                                         PlotMode::TangentLineation, PlotMode::Poles,
                                         PlotMode::StressAxes));

}  // namespace
}  // namespace orniva::ui
