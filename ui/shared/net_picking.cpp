#include "ui/shared/net_picking.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

#include <QMouseEvent>
#include <QPainter>
#include <QPen>

namespace orniva::ui {
namespace {

QString Degrees(double value, int width) {
  return QStringLiteral("%1").arg(int(std::lround(value)) % (width == 3 ? 360 : 1000), width, 10,
                                  QLatin1Char('0'));
}

}  // namespace

SelectionChange ChangeFor(Qt::KeyboardModifiers keys) {
  if (keys & Qt::ShiftModifier) return SelectionChange::Add;
  if (keys & Qt::ControlModifier) return SelectionChange::Remove;
  return SelectionChange::Replace;
}

std::vector<int> ChangedSelection(const std::vector<int>& current, std::vector<int> picked,
                                  SelectionChange how) {
  std::sort(picked.begin(), picked.end());
  picked.erase(std::unique(picked.begin(), picked.end()), picked.end());
  if (how == SelectionChange::Replace) return picked;
  std::vector<int> next;
  if (how == SelectionChange::Add)
    std::set_union(current.begin(), current.end(), picked.begin(), picked.end(),
                   std::back_inserter(next));
  else
    std::set_difference(current.begin(), current.end(), picked.begin(), picked.end(),
                        std::back_inserter(next));
  return next;
}

QString LineAndPlaneReadout(math::TrendPlunge line) {
  return QStringLiteral("Line %1/%2   Plane %3/%4")
      .arg(Degrees(line.trend, 3), Degrees(line.plunge, 2), Degrees(line.trend + 180, 3),
           Degrees(90 - line.plunge, 2));
}

void PickGesture::Press(const QMouseEvent& event) {
  pressed_ = event.button() == Qt::LeftButton;
  path_.clear();
  if (pressed_) path_ << event.position();
}

bool PickGesture::Move(QPointF position) {
  if (!pressed_ || path_.isEmpty()) return false;
  path_ << position;
  return true;
}

PickGesture::Done PickGesture::Release(const QMouseEvent& event, const ToPlot& toPlot) {
  const bool release = pressed_ && event.button() == Qt::LeftButton;
  pressed_ = false;
  const QPolygonF path = std::exchange(path_, {});
  if (!release || path.isEmpty()) return {};
  const QRectF extent = path.boundingRect();
  if (extent.width() + extent.height() < 6)
    return {Done::Kind::Click, toPlot(event.position()), {}};
  QPolygonF plot;
  for (const QPointF& point : path) plot << toPlot(point);
  return {Done::Kind::Lasso, {}, plot};
}

void PickGesture::PaintPath(QPainter& painter) const {
  if (path_.size() < 2) return;
  painter.setPen(QPen(QColor(255, 0, 255), 1, Qt::DashLine));
  painter.drawPolyline(path_);
}

}  // namespace orniva::ui
