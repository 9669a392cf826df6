#include "ui/result_table.h"

#include <QHeaderView>

#include "analysis/report_format.h"

namespace orniva::ui {

NumberItem::NumberItem(double value, const std::string& text)
    : QTableWidgetItem(QString::fromStdString(text)) {
  setData(Qt::UserRole, value);
  setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

bool NumberItem::operator<(const QTableWidgetItem& other) const {
  return data(Qt::UserRole).toDouble() < other.data(Qt::UserRole).toDouble();
}

QTableWidget* NewResultTable(const QStringList& headers, QWidget* parent) {
  auto* table = new QTableWidget(0, int(headers.size()), parent);
  table->setHorizontalHeaderLabels(headers);
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table->horizontalHeader()->setStretchLastSection(true);
  return table;
}

void SetLineCells(QTableWidget* table, int row, int column, math::TrendPlunge line) {
  table->setItem(row, column, new NumberItem(line.trend, analysis::FormatTrend(line.trend)));
  table->setItem(row, column + 1, new NumberItem(line.plunge, analysis::FormatAngle(line.plunge)));
}

QString TableText(const QTableWidget* table) {
  auto rowText = [table](int row) {
    QStringList cells;
    for (int c = 0; c < table->columnCount(); ++c) {
      const QTableWidgetItem* item = table->item(row, c);
      if (item && item->data(Qt::CheckStateRole).isValid())
        cells << (item->checkState() == Qt::Checked ? QStringLiteral("yes") : QStringLiteral("no"));
      else
        cells << (item ? item->text() : QString());
    }
    return cells.join('\t');
  };
  QStringList headers;
  for (int c = 0; c < table->columnCount(); ++c) headers << table->horizontalHeaderItem(c)->text();
  QStringList lines{headers.join('\t')};
  const bool some = !table->selectionModel()->selectedRows().isEmpty();
  for (int row = 0; row < table->rowCount(); ++row)
    if (!some || table->selectionModel()->isRowSelected(row, QModelIndex())) lines << rowText(row);
  return lines.join('\n') + '\n';
}

}  // namespace orniva::ui
