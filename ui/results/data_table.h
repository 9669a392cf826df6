// The data table: every datum with its five fields, whether it is in use,
// its phase, and what helps decide about it (the striation's angle to its
// plane, the misfit beta of the stress inversion, the P and T axes), and
// where a field app recorded them, each datum's site, time, notes and
// position.
// Sortable and filterable; the line number names a row, so that a sort
// never changes which datum a row means. With Edit values checked, the
// fields can be typed into, rows inserted, deleted and pasted; every change
// is an edit of the document, on its undo history.
#pragma once

#include <functional>
#include <vector>

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QWidget>

#include "analysis/kinematics.h"
#include "document/document.h"
#include "ui/results/row_filter.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QTableView;

namespace orniva::ui {

class DataSelection;
class WindowServices;

class DataTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column {
    kLine,
    kFaz,
    kFpl,
    kSaz,
    kSpl,
    kSense,
    kUse,
    kPhase,
    kAngle,
    kBeta,
    kP,
    kT,
    kCount
  };

  // While the file has what a field app recorded of its lines, the site,
  // time, notes and position of each follow the columns above, from kCount.
  static constexpr int kAttributeColumns = 4;

  explicit DataTableModel(document::Document& document, QObject* parent = nullptr);
  ~DataTableModel() override;

  void setEditing(bool on);
  bool editing() const { return editing_; }
  // Whether row `line` shows a datum.
  bool shows(int line) const { return line >= 1 && line <= rows_; }
  // What the filter reads of datum `line` (one the table shows).
  RowValues valuesOf(int line) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 signals:
  // A typed value was refused: what the log says of it and what the cell
  // accepts.
  void refused(const QString& message);

 private:
  void DocumentChanged(const document::Notice& notice);
  void ShowData();
  // The rows' axes and misfits of the data as they are now.
  void ComputeRows();
  void ShowMisfits();
  QVariant display(int line, int column) const;
  QVariant sortKey(int line, int column) const;
  QVariant attribute(int line, int column) const;  // kCount on, as shown
  bool FileHasAttributes() const;
  const analysis::Study& study() const { return document_.study(); }

  document::Document& document_;
  int listener_ = 0;
  bool editing_ = false;
  int rows_ = 0;
  bool attributes_ = false;  // the attribute columns are shown
  // By line: the kinematic axes of each datum that passed its checks.
  std::vector<std::optional<analysis::KinematicAxes>> axes_;
  std::vector<double> beta_;  // by line; NaN: none
};

// The rows the filter keeps, sorted by each column's value.
class DataTableFilter : public QSortFilterProxyModel {
  Q_OBJECT

 public:
  explicit DataTableFilter(DataTableModel* model, QObject* parent = nullptr);
  void setFilter(const RowFilter& filter);

 protected:
  bool filterAcceptsRow(int row, const QModelIndex& parent) const override;

 private:
  DataTableModel* model_;
  RowFilter filter_;
};

class DataTableWindow : public QWidget {
  Q_OBJECT

 public:
  struct Hooks {
    WindowServices* services;
    std::function<void(int line)> selectDatum;  // a row was chosen
    DataSelection* selection = nullptr;         // the rows selected are this selection
  };
  DataTableWindow(document::Document& document, Hooks hooks, QWidget* parent = nullptr);
  ~DataTableWindow() override;

  QTableView* view() const { return view_; }
  DataTableModel* model() const { return model_; }
  QLineEdit* filterBox() const { return filter_; }
  QCheckBox* editBox() const { return edit_; }
  QLabel* status() const { return status_; }
  // The lines of the selected rows, ascending.
  std::vector<int> selectedLines() const;

  // The commands on the selected rows.
  void switchSelected(bool off);
  void putSelectedInPhase(int phase);  // 0: out of every phase
  void newPhaseOfSelected();
  void insertRow();
  void deleteRows();
  void pasteRows();
  void copyRows() const;

 private:
  QWidget* newToolRow();
  QWidget* newCommandRow();
  void fillPhaseMenu();
  void filterChanged();
  // The selection shown as the selected rows, and the other way round.
  void showSelection();
  void takeSelection();
  void showFileName();
  void addUndoAndRedo();
  // The line of the current row, or the one after the last.
  int currentLine() const;

  document::Document& document_;
  int listener_ = 0;
  Hooks hooks_;
  DataTableModel* model_;
  DataTableFilter* proxy_;
  QTableView* view_ = nullptr;
  QLineEdit* filter_ = nullptr;
  QCheckBox* edit_ = nullptr;
  QLabel* status_ = nullptr;
  QMenu* phaseMenu_ = nullptr;
  bool taking_ = false;  // the selection is being taken from the table
};

}  // namespace orniva::ui
