#include "math/vector3d.h"

#include <cmath>

#include <gtest/gtest.h>

namespace orniva::math {
namespace {

// Upward vectors flip; west stays west, also with rounding noise upwards;
// just west of north is north; the zero vector is 000/00.
TEST(LowerHemisphereLine, TrendAndPlunge) {
  struct Row {
    Vector3d v;
    double trend, plunge;
  };
  const Row rows[] = {
      {{0, 0, -1}, 0, 90},    {{0, 0, 1}, 0, 90},   {{1, 0, 1}, 270, 45},
      {{0, 1, 0}, 0, 0},      {{-1, 0, 0}, 270, 0}, {{-1, 0, 1e-17}, 270, 0},
      {{-1e-17, 1, 0}, 0, 0}, {{0, 0, 0}, 0, 0},    {{-1, -1, -std::sqrt(2.0)}, 225, 45}};
  for (const Row& c : rows) {
    const TrendPlunge line = LowerHemisphereLine(c.v);
    EXPECT_NEAR(line.trend, c.trend, 1e-9) << c.v.x << "," << c.v.y << "," << c.v.z;
    EXPECT_NEAR(line.plunge, c.plunge, 1e-9) << c.v.x << "," << c.v.y << "," << c.v.z;
  }
}

TEST(AngleBetween, AccurateNearZeroAndHalfTurn) {
  EXPECT_NEAR(AngleBetween({1, 0, 0}, {1, 1e-9, 0}), 1e-9 * 180 / M_PI, 1e-18);
  EXPECT_NEAR(AngleBetween({1, 0, 0}, {-1, 1e-9, 0}), 180 - 1e-9 * 180 / M_PI, 1e-12);
  EXPECT_EQ(AngleBetween({0, 0, 0}, {1, 0, 0}), 0);
}

// A rotated diagonal matrix gives back its eigenvalues in ascending order
// and its eigenvectors up to sign, also with a repeated eigenvalue.
TEST(EigenSymmetric, RecoversRotatedDiagonal) {
  const Vector3d e[3] = {Normalise({1, 2, 3}), Normalise(Cross({1, 2, 3}, {0, 0, 1})),
                         Normalise(Cross({1, 2, 3}, Cross({1, 2, 3}, {0, 0, 1})))};
  for (const std::array<double, 3> values :
       {std::array<double, 3>{-2, 0.5, 3}, std::array<double, 3>{1, 1, 4}}) {
    Matrix3d m{};
    for (int k = 0; k < 3; ++k) {
      const double c[3] = {e[k].x, e[k].y, e[k].z};
      for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) m[i][j] += values[k] * c[i] * c[j];
    }
    const SymmetricEigen eigen = EigenSymmetric(m);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(eigen.values[k], values[k], 1e-12);
    EXPECT_NEAR(std::fabs(Dot(eigen.vectors[2], e[2])), 1, 1e-12);
    if (values[0] != values[1]) {
      EXPECT_NEAR(std::fabs(Dot(eigen.vectors[0], e[0])), 1, 1e-12);
    }
    EXPECT_NEAR(Dot(eigen.vectors[0], eigen.vectors[1]), 0, 1e-12);
  }
}

}  // namespace
}  // namespace orniva::math
