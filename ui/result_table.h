// What the results windows share: a read-only table of whole rows that
// sorts numbers as numbers, and its text for the clipboard.
#pragma once

#include <string>

#include <QString>
#include <QStringList>
#include <QTableWidget>

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

// A trend and a plunge in columns `column` and `column` + 1.
void SetLineCells(QTableWidget* table, int row, int column, math::TrendPlunge line);

// The header row and the rows shown (all, or only the selected ones), in
// the order shown: tab-separated, one line per row, each ending in LF. A
// check box reads "yes" or "no".
QString TableText(const QTableWidget* table);

}  // namespace orniva::ui
