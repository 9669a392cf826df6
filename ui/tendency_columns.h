// The slip and dilation tendency's columns in the stress results window:
// Ts, Ts′ and Td of every fault under the study's stress magnitudes and its
// inversion's directions; empty cells without magnitudes or a solution.
#pragma once

#include <optional>
#include <vector>

#include "analysis/study.h"
#include "analysis/tendency.h"

class QTableWidget;

namespace orniva::ui {

// Appends the three columns to `table`; returns the first one's index.
int AddTendencyColumns(QTableWidget* table);

// The tendencies of every datum that passed its checks, switched out or
// not, by line (index 0 unused); none where there is nothing to show.
std::vector<std::optional<analysis::PlaneTendency>> TendenciesByLine(const analysis::Study& study);

// The three cells of `row` from column `first`.
void SetTendencyCells(QTableWidget* table, int row, int first,
                      const std::optional<analysis::PlaneTendency>& tendency);

// Sets the cells of every row again, each by the data-file line that
// column `lineColumn` of the row holds.
void FillTendencyColumns(QTableWidget* table, int first, int lineColumn,
                         const analysis::Study& study);

}  // namespace orniva::ui
