#include "ui/main/program_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

namespace orniva::ui {
namespace {

// Drawn on a 32 x 32 grid and scaled to `size`.
QPixmap StereonetPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 32.0, size / 32.0);
  p.setPen(QPen(QColor(96, 96, 96), 2));
  p.setBrush(Qt::white);
  p.drawEllipse(QRectF(2, 2, 28, 28));
  QPainterPath greatCircle;  // a plane dipping east
  greatCircle.moveTo(16, 3);
  greatCircle.quadTo(30, 16, 16, 29);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(0, 0, 255), 2));
  p.drawPath(greatCircle);
  p.setPen(QPen(Qt::black, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  const QPointF arrow[] = {{22.5, 23}, {22.5, 11}, {19.5, 15}, {22.5, 11}, {25.5, 15}};
  p.drawPolyline(arrow, 5);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(QColor(255, 0, 0));
  p.drawEllipse(QPointF(22.5, 23), 2.5, 2.5);
  return pixmap;
}

// A dashed lasso round three dots, on a 32 x 32 grid.
QPixmap LassoPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 32.0, size / 32.0);
  p.setPen(QPen(QColor(200, 0, 200), 2.5, Qt::DashLine, Qt::RoundCap));
  p.drawEllipse(QRectF(3, 5, 26, 20));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  for (const QPointF centre : {QPointF(11, 13), QPointF(19, 11), QPointF(16, 19)})
    p.drawEllipse(centre, 2.5, 2.5);
  return pixmap;
}

}  // namespace

QIcon SelectIcon() {
  QIcon icon;
  for (int size : {16, 24, 32}) icon.addPixmap(LassoPixmap(size));
  return icon;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64}) icon.addPixmap(StereonetPixmap(size));
  return icon;
}

QIcon OpenIcon(const QStyle* style) {
  return QIcon::fromTheme(QStringLiteral("document-open"),
                          style->standardIcon(QStyle::SP_DialogOpenButton));
}

QIcon ExportIcon(const QStyle* style) {
  return QIcon::fromTheme(QStringLiteral("document-save-as"),
                          style->standardIcon(QStyle::SP_DialogSaveButton));
}

QIcon ExitIcon(const QStyle* style) {
  return QIcon::fromTheme(QStringLiteral("application-exit"),
                          style->standardIcon(QStyle::SP_DialogCloseButton));
}

}  // namespace orniva::ui
