#include "ui/results/picking_chart_view.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/shared/fitted_picture.h"

namespace orniva::ui {

PickingChartView::PickingChartView(QWidget* parent) : ChartView(parent) {
  setMouseTracking(true);
  setFocusPolicy(Qt::ClickFocus);
}

void PickingChartView::setPicking(bool on) {
  picking_ = on;
  gesture_.Clear();
  setCursor(on ? Qt::CrossCursor : Qt::ArrowCursor);
  update();
}

QPointF PickingChartView::toPlot(QPointF point) const {
  return FittedToPlot(size(), picture(), point);
}

double PickingChartView::plotUnitsPerPixel() const {
  const QRect fitted = FittedRect(size(), picture());
  return fitted.width() > 0 ? double(picture().width()) / fitted.width() : 1;
}

void PickingChartView::paintEvent(QPaintEvent* event) {
  ChartView::paintEvent(event);
  QPainter painter(this);
  gesture_.PaintPath(painter);
}

void PickingChartView::mousePressEvent(QMouseEvent* event) {
  if (picking_) gesture_.Press(*event);
}

void PickingChartView::mouseMoveEvent(QMouseEvent* event) {
  if (!picking_) return;
  emit hovered(toPlot(event->position()));
  if (gesture_.Move(event->position())) update();
}

void PickingChartView::mouseReleaseEvent(QMouseEvent* event) {
  if (!picking_) return;
  const PickGesture::Done done = gesture_.Release(*event, [this](QPointF p) { return toPlot(p); });
  update();
  if (done.kind == PickGesture::Done::Kind::Click) emit picked(done.at, event->modifiers());
  if (done.kind == PickGesture::Done::Kind::Lasso) emit lassoed(done.path, event->modifiers());
}

void PickingChartView::leaveEvent(QEvent*) { emit left(); }

}  // namespace orniva::ui
