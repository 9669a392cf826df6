// The image control shows a highlighted drawing from the raster of the
// drawing without its highlight copies plus the last copy. Pins that this is
// pixel for pixel what replaying every record gives.
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "data/fault_reader.h"
#include "render/replay.h"
#include "tests/plot/plot_test_support.h"
#include "ui/main/picture_view.h"

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
class ShownPicture : public test::DiagramTest {
 protected:
  PlotCache cache;
  PictureView view;

  void SetUp() override {
    target.cache = &cache;
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

INSTANTIATE_TEST_SUITE_P(Diagrams, ShownPicture,
                         testing::Values(PlotMode::FaultPlaneAndStriation,
                                         PlotMode::TangentLineation, PlotMode::Poles));

}  // namespace
}  // namespace orniva::ui
