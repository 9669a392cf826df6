// The data grid of the main window: one row per datum under a header row,
// with the row numbers in a fixed column. Grid coordinates count the header
// row as row 0 and the row-number column as column 0, so row i is datum i;
// the header row and the row numbers are the view's headers.
//
// The grid holds no copy of the data: its cells read the data set the window
// owns, as far as the last FillGrid reached.
#pragma once

#include <functional>

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTableView>

#include "data/fault_data.h"

namespace orniva::ui {

// A cell's state as the cell-draw event gets it.
enum CellStateFlag : unsigned { gdSelected = 1u, gdFocused = 2u, gdFixed = 4u };
using CellState = unsigned;

// A grid number: the float widened and written with 15 significant digits
// in the general format, with the locale's decimal separator.
QString FormatGridNumber(float value);

class FaultGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kGridColumns = 6;    // the row-number column included
  static constexpr int kInitialRows = 101;  // the header row included

  explicit FaultGridModel(const FaultSet& data, QObject* parent = nullptr);

  // Grid rows, the header row included (at least 1).
  int gridRowCount() const { return rows_; }
  void setGridRowCount(int rows);
  // Empties every data cell.
  void clearCells();
  // Data 1 to `count` fill their rows.
  void fillCells(int count);
  // The text of grid cell (col, row); row 0 is the header row.
  QString cellText(int col, int row) const;
  // What the log says of the field of cell (col, row) when it failed its
  // check ("fpl invalid at line #3"), else "".
  QString failedCheckText(int col, int row) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  void allCellsChanged();

  const FaultSet& data_;
  int rows_ = kInitialRows;
  int filled_ = 0;
};

class FaultGridView : public QTableView {
  Q_OBJECT

 public:
  // Called for every cell the grid paints, after its normal painting.
  using DrawCellHandler = std::function<void(int col, int row, const QRect& rect, CellState state)>;

  explicit FaultGridView(const FaultSet& data, QWidget* parent = nullptr);

  FaultGridModel* gridModel() const { return model_; }
  void setDrawCellHandler(DrawCellHandler handler) { drawCell_ = std::move(handler); }

  // The row count, header row included; the current cell stays in its
  // column and within the rows.
  int rowCount() const { return model_->gridRowCount(); }
  void setRowCount(int rows);
  // The current cell in grid coordinates (0 when there is none).
  int col() const;
  int row() const;
  void setCurrentCell(int col, int row);

  // Columns 1 to 4 as wide as the longest number they show (15 significant
  // digits and a sign), or 36 pixels as at first; the grid's width follows.
  void setWide(bool wide);
  // How much wider the grid is than at first.
  int extraWidth() const { return extraWidth_; }

  // The grid is its window's focus control, whether or not the window is active.
  bool isActiveControl() const;
  // The current cell of the active control.
  bool isFocusedCell(const QModelIndex& index) const;
  // While a cell-draw handler runs for a painted cell: the painter of the
  // cell, else nullptr.
  QPainter* canvas() const { return canvas_; }

  // Fills cell (col, row) with `fill` and writes its text again, 2 pixels in
  // from its top-left corner, on the grid's painter of the cell (while it
  // is being painted).
  void paintCellAgain(int col, int row, const QRect& rect, TColor fill);
  // Runs the cell-draw handler for a cell painted with `painter` (the delegate calls it).
  void cellPainted(QPainter* painter, const QRect& rect, const QModelIndex& index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

 private:
  void setUpLook();
  void paintRowNumbers(const QRegion& region);
  void updateFrame();

  FaultGridModel* model_;
  DrawCellHandler drawCell_;
  QPainter* canvas_ = nullptr;
  int keptColumn_ = 1;
  int extraWidth_ = 0;
};

// Paints a cell normally, then hands it to the grid's cell-draw handler.
class CellDrawDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  explicit CellDrawDelegate(FaultGridView* grid) : QStyledItemDelegate(grid), grid_(grid) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

 private:
  FaultGridView* grid_;
};

}  // namespace orniva::ui
