#include "math/directional_operations.h"

#include <cmath>

#include "math/numeric.h"

namespace orniva::directional_operations {

using numeric::kRadToDeg;
using numeric::Real;
using numeric::Store;
using numeric::StoredRadians;

namespace {
// Holds the argument of asin/acos within [-1, 1].
Real ClampUnit(Real value) {
  if (value > 1) return 1;
  if (value < -1) return -1;
  return value;
}
}  // namespace

Orientation MakeOrientation(float trend, float plunge) { return {trend, plunge}; }

SphericalAngles LineToSpherical(Orientation line) {
  return {Store(Real(line.plunge) + 90), Store(90 - Real(line.trend))};
}

Orientation SphericalToLine(SphericalAngles angles) {
  return {Store(90 - Real(angles.phi)), Store(Real(angles.theta) - 90)};
}

Vec3 LineToVector(Orientation line) {
  const SphericalAngles angles = LineToSpherical(line);
  const Real theta = StoredRadians(angles.theta);
  const Real phi = StoredRadians(angles.phi);
  return {Store(std::sin(theta) * std::cos(phi)), Store(std::sin(theta) * std::sin(phi)),
          Store(std::cos(theta))};
}

Vec3 TrendPlungeToVector(float trend, float plunge) {
  return LineToVector(MakeOrientation(trend, plunge));
}

SphericalAngles VectorToSpherical(Vec3 v, bool& zeroDivide) {
  const float length = Store(std::sqrt(Real(DotProduct(v, v))));
  if (length == 0) {
    zeroDivide = true;
    return {0, 0};
  }
  const Real theta = std::acos(ClampUnit(Real(v.z) / length));
  const Real phi = std::atan2(Real(v.y), Real(v.x));
  return {Store(theta * kRadToDeg), Store(phi * kRadToDeg)};
}

Orientation VectorToLine(Vec3 v, bool& zeroDivide) {
  return SphericalToLine(VectorToSpherical(v, zeroDivide));
}

Vec3 MakeVector(float x, float y, float z) { return {x, y, z}; }

Vec3 NegateVector(Vec3 v) { return {-v.x, -v.y, -v.z}; }

Vec3 ScaleVector(Vec3 v, float factor) {
  return {Store(Real(factor) * v.x), Store(Real(factor) * v.y), Store(Real(factor) * v.z)};
}

Vec3 AddVectors(Vec3 a, Vec3 b) {
  return {Store(Real(a.x) + b.x), Store(Real(a.y) + b.y), Store(Real(a.z) + b.z)};
}

float DotProduct(Vec3 a, Vec3 b) {
  return Store(Real(a.x) * b.x + Real(a.y) * b.y + Real(a.z) * b.z);
}

Vec3 CrossProduct(Vec3 a, Vec3 b) {
  return {Store(Real(a.y) * b.z - Real(a.z) * b.y), Store(Real(a.z) * b.x - Real(a.x) * b.z),
          Store(Real(a.x) * b.y - Real(a.y) * b.x)};
}

AngleTrig StoredTrig(float degrees) {
  const Real radians = Real(degrees) * numeric::kDegToRad;
  return {Store(std::cos(radians)), Store(std::sin(radians))};
}

Mat3 EulerMatrix(float a, float b, float c) {
  return EulerMatrix(StoredTrig(a), StoredTrig(b), StoredTrig(c));
}

float AzimuthAngle(float azimuth1, float azimuth2) {
  const Vec3 u1 = TrendPlungeToVector(azimuth1, 0);
  const Vec3 u2 = TrendPlungeToVector(azimuth2, 0);
  const Vec3 w = CrossProduct(u2, u1);
  const float radians = Store(std::asin(ClampUnit(w.z)));
  return Store(Real(radians) * kRadToDeg);
}

}  // namespace orniva::directional_operations
