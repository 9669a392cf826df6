#include "ui/picture_view.h"

#include <algorithm>
#include <limits>

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>

#include "platform/graphics.h"

namespace orniva::ui {
namespace {

QColor ToQColor(std::int32_t colour) {
  const auto c = TColor(colour);
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

// Pen and brush as the recording canvas sets them: a fresh canvas draws with
// a black pen of width 1 and a white brush. Lines end and join round.
struct ReplayState {
  QPen pen{QBrush(Qt::black), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin};
  QBrush brush{Qt::white};
  QPoint position;
};

QFont TextFont(std::int32_t height) {
  QFont font(QStringLiteral("Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(std::max(height, 1));
  return font;
}

void DrawText(const TextItem& text, QPoint anchor, const ReplayState& s, QPainter& painter) {
  const QFont font = TextFont(text.height);
  const QString string = QString::fromUtf8(text.utf8.data(), qsizetype(text.utf8.size()));
  const qreal width = QFontMetricsF(font, painter.device()).horizontalAdvance(string);
  const qreal shift = text.anchor == TextAnchor::Centre  ? width / 2
                      : text.anchor == TextAnchor::Right ? width
                                                         : 0;
  painter.setFont(font);
  painter.setPen(QPen(s.pen.color()));
  painter.drawText(QPointF(anchor.x() - shift, anchor.y()), string);
}

void Replay(const Picture& picture, const DrawRecord& r, ReplayState& s, QPainter& painter) {
  switch (r.op) {
    case DrawOp::PenWidth: s.pen.setWidth(r.a); break;
    case DrawOp::PenColour: s.pen.setColor(ToQColor(r.a)); break;
    case DrawOp::BrushColour: s.brush.setColor(ToQColor(r.a)); break;
    case DrawOp::FillRect: painter.fillRect(QRect(r.a, r.b, r.c - r.a, r.d - r.b), s.brush); break;
    case DrawOp::Ellipse:
      painter.setPen(s.pen);
      painter.setBrush(s.brush);
      painter.drawEllipse(QRect(r.a, r.b, r.c - r.a, r.d - r.b));
      break;
    case DrawOp::MoveTo: s.position = QPoint(r.a, r.b); break;
    case DrawOp::LineTo:
      painter.setPen(s.pen);
      painter.drawLine(s.position, QPoint(r.a, r.b));
      s.position = QPoint(r.a, r.b);
      break;
    case DrawOp::Polyline: {
      const TPoint* points = picture.PolylinePoints(r);
      QPolygon polygon(r.b);
      for (int i = 0; i < r.b; ++i) polygon[i] = QPoint(points[i].x, points[i].y);
      painter.setPen(s.pen);
      painter.drawPolyline(polygon);
      break;
    }
    case DrawOp::Polygon: {
      const TPoint* points = picture.PolylinePoints(r);
      QPolygon polygon(r.b);
      for (int i = 0; i < r.b; ++i) polygon[i] = QPoint(points[i].x, points[i].y);
      painter.setPen(s.pen);
      painter.setBrush(s.brush);
      painter.drawPolygon(polygon);
      break;
    }
    case DrawOp::Text:
      if (r.a >= 0 && std::size_t(r.a) < picture.texts().size())
        DrawText(picture.texts()[std::size_t(r.a)], QPoint(r.b, r.c), s, painter);
      break;
  }
}

void ReplayRecords(const Picture& picture, std::size_t begin, std::size_t end,
                   const std::vector<bool>* skip, QPainter& painter) {
  ReplayState state;
  const std::vector<DrawRecord>& records = picture.records();
  for (std::size_t i = begin; i < end && i < records.size(); ++i)
    if (!skip || !(*skip)[i]) Replay(picture, records[i], state, painter);
}

// Maps the picture's units onto `target`.
void FitToTarget(const Picture& picture, QPainter& painter, const QRect& target) {
  painter.setClipRect(target);
  painter.translate(target.topLeft());
  painter.scale(double(target.width()) / picture.width(), double(target.height()) / picture.height());
}

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

bool Paintable(const Picture& picture) {
  return !picture.empty() && picture.width() > 0 && picture.height() > 0;
}

}  // namespace

void ReplayPicture(const Picture& picture, QPainter& painter) {
  ReplayRecords(picture, 0, picture.records().size(), nullptr, painter);
}

void PaintPicture(const Picture& picture, QPainter& painter, const QRect& target) {
  if (!Paintable(picture)) return;
  painter.save();
  FitToTarget(picture, painter, target);
  ReplayPicture(picture, painter);
  painter.restore();
}

std::vector<bool> RecordsInRepeatedRuns(const Picture& picture) {
  std::vector<bool> inRun;
  if (picture.repeats().empty()) return inRun;
  inRun.assign(picture.records().size(), false);
  for (const RepeatedRun& run : picture.repeats())
    for (std::size_t i = run.begin; i < run.begin + run.length && i < inRun.size(); ++i)
      inRun[i] = true;
  return inRun;
}

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
