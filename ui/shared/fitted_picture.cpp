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
  const double scale = std::min(double(widget->width()) / picture.width(),
                                double(widget->height()) / picture.height());
  const QSize size(int(picture.width() * scale), int(picture.height() * scale));
  painter.setRenderHint(QPainter::Antialiasing);
  render::PaintPicture(
      picture, painter,
      QRect(QPoint((widget->width() - size.width()) / 2, (widget->height() - size.height()) / 2),
            size));
}

}  // namespace orniva::ui
