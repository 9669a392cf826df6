#include "analysis/rotation.h"

#include <algorithm>
#include <cmath>

#include "analysis/fault_vectors.h"
#include "analysis/geometry.h"
#include "math/numeric.h"

namespace orniva::analysis {

using math::Matrix3d;
using math::TrendPlunge;
using math::Vector3d;
using numeric::kDegToRad;
using numeric::kRadToDeg;
using numeric::Store;

namespace {

// The datum of the turned vectors n, l and s (n pointing up or horizontal).
TFaultData WrittenBack(const TFaultData& original, Vector3d n, Vector3d l, Vector3d s) {
  TFaultData datum = original;
  datum.faz = StoredTrend(std::atan2(n.x, n.y) * kRadToDeg);
  datum.fpl = Store(std::acos(std::clamp(n.z / Norm(n), -1.0, 1.0)) * kRadToDeg);
  const TrendPlunge line = math::LowerHemisphereLine(l);
  datum.saz = StoredTrend(line.trend);
  datum.spl = Store(line.plunge);
  const char sense = original.sense[0];
  if (sense == 'S' || sense == 'D') {
    const Vector3d h = math::LineVector(double(datum.faz) - 90, 0);
    datum.sense = Dot(s, h) > 0 ? "S" : "D";
  } else {
    const Vector3d stored = math::LineVector(line.trend, line.plunge);
    datum.sense = Dot(s, stored) > 0 ? "N" : "R";
  }
  return datum;
}

}  // namespace

float StoredTrend(double degrees) {
  const float t = Store(degrees < 0 ? degrees + 360 : degrees);
  return t >= 360 ? 0 : t;
}

Matrix3d RotationMatrix(TrendPlunge axis, double degrees) {
  const Vector3d u = math::LineVector(axis.trend, axis.plunge);
  const double c = std::cos(degrees * kDegToRad), s = std::sin(degrees * kDegToRad), k = 1 - c;
  return {{{c + k * u.x * u.x, k * u.x * u.y - s * u.z, k * u.x * u.z + s * u.y},
           {k * u.y * u.x + s * u.z, c + k * u.y * u.y, k * u.y * u.z - s * u.x},
           {k * u.z * u.x - s * u.y, k * u.z * u.y + s * u.x, c + k * u.z * u.z}}};
}

Vector3d Rotate(const Matrix3d& m, Vector3d v) {
  return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z,
          m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
          m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
}

FaultSet RotateData(const FaultSet& data, const Matrix3d& rotation) {
  FaultSet turned;
  turned.Recreate(data.count());
  for (std::size_t i = 1; i <= std::size_t(data.count()); ++i) {
    turned[i] = data[i];
    if (data[i].failedChecks != 0) continue;
    const FaultVectors v = VectorsOf(data[i], int(i));
    Vector3d n = Rotate(rotation, v.n), s = Rotate(rotation, v.s);
    if (n.z < 0) n = -n, s = -s;  // overturned: the blocks swap roles
    turned[i] = WrittenBack(data[i], n, Rotate(rotation, v.l), s);
  }
  AssignColours(turned);
  return turned;
}

Matrix3d BackTiltRotation(const Bedding& bedding, double fraction) {
  return RotationMatrix({bedding.dipDirection - 90, 0}, -fraction * bedding.dip);
}

std::vector<TiltStep> TiltTest(const FaultSet& data, const Bedding& bedding, StressMethod method,
                               bool iterate, const std::vector<bool>* use,
                               const std::function<bool(int done)>& carryOn) {
  std::vector<TiltStep> steps(kTiltSteps);
  for (int k = 0; k < kTiltSteps; ++k) {
    TiltStep& step = steps[std::size_t(k)];
    step.fraction = k * 0.05;
    const FaultSet turned = RotateData(data, BackTiltRotation(bedding, step.fraction));
    step.stress = InvertStress(turned, method, iterate, use);
    for (const TrendPlunge& axis : step.stress.axes)
      step.steepestPlunge = std::max(step.steepestPlunge, axis.plunge);
    if (carryOn && !carryOn(k + 1)) return {};
  }
  return steps;
}

}  // namespace orniva::analysis
