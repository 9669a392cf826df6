// The geometry tools of the Analysis menu: Rotate Data and Back-tilt Data
// (a dialog, then a window of the turned data, a new data set that can be
// saved as a new file) and Tilt Test (the bedding, then the test's window).
// They read the window's document and never change it.
#pragma once

#include <functional>

#include <QObject>
#include <QString>

#include "document/document.h"
#include "ui/dialogs/rotation_dialog.h"
#include "ui/shared/window_services.h"

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
    QWidget* widget = nullptr;  // parent of the dialogs and windows
    WindowServices* services = nullptr;
    // Opens a data file in the main window, as a file dropped on it (none:
    // the turned data's window offers no Open in Main Window).
    std::function<void(const QString&)> open;
  };

  // Adds the three items to `menu`.
  GeometryTools(Window window, const document::Document& document, QMenu* menu);

  // Each opens its dialog (window-modal, returning at once); OK opens the
  // result's window.
  void RotateData();
  void BackTiltData();
  void TiltTest();
  // The same two with the bedding of an orientation set (ui/results/set_bedding.h).
  void BackTiltBySet();
  void TiltTestBySet();

  // The windows of a choice, as OK in the dialogs opens them.
  RotatedDataWindow* ShowRotated(const RotationChoice& choice);
  TiltTestWindow* ShowTiltTest(const analysis::Bedding& bedding);

  QAction* ActionRotate = nullptr;
  QAction* ActionBackTilt = nullptr;
  QAction* ActionTiltTest = nullptr;
  QAction* ActionBackTiltBySet = nullptr;
  QAction* ActionTiltTestBySet = nullptr;

 private:
  void ask(RotationKind kind);

  Window window_;
  const document::Document& document_;
};

}  // namespace orniva::ui
