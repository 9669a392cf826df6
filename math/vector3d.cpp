#include "math/vector3d.h"

#include <algorithm>
#include <utility>

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

/* Cyclic Jacobi: each sweep zeroes the off-diagonal elements (p, q) in turn
 * with the rotation
 *   theta = (a_qq - a_pp) / (2 a_pq),  t = sgn(theta) / (|theta| + sqrt(theta^2 + 1)),
 *   c = 1 / sqrt(t^2 + 1),  s = t c,
 * and accumulates the rotations as the eigenvector columns. A 3 x 3 matrix
 * converges in a handful of sweeps. */
SymmetricEigen EigenSymmetric(const Matrix3d& input) {
  Matrix3d a = input;
  Matrix3d v = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
  for (int sweep = 0; sweep < 50; ++sweep) {
    const double off = a[0][1] * a[0][1] + a[0][2] * a[0][2] + a[1][2] * a[1][2];
    const double diag = a[0][0] * a[0][0] + a[1][1] * a[1][1] + a[2][2] * a[2][2];
    if (off <= 1e-30 * diag || off == 0) break;
    for (int p = 0; p < 2; ++p) {
      for (int q = p + 1; q < 3; ++q) {
        if (a[p][q] == 0) continue;
        const double theta = (a[q][q] - a[p][p]) / (2 * a[p][q]);
        const double t = (theta >= 0 ? 1 : -1) / (std::fabs(theta) + std::sqrt(theta * theta + 1));
        const double c = 1 / std::sqrt(t * t + 1), s = t * c;
        for (int k = 0; k < 3; ++k) {  // columns p and q
          const double akp = a[k][p], akq = a[k][q];
          a[k][p] = c * akp - s * akq;
          a[k][q] = s * akp + c * akq;
        }
        for (int k = 0; k < 3; ++k) {  // rows p and q
          const double apk = a[p][k], aqk = a[q][k];
          a[p][k] = c * apk - s * aqk;
          a[q][k] = s * apk + c * aqk;
        }
        for (int k = 0; k < 3; ++k) {
          const double vkp = v[k][p], vkq = v[k][q];
          v[k][p] = c * vkp - s * vkq;
          v[k][q] = s * vkp + c * vkq;
        }
      }
    }
  }
  std::array<int, 3> order = {0, 1, 2};
  std::sort(order.begin(), order.end(), [&a](int i, int j) { return a[i][i] < a[j][j]; });
  SymmetricEigen result;
  for (int k = 0; k < 3; ++k) {
    const int i = order[k];
    result.values[k] = a[i][i];
    result.vectors[k] = Normalise({v[0][i], v[1][i], v[2][i]});
  }
  return result;
}

}  // namespace orniva::math
