// The tilt test's window: the document's data in use back-tilted by a
// bedding at fractions 0 to 1.25 and inverted at each (its stress method
// and iterative option), off the window's thread (ui/shared/long_work.h) with
// progress and Cancel (a cancelled test leaves the window as it was). It shows the chart of the
// steepest principal axis's plunge and the mean misfit against the
// fraction, and the table of the steps in the columns of the command
// line's report; the table is copied as tab-separated text and the chart
// saved as SVG, PDF, PNG or EMF.
#pragma once

#include <vector>

#include <QString>
#include <QWidget>

#include "analysis/rotation.h"
#include "document/document.h"
#include "picture/picture.h"
#include "ui/shared/window_services.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace orniva::ui {

class LongWork;

// A recorded picture drawn at the largest size that keeps its proportions.
class ChartView : public QWidget {
  Q_OBJECT

 public:
  explicit ChartView(QWidget* parent = nullptr);
  void setPicture(Picture picture);
  const Picture& picture() const { return picture_; }
  QSize sizeHint() const override { return QSize(700, 470); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Picture picture_;
};

class TiltTestWindow : public QWidget {
  Q_OBJECT

 public:
  // The data file's name titles the window and the chart.
  TiltTestWindow(const document::Document& document, analysis::Bedding bedding,
                 WindowServices& services, QWidget* parent = nullptr);
  ~TiltTestWindow() override;

  // Starts the test on the document's data in use; finished() when it ends.
  void run();
  // Stops the test under way; finished().
  void cancel();
  bool running() const;

  const std::vector<analysis::TiltStep>& steps() const { return steps_; }
  const Picture& chart() const { return chart_->picture(); }
  QTableWidget* table() const { return table_; }
  QLabel* summary() const { return summary_; }
  // The report's text with tabs between the values.
  QString tableText() const;
  void copy() const;
  // Asks for a figure file and writes the chart there.
  void saveChartAs();

 signals:
  void finished();

 private:
  void finish(std::vector<analysis::TiltStep> steps, bool cancelled);
  void showRunning(bool on);
  void fill();
  // "Tilt test, bedding 120/30 - NAME.fdt"
  QString title() const;

  const document::Document& document_;
  int listener_ = 0;
  analysis::Bedding bedding_;
  WindowServices& services_;
  std::vector<analysis::TiltStep> steps_;
  LongWork* work_ = nullptr;
  QLabel* summary_ = nullptr;
  ChartView* chart_ = nullptr;
  QTableWidget* table_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton *cancelButton_ = nullptr, *copy_ = nullptr, *save_ = nullptr;
};

}  // namespace orniva::ui
