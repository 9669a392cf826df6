// The geometry tools of the Analysis menu: Rotate Data and Back-tilt Data
// (a dialog, then a window of the turned data, a new data set that can be
// saved as a new file) and Tilt Test (the bedding, then the test's window).
// They read the window's Study and never change it.
#pragma once

#include <functional>

#include <QObject>
#include <QString>

#include "analysis/study.h"
#include "ui/rotation_dialog.h"
#include "ui/window_services.h"

class QAction;
class QMenu;
class QWidget;

namespace orniva::ui {

class RotatedDataWindow;
class TiltTestWindow;

class GeometryTools : public QObject {
  Q_OBJECT

 public:
  // What the tools ask of the window they belong to.
  struct Window {
    QWidget* widget = nullptr;          // parent of the dialogs and windows
    std::function<QString()> fileName;  // the data file loaded
    // Asks the user and loads a data file in the main window (none: the
    // main window's file drop, when `widget` is the main window).
    std::function<void(const QString&)> open;
    WindowServices* services = nullptr;  // none: the desktop's
  };

  // Adds the three items to `menu`.
  GeometryTools(Window window, const analysis::Study& study, QMenu* menu);

  // Each opens its dialog (window-modal, returning at once); OK opens the
  // result's window.
  void RotateData();
  void BackTiltData();
  void TiltTest();

  // The windows of a choice, as OK in the dialogs opens them.
  RotatedDataWindow* ShowRotated(const RotationChoice& choice);
  TiltTestWindow* ShowTiltTest(const analysis::Bedding& bedding);

  QAction* ActionRotate = nullptr;
  QAction* ActionBackTilt = nullptr;
  QAction* ActionTiltTest = nullptr;

 private:
  void ask(RotationKind kind);

  Window window_;
  const analysis::Study& study_;
};

}  // namespace orniva::ui
