// File > New Survey... and Open Survey..., as commands the main window
// owns: each opens a survey window (ui/survey/survey_window.h) whose
// double-click opens a site's data file in the main window. Closing the
// main window asks each survey window about its unsaved edits first.
#pragma once

#include <functional>
#include <vector>

#include <QObject>
#include <QPointer>
#include <QString>

#include "ui/shared/window_services.h"

class QAction;
class QMenu;
class QWidget;

namespace orniva::ui {

class SurveyWindow;

class SurveyCommands : public QObject {
  Q_OBJECT

 public:
  struct Window {
    QWidget* widget = nullptr;
    WindowServices* services = nullptr;
    // Opens a data file in the main window, asking about its unsaved changes.
    std::function<void(const QString& path)> openData;
  };

  // Adds New Survey... and Open Survey... after the items `file` has.
  SurveyCommands(Window window, QMenu* file);

  // Asks for a data file and where to save the survey made of its sites.
  void NewSurvey();
  // Asks for a survey file and shows it.
  void OpenSurvey();
  // The survey windows open, newest last.
  std::vector<SurveyWindow*> windows() const;

  QAction* ActionNewSurvey = nullptr;
  QAction* ActionOpenSurvey = nullptr;

 protected:
  // The main window closing closes the survey windows first, each asking
  // about its unsaved edits; a survey the user keeps open keeps it open.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  SurveyWindow* NewWindow();

  Window window_;
  std::vector<QPointer<SurveyWindow>> windows_;
};

}  // namespace orniva::ui
