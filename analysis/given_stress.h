// A stress the user gives instead of an inversion: the directions of
// sigma1 and sigma3 (trend/plunge) and the stress ratio Phi, turned into a
// StressResult of the same shape as an inversion's, so that every view that
// shows the data against a stress can show them against this one.
//
// sigma3 is made exactly perpendicular to sigma1 by removing its sigma1
// component, s3' = normalise(s3 - (s3 . s1) s1), and sigma2 = s3' x s1.
// Refused: axes more than 1 degree from perpendicular, Phi outside [0, 1],
// a trend outside [0, 360] or a plunge outside [0, 90].
//
// The tensor has the principal values l1 = -1, l3 = 1 and
// l2 = l3 + Phi (l1 - l3) (Phi = (l2 - l3) / (l1 - l3), Angelier 1979),
// less their mean, T = sum l_k v_k v_k^T, scaled to unit Frobenius norm
// (the reduced tensor of stress_summary.h). The result holds the given
// axes and Phi exactly, R = 1 - Phi, each datum's beta and the mean beta
// over the data in use, as an inversion of the same data would.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/stress_inversion.h"
#include "data/fault_data.h"
#include "math/vector3d.h"

namespace orniva::analysis {

struct GivenStress {
  math::TrendPlunge sigma1, sigma3;
  double phi = 0.5;

  friend bool operator==(const GivenStress& a, const GivenStress& b) {
    return a.sigma1.trend == b.sigma1.trend && a.sigma1.plunge == b.sigma1.plunge &&
           a.sigma3.trend == b.sigma3.trend && a.sigma3.plunge == b.sigma3.plunge && a.phi == b.phi;
  }
};

// The most sigma1 and sigma3 may be off perpendicular [deg].
constexpr double kGivenAxesTolerance = 1;

// Why `given` cannot be used, e.g. "sigma1 and sigma3 are 1.01 degrees off
// perpendicular (at most 1)"; empty when it can.
std::string GivenStressRefusal(const GivenStress& given);

// "T1,P1,T3,P3,PHI" (five numbers separated by commas) read; nullopt when
// the text is not five numbers. The values are not checked.
std::optional<GivenStress> GivenStressNamed(std::string_view text);

// The result of `given` against the data that passed every check, `use`
// as for InvertStress; a refusal sets `error`.
StressResult GivenStressResult(const FaultSet& data, const GivenStress& given,
                               const std::vector<bool>* use = nullptr);

}  // namespace orniva::analysis
