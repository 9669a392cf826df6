// The rows of an open orientation table as a table model: each row's
// number, whether it is in use (a check box), its set (in the set's colour)
// and its values, editable; a row switched off is grey through. Every
// change is an edit of the table's document, on its undo history; a value
// the reader would refuse is refused with the reason. Sorted by each
// column's value through OrientationRowsSort; the row number names a row,
// so that a sort never changes which record a row means.
#pragma once

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

#include "document/orientation_document.h"

namespace orniva::ui {

class OrientationRowsModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // The columns: the row, its use, then the table's values from kind to
  // notes in OrientationColumn order (the set shown as the curation's).
  enum Column { kRow, kUse, kFirstValue, kCount = kFirstValue + int(kOrientationColumns) };
  static OrientationColumn ValueColumn(int column) {
    return OrientationColumn(column - kFirstValue);
  }

  explicit OrientationRowsModel(document::OrientationDocument& document, QObject* parent = nullptr);
  ~OrientationRowsModel() override;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 signals:
  // A typed value was refused, and why.
  void refused(const QString& message);

 private:
  void DocumentChanged(const document::Notice& notice);
  QString text(int row, int column) const;
  QVariant sortKey(int row, int column) const;

  document::OrientationDocument& document_;
  int listener_ = 0;
  int rows_ = 0;
};

// The rows sorted by the value of a column (numbers as numbers).
class OrientationRowsSort : public QSortFilterProxyModel {
  Q_OBJECT

 public:
  explicit OrientationRowsSort(OrientationRowsModel* model, QObject* parent = nullptr);
};

}  // namespace orniva::ui
