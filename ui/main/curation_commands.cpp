#include "ui/main/curation_commands.h"

#include <QAction>
#include <QActionGroup>
#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

#include "ui/results/phase_reports.h"

namespace orniva::ui {

using document::CurationVerdict;
using document::Edit;

QString StepText(const QString& prefix, const std::string& step) {
  return step.empty() ? prefix : prefix + u' ' + QString::fromStdString(step);
}

CurationCommands::CurationCommands(Window window, document::Document& document, QMenuBar* menuBar,
                                   QAction* before, QMenu* file, QMenu* edit)
    : QObject(window.widget), window_(std::move(window)), document_(document) {
  createFileAndEditItems(file, edit);
  Data1 = new QMenu(QStringLiteral("&Data"), menuBar);
  Data1->setObjectName(QStringLiteral("Data1"));
  menuBar->insertMenu(before, Data1);
  ActionDataTable =
      Data1->addAction(QStringLiteral("Data &Table..."), this, [this] { ShowTable(); });
  ActionDataTable->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
  Analysed1 = Data1->addMenu(QStringLiteral("&Analyse"));
  connect(Analysed1, &QMenu::aboutToShow, this, &CurationCommands::FillAnalysedMenu);
  ActionColourByPhase = Data1->addAction(QStringLiteral("&Colour by Phase"));
  ActionColourByPhase->setCheckable(true);
  connect(ActionColourByPhase, &QAction::toggled, this, [this](bool on) {
    analysis::AnalysisChoices choices = document_.study().choices();
    choices.colourByPhase = on;
    document_.SetChoices(choices);
  });
  listener_ = document_.AddListener([this](const document::Notice&) { FollowHistory(); });
  FollowHistory();
}

CurationCommands::~CurationCommands() {
  document_.RemoveListener(listener_);
  delete table_;
}

void CurationCommands::createFileAndEditItems(QMenu* file, QMenu* edit) {
  QAction* exitSeparator = nullptr;
  for (QAction* action : file->actions())
    if (action->isSeparator()) exitSeparator = action;
  ActionSave = new QAction(QStringLiteral("&Save"), this);
  ActionSave->setShortcut(QKeySequence::Save);
  ActionSaveAs = new QAction(QStringLiteral("Save &As..."), this);
  file->insertActions(exitSeparator, {ActionSave, ActionSaveAs});
  connect(ActionSave, &QAction::triggered, this, [this] { Save(); });
  connect(ActionSaveAs, &QAction::triggered, this, [this] { SaveAs(); });
  edit->addSeparator();
  ActionUndo = new QAction(this);
  ActionRedo = new QAction(this);
  ActionUndo->setShortcut(QKeySequence::Undo);
  ActionRedo->setShortcut(QKeySequence::Redo);
  connect(ActionUndo, &QAction::triggered, this, [this] { document_.Undo(); });
  connect(ActionRedo, &QAction::triggered, this, [this] { document_.Redo(); });
  edit->addActions({ActionUndo, ActionRedo});
}

void CurationCommands::FollowHistory() {
  const document::EditHistory& history = document_.history();
  ActionUndo->setEnabled(history.canUndo());
  ActionRedo->setEnabled(history.canRedo());
  ActionUndo->setText(
      StepText(QStringLiteral("&Undo"), history.canUndo() ? history.undoStep().text : ""));
  ActionRedo->setText(
      StepText(QStringLiteral("&Redo"), history.canRedo() ? history.redoStep().text : ""));
}

// All data in use, or one phase: what every analysis reads; and the window
// of a report for each phase in turn.
void CurationCommands::FillAnalysedMenu() {
  Analysed1->clear();
  auto* group = new QActionGroup(Analysed1);
  const int scope = document_.study().scope();
  auto add = [&](const QString& text, int phase) {
    QAction* action =
        Analysed1->addAction(text, this, [this, phase] { document_.SetScope(phase); });
    action->setCheckable(true);
    action->setChecked(scope == phase);
    group->addAction(action);
  };
  add(QStringLiteral("&All Data in Use"), 0);
  const std::vector<analysis::PhaseInfo>& phases = document_.study().curation().phases;
  for (std::size_t k = 0; k < phases.size(); ++k)
    add(QString::fromStdString(analysis::PhaseTitle(phases[k].name)), int(k) + 1);
  Analysed1->addSeparator();
  Analysed1->addAction(QStringLiteral("&Each Phase in Turn..."), this, [this] {
    ShowPhaseReports(document_, *window_.services, this, window_.widget);
  });
}

void CurationCommands::ShowTable() {
  if (!table_)
    table_ =
        new DataTableWindow(document_, {window_.services, window_.selectDatum, window_.selection});
  table_->show();
  table_->raise();
  table_->activateWindow();
}

bool CurationCommands::AskAboutCuration(const CurationVerdict& verdict) {
  const std::string named = document::VerdictText(verdict);
  if (verdict.kind == CurationVerdict::Kind::OtherData)
    return window_.services->Confirm(window_.widget,
                                     named + "\r\nApply its choices to these data anyway?");
  if (verdict.kind == CurationVerdict::Kind::Unusable)
    window_.services->ShowMessage(window_.widget, named + "\r\nIts choices are not applied.");
  return false;
}

void CurationCommands::AcceptPhases(const std::vector<analysis::ProposedPhase>& proposed) {
  std::vector<analysis::PhaseInfo> phases = document_.study().curation().phases;
  auto taken = [&phases](const std::string& name) {
    for (const analysis::PhaseInfo& phase : phases)
      if (phase.name == name) return true;
    return false;
  };
  document::EditSteps steps;
  for (const analysis::ProposedPhase& phase : proposed) {
    std::string name = phase.name;
    for (int k = 2; taken(name); ++k) name = phase.name + " (" + std::to_string(k) + ")";
    const QColor colour(RedOf(phase.colour), GreenOf(phase.colour), BlueOf(phase.colour));
    analysis::PhaseInfo info{name, colour.name().toStdString()};
    steps.steps.push_back(Edit::NewPhase(info, int(phases.size()), phase.lines));
    phases.push_back(std::move(info));
  }
  document_.Do(Edit{std::move(steps)}, "Acceptance of the proposed phases");
}

bool CurationCommands::MayDiscardChanges() {
  const QString name = QFileInfo(QFile::decodeName(document_.fileName().c_str())).fileName();
  return ui::MayDiscardChanges(*window_.services, window_.widget, document_.modified(), name,
                               [this] { return Save(); });
}

bool CurationCommands::Save() {
  if (document_.fileName().empty()) return false;
  return SaveTo(QFile::decodeName(document_.fileName().c_str()));
}

bool CurationCommands::SaveAs() {
  if (document_.fileName().empty()) return false;
  const std::optional<QString> path =
      window_.services->SaveDataFile(window_.widget, QStringLiteral("Save Data As"),
                                     QFile::decodeName(document_.fileName().c_str()));
  if (!path) return false;
  MakeFolderCurrent(*path);
  return SaveTo(QFileInfo(*path).absoluteFilePath());
}

// The document's plan carried out; every window follows its name.
bool CurationCommands::SaveTo(const QString& path) {
  try {
    document_.Save(document_.PlanSave(LocalPath(path)));
  } catch (const FileError& error) {
    window_.services->ReportError(window_.widget, error);
    return false;
  }
  return true;
}

}  // namespace orniva::ui
