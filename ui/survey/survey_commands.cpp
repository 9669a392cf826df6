#include "ui/survey/survey_commands.h"

#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QMenu>

#include "ui/survey/survey_window.h"

namespace orniva::ui {

namespace {
constexpr const char* kSurveyFilter = "Surveys (*.orniva-survey.json);;All files (*)";
constexpr const char* kSurveySuffix = "orniva-survey.json";
}  // namespace

SurveyCommands::SurveyCommands(Window window, QMenu* file)
    : QObject(window.widget), window_(std::move(window)) {
  setObjectName(QStringLiteral("SurveyCommands"));
  ActionNewSurvey = new QAction(QStringLiteral("New S&urvey..."), this);
  ActionNewSurvey->setObjectName(QStringLiteral("ActionNewSurvey"));
  ActionOpenSurvey = new QAction(QStringLiteral("Open Sur&vey..."), this);
  ActionOpenSurvey->setObjectName(QStringLiteral("ActionOpenSurvey"));
  file->addAction(ActionNewSurvey);
  file->addAction(ActionOpenSurvey);
  connect(ActionNewSurvey, &QAction::triggered, this, &SurveyCommands::NewSurvey);
  connect(ActionOpenSurvey, &QAction::triggered, this, &SurveyCommands::OpenSurvey);
  if (window_.widget) window_.widget->installEventFilter(this);
}

bool SurveyCommands::eventFilter(QObject* watched, QEvent* event) {
  if (watched != window_.widget || event->type() != QEvent::Close) return false;
  for (SurveyWindow* survey : windows())
    if (!survey->close()) {
      event->ignore();
      return true;
    }
  return false;
}

SurveyWindow* SurveyCommands::NewWindow() {
  auto* survey = new SurveyWindow(*window_.services, window_.openData, window_.widget);
  survey->setAttribute(Qt::WA_DeleteOnClose);
  windows_.emplace_back(survey);
  return survey;
}

void SurveyCommands::NewSurvey() {
  WindowServices& services = *window_.services;
  const std::optional<QString> data = services.OpenDataFile(window_.widget);
  if (!data) return;
  const QFileInfo info(*data);
  const std::optional<QString> path =
      services.SaveFile(window_.widget, QStringLiteral("Save the New Survey As"),
                        QString::fromLatin1(kSurveyFilter), QString::fromLatin1(kSurveySuffix));
  if (!path) return;
  SurveyWindow* survey = NewWindow();
  if (!survey->newSurvey(*path, info.absoluteFilePath())) return survey->close(), void();
  survey->show();
}

void SurveyCommands::OpenSurvey() {
  const std::optional<QString> path = window_.services->OpenFile(
      window_.widget, QStringLiteral("Open Survey"), QString::fromLatin1(kSurveyFilter));
  if (!path) return;
  SurveyWindow* survey = NewWindow();
  if (!survey->openSurvey(*path)) return survey->close(), void();
  survey->show();
}

std::vector<SurveyWindow*> SurveyCommands::windows() const {
  std::vector<SurveyWindow*> open;
  for (const QPointer<SurveyWindow>& window : windows_)
    if (window) open.push_back(window);
  return open;
}

}  // namespace orniva::ui
