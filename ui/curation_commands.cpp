#include "ui/curation_commands.h"

#include <QAction>
#include <QColor>
#include <QActionGroup>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

#include "data/curation.h"
#include "data/fault_reader.h"
#include "platform/atomic_file.h"
#include "platform/file_error.h"
#include "platform/file_read.h"
#include "ui/phase_reports.h"

namespace orniva::ui {

CurationCommands::CurationCommands(Window window, analysis::Study& study, QMenuBar* menuBar,
                                   QAction* before, QMenu* file, QMenu* edit)
    : QObject(window.widget), window_(std::move(window)), study_(study), history_(study) {
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
  ActionUndo = history_.stack()->createUndoAction(this, QStringLiteral("&Undo"));
  ActionRedo = history_.stack()->createRedoAction(this, QStringLiteral("&Redo"));
  ActionUndo->setShortcut(QKeySequence::Undo);
  ActionRedo->setShortcut(QKeySequence::Redo);
  edit->addActions({ActionUndo, ActionRedo});

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
  connect(ActionColourByPhase, &QAction::toggled, this,
          [this](bool on) { study_.SetColourByPhase(on); });
  connect(history_.stack(), &QUndoStack::cleanChanged, this, [this] {
    if (window_.titleChanged) window_.titleChanged();
  });
}

CurationCommands::~CurationCommands() { delete table_; }

// All data in use, or one phase: what every analysis reads; and the window
// of a report for each phase in turn.
void CurationCommands::FillAnalysedMenu() {
  Analysed1->clear();
  auto* group = new QActionGroup(Analysed1);
  auto add = [&](const QString& text, int scope) {
    QAction* action = Analysed1->addAction(text, this, [this, scope] { study_.SetScope(scope); });
    action->setCheckable(true);
    action->setChecked(study_.scope() == scope);
    group->addAction(action);
  };
  add(QStringLiteral("&All Data in Use"), 0);
  const std::vector<analysis::PhaseInfo>& phases = study_.curation().phases;
  for (std::size_t k = 0; k < phases.size(); ++k)
    add(QStringLiteral("Phase %1").arg(QString::fromStdString(phases[k].name)), int(k) + 1);
  Analysed1->addSeparator();
  Analysed1->addAction(QStringLiteral("&Each Phase in Turn..."), this, [this] {
    ShowPhaseReports(study_, window_.fileName, this, window_.widget);
  });
}

void CurationCommands::ShowTable() {
  if (!table_) {
    table_ = new DataTableWindow(study_, history_,
                                 {window_.services, window_.selectDatum, window_.selection});
    table_->setFileName(window_.fileName());
  }
  table_->show();
  table_->raise();
  table_->activateWindow();
}

void CurationCommands::DataLoaded() {
  const QString path = window_.fileName();
  if (table_) table_->setFileName(path);
  loadedBytes_.clear();
  try {
    ReadFileInChunks(LocalPath(path), [this](std::string_view chunk) {
      loadedBytes_.append(chunk);
      return true;
    });
  } catch (const FileError&) {
    loadedBytes_.clear();  // read a moment ago; what cannot be read now has no curation
  }
  const std::string curationPath = CurationPathFor(LocalPath(path));
  if (QFileInfo::exists(QFile::decodeName(curationPath.c_str()))) {
    const CurationRead read =
        ReadCurationFile(curationPath, study_.data().count(), Sha256Hex(loadedBytes_));
    const std::string named = FileNameOf(curationPath) + ": " + read.error;
    if (read.error.empty() ||
        (read.stale && window_.services->Confirm(
                           window_.widget, named + "\r\nApply its choices to these data anyway?")))
      study_.SetCuration(analysis::CurationState::FromFile(read.curation, study_.data().count()));
    else if (!read.stale)
      window_.services->ShowMessage(window_.widget, named + "\r\nIts choices are not applied.");
  }
  history_.Reset();
}

void CurationCommands::AcceptPhases(const std::vector<analysis::ProposedPhase>& proposed) {
  analysis::CurationState next = study_.curation();
  auto taken = [&next](const std::string& name) {
    for (const analysis::PhaseInfo& phase : next.phases)
      if (phase.name == name) return true;
    return false;
  };
  for (const analysis::ProposedPhase& phase : proposed) {
    std::string name = phase.name;
    for (int k = 2; taken(name); ++k) name = phase.name + " (" + std::to_string(k) + ")";
    next.phases.push_back(
        {name, QColor(RedOf(phase.colour), GreenOf(phase.colour), BlueOf(phase.colour))
                   .name()
                   .toStdString()});
    for (int line : phase.lines)
      if (line >= 1 && line <= next.count())
        next.phase[std::size_t(line)] = int(next.phases.size());
  }
  study_.SetCuration(std::move(next));
}

bool CurationCommands::MayDiscardChanges() {
  if (!modified()) return true;
  switch (window_.services->AskToSave(window_.widget, QFileInfo(window_.fileName()).fileName())) {
    case WindowServices::SaveAnswer::Save:
      return Save();
    case WindowServices::SaveAnswer::Discard:
      return true;
    default:
      return false;
  }
}

bool CurationCommands::Save() {
  if (study_.lines().empty() && study_.data().count() == 0) return false;
  return SaveTo(window_.fileName());
}

bool CurationCommands::SaveAs() {
  const std::optional<QString> path = window_.services->SaveDataFile(window_.widget);
  return path && SaveTo(*path);
}

std::string CurationCommands::DataText() const {
  if (!history_.linesChanged()) return loadedBytes_;
  std::string text;
  for (const std::string& line : study_.lines()) text += line + "\r\n";
  return text;
}

// The data file written when its bytes change or it is a new file, then the
// curation file beside it (when there is a curation or already a file).
bool CurationCommands::SaveTo(const QString& path) {
  const std::string dataPath = LocalPath(path);
  const std::string bytes = DataText();
  const std::string curationPath = CurationPathFor(dataPath);
  const bool sameFile = QFileInfo(path) == QFileInfo(window_.fileName());
  try {
    if (!sameFile || bytes != loadedBytes_) WriteFileAtomically(dataPath, bytes);
    const bool keep = !study_.curation().plain() || !study_.curation().unknown.empty() ||
                      QFileInfo::exists(QFile::decodeName(curationPath.c_str()));
    if (keep)
      WriteFileAtomically(curationPath,
                          CurationText(study_.curation().ToFile(), FileNameOf(dataPath),
                                       study_.data().count(), Sha256Hex(bytes)));
  } catch (const FileError& error) {
    window_.services->ReportError(window_.widget, error);
    return false;
  }
  loadedBytes_ = bytes;
  history_.MarkSaved();
  if (!sameFile && window_.renamed) window_.renamed(path);
  if (!sameFile && table_) table_->setFileName(path);
  if (window_.titleChanged) window_.titleChanged();
  return true;
}

}  // namespace orniva::ui
