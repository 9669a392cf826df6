#include "ui/result_table.h"

#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

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

QString ScopeText(const analysis::Study& study) {
  if (study.scope() == 0) return {};
  return QStringLiteral(" Phase %1 only.")
      .arg(QString::fromStdString(study.curation().phases[std::size_t(study.scope() - 1)].name));
}

QTableWidget* NewResultTable(const QStringList& headers, QWidget* parent) {
  auto* table = new QTableWidget(0, int(headers.size()), parent);
  table->setHorizontalHeaderLabels(headers);
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table->horizontalHeader()->setResizeContentsPrecision(0);  // the rows in view
  table->horizontalHeader()->setStretchLastSection(true);
  return table;
}

TableFill::TableFill(QTableWidget* table) : table_(table) {
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
}

TableFill::~TableFill() {
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

void SetLineCells(QTableWidget* table, int row, int column, math::TrendPlunge line) {
  table->setItem(row, column, new NumberItem(line.trend, analysis::FormatTrend(line.trend)));
  table->setItem(row, column + 1, new NumberItem(line.plunge, analysis::FormatAngle(line.plunge)));
}

QLabel* NewSummaryLabel(QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

QTableWidget* NewAxesTable(const QString& title, QWidget* parent) {
  QTableWidget* table = NewResultTable({title, "Trend", "Plunge", "Eigenvalue"}, parent);
  table->setRowCount(3);
  table->setFixedHeight(table->horizontalHeader()->sizeHint().height() +
                        3 * table->verticalHeader()->defaultSectionSize() + 4);
  return table;
}

void FillAxesTable(QTableWidget* table, const std::array<const char*, 3>& names,
                   const std::array<math::TrendPlunge, 3>* axes,
                   const std::array<double, 3>& eigenvalues) {
  for (int k = 0; k < 3; ++k) {
    const auto i = std::size_t(k);
    table->setItem(k, 0, new QTableWidgetItem(QString::fromUtf8(names[i])));
    if (!axes) {
      for (int c = 1; c < 4; ++c) table->setItem(k, c, new QTableWidgetItem());
      continue;
    }
    SetLineCells(table, k, 1, (*axes)[i]);
    table->setItem(k, 3, new NumberItem(eigenvalues[i], analysis::FormatValue(eigenvalues[i])));
  }
}

QString LeftOutText(const std::vector<int>& lines) {
  if (lines.empty()) return {};
  QStringList numbers;
  for (int line : lines) numbers << QString::number(line);
  return QStringLiteral(" Left out (a check failed): lines ") + numbers.join(QStringLiteral(", ")) +
         '.';
}

QPushButton* NewCopyButton(QWidget* window, const std::function<void()>& copy) {
  auto* button = new QPushButton(QStringLiteral("&Copy"), window);
  button->setToolTip(QStringLiteral("Copy the table (or the selected rows) as tab-separated text"));
  QObject::connect(button, &QPushButton::clicked, window, copy);
  auto* key = new QShortcut(QKeySequence::Copy, window);
  QObject::connect(key, &QShortcut::activated, window, copy);
  return button;
}

void OnLineSelected(QTableWidget* table, int lineColumn, const std::function<void(int)>& selected) {
  QObject::connect(
      table, &QTableWidget::currentCellChanged, table, [table, lineColumn, selected](int row) {
        const QTableWidgetItem* item = row >= 0 ? table->item(row, lineColumn) : nullptr;
        if (item) selected(item->data(Qt::UserRole).toInt());
      });
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
