// Orientation and vector math: compass cases, the 32-bit rounding points,
// the values held at the bounds of asin and acos, and plot rounding.
#include "math/directional_operations.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "math/numeric.h"
#include "tests/support/test_support.h"

namespace orniva {
namespace {

using namespace directional_operations;

void ExpectVectorNear(Vec3 actual, Vec3 expected, float tolerance) {
  EXPECT_TRUE(std::fabs(actual.x - expected.x) <= tolerance &&
              std::fabs(actual.y - expected.y) <= tolerance &&
              std::fabs(actual.z - expected.z) <= tolerance)
      << actual.x << "," << actual.y << "," << actual.z;
}

TEST(DirectionalOperations, SphericalAnglesKeepFloatRoundingAndNoReduction) {
  const SphericalAngles s = LineToSpherical(MakeOrientation(30, 45));
  EXPECT_TRUE(s.theta == 135.0f && s.phi == 60.0f);
  EXPECT_EQ(LineToSpherical(MakeOrientation(480, -10)).phi, -390.0f);
  // 90.1 is not a float: the plunge comes back with the error of 90.1f.
  const Orientation back = SphericalToLine(LineToSpherical(MakeOrientation(10, 0.1f)));
  EXPECT_TRUE(back.trend == 10.0f && back.plunge == 0.0999984741f) << back.plunge;
}

// Both ways; the trend comes back in (-90, 270]: north-west is -45, not 315.
// Vectors (cos p sin t, cos p cos t, -sin p) in double, outside the suite.
TEST(DirectionalOperations, LineToVectorAndBack) {
  struct Row {
    float trend, plunge;
    Vec3 v;
  };
  // clang-format off
  const Row rows[] = {
      {30, 45, {0.3535534f, 0.6123724f, -0.7071068f}},
      {200, 10, {-0.3368241f, -0.9254166f, -0.1736482f}},
      {0, 0, {0, 1, 0}}, {90, 0, {1, 0, 0}}, {90, 90, {0, 0, -1}}, {90, -90, {0, 0, 1}},
      {-45, 30, {-0.6123724f, 0.6123724f, -0.5f}},
      {225, 35.26439f, {-0.5773503f, -0.5773503f, -0.5773503f}},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.trend << "/" << row.plunge);
    ExpectVectorNear(LineToVector(MakeOrientation(row.trend, row.plunge)), row.v, 1e-6f);
    ExpectVectorNear(TrendPlungeToVector(row.trend, row.plunge), row.v, 1e-6f);
    bool zeroDivide = false;
    const Orientation line = VectorToLine(ScaleVector(row.v, 5), zeroDivide);
    EXPECT_TRUE(std::fabs(line.trend - row.trend) < 1e-4f &&
                std::fabs(line.plunge - row.plunge) < 1e-4f && !zeroDivide)
        << line.trend << "/" << line.plunge;
  }
}

// Only a length exactly 0 after rounding is the zero vector.
TEST(DirectionalOperations, ZeroVectorTellsZeroDivide) {
  bool zeroDivide = false;
  EXPECT_NEAR(VectorToLine(MakeVector(0, 0, -1e-10f), zeroDivide).plunge, 90, 1e-4f);
  EXPECT_FALSE(zeroDivide);
  const SphericalAngles s = VectorToSpherical(MakeVector(0, 0, 0), zeroDivide);
  EXPECT_TRUE(s.theta == 0 && s.phi == 0 && zeroDivide);
  zeroDivide = false;
  const Orientation line = VectorToLine(MakeVector(0, 0, 0), zeroDivide);
  EXPECT_TRUE(line.trend == 90 && line.plunge == -90 && zeroDivide);
}

// Rz(b) . Rx(a) . Rz(c) applied to v; expected vectors from that product in
// double, outside the suite. EulerMatrix(fpl, 180 - faz, t) on south gives
// the dip line of a plane (t = 0) and its strike lines (t = +-90).
TEST(DirectionalOperations, EulerMatrixTurns) {
  struct Row {
    float a, b, c;
    Vec3 v, expected;
  };
  // clang-format off
  const Row rows[] = {
      {0, 0, 0, {0.3f, -0.5f, 0.7f}, {0.3f, -0.5f, 0.7f}}, {0, 90, 0, {1, 0, 0}, {0, 1, 0}},
      {90, 0, 0, {0, 1, 0}, {0, 0, 1}}, {0, 0, 90, {1, 0, 0}, {0, 1, 0}},  // the inner turn first
      {40, 50, 0, {0, -1, 0}, {0.5868241f, -0.4924039f, -0.6427876f}},
      {35, 60, 0, {0, -1, 0}, {0.7094065f, -0.4095760f, -0.5735764f}},  // dip 120/35
      {35, 60, -90, {0, -1, 0}, {-0.5f, -0.8660254f, 0}},  // strike 210
      {35, 60, 90, {0, -1, 0}, {0.5f, 0.8660254f, 0}},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.a << " " << row.b << " " << row.c);
    ExpectVectorNear(RotateVector(EulerMatrix(row.a, row.b, row.c), row.v), row.expected, 1e-6f);
  }
}

TEST(DirectionalOperations, AzimuthAngle) {
  struct Row {
    float a1, a2, expected;
    bool exact;
  };
  // clang-format off
  const Row rows[] = {
      {0, 90, 90, false}, {90, 0, -90, false}, {0, 120, 60, false}, {0, 200, -20, false},
      {350, 10, 20, false}, {10, 350, -20, false}, {45, 45, 0, true}, {0, 75, 75, true},
      {143, 233, 90, true}, {233, 143, -90, true},  // the sine a hair past 1: held at the bound
      {0, 180, 0, false}, {10, 370, 0, false},      // 180 apart: near 0, sign from rounding
  };
  // clang-format on
  for (const Row& row : rows) {
    const float d = AzimuthAngle(row.a1, row.a2);
    EXPECT_TRUE(row.exact ? d == row.expected : std::fabs(d - row.expected) < 3e-5f)
        << row.a1 << " -> " << row.a2 << " gave " << d;
  }
  const float just = AzimuthAngle(0, 65);  // 32-bit rounding: just below 65
  EXPECT_TRUE(just < 65.0f && just > 64.9999f) << just;
}

TEST(Numeric, RoundToPlotTiesToEvenHeldWithinTheLimit) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInf = std::numeric_limits<double>::infinity();
  constexpr std::int32_t kLimit = std::int32_t(1) << 29;
  // clang-format off
  const std::pair<double, std::int32_t> rows[] = {
      {0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {2.4999, 2}, {-2.5001, -3},
      {kNaN, 0}, {kLimit - 0.5, kLimit}, {kLimit, kLimit}, {kLimit + 1.0, kLimit},
      {-kLimit - 1.0, -kLimit}, {1e300, kLimit}, {-kInf, -kLimit},
  };
  // clang-format on
  for (const auto& [value, expected] : rows)
    EXPECT_EQ(numeric::RoundToPlot(value), expected) << value;
}

}  // namespace
}  // namespace orniva
