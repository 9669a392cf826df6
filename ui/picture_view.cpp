#include "ui/picture_view.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>

#include "render/replay.h"

namespace orniva::ui {
namespace {

constexpr std::size_t kRecordsForTwoBands = 20000;

using render::FitToTarget;
using render::Paintable;
using render::RecordsInRepeatedRuns;
using render::ReplayRecords;

}  // namespace

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PictureView::setPicture(const Picture* picture) {
  picture_ = picture;
  update();
}

// Without antialiasing every line and fill is opaque, so a run drawn again
// after every datum shows exactly as the drawing without its copies with
// the last copy on top. The raster of that drawing is kept while the
// picture's drawing key and the control's size stay the same: a new
// highlight then costs one copy, not a replay of every datum. A picture
// stretched unequally (a control that is not square) strokes its outlines
// otherwise, and is replayed whole. Everything
// is painted into images first, so that lines are stroked the same way
// (render/pixel_stroker.h) whatever the widget paints on.
void PictureView::paintEvent(QPaintEvent*) {
  if (!picture_ || !Paintable(*picture_)) return;
  const qreal ratio = devicePixelRatioF();
  const QSize pixels = (QSizeF(size()) * ratio).toSize();
  if (width() * picture_->height() != height() * picture_->width()) {
    baseKey_ = 0;
    QImage frame(pixels, QImage::Format_RGB32);
    frame.setDevicePixelRatio(ratio);
    frame.fill(Qt::white);
    QPainter framePainter(&frame);
    render::PaintPicture(*picture_, framePainter, rect());
    framePainter.end();
    QPainter(this).drawImage(QPoint(0, 0), frame);
    return;
  }
  const std::uint64_t key = picture_->drawingKey();
  if (key == 0 || key != baseKey_ || base_.size() != pixels) {
    const std::vector<bool> inRun = RecordsInRepeatedRuns(*picture_);
    // Two bands at once on a picture of thousands of data.
    const int bands = picture_->records().size() > kRecordsForTwoBands ? 2 : 1;
    base_ = render::RasterImage(*picture_, pixels, ratio, rect(), inRun.empty() ? nullptr : &inRun, bands);
    baseKey_ = key;
  }
  QImage frame = base_;
  if (!picture_->repeats().empty()) {
    const RepeatedRun& last = picture_->repeats().back();
    QPainter framePainter(&frame);
    FitToTarget(*picture_, framePainter, rect());
    ReplayRecords(*picture_, last.begin, last.begin + last.length, nullptr, framePainter);
  }
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), frame);
}

void PictureView::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
}

void PictureView::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->pos());
  pressed_ = false;
  if (click) emit clicked();
}

}  // namespace orniva::ui
