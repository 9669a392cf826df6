// What the results windows share: a read-only table of whole rows that
// sorts numbers as numbers, and its text for the clipboard.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include <QString>
#include <QStringList>
#include <QTableWidget>

class QLabel;
class QPushButton;

#include "analysis/study.h"
#include "math/vector3d.h"

namespace orniva::ui {

// A cell that shows `text` and sorts by `value`.
class NumberItem : public QTableWidgetItem {
 public:
  NumberItem(double value, const std::string& text);
  bool operator<(const QTableWidgetItem& other) const override;
};

// A table of `headers`: read-only, whole rows selected, no row numbers,
// columns fitted to their contents.
QTableWidget* NewResultTable(const QStringList& headers, QWidget* parent);

// While it lives, the columns of a result table keep their widths as cells
// are set: a column sized to its contents measures its rows at every cell
// set, which is quadratic in the rows. At its end the columns are sized to
// their contents again, once, by the rows in view.
class TableFill {
 public:
  explicit TableFill(QTableWidget* table);
  ~TableFill();
  TableFill(const TableFill&) = delete;
  TableFill& operator=(const TableFill&) = delete;

 private:
  QTableWidget* table_;
};

// A trend and a plunge in columns `column` and `column` + 1.
void SetLineCells(QTableWidget* table, int row, int column, math::TrendPlunge line);

// The summary line above a results window's tables: wrapped, selectable.
QLabel* NewSummaryLabel(QWidget* parent);

// A table of three axes: their names under `title`, trend, plunge and
// eigenvalue, exactly as high as its rows.
QTableWidget* NewAxesTable(const QString& title, QWidget* parent);
// Fills it: each axis with its eigenvalue, or only the names when `axes`
// is null (no result).
void FillAxesTable(QTableWidget* table, const std::array<const char*, 3>& names,
                   const std::array<math::TrendPlunge, 3>* axes,
                   const std::array<double, 3>& eigenvalues);

// " Left out (a check failed): lines 2, 5." or "" for no line.
QString LeftOutText(const std::vector<int>& lines);
// " Phase A only." when the study's analyses read one phase, else "".
QString ScopeText(const analysis::Study& study);

// A "&Copy" button of `window`, and Ctrl+C there, both calling `copy`.
QPushButton* NewCopyButton(QWidget* window, const std::function<void()>& copy);

// Calls `selected` with the data-file line that column `lineColumn` of the
// current row holds (a NumberItem), whenever the current row changes.
void OnLineSelected(QTableWidget* table, int lineColumn, const std::function<void(int)>& selected);

// The header row and the rows shown (all, or only the selected ones), in
// the order shown: tab-separated, one line per row, each ending in LF. A
// check box reads "yes" or "no".
QString TableText(const QTableWidget* table);

}  // namespace orniva::ui
