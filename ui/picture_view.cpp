#include "ui/picture_view.h"

#include <algorithm>
#include <limits>

#include <QMouseEvent>
#include <QPainter>

#include "render/replay.h"

namespace orniva::ui {
namespace {

using render::FitToTarget;
using render::Paintable;
using render::PaintPicture;
using render::RecordsInRepeatedRuns;
using render::ReplayRecords;

// The thinnest pen width the picture's last repeated run sets; a large
// value when the picture repeats nothing, 0 when the run sets none.
std::int32_t ThinnestPenOfLastRun(const Picture& picture) {
  if (picture.repeats().empty()) return std::numeric_limits<std::int32_t>::max();
  const RepeatedRun& run = picture.repeats().back();
  std::int32_t thinnest = 0;
  for (std::size_t i = run.begin; i < run.begin + run.length && i < picture.records().size(); ++i) {
    const DrawRecord& r = picture.records()[i];
    if (r.op == DrawOp::PenWidth) thinnest = thinnest == 0 ? r.a : std::min(thinnest, r.a);
  }
  return thinnest;
}


}  // namespace

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PictureView::setPicture(const Picture* picture) {
  picture_ = picture;
  update();
}

// Without antialiasing a line at least one pixel wide and every fill are
// opaque, so a run drawn again after every datum shows on screen exactly as
// the drawing without its copies with the last copy on top. The raster of
// that drawing is kept while the picture's drawing key and the control's
// size stay the same: a new highlight then costs one copy, not a replay of
// every datum. Thinner lines are blended, and a picture stretched unequally
// (a control that is not square) strokes its pens otherwise: those are
// replayed whole.
void PictureView::paintEvent(QPaintEvent*) {
  if (!picture_ || !Paintable(*picture_)) return;
  QPainter painter(this);
  const double scale = double(width()) / picture_->width();
  if (width() * picture_->height() != height() * picture_->width() ||
      ThinnestPenOfLastRun(*picture_) * scale < 1) {
    baseKey_ = 0;
    PaintPicture(*picture_, painter, rect());
    return;
  }
  const qreal ratio = devicePixelRatioF();
  const QSize pixels = (QSizeF(size()) * ratio).toSize();
  const std::uint64_t key = picture_->drawingKey();
  if (key == 0 || key != baseKey_ || base_.size() != pixels) {
    base_ = QImage(pixels, QImage::Format_RGB32);
    base_.setDevicePixelRatio(ratio);
    base_.fill(Qt::white);
    QPainter basePainter(&base_);
    FitToTarget(*picture_, basePainter, rect());
    const std::vector<bool> inRun = RecordsInRepeatedRuns(*picture_);
    ReplayRecords(*picture_, 0, picture_->records().size(), inRun.empty() ? nullptr : &inRun,
                  basePainter);
    baseKey_ = key;
  }
  painter.drawImage(QPoint(0, 0), base_);
  if (!picture_->repeats().empty()) {
    const RepeatedRun& last = picture_->repeats().back();
    FitToTarget(*picture_, painter, rect());
    ReplayRecords(*picture_, last.begin, last.begin + last.length, nullptr, painter);
  }
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
