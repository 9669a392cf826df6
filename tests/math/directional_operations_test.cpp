// Orientation and vector math: compass cases, the 32-bit rounding points,
// and the values held at the bounds of asin and acos.
#include "math/directional_operations.h"

#include <cmath>
#include <cstdint>
#include <utility>

#include <gtest/gtest.h>

#include "math/numeric.h"
#include "tests/support/test_support.h"

namespace orniva {
namespace {

using namespace directional_operations;

void ExpectVectorNear(Vec3 actual, Vec3 expected, float tolerance) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

TEST(DirectionalOperations, SphericalRoundTripKeepsFloatRounding) {
  const SphericalAngles s = LineToSpherical(MakeOrientation(30, 45));
  EXPECT_EQ(s.theta, 135.0f);
  EXPECT_EQ(s.phi, 60.0f);
  // 90.1 is not a float: the plunge comes back with the error of 90.1f.
  const Orientation back = SphericalToLine(LineToSpherical(MakeOrientation(10, 0.1f)));
  EXPECT_EQ(back.trend, 10.0f);
  EXPECT_EQ(back.plunge, 0.0999984741f);  // 0.09999847...
  EXPECT_NE(back.plunge, 0.1f);
  // No reduction into a range.
  EXPECT_EQ(LineToSpherical(MakeOrientation(480, -10)).phi, -390.0f);
}

TEST(DirectionalOperations, LineToVector) {
  struct Row { float trend, plunge; Vec3 expected; };
  const Row rows[] = {
      {30, 45, {0.3536f, 0.6124f, -0.7071f}},
      {200, 10, {-0.3368f, -0.9254f, -0.1736f}},
      {0, 0, {0, 1, 0}},
      {90, 0, {1, 0, 0}},
      {0, 90, {0, 0, -1}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.trend << "/" << row.plunge);
    ExpectVectorNear(LineToVector(MakeOrientation(row.trend, row.plunge)), row.expected, 5e-5f);
    ExpectVectorNear(TrendPlungeToVector(row.trend, row.plunge), row.expected, 5e-5f);
  }
}

TEST(DirectionalOperations, VectorToLine) {
  struct Row { Vec3 v; float trend, plunge; };
  const Row rows[] = {
      {{0, 0, -1}, 90, 90},   {{0, 0, 1}, 90, -90},        {{-1, 1, 0}, -45, 0},
      {{-1, -1, -1}, 225, 35.26f}, {{3, 0, -4}, 90, 53.13f},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.v.x << "," << row.v.y << "," << row.v.z);
    const Orientation line = VectorToLine(row.v);
    EXPECT_NEAR(line.trend, row.trend, 1e-4f);
    EXPECT_NEAR(line.plunge, row.plunge, 5e-3f);
  }
  // The trend is left between -90 and 270: north-west is -45, not 315.
  const Orientation nw = VectorToLine(LineToVector(MakeOrientation(315, 30)));
  EXPECT_NEAR(nw.trend, -45, 1e-4f);
  EXPECT_NEAR(nw.plunge, 30, 1e-4f);
}

TEST(DirectionalOperations, ZeroVectorShowsZeroDivideOnce) {
  test::MessageRecorder recorder;
  const Orientation line = VectorToLine(MakeVector(0, 0, 0));
  EXPECT_EQ(line.trend, 90.0f);
  EXPECT_EQ(line.plunge, -90.0f);
  ASSERT_EQ(recorder.messages.size(), 1u);
  EXPECT_EQ(recorder.messages[0], "Zero divide");
}

TEST(DirectionalOperations, TinyVectorIsNotZero) {
  // Only a length that is exactly zero after rounding takes the message path.
  test::MessageRecorder recorder;
  const Orientation line = VectorToLine(MakeVector(0, 0, -1e-10f));
  EXPECT_TRUE(recorder.messages.empty());
  EXPECT_NEAR(line.plunge, 90, 1e-4f);
}

TEST(DirectionalOperations, VectorToSphericalAtThePoles) {
  for (float z : {1.0f, -1.0f, 1.0000001f, -0.99999994f, 7.0f}) {
    const SphericalAngles s = VectorToSpherical(MakeVector(0, 0, z));
    EXPECT_EQ(s.theta, z > 0 ? 0.0f : 180.0f) << z;
  }
}

TEST(DirectionalOperations, VectorArithmetic) {
  const Vec3 c = CrossProduct(MakeVector(1, 0, 0), MakeVector(0, 1, 0));
  EXPECT_EQ(c.x, 0.0f);
  EXPECT_EQ(c.y, 0.0f);
  EXPECT_EQ(c.z, 1.0f);
  const Vec3 reversed = CrossProduct(MakeVector(0, 1, 0), MakeVector(1, 0, 0));
  EXPECT_EQ(reversed.z, -1.0f);
  EXPECT_EQ(DotProduct(MakeVector(1, 2, 3), MakeVector(4, -5, 6)), 12.0f);
  const Vec3 sum = AddVectors(MakeVector(1, 2, 3), NegateVector(ScaleVector(MakeVector(1, 2, 3), 0.5f)));
  EXPECT_EQ(sum.x, 0.5f);
  EXPECT_EQ(sum.y, 1.0f);
  EXPECT_EQ(sum.z, 1.5f);
  // The tangent step is 0.1 as a float, and the product is rounded to float.
  EXPECT_EQ(ScaleVector(MakeVector(1, 0, 0), 0.1f).x, 0.1f);
}

TEST(DirectionalOperations, EulerMatrix) {
  const Mat3 identity = EulerMatrix(0, 0, 0);
  EXPECT_EQ(identity.m11, 1.0f);
  EXPECT_EQ(identity.m22, 1.0f);
  EXPECT_EQ(identity.m33, 1.0f);
  EXPECT_EQ(identity.m12, 0.0f);
  EXPECT_EQ(identity.m31, 0.0f);
  ExpectVectorNear(RotateVector(EulerMatrix(0, 90, 0), MakeVector(1, 0, 0)), {0, 1, 0}, 1e-7f);
  ExpectVectorNear(RotateVector(EulerMatrix(90, 0, 0), MakeVector(0, 1, 0)), {0, 0, 1}, 1e-7f);
  // The inner turn comes first: (1,0,0) by c = 90 about the vertical becomes north.
  ExpectVectorNear(RotateVector(EulerMatrix(0, 0, 90), MakeVector(1, 0, 0)), {0, 1, 0}, 1e-7f);

  const Vec3 dip = RotateVector(EulerMatrix(40, 50, 0), MakeVector(0, -1, 0));
  ExpectVectorNear(dip, {0.5868f, -0.4924f, -0.6428f}, 5e-5f);
  const Orientation line = VectorToLine(dip);
  EXPECT_NEAR(line.trend, 130, 1e-4f);
  EXPECT_NEAR(line.plunge, 40, 1e-4f);
}

TEST(DirectionalOperations, EulerMatrixGivesDipAndStrikeLinesOfAPlane) {
  // EulerMatrix(fpl, 180 - faz, t) on south: t = 0 the dip line, +-90 the strike lines.
  const float faz = 120, fpl = 35;
  const Orientation dip = VectorToLine(RotateVector(EulerMatrix(fpl, 180 - faz, 0), MakeVector(0, -1, 0)));
  EXPECT_NEAR(dip.trend, faz, 1e-3f);
  EXPECT_NEAR(dip.plunge, fpl, 1e-3f);
  const Orientation strike = VectorToLine(RotateVector(EulerMatrix(fpl, 180 - faz, -90), MakeVector(0, -1, 0)));
  EXPECT_NEAR(strike.trend, faz + 90, 1e-3f);
  EXPECT_NEAR(strike.plunge, 0, 1e-3f);
}

TEST(DirectionalOperations, AzimuthAngle) {
  struct Row { float a1, a2, expected; };
  const Row rows[] = {
      {0, 90, 90},   {90, 0, -90},   {0, 120, 60},   {0, 200, -20},
      {350, 10, 20}, {10, 350, -20}, {143, 233, 90}, {233, 143, -90},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.a1 << " -> " << row.a2);
    const float d = AzimuthAngle(row.a1, row.a2);
    EXPECT_FALSE(std::isnan(d));
    EXPECT_NEAR(d, row.expected, 1e-4f);
  }
}

TEST(DirectionalOperations, AzimuthAngleRoundingEdges) {
  EXPECT_EQ(AzimuthAngle(45, 45), 0.0f);
  // 32-bit rounding: 75 comes out exactly, 65 just below.
  EXPECT_EQ(AzimuthAngle(0, 75), 75.0f);
  EXPECT_LT(AzimuthAngle(0, 65), 65.0f);
  EXPECT_GT(AzimuthAngle(0, 65), 64.9999f);
  // The cross product comes out a hair beyond 1 here; the result is held at the bound.
  EXPECT_EQ(AzimuthAngle(143, 233), 90.0f);
  EXPECT_EQ(AzimuthAngle(233, 143), -90.0f);
  // Azimuths 180 apart: near 0, sign from rounding.
  EXPECT_NEAR(AzimuthAngle(0, 180), 0, 3e-5f);
  EXPECT_NEAR(AzimuthAngle(10, 370), 0, 3e-5f);
}

}  // namespace
}  // namespace orniva

namespace orniva {
namespace {

// Plot coordinates: nearest integer, ties to even on both sides of zero,
// NaN on 0, and held within +-2^29.
TEST(RoundToPlot, TiesToEvenAndHeld) {
  const double nan = std::nan(""), inf = HUGE_VAL;
  const std::int32_t limit = std::int32_t(1) << 29;
  const std::pair<double, std::int32_t> rows[] = {
      {0.5, 0},   {1.5, 2},   {2.5, 2},   {-0.5, 0},    {-1.5, -2},   {-2.5, -2},
      {0.49, 0},  {2.51, 3},  {-2.51, -3}, {nan, 0},    {inf, limit}, {-inf, -limit},
      {1e12, limit}, {-1e12, -limit}, {limit - 0.5, limit}, {-(limit + 10.0), -limit},
  };
  for (const auto& [value, expected] : rows) EXPECT_EQ(numeric::RoundToPlot(value), expected) << value;
}

}  // namespace
}  // namespace orniva
