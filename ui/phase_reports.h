// The Each Phase in Turn window: one analysis report, chosen from a list,
// run on each phase of the curation in turn and shown as a sortable table
// led by the phase, with the same values orniva-analyse writes with
// --by-subset; Copy puts them on the clipboard tab-separated. The window
// follows the study: a change of the data, the curation or the choices
// runs the report again off the window's thread, with progress and Cancel
// (a cancelled run leaves the table as it was).
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <thread>
#include <utility>

#include <QString>
#include <QWidget>

#include "analysis/by_phase.h"
#include "analysis/study.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;

namespace orniva::ui {

class PhaseReportModel;
struct PhaseTable;

class PhaseReportsWindow : public QWidget {
  Q_OBJECT

 public:
  // `fileName` gives the data file's path for the title line.
  PhaseReportsWindow(const analysis::Study& study, std::function<QString()> fileName,
                     QWidget* parent = nullptr);
  // Cancels a run under way and waits for it.
  ~PhaseReportsWindow() override;

  // The reports offered: their names in the list and orniva-analyse's
  // command of each.
  static int reportCount();
  static QString reportName(int index);
  static const char* reportCommand(int index);

  // Chooses report `index` of the list and runs it.
  void chooseReport(int index);
  // Runs the chosen report again on the study as it is now.
  void run();
  void cancel() { cancel_ = true; }
  bool running() const { return worker_.joinable(); }

  // The header and the rows shown (only the selected ones when there are),
  // in the order shown, tab-separated, each ending in LF: what Copy copies.
  QString text() const;
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
  void finish(analysis::CsvReport report, PhaseTable table);
  void showRunning(bool on);
  QString titleText(const QString& outcome) const;

  const analysis::Study& study_;
  std::function<QString()> fileName_;
  int listener_ = 0;
  bool followQueued_ = false;
  bool runAgain_ = false;  // the study changed while a run was under way
  // What the table shows: the study's generation and curation revision,
  // and the report.
  using Key = std::pair<std::pair<std::uint64_t, std::uint64_t>, int>;
  std::optional<Key> shown_, running_;
  std::thread worker_;
  std::atomic<bool> cancel_{false};
  QComboBox* reports_ = nullptr;
  QLabel* title_ = nullptr;
  QPushButton *refresh_ = nullptr, *cancelButton_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QTableView* table_ = nullptr;
  PhaseReportModel* model_ = nullptr;
};

// Shows the window that belongs to `owner` (made when first asked for, a
// window of `parent` deleted with `owner`) and brings it to the front.
PhaseReportsWindow* ShowPhaseReports(const analysis::Study& study,
                                     std::function<QString()> fileName, QObject* owner,
                                     QWidget* parent);

}  // namespace orniva::ui
