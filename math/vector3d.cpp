#include "math/vector3d.h"

#include <Eigen/Eigenvalues>

#include "math/numeric.h"

namespace orniva::math {

using numeric::kDegToRad;
using numeric::kRadToDeg;

Vector3d Normalise(Vector3d a) {
  const double n = Norm(a);
  return n > 0 ? (1 / n) * a : a;
}

Vector3d LineVector(double trend, double plunge) {
  const double t = trend * kDegToRad, p = plunge * kDegToRad;
  return {std::cos(p) * std::sin(t), std::cos(p) * std::cos(t), -std::sin(p)};
}

TrendPlunge LowerHemisphereLine(Vector3d v) {
  // A vertical component of rounding size is none: a horizontal axis keeps
  // its direction instead of turning round on the noise of its computation.
  if (std::fabs(v.z) <= 1e-12 * Norm(v)) v.z = 0;
  if (v.z > 0) v = -v;
  const double horizontal = std::hypot(v.x, v.y);
  TrendPlunge line;
  line.plunge = std::atan2(-v.z, horizontal) * kRadToDeg;
  if (horizontal <= 1e-12 * std::fabs(v.z)) return {0.0, v.z == 0 ? 0.0 : 90.0};
  line.trend = std::atan2(v.x, v.y) * kRadToDeg;
  if (line.trend < 0) line.trend += 360;
  if (line.trend >= 360) line.trend -= 360;
  return line;
}

double AngleBetween(Vector3d a, Vector3d b) {
  const double na = Norm(a), nb = Norm(b);
  if (!(na > 0 && nb > 0)) return 0;
  // atan2 of |a x b| and a . b keeps its accuracy near 0 and 180.
  return std::atan2(Norm(Cross(a, b)), Dot(a, b)) * kRadToDeg;
}

namespace {

// `v` or -v: pointing down; a horizontal one (z within 1e-12 |v| of 0, as
// LowerHemisphereLine counts it) towards a trend in [0, 180).
Vector3d Downward(Vector3d v) {
  const double tiny = 1e-12 * Norm(v);
  const double decisive = std::fabs(v.z) > tiny ? -v.z : std::fabs(v.x) > tiny ? v.x : v.y;
  return decisive < 0 ? -v : v;
}

}  // namespace

SymmetricEigen EigenSymmetric(const Matrix3d& a) {
  Eigen::Matrix3d m;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) m(i, j) = a[std::size_t(i)][std::size_t(j)];
  const Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d> eigen(m);
  SymmetricEigen result;
  for (int k = 0; k < 3; ++k) {
    result.values[std::size_t(k)] = eigen.eigenvalues()(k);
    const Eigen::Vector3d v = eigen.eigenvectors().col(k);
    result.vectors[std::size_t(k)] = Downward(Normalise({v(0), v(1), v(2)}));
  }
  return result;
}

}  // namespace orniva::math
