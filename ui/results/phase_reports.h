// The Each Phase in Turn window: one report of the report table, chosen
// from a list, run on each phase of the curation in turn and shown as a
// sortable table of its typed cells led by the phase, with the same values
// orniva-analyse writes with --by-subset; a phase that cannot be analysed
// has a row that says why. Copy puts them on the clipboard tab-separated. The window
// follows the document: a change of the data, the curation or the choices
// runs the report again off the window's thread (ui/shared/long_work.h), with
// progress and Cancel (a cancelled run leaves the table as it was).
#pragma once

#include <QString>
#include <QWidget>

#include "analysis/report_table.h"
#include "document/document.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;

namespace orniva::ui {

class LongWork;
class PhaseReportModel;
class WindowServices;

class PhaseReportsWindow : public QWidget {
  Q_OBJECT

 public:
  PhaseReportsWindow(const document::Document& document, WindowServices& services,
                     QWidget* parent = nullptr);
  ~PhaseReportsWindow() override;

  // The reports offered (those of the report table marked for each phase):
  // their names in the list and orniva-analyse's command of each.
  static int reportCount();
  static QString reportName(int index);
  static const char* reportCommand(int index);

  // Chooses report `index` of the list and runs it.
  void chooseReport(int index);
  // Runs the chosen report again on the document as it is now.
  void run();
  // Stops the run under way: the table stays as it was; finished().
  void cancel();
  bool running() const;

  // The header and the rows shown (only the selected ones when there are),
  // in the order shown, tab-separated, each ending in LF: what Copy copies.
  QString text() const;
  // Puts text() on the clipboard.
  void copy() const;
  QLabel* title() const { return title_; }
  QTableView* table() const { return table_; }

 signals:
  // A run ended: done, refused or cancelled.
  void finished();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* newControls();
  // Runs the report again when what it reads has changed since it ran.
  void follow();
  void finish(analysis::ReportTable table);
  void showRunning(bool on);
  QString titleText(const QString& outcome) const;

  const document::Document& document_;
  WindowServices& services_;
  int listener_ = 0;
  bool followQueued_ = false;
  bool stale_ = true;  // the table is not of the document and the report as they are
  LongWork* work_ = nullptr;
  QComboBox* reports_ = nullptr;
  QLabel* title_ = nullptr;
  QPushButton *refresh_ = nullptr, *cancelButton_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QTableView* table_ = nullptr;
  PhaseReportModel* model_ = nullptr;
};

// Shows the window that belongs to `owner` (made when first asked for, a
// window of `parent` deleted with `owner`) and brings it to the front.
PhaseReportsWindow* ShowPhaseReports(const document::Document& document, WindowServices& services,
                                     QObject* owner, QWidget* parent);

}  // namespace orniva::ui
