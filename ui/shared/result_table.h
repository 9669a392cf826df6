// What the results windows share: a read-only table of whole rows that
// sorts numbers as numbers, as items or as a model whose cells are computed
// when shown, and its text for the clipboard.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QString>
#include <QStringList>
#include <QTableWidget>

class QLabel;
class QPushButton;

#include "analysis/study.h"
#include "document/document.h"
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

// The cells of a results table, each computed from the window's result
// when a view asks for it. A column sorts by a number (and shows it on the
// right) or by its text.
class ResultModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  struct Column {
    QString header;
    QString tip;
    std::function<QString(int row)> text;
    // The number the row sorts by; NaN: the cell is missing and sorts last
    // either way. None: the column sorts by its text.
    std::function<double(int row)> key;
  };

  explicit ResultModel(QObject* parent = nullptr);

  // Appends `column`; returns its index.
  int addColumn(Column column);
  // Column `column` shows check boxes (and no text), sorting unchecked first.
  void setCheckColumn(int column, std::function<bool(int row)> checked,
                      std::function<void(int row, bool on)> check);
  // The background of a whole row; an invalid QVariant for the default.
  void setRowBackground(std::function<QVariant(int row)> background);

  // The views read `rows` rows anew.
  void reset(int rows);
  // Columns `first` to `last` of every row have changed.
  void columnsChanged(int first, int last);

  bool sortsByNumber(int column) const;
  double keyOf(int row, int column) const;
  QString textOf(int row, int column) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 private:
  std::vector<Column> columns_;
  int rows_ = 0;
  int checkColumn_ = -1;
  std::function<bool(int)> checked_;
  std::function<void(int, bool)> check_;
  std::function<QVariant(int)> background_;
};

// The rows of a ResultModel in the order of a column's numbers or texts.
// Rows that tie keep the order they were shown in before the sort, as at
// the start (the model's order) after the rows are new.
class ResultSort : public QSortFilterProxyModel {
  Q_OBJECT

 public:
  explicit ResultSort(ResultModel* model, QObject* parent = nullptr);
  void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
  // The model's row of the view's row `row`.
  int sourceRow(int row) const;

 protected:
  bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

 private:
  double keyOf(int row, int column) const;

  ResultModel* model_;
  std::vector<int> shownAt_;  // by the model's row: its place before the sort
  // The numbers of column keysColumn_ by the model's row, read once a sort.
  mutable std::vector<double> keys_;
  mutable int keysColumn_ = -1;
};

// A view of `model` sorted through a ResultSort, set up as NewResultTable
// sets up its table, ascending by column `sortColumn` until a header is
// clicked.
QTableView* NewResultView(ResultModel* model, int sortColumn, QWidget* parent);

// A trend and a plunge in columns `column` and `column` + 1.
void SetLineCells(QTableWidget* table, int row, int column, math::TrendPlunge line);

// The summary line above a results window's tables: wrapped, selectable.
QLabel* NewSummaryLabel(QWidget* parent);

// A table of three axes: their names under `title`, trend, plunge and
// eigenvalue, exactly as high as its rows.
QTableWidget* NewAxesTable(const QString& title, QWidget* parent);
// A small table kept as wide as its columns (none stretched to fill the
// window), at the left; narrower when the window is, with a scroll bar.
void KeepToColumns(QTableView* table);
// Fills it: each axis with its eigenvalue, or only the names when `axes`
// is null (no result).
void FillAxesTable(QTableWidget* table, const std::array<const char*, 3>& names,
                   const std::array<math::TrendPlunge, 3>* axes,
                   const std::array<double, 3>& eigenvalues);

// " Left out (a check failed): lines 2, 5." or "" for no line.
QString LeftOutText(const std::vector<int>& lines);
// " Phase A only." when the study's analyses read one phase, else "".
QString ScopeText(const analysis::Study& study);
// A phase as a window names it: "Phase NAME", or the name alone when it
// already begins with the word ("Phase 1", never "Phase Phase 1").
QString PhaseTitle(const QString& name);
// Titles a results window "CAPTION  [ NAME.fdt ]" with the document's data
// file, or "CAPTION" before any.
void ShowTitle(QWidget* window, const char* caption, const document::Document& document);

// A "&Copy" button of `window`, and Ctrl+C there, both calling `copy`.
QPushButton* NewCopyButton(QWidget* window, const std::function<void()>& copy);

// Calls `selected` with the data-file line that column `lineColumn` of the
// current row holds (its sort number), whenever the current cell changes.
void OnLineSelected(QTableView* table, int lineColumn, const std::function<void(int)>& selected);

// The header row and the rows shown (all, or only the selected ones), in
// the order shown: tab-separated, one line per row, each ending in LF. A
// check box reads "yes" or "no".
QString TableText(const QTableView* table);

}  // namespace orniva::ui
