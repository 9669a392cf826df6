#include "ui/main/picture_view.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <QMouseEvent>
#include <QPainter>
#include <QPen>

#include "platform/threads.h"
#include "render/recolour.h"
#include "render/replay.h"

namespace orniva::ui {
namespace {

constexpr std::size_t kRecordsForTwoBands = 20000;

using render::FitToTarget;
using render::Paintable;
using render::RecordsInRepeatedRuns;
using render::ReplayRecords;

// The drawing without its repeated runs; two bands at once on a picture of
// thousands of data. A drawing that can be recoloured is rastered as its
// colour records (render/recolour.h) and coloured from them.
BaseRaster MakeBaseRaster(const Picture& picture, QSize pixels, qreal ratio, const QRect& logical) {
  const std::vector<bool> inRun = RecordsInRepeatedRuns(picture);
  const std::vector<bool>* skip = inRun.empty() ? nullptr : &inRun;
  const int bands = picture.records().size() > kRecordsForTwoBands ? 2 : 1;
  BaseRaster base;
  if (!render::Recolourable(picture)) {
    base.image = render::RasterImage(picture, pixels, ratio, logical, skip, bands);
    return base;
  }
  base.records = render::RecordRaster(picture, pixels, ratio, logical, skip, bands);
  base.image = render::ColoursOf(base.records, picture, skip);
  base.shapes = render::ShapesKey(picture, skip);
  return base;
}

}  // namespace

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_OpaquePaintEvent, false);
  setMouseTracking(true);
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
  if (key == 0 || (key == baseKey_ && base_.image.size() == pixels) ||
      picture_->records().size() > kRecordsForTwoBands)
    return;
  pending_ = std::make_unique<PendingBase>();
  PendingBase& job = *pending_;
  job.copy = *picture_;
  job.key = key;
  const qreal ratio = devicePixelRatioF();
  const QRect logical = rect();
  job.worker = StartOrRun([&job, pixels, ratio, logical] {
    job.base = MakeBaseRaster(job.copy, pixels, ratio, logical);
  });
}

// The same shapes as the kept raster in other colours (a datum switched
// off, a phase recoloured): coloured from its records, not replayed.
bool PictureView::recolourBase(std::uint64_t key, QSize pixels) {
  if (base_.records.isNull() || base_.records.size() != pixels || !render::Recolourable(*picture_))
    return false;
  const std::vector<bool> inRun = RecordsInRepeatedRuns(*picture_);
  const std::vector<bool>* skip = inRun.empty() ? nullptr : &inRun;
  if (render::ShapesKey(*picture_, skip) != base_.shapes) return false;
  base_.image = render::ColoursOf(base_.records, *picture_, skip);
  baseKey_ = key;
  return true;
}

void PictureView::takeBase() {
  if (!pending_) return;
  if (pending_->worker.joinable()) pending_->worker.join();
  base_ = std::move(pending_->base);
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
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), frame);
    paintMarks(painter);
    return;
  }
  const std::uint64_t key = picture_->drawingKey();
  if ((key == 0 || key != baseKey_ || base_.image.size() != pixels) && !recolourBase(key, pixels)) {
    base_ = MakeBaseRaster(*picture_, pixels, ratio, rect());
    baseKey_ = key;
  }
  QImage frame = base_.image;
  if (!picture_->repeats().empty()) {
    const RepeatedRun& last = picture_->repeats().back();
    QPainter framePainter(&frame);
    FitToTarget(*picture_, framePainter, rect());
    ReplayRecords(*picture_, last.begin, last.begin + last.length, nullptr, framePainter);
  }
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), frame);
  paintMarks(painter);
}

// The ring that marks a selected datum, at `ratio` device pixels a pixel.
QImage RingImage(qreal ratio) {
  const int side = int(std::ceil(14 * ratio));
  QImage ring(side, side, QImage::Format_ARGB32_Premultiplied);
  ring.fill(Qt::transparent);
  QPainter painter(&ring);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(255, 0, 255), 2 * ratio));
  painter.drawEllipse(QPointF(side / 2.0, side / 2.0), 5 * ratio, 5 * ratio);
  return ring;
}

// The selection's rings and the lasso being drawn, over the picture; drawn
// on the screen only (the figures of the data have no selection). One ring
// a pixel: thousands of data share a few thousand pixels.
void PictureView::paintMarks(QPainter& painter) const {
  if (!marks_.empty() && picture_->width() > 0 && picture_->height() > 0) {
    const double sx = double(width()) / picture_->width(),
                 sy = double(height()) / picture_->height();
    const qreal ratio = devicePixelRatioF();
    const QImage ring = RingImage(ratio);
    const double half = ring.width() / (2 * ratio);
    std::vector<bool> taken(std::size_t(width()) * std::size_t(height()));
    for (const QPointF& mark : marks_) {
      const int x = int(mark.x() * sx), y = int(mark.y() * sy);
      if (x < 0 || y < 0 || x >= width() || y >= height()) continue;
      const std::size_t at = std::size_t(y) * std::size_t(width()) + std::size_t(x);
      if (taken[at]) continue;
      taken[at] = true;
      painter.drawImage(QRectF(x - half, y - half, 2 * half, 2 * half), ring);
    }
  }
  gesture_.PaintPath(painter);
}

void PictureView::setSelectMode(bool on) {
  selectMode_ = on;
  gesture_.Clear();
  setCursor(on ? Qt::CrossCursor : Qt::ArrowCursor);
  update();
}

void PictureView::setMarks(std::vector<QPointF> marks) {
  marks_ = std::move(marks);
  update();
}

QPointF PictureView::toPlot(const QPointF& point) const {
  if (!picture_ || width() <= 0 || height() <= 0) return point;
  return {point.x() * picture_->width() / width(), point.y() * picture_->height() / height()};
}

void PictureView::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  if (selectMode_) gesture_.Press(*event);
}

void PictureView::mouseMoveEvent(QMouseEvent* event) {
  if (picture_) emit hovered(toPlot(event->position()));
  if (selectMode_ && gesture_.Move(event->position())) update();
}

void PictureView::leaveEvent(QEvent*) { emit left(); }

void PictureView::mouseReleaseEvent(QMouseEvent* event) {
  const bool release = pressed_ && event->button() == Qt::LeftButton;
  pressed_ = false;
  if (!selectMode_) {
    if (release && rect().contains(event->pos())) emit clicked();
    return;
  }
  const PickGesture::Done done = gesture_.Release(*event, [this](QPointF p) { return toPlot(p); });
  update();
  if (!picture_) return;
  if (done.kind == PickGesture::Done::Kind::Click) emit picked(done.at, event->modifiers());
  if (done.kind == PickGesture::Done::Kind::Lasso) emit lassoed(done.path, event->modifiers());
}

}  // namespace orniva::ui
