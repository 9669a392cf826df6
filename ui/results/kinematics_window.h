// The kinematics results window: per datum the striation's angle to its
// plane and the P, T and B axes (sortable, copied as tab-separated text),
// the Linked Bingham axes, the lines left out, and the warnings. Modeless;
// it shows the document's kinematics and follows every change of the data
// analysed, and its file's name in its title.
#pragma once

#include <vector>

#include <QString>
#include <QWidget>

#include "analysis/kinematics.h"
#include "document/document.h"

class QDoubleSpinBox;
class QLabel;
class QTableView;
class QTableWidget;

namespace orniva::ui {

class ResultModel;
class WindowServices;

class KinematicsWindow : public QWidget {
  Q_OBJECT

 public:
  KinematicsWindow(const document::Document& document, WindowServices& services,
                   QWidget* parent = nullptr);
  ~KinematicsWindow() override;

  // The rows shown (all, or the selected ones), in the order shown, with
  // the header row: tab-separated, one line per row.
  QString tableText() const;
  // Puts tableText() on the clipboard.
  void copy() const;

  double misfitThreshold() const;
  void setMisfitThreshold(double degrees);

  // The table of the data; its model's rows are the result's, in view
  // through a sort.
  QTableView* table() const { return table_; }
  QTableWidget* binghamTable() const { return bingham_; }
  QLabel* summary() const { return summary_; }

 signals:
  // A row of the table was chosen: the datum of data-file line `line`.
  void datumSelected(int line);

 private:
  void fill();
  void addColumns();

  const document::Document& document_;
  WindowServices& services_;
  int listener_ = 0;
  std::vector<analysis::KinematicAxes> faults_;  // the rows shown
  ResultModel* model_ = nullptr;
  QTableView* table_ = nullptr;
  QTableWidget* bingham_ = nullptr;
  QLabel* summary_ = nullptr;
  QDoubleSpinBox* threshold_ = nullptr;
};

// "More than 20.00° off its plane", "Lateral sense on a dip-slip
// striation", joined by "; ", or "" for a datum without warnings.
QString KinematicsWarnings(const analysis::KinematicAxes& axes, double misfitThreshold);

}  // namespace orniva::ui
