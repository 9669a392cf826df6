// The commands that curate and save the loaded data, as a helper the main
// window owns: the Data menu (the data table, the data analysed, colours by
// phase), Undo and Redo in the Edit menu, Save and Save As in the File menu.
// It reads the curation file beside a data file when it is loaded, writes
// it with the data when the user saves, and asks before unsaved changes
// would be lost.
#pragma once

#include <functional>
#include <string>

#include <QObject>
#include <QString>

#include "analysis/separation.h"
#include "analysis/study.h"
#include "ui/data_history.h"
#include "ui/data_table.h"
#include "ui/window_services.h"

class QAction;
class QActionGroup;
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
    std::function<QString()> fileName;                 // the data file's path
    std::function<void(int line)> selectDatum;         // a row of the table chosen
    std::function<void()> titleChanged;                // unsaved changes came or went
    std::function<void(const QString& path)> renamed;  // saved as another data file
    DataSelection* selection = nullptr;                // shown by the data table
  };

  // Save and Save As at the end of `file` (before its last separator), Undo
  // and Redo in `edit`, the Data menu before `before` in `menuBar`.
  CurationCommands(Window window, analysis::Study& study, QMenuBar* menuBar, QAction* before,
                   QMenu* file, QMenu* edit);
  ~CurationCommands() override;

  DataHistory& history() { return history_; }
  DataTableWindow* table() const { return table_; }
  bool modified() const { return !history_.clean(); }

  // A data file was loaded: its curation file read, applied when it fits
  // (asked when it was made for other data), and the history cleared.
  void DataLoaded();
  // Unsaved changes saved or dropped as the user says; false when the user
  // cancels (nothing may be lost then).
  bool MayDiscardChanges();
  // Saves the data (when their lines changed) and the curation; false when
  // it could not be done.
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
  bool SaveTo(const QString& path);
  void FillAnalysedMenu();
  // The data file's bytes as the user saves them: the lines as read where
  // none changed, else every line and a CR LF after each.
  std::string DataText() const;

  Window window_;
  analysis::Study& study_;
  DataHistory history_;
  DataTableWindow* table_ = nullptr;
  std::string loadedBytes_;  // the data file as loaded or last saved
};

}  // namespace orniva::ui
