// The stress inversion's results window: sigma1 to sigma3, Phi, R, the mean
// misfit beta and the faults used, a histogram of beta, and per fault its
// Use check box, line, beta, the stresses on its plane and the slip and
// dilation tendency (sortable, copied as tab-separated text); the bootstrap
// confidence and each fault's leave-one-out influence. Modeless; it shows
// the document's stress in view (the inversion, or a stress the user gives
// in its section) and follows every change of it. Method, Iterate and the
// given stress change the document's choices; Run, the data in use (one
// undoable step).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include <QString>
#include <QWidget>

#include "analysis/leave_one_out.h"
#include "analysis/mohr.h"
#include "analysis/stress_inversion.h"
#include "analysis/tendency.h"
#include "document/document.h"

class QCheckBox;
class QComboBox;
class QLayout;
class QLabel;
class QTableView;
class QTableWidget;

namespace orniva::ui {
class BootstrapPanel;
class GivenStressPanel;
class MethodComparison;
class ResultModel;
class WindowServices;
}  // namespace orniva::ui

namespace orniva::ui {

// The misfit angles of the faults used, in 10-degree bins from 0 to 180.
class MisfitHistogram : public QWidget {
  Q_OBJECT

 public:
  explicit MisfitHistogram(QWidget* parent = nullptr);
  void setCounts(const std::array<int, 18>& counts);
  const std::array<int, 18>& counts() const { return counts_; }
  QSize sizeHint() const override { return QSize(360, 140); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::array<int, 18> counts_{};
};

class StressWindow : public QWidget {
  Q_OBJECT

 public:
  StressWindow(document::Document& document, WindowServices& services, QWidget* parent = nullptr);
  ~StressWindow() override;

  // Hands the Use check boxes to the document (one undoable step), whose
  // study inverts again.
  void run();

  bool iterate() const;
  // Checks Iterate, which hands the option to the document.
  void setIterate(bool on);
  // Chooses `method` in the Method box, which hands it to the document.
  void setMethod(analysis::StressMethod method);
  QComboBox* methodBox() const { return method_; }
  QCheckBox* iterateBox() const { return iterate_; }
  const analysis::StressResult& result() const { return study().StressInView(); }

  QString tableText() const;
  // Copies the fault table, or the comparison of the methods when it holds
  // the focus.
  void copy() const;

  // The fault table; its model's rows are the result's faults, in view
  // through a sort.
  QTableView* table() const { return table_; }
  QTableWidget* axesTable() const { return axes_; }
  QLabel* summary() const { return summary_; }
  MisfitHistogram* histogram() const { return histogram_; }
  // Hidden until Compare Methods is pressed.
  MethodComparison* comparison() const { return comparison_; }
  // The bootstrap and the leave-one-out columns of the table.
  BootstrapPanel* confidence() const { return confidence_; }
  GivenStressPanel* givenStress() const { return given_; }

 signals:
  // A row of the table was chosen: the datum of data-file line `line`.
  void datumSelected(int line);

 private:
  QLayout* newControls();
  QLayout* newMethodChoice();
  void showChoices();
  void follow(const document::Notice& notice);
  void fill();
  void chooseInversion(analysis::StressMethod method, bool iterate);
  const analysis::Study& study() const { return document_.study(); }
  void fillTable();
  void addFaultColumns();
  void addMohrColumns();
  void addLeaveOneOutColumns();
  void showLeaveOneOut(const analysis::LeaveOneOut& influence);
  const analysis::MohrDatum* mohrOf(int row) const;
  bool opposite(int row) const;

  document::Document& document_;
  WindowServices& services_;
  int listener_ = 0;
  int tendencyColumn_ = 0;     // the first of Ts, Ts' and Td
  int leaveOneOutColumn_ = 0;  // Theta without, then beta without
  // What the fault table shows: the result in view, the stresses on each
  // plane, the tendencies by line, the Use check boxes by row (handed to
  // the study by Run) and the leave-one-out values by line (none: not
  // computed for this result).
  analysis::StressResult shownResult_;
  analysis::MohrResult mohr_;
  std::vector<std::optional<analysis::PlaneTendency>> tendencies_;
  std::vector<bool> use_;
  std::vector<std::optional<analysis::LeftOut>> without_;
  QTableWidget* axes_ = nullptr;
  ResultModel* model_ = nullptr;
  QTableView* table_ = nullptr;
  QLabel* summary_ = nullptr;
  QCheckBox* iterate_ = nullptr;
  QComboBox* method_ = nullptr;
  MisfitHistogram* histogram_ = nullptr;
  MethodComparison* comparison_ = nullptr;
  BootstrapPanel* confidence_ = nullptr;
  GivenStressPanel* given_ = nullptr;
};

// The note of a fault in the table: "switched out", "sense opposite to the
// stress" (beta above 90), or "".
QString StressNote(const analysis::FaultMisfit& fault);

// A method by its authors, e.g. "Shan et al. (2003)".
QString StressMethodTitle(analysis::StressMethod method);

// The summary line of `result` by `method`: the method's authors first when
// it is not Michael's, Phi, R, R' and its regime, SHmax, SHmin, the World
// Stress Map regime, the mean beta and the faults used, with " (k rounds)"
// for Michael's iterated inversion. "Switched out: N" counts `switchedOff`
// (analysis::SwitchedOffInScope), or when it is negative the faults the
// result did not use.
QString StressSummary(const analysis::StressResult& result, bool iterate,
                      analysis::StressMethod method = analysis::StressMethod::Michael,
                      int switchedOff = -1);

}  // namespace orniva::ui
