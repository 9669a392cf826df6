// A recorded picture painted on a widget as large as it fits, centred on
// white, its proportions kept: how a results window shows a small chart or
// net beside its tables.
#pragma once

#include "picture/picture.h"

class QWidget;

namespace orniva::ui {

// Paints `picture` on `widget` (from its paintEvent); white alone when the
// picture has nothing to paint.
void PaintFitted(QWidget* widget, const Picture& picture);

}  // namespace orniva::ui
