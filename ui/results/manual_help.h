// The way from a results window to the page of the manual that tells of
// what it shows: a Help button and F1, both showing the page that
// plot/manual_pages.h names for the window's diagram or command.
#pragma once

#include <string>
#include <string_view>

#include "plot/manual_pages.h"
#include "ui/shared/manual_window.h"

class QPushButton;
class QWidget;

namespace orniva::ui {

class WindowServices;

// A "Help" button of `window` (made its child) and the window's F1, both
// showing `page`. The page can be changed later (SetManualPage).
QPushButton* NewHelpButton(QWidget* window, WindowServices& services, std::string_view page);
// The page that `window`'s Help and F1 show from now on.
void SetManualPage(QWidget* window, std::string_view page);
// The page that `window`'s Help shows; empty when it has none.
std::string ManualPageOf(const QWidget* window);

}  // namespace orniva::ui
