// Density of axial directions (v and -v the same) on a list of node
// directions, the report grid and its CSV report.
//
//   Kamb (1959):    A = 9 / (N + 9); N_c(d) = #{i : |d . v_i| >= 1 - A};
//                   sigma = sqrt(N A (1 - A)); value N_c / sigma
//                   (uniform data give 3 on average)
//   one per cent:   N_c(d) = #{i : |d . v_i| >= 0.99}; value 100 N_c / N
//                   [% per 1 % of the hemisphere]
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "analysis/fault_vectors.h"
#include "analysis/report_format.h"
#include "data/fault_data.h"
#include "math/vector3d.h"

namespace orniva::analysis {

enum class DensityOf { Poles, PAxes, TAxes, Striations };
enum class DensityMethod { Kamb, OnePercent };

// The names on the command line: "poles", "p", "t", "striations"; "kamb",
// "one-percent".
std::optional<DensityOf> DensityOfNamed(std::string_view name);
std::optional<DensityMethod> DensityMethodNamed(std::string_view name);

// One direction per fault: the pole -n, P = normalise(n - s),
// T = normalise(n + s), or the striation l. A P or T axis of a striation
// along the normal (n = +-s) is the zero vector: counted in N, never in a cap.
std::vector<math::Vector3d> DensityDirections(const std::vector<FaultVectors>& faults,
                                              DensityOf of);

// The counting cap for `count` directions: |d . v| >= minAbsDot counts, and
// the value is valuePerCount * N_c. count 0 gives a NaN valuePerCount.
struct CountingCap {
  double minAbsDot = 0;
  double valuePerCount = 0;
};
CountingCap CapOf(DensityMethod method, std::size_t count);

// N_c at every node: #{i : |node . v_i| >= minAbsDot}, exactly as that
// expression evaluates in double, whatever the lengths of the vectors.
// For 0 < minAbsDot <= 1 the directions are indexed in bands of colatitude
// sorted by azimuth, so that only those near a node's cap are compared;
// any other minAbsDot (NaN included) compares every pair.
std::vector<int> CountInCap(const std::vector<math::Vector3d>& directions, double minAbsDot,
                            const std::vector<math::Vector3d>& nodes);

// The density value at every node (see above); no directions: every value NaN.
std::vector<double> DensityValues(const std::vector<math::Vector3d>& directions,
                                  DensityMethod method, const std::vector<math::Vector3d>& nodes);

// The report grid: trend 0, 5, ..., 355 [deg] at plunge 0, 5, ..., 85, rows
// by plunge then trend, then the single node at plunge 90 (trend 0): 1297 lines.
std::vector<math::TrendPlunge> ReportGridLines();
std::vector<math::Vector3d> ReportGridNodes();

// The density of `of` over the data used, on the report grid. No usable
// datum: `error` says so and `text` is empty.
CsvReport DensityCsv(const FaultSet& data, DensityOf of, DensityMethod method,
                     const std::vector<bool>* use = nullptr);

}  // namespace orniva::analysis
