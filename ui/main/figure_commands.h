// The figure for publication, as commands the main window owns: File >
// Save Figure As and Print, and Edit > Copy Figure. They draw the figure the
// window describes, with the options chosen last.
#pragma once

#include <functional>

#include <QObject>
#include <QString>

#include "picture/picture.h"
#include "plot/plot_mode.h"
#include "ui/dialogs/figure_options.h"
#include "ui/shared/window_services.h"

class QAction;
class QMenu;
class QWidget;

namespace orniva::ui {

class FigureCommands : public QObject {
  Q_OBJECT

 public:
  // What the commands ask of the window they belong to.
  struct Window {
    QWidget* widget = nullptr;
    WindowServices* services = nullptr;
    std::function<Picture(const FigureOptions&)> figure;  // the figure the window shows
    std::function<QString()> fileName;                    // the data file loaded
    std::function<PlotMode()> mode;                       // the diagram shown
  };

  // Adds Save Figure As and Print to `file`, Copy Figure to `edit`.
  FigureCommands(Window window, QMenu* file, QMenu* edit);

  // Asks for the file, proposing one named for the data and the diagram.
  void SaveFigureAs();
  void CopyFigure();
  void PrintFigure();
  // The figure options chosen last, for the rest of the run.
  const FigureOptions& figureOptions() const { return options_; }

  QAction* ActionSaveFigure = nullptr;
  QAction* ActionPrint = nullptr;
  QAction* ActionCopyFigure = nullptr;

 private:
  Window window_;
  FigureOptions options_;
};

}  // namespace orniva::ui
