#include "ui/tendency_columns.h"

#include <QTableWidget>

#include "analysis/report_format.h"
#include "ui/result_table.h"

namespace orniva::ui {

int AddTendencyColumns(QTableWidget* table) {
  const int first = table->columnCount();
  const char* headers[] = {"Ts", "Ts\u2032", "Td"};
  const char* tips[] = {"Slip tendency \u03C4 / (\u03C3n \u2212 Pf)",
                        "Slip tendency over its largest value on any plane",
                        "Dilation tendency (\u03C31 \u2212 \u03C3n) / (\u03C31 \u2212 \u03C33)"};
  table->setColumnCount(first + 3);
  for (int k = 0; k < 3; ++k) {
    auto* header = new QTableWidgetItem(QString::fromUtf8(headers[k]));
    header->setToolTip(QString::fromUtf8(tips[k]) +
                       QStringLiteral(" (Analysis > Stress Magnitudes...)"));
    table->setHorizontalHeaderItem(first + k, header);
  }
  return first;
}

std::vector<std::optional<analysis::PlaneTendency>> TendenciesByLine(const analysis::Study& study) {
  std::vector<std::optional<analysis::PlaneTendency>> byLine(study.data().size());
  const std::optional<analysis::StressMagnitudes>& m = study.choices().tendency.magnitudes;
  if (!m) return byLine;
  const analysis::TendencyResult result =
      analysis::FaultTendencies(study.data(), nullptr, study.Stress(), *m);
  for (const analysis::FaultTendency& f : result.faults) byLine[std::size_t(f.line)] = f.value;
  return byLine;
}

void SetTendencyCells(QTableWidget* table, int row, int first,
                      const std::optional<analysis::PlaneTendency>& tendency) {
  const double values[] = {tendency ? tendency->ts : -1, tendency ? tendency->tsNormalised : -1,
                           tendency ? tendency->td : -1};
  for (int k = 0; k < 3; ++k)
    table->setItem(row, first + k,
                   new NumberItem(values[k], tendency ? analysis::FormatValue(values[k]) : ""));
}

void FillTendencyColumns(QTableWidget* table, int first, int lineColumn,
                         const analysis::Study& study) {
  const std::vector<std::optional<analysis::PlaneTendency>> byLine = TendenciesByLine(study);
  const bool sorting = table->isSortingEnabled();
  table->setSortingEnabled(false);
  for (int row = 0; row < table->rowCount(); ++row) {
    const QTableWidgetItem* line = table->item(row, lineColumn);
    const auto i = line ? std::size_t(line->data(Qt::UserRole).toInt()) : 0;
    SetTendencyCells(table, row, first, i < byLine.size() ? byLine[i] : std::nullopt);
    const QTableWidgetItem* anyCell = table->item(row, 0);
    for (int k = 0; anyCell && k < 3; ++k)
      table->item(row, first + k)->setBackground(anyCell->background());
  }
  table->setSortingEnabled(sorting);
}

}  // namespace orniva::ui
