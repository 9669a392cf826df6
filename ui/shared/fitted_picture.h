// A recorded picture painted on a widget as large as it fits, centred on
// white, its proportions kept: how a results window shows a small chart or
// net beside its tables.
#pragma once

#include <QPointF>
#include <QRect>

#include "picture/picture.h"

class QWidget;

namespace orniva::ui {

// Paints `picture` on `widget` (from its paintEvent); white alone when the
// picture has nothing to paint.
void PaintFitted(QWidget* widget, const Picture& picture);

// Where `picture` is painted in a widget of `size`: the largest rectangle
// of its proportions, centred.
QRect FittedRect(QSize size, const Picture& picture);
// A point of that widget in the picture's plot units.
QPointF FittedToPlot(QSize size, const Picture& picture, QPointF point);

}  // namespace orniva::ui
