// Double-precision direction vectors for the analyses, in the plotting
// frame: x east, y north, z up (right-handed). Angles at this interface are
// degrees; trend is clockwise from north, plunge positive downward.
#pragma once

#include <array>
#include <cmath>

namespace orniva::math {

struct Vector3d {
  double x = 0;
  double y = 0;
  double z = 0;

  friend Vector3d operator+(Vector3d a, Vector3d b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
  friend Vector3d operator-(Vector3d a, Vector3d b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
  friend Vector3d operator-(Vector3d a) { return {-a.x, -a.y, -a.z}; }
  friend Vector3d operator*(double k, Vector3d a) { return {k * a.x, k * a.y, k * a.z}; }
};

inline double Dot(Vector3d a, Vector3d b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vector3d Cross(Vector3d a, Vector3d b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double Norm(Vector3d a) { return std::sqrt(Dot(a, a)); }
// a / |a|; the zero vector stays zero.
Vector3d Normalise(Vector3d a);

// The unit vector pointing down along the line (trend t, plunge p) [deg]:
// (cos p sin t, cos p cos t, -sin p).
Vector3d LineVector(double trend, double plunge);

// A line as trend [0, 360) and plunge [-90, 90] [deg].
struct TrendPlunge {
  double trend = 0;
  double plunge = 0;
};

// `v` as a lower-hemisphere line: flipped when it points up (z > 0), trend
// in [0, 360), plunge in [0, 90]. A vertical line, and the zero vector,
// have trend 0; a z within 1e-12 |v| of 0 counts as 0 (no flip).
TrendPlunge LowerHemisphereLine(Vector3d v);

// The angle between two vectors [deg], in [0, 180]; 0 when either is zero.
double AngleBetween(Vector3d a, Vector3d b);

// A symmetric 3 x 3 matrix, a[row][column].
using Matrix3d = std::array<std::array<double, 3>, 3>;

// Eigenvalues of a symmetric matrix in ascending order, with unit
// eigenvectors: vectors[k] belongs to values[k], pointing down, or when
// horizontal (as LowerHemisphereLine counts it) towards a trend in
// [0, 180). Eigen's self-adjoint solver (tridiagonal QR), accurate to a
// few ulps of the largest eigenvalue.
struct SymmetricEigen {
  std::array<double, 3> values{};
  std::array<Vector3d, 3> vectors{};
};
SymmetricEigen EigenSymmetric(const Matrix3d& a);

}  // namespace orniva::math
