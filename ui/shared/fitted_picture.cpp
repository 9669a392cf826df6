#include "ui/shared/fitted_picture.h"

#include <algorithm>

#include <QPainter>
#include <QWidget>

#include "render/replay.h"

namespace orniva::ui {

void PaintFitted(QWidget* widget, const Picture& picture) {
  QPainter painter(widget);
  painter.fillRect(widget->rect(), Qt::white);
  if (!render::Paintable(picture)) return;
  painter.setRenderHint(QPainter::Antialiasing);
  render::PaintPicture(picture, painter, FittedRect(widget->size(), picture));
}

QRect FittedRect(QSize size, const Picture& picture) {
  const double scale =
      std::min(double(size.width()) / picture.width(), double(size.height()) / picture.height());
  const QSize fitted(int(picture.width() * scale), int(picture.height() * scale));
  return {QPoint((size.width() - fitted.width()) / 2, (size.height() - fitted.height()) / 2),
          fitted};
}

QPointF FittedToPlot(QSize size, const Picture& picture, QPointF point) {
  const QRect fitted = FittedRect(size, picture);
  if (fitted.width() <= 0 || fitted.height() <= 0) return point;
  return {(point.x() - fitted.x()) * picture.width() / fitted.width(),
          (point.y() - fitted.y()) * picture.height() / fitted.height()};
}

}  // namespace orniva::ui
