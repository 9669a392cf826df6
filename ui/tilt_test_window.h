// The tilt test's window: the study's data in use back-tilted by a bedding
// at fractions 0 to 1.25 and inverted at each (the study's stress method
// and iterative option), off the window's thread with progress and Cancel
// (a cancelled test leaves the window as it was). It shows the chart of the
// steepest principal axis's plunge and the mean misfit against the
// fraction, and the table of the steps in the columns of the command
// line's report; the table is copied as tab-separated text and the chart
// saved as SVG, PDF, PNG or EMF.
#pragma once

#include <atomic>
#include <thread>
#include <vector>

#include <QString>
#include <QWidget>

#include "analysis/rotation.h"
#include "analysis/study.h"
#include "picture/picture.h"
#include "ui/window_services.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace orniva::ui {

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
  // `name` (the data file's) titles the window and the chart.
  TiltTestWindow(const analysis::Study& study, analysis::Bedding bedding, const QString& name,
                 WindowServices& services, QWidget* parent = nullptr);
  // Cancels a test under way and waits for it.
  ~TiltTestWindow() override;

  // Starts the test on the study's data in use; finished() when it ends.
  void run();
  void cancel() { cancel_ = true; }
  bool running() const { return worker_.joinable(); }

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

  const analysis::Study& study_;
  analysis::Bedding bedding_;
  QString title_;
  WindowServices& services_;
  std::vector<analysis::TiltStep> steps_;
  std::thread worker_;
  std::atomic<bool> cancel_{false};
  QLabel* summary_ = nullptr;
  ChartView* chart_ = nullptr;
  QTableWidget* table_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton *cancelButton_ = nullptr, *copy_ = nullptr, *save_ = nullptr;
};

}  // namespace orniva::ui
