// The window of an orientation table (NAME.orient.csv), opened by File ›
// Open, a drop or the command line: the net of its planes (great circles
// or poles) and lines in their sets' colours with Fisher's mean and its
// 95 % cone and the best-fit girdle with its fold axis, and a table of
// the statistics of each set and of all: Fisher's mean, the fabric and the
// fold axis, the values orniva-analyse's fisher, fabric and fold-axis
// write. The table is copied as tab-separated text.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QString>
#include <QWidget>

#include "analysis/report_table.h"
#include "data/orientation_table.h"
#include "ui/shared/window_services.h"

class QComboBox;
class QLabel;
class QTableView;

namespace orniva::ui {

class ChartView;
class ResultModel;

class OrientationWindow : public QWidget {
  Q_OBJECT

 public:
  // The table read from `path`, whose name titles the window.
  OrientationWindow(OrientationTable table, std::string path, WindowServices& services,
                    QWidget* parent = nullptr);
  ~OrientationWindow() override;

  // The rows: each set in order of first appearance, then "All".
  struct SetRow {
    QString name;
    analysis::ReportTable fisher, fabric, fold;
  };
  const std::vector<SetRow>& rows() const { return rows_; }
  ResultModel* model() const { return model_; }
  QTableView* view() const { return view_; }
  QComboBox* ofChoice() const { return of_; }
  QComboBox* planesChoice() const { return planes_; }
  const ChartView* net() const { return net_; }
  QLabel* summary() const { return summary_; }
  void copy() const;

 private:
  void compute();
  void draw();

  OrientationTable table_;
  std::string path_;
  WindowServices& services_;
  std::vector<SetRow> rows_;
  QLabel* summary_ = nullptr;
  QComboBox *of_ = nullptr, *planes_ = nullptr;
  ChartView* net_ = nullptr;
  ResultModel* model_ = nullptr;
  QTableView* view_ = nullptr;
};

// Opens the orientation table at `path` (document/orientation_opening.h)
// in a window of its own; a file that cannot be read, a log that cannot
// be written and rows left out are told through `services`. The window,
// or null when the file could not be read.
OrientationWindow* ShowOrientationTable(WindowServices& services, QWidget* parent,
                                        const std::string& path);

}  // namespace orniva::ui
