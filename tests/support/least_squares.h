// An independent solution of Michael's least-squares system, to check the
// program's solve against: the stacked 3N x 5 design matrix (each fault's
// three rows the shear tractions of the five unit tensors on its plane,
// weighted by the square root of its count) solved by a singular value
// decomposition, not through the normal equations.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "analysis/stress_inversion.h"

namespace orniva::test {

struct LeastSquaresStress {
  // (sxx, sxy, sxz, syy, syz); none when the design matrix is of rank below 5.
  std::optional<std::array<double, 5>> x;
  // sigma_5^2 / sigma_1^2 of the design matrix: how near the rank is to 4.
  double smallestShare = 0;
  // The normal equations A^T A x = A^T s, from the design matrix.
  std::array<std::array<double, 5>, 5> h{};
  std::array<double, 5> g{};
};

// The least-squares tensor of `faults`, fault i counted counts[i] times.
LeastSquaresStress StressBySvd(const std::vector<analysis::FaultSlip>& faults,
                               const std::vector<double>& counts);

// |h x - g| / |g| of the system's normal equations.
double NormalResidual(const LeastSquaresStress& system, const std::array<double, 5>& x);

}  // namespace orniva::test
