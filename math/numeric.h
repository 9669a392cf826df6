// Numeric policy of the plotting code, in one place.
//
// Every value the system stores is a 32-bit float; expressions are
// evaluated in `Real` and narrowed to float exactly where a value is stored.
// Plot coordinates are rounded to the nearest integer, ties to even.
//
// `Real` is the 64-bit double. With the rounding points kept, 64-bit and
// 80-bit intermediates give the same stored floats and plot coordinates:
// both diagrams and the colours of 300,000 faults of every attitude came
// out identical. The 80-bit sine, cosine and tangent cost about six times as
// much (the C library reduces their arguments in multiple precision), which
// a file of 32760 faults cannot afford. Where a faster formula provably
// gives the same plot coordinate (the points of a great circle, far from a
// rounding tie: plot/fault_plane_diagram.cpp), it is used instead.
#pragma once

#include <cmath>
#include <cstdint>

namespace orniva::numeric {

using Real = double;

constexpr Real kPi = 3.141592653589793238462643383279502884;
constexpr Real kDegToRad = kPi / 180;
constexpr Real kRadToDeg = 180 / kPi;
constexpr Real kSqrt2 = 1.414213562373095048801688724209698079;

// Narrows an intermediate to the stored 32-bit width.
inline float Store(Real value) { return static_cast<float>(value); }

// Degrees to radians, held as a 32-bit float (the rounding point before
// sine and cosine of a stored angle).
inline float StoredRadians(float degrees) { return Store(Real(degrees) * kDegToRad); }

// Plot coordinates are kept within +-2^29 so that differences of two points
// and the symbol offsets added to them never overflow a 32-bit integer.
// NaN lands on 0.
constexpr std::int32_t kPlotLimit = std::int32_t(1) << 29;

// Rounds to the nearest integer, ties to even, held within +-kPlotLimit.
inline std::int32_t RoundToPlot(Real value) {
  if (!(value == value)) return 0;
  if (value > kPlotLimit) return kPlotLimit;
  if (value < -kPlotLimit) return -kPlotLimit;
  return static_cast<std::int32_t>(std::nearbyint(value));
}

}  // namespace orniva::numeric
