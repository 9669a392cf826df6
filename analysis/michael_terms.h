// Michael's inversion as a sum over the faults. Each fault's share of the
// normal equations is kept apart, so that a resample (each fault counted
// as often as it was drawn) or the data without one datum is a weighted sum
// of those shares, not a new assembly; the inversion of the data itself is
// the same sum with every count 1.
//
// With A_i the 3 x 5 map of the tensor x = (sxx, sxy, sxz, syy, syz) to the
// shear traction on plane i and s_i its in-plane slip, fault i's share is
// H_i = A_i^T A_i and g_i = A_i^T s_i. The iterative option weighs g_i by
// the shear traction |tau_i| of the previous solution; H does not change.
// H x = g is solved by Eigen's LDLT with symmetric pivoting (H is positive
// semidefinite); a pivot at or below 1e-10 of H's largest diagonal element
// means the planes do not fix the stress (rank below 5): no solution.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "analysis/stress_inversion.h"

namespace orniva::analysis {

// The upper triangle of a symmetric 5 x 5 matrix, row by row: (0,0), (0,1),
// ..., (0,4), (1,1), ..., (4,4).
using Symmetric5 = std::array<double, 15>;

// A fault's share, or a sum of shares: H then g.
struct MichaelTerm {
  Symmetric5 h{};
  std::array<double, 5> g{};
};
inline constexpr std::size_t kTermSize = 20;  // doubles in a MichaelTerm

std::vector<MichaelTerm> MichaelTerms(const std::vector<FaultSlip>& faults);

// sum counts[i] * terms[i], in the order of the faults.
MichaelTerm SumTerms(const std::vector<MichaelTerm>& terms, const std::vector<double>& counts);

// What the iterative option reads of the faults, a column a number: each
// normal and each g.
struct SlipColumns {
  std::vector<double> nx, ny, nz;
  std::array<std::vector<double>, 5> g;
};
SlipColumns SlipColumnsOf(const std::vector<FaultSlip>& faults,
                          const std::vector<MichaelTerm>& terms);

// The solution x, none when the planes do not fix the stress (rank below
// 5), and the solutions computed (1 without iteration).
struct MichaelSolution {
  std::optional<std::array<double, 5>> x;
  int rounds = 0;
};

// Michael's solution of the sums `sums` of the faults, fault i counted
// counts[i] times; `slips` and `counts` are read only by the iterative
// option.
MichaelSolution SolveMichael(const MichaelTerm& sums, const SlipColumns& slips,
                             const std::vector<double>& counts, bool iterate);

}  // namespace orniva::analysis
