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

KinematicsResult ComputeKinematics(const FaultSet& data, const std::vector<bool>* use) {
  UsedFaults used = CollectUsedFaults(data, use);
  KinematicsResult result;
  result.faults.reserve(used.faults.size());
  for (const FaultVectors& f : used.faults) result.faults.push_back(AxesOf(f));
  if (!used.faults.empty()) result.bingham = LinkedBingham(used.faults);
  result.leftOut = std::move(used.leftOut);
  return result;
}

CsvReport KinematicsCsv(const FaultSet& data) { return KinematicsCsv(ComputeKinematics(data)); }

CsvReport KinematicsCsv(const KinematicsResult& result) {
  if (result.faults.empty()) return {"", kNoUsableData};
  std::string text = "line,misfit,p_trend,p_plunge,t_trend,t_plunge,b_trend,b_plunge\n";
  for (const KinematicAxes& f : result.faults)
    text += std::to_string(f.line) + "," + FormatAngle(f.misfit) + "," + FormatLine(f.p) + "," +
            FormatLine(f.t) + "," + FormatLine(f.b) + "\n";
  return {text, ""};
}

CsvReport BinghamCsv(const FaultSet& data) { return BinghamCsv(ComputeKinematics(data)); }

CsvReport BinghamCsv(const KinematicsResult& result) {
  if (result.faults.empty()) return {"", kNoUsableData};
  std::string text = "axis,trend,plunge,eigenvalue\n";
  const char* names[3] = {"T", "B", "P"};
  for (int k = 0; k < 3; ++k)
    text += std::string(names[k]) + "," + FormatLine(result.bingham.axes[k]) + "," +
            FormatValue(result.bingham.eigenvalues[k]) + "\n";
  return {text, ""};
}

}  // namespace orniva::analysis
