// The commands that change, undo and save the open document, as a helper
// the main window owns: the Data menu (the data table, the data analysed,
// colours by phase), Undo and Redo in the Edit menu (the document's own
// history), Save and Save As in the File menu; and the questions an
// opening asks: about unsaved changes of the file open, and about a
// curation file that does not fit.
#pragma once

#include <functional>
#include <vector>

#include <QObject>
#include <QString>

#include "analysis/separation.h"
#include "document/document.h"
#include "ui/results/data_table.h"
#include "ui/shared/window_services.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace orniva::ui {

class DataSelection;

class CurationCommands : public QObject {
  Q_OBJECT

 public:
  struct Window {
    QWidget* widget = nullptr;
    WindowServices* services = nullptr;
    std::function<void(int line)> selectDatum;  // a row of the table chosen
    DataSelection* selection = nullptr;         // shown by the data table
  };

  // Save and Save As at the end of `file` (before its last separator), Undo
  // and Redo in `edit`, the Data menu before `before` in `menuBar`.
  CurationCommands(Window window, document::Document& document, QMenuBar* menuBar, QAction* before,
                   QMenu* file, QMenu* edit);
  ~CurationCommands() override;

  DataTableWindow* table() const { return table_; }

  // Unsaved changes saved to the file that has them, or dropped, as the
  // user says; false when the user cancels (nothing may be lost then).
  bool MayDiscardChanges();
  // Tells the user what an opening's curation file came to: one that
  // cannot be used is reported, one made for other data asked about.
  // Whether to apply it.
  bool AskAboutCuration(const document::CurationVerdict& verdict);
  // Saves the document to its own file, or to one the user chooses; false
  // when it could not be done.
  bool Save();
  bool SaveAs();
  void ShowTable();
  // Proposed phases made phases of the curation, in one undoable step; a
  // name already taken gets a number after it.
  void AcceptPhases(const std::vector<analysis::ProposedPhase>& proposed);

  QAction* ActionSave = nullptr;
  QAction* ActionSaveAs = nullptr;
  QAction* ActionUndo = nullptr;
  QAction* ActionRedo = nullptr;
  QAction* ActionDataTable = nullptr;
  QAction* ActionColourByPhase = nullptr;
  QMenu* Data1 = nullptr;
  QMenu* Analysed1 = nullptr;

 private:
  void createFileAndEditItems(QMenu* file, QMenu* edit);
  bool SaveTo(const QString& path);
  void FillAnalysedMenu();
  // Undo and Redo name the steps they would take, when there are.
  void FollowHistory();

  Window window_;
  document::Document& document_;
  int listener_ = 0;
  DataTableWindow* table_ = nullptr;
};

// "&Undo Edit of line 3", or "&Undo" with nothing to undo: `prefix` and the
// step's text.
QString StepText(const QString& prefix, const std::string& step);

}  // namespace orniva::ui
