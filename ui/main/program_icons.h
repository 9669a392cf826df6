// The program's icon (a small stereonet with one fault) and the icons of
// the toolbar and File menu.
#pragma once

#include <QIcon>

class QStyle;

namespace orniva::ui {

QIcon ProgramIcon();

// Theme icons where the desktop has them, else the style's own.
QIcon OpenIcon(const QStyle* style);
QIcon ExportIcon(const QStyle* style);
QIcon ExitIcon(const QStyle* style);
// The select tool: a lasso round a few data.
QIcon SelectIcon();

}  // namespace orniva::ui
