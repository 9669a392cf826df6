#include "ui/picture_view.h"

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
  }
}

}  // namespace

void ReplayPicture(const Picture& picture, QPainter& painter) {
  ReplayState state;
  state.pen.setCosmetic(false);
  for (const DrawRecord& record : picture.records()) Replay(picture, record, state, painter);
}

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PictureView::setPicture(const Picture* picture) {
  picture_ = picture;
  update();
  emit pictureChanged();
}

void PictureView::paintEvent(QPaintEvent*) {
  if (!picture_ || picture_->empty() || picture_->width() <= 0 || picture_->height() <= 0) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setClipRect(rect());
  painter.scale(double(width()) / picture_->width(), double(height()) / picture_->height());
  ReplayPicture(*picture_, painter);
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
