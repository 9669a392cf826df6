// The stress inversion's results window: sigma1 to sigma3, Phi, R, the mean
// misfit and the faults used, a histogram of the misfit angles, and per
// fault its Use check box, line and misfit (sortable, copied as
// tab-separated text). Modeless; the main window hands it every newly
// loaded data set, which switches every fault back in.
#pragma once

#include <array>
#include <vector>

#include <QString>
#include <QWidget>

#include "analysis/stress_inversion.h"
#include "data/fault_data.h"

class QCheckBox;
class QLabel;
class QTableWidget;

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
  explicit StressWindow(QWidget* parent = nullptr);

  // Inverts `data` (read from `fileName`, kept by the caller while shown)
  // with every fault switched in.
  void showData(const FaultSet& data, const QString& fileName);
  // Inverts again with the Use check boxes and the iterate option as they stand.
  void run();

  // By line (index 0 unused): the faults switched in.
  const std::vector<bool>& use() const { return use_; }
  // Sets the Use check boxes (by line) and runs.
  void setUse(const std::vector<bool>& use);
  bool iterate() const;
  void setIterate(bool on);
  const analysis::StressResult& result() const { return result_; }

  QString tableText() const;
  void copy() const;

  QTableWidget* table() const { return table_; }
  QTableWidget* axesTable() const { return axes_; }
  QLabel* summary() const { return summary_; }
  MisfitHistogram* histogram() const { return histogram_; }

 signals:
  // A row of the table was chosen: the datum of data-file line `line`.
  void datumSelected(int line);
  // Run took new choices: the faults switched in and the iterate option.
  void choicesChanged(const std::vector<bool>& use, bool iterate);

 private:
  void fill();

  const FaultSet* data_ = nullptr;
  std::vector<bool> use_;
  analysis::StressResult result_;
  QTableWidget* axes_ = nullptr;
  QTableWidget* table_ = nullptr;
  QLabel* summary_ = nullptr;
  QCheckBox* iterate_ = nullptr;
  MisfitHistogram* histogram_ = nullptr;
};

// The note of a fault in the table: "switched out", "sense opposite to the
// stress" (beta above 90), or "".
QString StressNote(const analysis::FaultMisfit& fault);

}  // namespace orniva::ui
