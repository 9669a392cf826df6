#include "ui/picture_view.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>

#include "platform/threads.h"
#include "render/replay.h"

namespace orniva::ui {
namespace {

constexpr std::size_t kRecordsForTwoBands = 20000;

using render::FitToTarget;
using render::Paintable;
using render::RecordsInRepeatedRuns;
using render::ReplayRecords;

// The drawing without its repeated runs; two bands at once on a picture of
// thousands of data.
QImage BaseRaster(const Picture& picture, QSize pixels, qreal ratio, const QRect& logical) {
  const std::vector<bool> inRun = RecordsInRepeatedRuns(picture);
  const int bands = picture.records().size() > kRecordsForTwoBands ? 2 : 1;
  return render::RasterImage(picture, pixels, ratio, logical, inRun.empty() ? nullptr : &inRun,
                             bands);
}

}  // namespace

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_OpaquePaintEvent, false);
}

PictureView::~PictureView() { takeBase(); }

// A raster under way for the same drawing goes on: a new highlight (the
// grid's focused cell replots while the grid paints) need not wait for it.
void PictureView::setPicture(const Picture* picture) {
  if (!picture || !pending_ || pending_->key != picture->drawingKey()) takeBase();
  picture_ = picture;
  if (!pending_) startBase();
  update();
}

QSize PictureView::pixelSize() const { return (QSizeF(size()) * devicePixelRatioF()).toSize(); }

bool PictureView::stretchedEqually() const {
  return width() * picture_->height() == height() * picture_->width();
}

// A picture of a few thousand data is copied and rasterised on a second
// thread while the rest of the window paints (the grid is painted before
// the image); the paint takes the raster. A larger picture is rasterised in
// two bands when it is painted.
void PictureView::startBase() {
  if (!picture_ || !isVisible() || !Paintable(*picture_) || !stretchedEqually()) return;
  const std::uint64_t key = picture_->drawingKey();
  const QSize pixels = pixelSize();
  if (key == 0 || (key == baseKey_ && base_.size() == pixels) ||
      picture_->records().size() > kRecordsForTwoBands)
    return;
  pending_ = std::make_unique<PendingBase>();
  PendingBase& job = *pending_;
  job.copy = *picture_;
  job.key = key;
  const qreal ratio = devicePixelRatioF();
  const QRect logical = rect();
  job.worker = StartOrRun(
      [&job, pixels, ratio, logical] { job.image = BaseRaster(job.copy, pixels, ratio, logical); });
}

void PictureView::takeBase() {
  if (!pending_) return;
  if (pending_->worker.joinable()) pending_->worker.join();
  base_ = std::move(pending_->image);
  baseKey_ = pending_->key;
  pending_.reset();
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
  takeBase();
  if (!picture_ || !Paintable(*picture_)) return;
  const qreal ratio = devicePixelRatioF();
  const QSize pixels = pixelSize();
  if (!stretchedEqually()) {
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
    base_ = BaseRaster(*picture_, pixels, ratio, rect());
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
