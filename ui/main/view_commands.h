// The window's View menu and its memory, as commands the main window owns:
// a data grid wide enough for its numbers (View > Wide Data Grid), the data
// files opened last (File > Recent Files), and, only when the user asks for
// it (View > Remember Window and Recent Files), the window's size and place,
// the last folder, the grid's width and that list kept between runs in the
// settings the window's services give. While the choice is off nothing is
// written and nothing but the choice is read; turning it off forgets all.
#pragma once

#include <functional>

#include <QObject>
#include <QString>
#include <QStringList>

#include "document/document.h"

class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;
class QSettings;

namespace orniva::ui {

class FaultGridView;
class WindowServices;

class ViewCommands : public QObject {
  Q_OBJECT

 public:
  struct Window {
    QMainWindow* widget = nullptr;
    WindowServices* services = nullptr;
    FaultGridView* grid = nullptr;
    std::function<void(const QString&)> open;  // loads a data file (asking about changes)
    std::function<void()> layOut;              // the image fitted beside the grid again
  };

  // The View menu before `before` in `menuBar`; Recent Files in `file`
  // before `fileBefore`.
  ViewCommands(Window window, const document::Document& document, QMenuBar* menuBar,
               QAction* before, QMenu* file, QAction* fileBefore);
  ~ViewCommands() override;

  // When the user chose to remember: the grid's width, the recent files,
  // the last folder (made the current one) and the window's size and place
  // as they were. Called once the window is first shown.
  void Restore();
  // When the user chose to remember: the window's size and place and the
  // current folder, kept for the next run.
  void Store();
  // The data files opened, the latest first.
  const QStringList& recentFiles() const { return recent_; }

  QMenu* View1 = nullptr;
  QMenu* Recent1 = nullptr;
  QAction* ActionWideGrid = nullptr;
  QAction* ActionRemember = nullptr;

 private:
  void Opened(const QString& path);
  void SetWideGrid(bool wide);
  void SetRemember(bool remember);
  void ShowRecent();
  void StoreRecent();

  Window window_;
  const document::Document& document_;
  QStringList recent_;
  int listener_ = 0;
};

}  // namespace orniva::ui
