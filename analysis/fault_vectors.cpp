#include "analysis/fault_vectors.h"

#include <cmath>

namespace orniva::analysis {

using math::Vector3d;

Vector3d NormalOf(const TFaultData& datum) {
  const double d = datum.faz * numeric::kDegToRad, delta = datum.fpl * numeric::kDegToRad;
  return {std::sin(delta) * std::sin(d), std::sin(delta) * std::cos(d), std::cos(delta)};
}

FaultVectors VectorsOf(const TFaultData& datum, int line) {
  FaultVectors v;
  v.line = line;
  v.n = NormalOf(datum);
  v.l = math::LineVector(datum.saz, datum.spl);
  const Vector3d h = math::LineVector(double(datum.faz) - 90, 0);
  const char sense = datum.sense.empty() ? '\0' : datum.sense[0];
  const double along = Dot(v.l, h);
  v.s = v.l;
  if (sense == 'R') {
    v.s = -v.l;
  } else if (sense == 'S' || sense == 'D') {
    if (std::fabs(along) <= kDipSlipTolerance)
      v.lateralOnDipSlip = true;
    else if ((sense == 'S') != (along > 0))
      v.s = -v.l;
  }
  return v;
}

UsedFaults CollectUsedFaults(const FaultSet& data, const std::vector<bool>* use) {
  UsedFaults used;
  used.faults.reserve(std::size_t(data.count()));
  for (int i = 1; i <= data.count(); ++i) {
    if (data[std::size_t(i)].failedChecks != 0)
      used.leftOut.push_back(i);
    else if (!use || (*use)[std::size_t(i)])
      used.faults.push_back(VectorsOf(data[std::size_t(i)], i));
  }
  return used;
}

}  // namespace orniva::analysis
