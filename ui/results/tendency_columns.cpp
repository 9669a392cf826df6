#include "ui/results/tendency_columns.h"

#include "analysis/report_format.h"
#include "ui/shared/result_table.h"

namespace orniva::ui {

int AddTendencyColumns(ResultModel& model,
                       const std::vector<std::optional<analysis::PlaneTendency>>& byLine,
                       std::function<int(int row)> lineOf) {
  const char* headers[] = {"Ts", "Ts\u2032", "Td"};
  const char* tips[] = {"Slip tendency \u03C4 / (\u03C3n \u2212 Pf)",
                        "Slip tendency over its largest value on any plane",
                        "Dilation tendency (\u03C31 \u2212 \u03C3n) / (\u03C31 \u2212 \u03C33)"};
  using Value = double analysis::PlaneTendency::*;
  const Value values[] = {&analysis::PlaneTendency::ts, &analysis::PlaneTendency::tsNormalised,
                          &analysis::PlaneTendency::td};
  auto of = [&byLine, lineOf](int row) -> const std::optional<analysis::PlaneTendency>* {
    const auto line = std::size_t(lineOf(row));
    return line < byLine.size() && byLine[line] ? &byLine[line] : nullptr;
  };
  const int first = model.columnCount();
  for (int k = 0; k < 3; ++k) {
    const Value value = values[k];
    model.addColumn(
        {QString::fromUtf8(headers[k]),
         QString::fromUtf8(tips[k]) + QStringLiteral(" (Analysis > Stress Magnitudes...)"),
         [of, value](int row) {
           const auto* t = of(row);
           return t ? QString::fromStdString(analysis::FormatValue((**t).*value)) : QString();
         },
         [of, value](int row) {
           const auto* t = of(row);
           return t ? (**t).*value : -1.0;
         }});
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

}  // namespace orniva::ui
