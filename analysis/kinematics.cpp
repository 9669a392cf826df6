#include "analysis/kinematics.h"

#include <algorithm>
#include <cmath>

#include "math/numeric.h"

namespace orniva::analysis {

using math::Vector3d;

KinematicAxes AxesOf(const FaultVectors& f) {
  KinematicAxes axes;
  axes.line = f.line;
  axes.misfit = std::asin(std::min(1.0, std::fabs(math::Dot(f.n, f.l)))) * numeric::kRadToDeg;
  axes.p = math::LowerHemisphereLine(math::Normalise(f.n - f.s));
  axes.t = math::LowerHemisphereLine(math::Normalise(f.n + f.s));
  axes.b = math::LowerHemisphereLine(math::Normalise(math::Cross(f.n, f.s)));
  axes.lateralOnDipSlip = f.lateralOnDipSlip;
  return axes;
}

namespace {

BinghamAxes LinkedBingham(const std::vector<FaultVectors>& faults) {
  math::Matrix3d m{};
  for (const FaultVectors& f : faults) {
    const double n[3] = {f.n.x, f.n.y, f.n.z}, s[3] = {f.s.x, f.s.y, f.s.z};
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) m[i][j] += 0.5 * (n[i] * s[j] + s[i] * n[j]);
  }
  const math::SymmetricEigen eigen = math::EigenSymmetric(m);
  BinghamAxes result;
  for (int k = 0; k < 3; ++k) {  // ascending values: P, B, T
    result.axes[2 - k] = math::LowerHemisphereLine(eigen.vectors[k]);
    result.eigenvalues[2 - k] = eigen.values[k];
  }
  return result;
}

}  // namespace

std::vector<KinematicAxes> AxesOfEach(const std::vector<FaultVectors>& faults) {
  std::vector<KinematicAxes> axes;
  axes.reserve(faults.size());
  for (const FaultVectors& f : faults) axes.push_back(AxesOf(f));
  return axes;
}

KinematicsResult KinematicsInUse(const UsedFaults& all, const std::vector<KinematicAxes>& axes,
                                 const std::vector<bool>* use) {
  KinematicsResult result;
  std::vector<FaultVectors> used;
  used.reserve(all.faults.size());
  result.faults.reserve(all.faults.size());
  for (std::size_t k = 0; k < all.faults.size(); ++k) {
    const std::size_t line = std::size_t(all.faults[k].line);
    if (use && (line >= use->size() || !(*use)[line])) continue;
    used.push_back(all.faults[k]);
    result.faults.push_back(axes[k]);
  }
  if (!used.empty()) result.bingham = LinkedBingham(used);
  result.leftOut = all.leftOut;
  return result;
}

KinematicsResult ComputeKinematics(const FaultSet& data, const std::vector<bool>* use) {
  const UsedFaults all = CollectUsedFaults(data, nullptr);
  return KinematicsInUse(all, AxesOfEach(all.faults), use);
}

}  // namespace orniva::analysis
