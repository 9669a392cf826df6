// The slip and dilation tendency's columns in the stress results window:
// Ts, Ts′ and Td of every fault under the study's stress magnitudes and its
// inversion's directions; empty cells without magnitudes or a solution.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "analysis/study.h"
#include "analysis/tendency.h"

namespace orniva::ui {

class ResultModel;

// Appends the three columns to `model`: of each row the tendencies that
// `byLine` holds for its data-file line `lineOf(row)`. Returns the first
// one's index.
int AddTendencyColumns(ResultModel& model,
                       const std::vector<std::optional<analysis::PlaneTendency>>& byLine,
                       std::function<int(int row)> lineOf);

// The tendencies of every datum that passed its checks, switched out or
// not, by line (index 0 unused); none where there is nothing to show.
std::vector<std::optional<analysis::PlaneTendency>> TendenciesByLine(const analysis::Study& study);

}  // namespace orniva::ui
