// How well candidate stress tensors explain a set of faults, for searches
// that score very many candidates against the same faults.
//
// The score of a tensor x = (sxx, sxy, sxz, syy, syz) over the faults is
//   F(x) = sum_i exp(-beta_i^2 / (2 w^2)),
// beta_i the angle between the fault's slip s_i (in its plane, unit) and
// the shear traction of x on its plane, in [0, 180] degrees. Both parts of
// the traction in the plane are linear in x: along the slip s_i . tau =
// a_i . x and across it (n_i x s_i) . tau = b_i . x, so beta_i =
// atan2(|b_i . x|, a_i . x) costs two dot products of 5-vectors once a_i and
// b_i are kept. The faults are kept so, eight to a block, in single
// precision; beta comes from a polynomial arctangent good to 1.1e-7 radians
// and the weight from a polynomial exponential good to a few units in the
// last place, eight faults at a time, summed in single precision over 512
// faults and those sums in double. Each candidate's score is summed in one
// fixed order: the same tensor and faults give the same score bit for bit,
// whichever thread computes it.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "analysis/stress_inversion.h"

namespace orniva::analysis {

// A candidate tensor (sxx, sxy, sxz, syy, syz) in single precision.
using CandidateTensor = std::array<float, 5>;

class CandidateScorer {
 public:
  // `faults` in the order their weights are summed; `width` is w [deg].
  CandidateScorer(const std::vector<FaultSlip>& faults, double width);

  // F of each of `count` candidates from `candidates` into `scores`.
  void Score(const CandidateTensor* candidates, std::size_t count, double* scores) const;

  // Eight faults' a and b, by component then fault; lanes past the last
  // fault have `valid` 0.
  struct Block {
    float a[5][8];
    float b[5][8];
    float valid[8];
  };

 private:
  std::vector<Block> blocks_;
  float negativeHalfInverseWidthSquared_;  // -1 / (2 w^2) [rad^-2]
};

}  // namespace orniva::analysis
