// The kinematics results window: per datum the misfit and the P, T and B
// axes (sortable, copied as tab-separated text), the Linked Bingham axes,
// the lines left out, and the warnings. Modeless; the main window hands it
// every newly loaded data set.
#pragma once

#include <QString>
#include <QWidget>

#include "analysis/kinematics.h"
#include "data/fault_data.h"

class QDoubleSpinBox;
class QLabel;
class QTableWidget;

namespace orniva::ui {

class KinematicsWindow : public QWidget {
  Q_OBJECT

 public:
  explicit KinematicsWindow(QWidget* parent = nullptr);

  // Analyses `data` (read from `fileName`) and shows the result.
  void showData(const FaultSet& data, const QString& fileName);

  // The rows shown (all, or the selected ones), in the order shown, with
  // the header row: tab-separated, one line per row.
  QString tableText() const;
  // Puts tableText() on the clipboard.
  void copy() const;

  double misfitThreshold() const;
  void setMisfitThreshold(double degrees);

  QTableWidget* table() const { return table_; }
  QTableWidget* binghamTable() const { return bingham_; }
  QLabel* summary() const { return summary_; }

 signals:
  // A row of the table was chosen: the datum of data-file line `line`.
  void datumSelected(int line);

 private:
  void fill();
  void markWarnings();

  analysis::KinematicsResult result_;
  QTableWidget* table_ = nullptr;
  QTableWidget* bingham_ = nullptr;
  QLabel* summary_ = nullptr;
  QDoubleSpinBox* threshold_ = nullptr;
};

// "Misfit above 20.00°", "Lateral sense on a dip-slip striation", joined by
// "; ", or "" for a datum without warnings.
QString KinematicsWarnings(const analysis::KinematicAxes& axes, double misfitThreshold);

}  // namespace orniva::ui
