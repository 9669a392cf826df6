#include "analysis/mohr.h"

#include <cmath>

#include "analysis/fault_vectors.h"
#include "analysis/stress_summary.h"

namespace orniva::analysis {

using math::Vector3d;

namespace {

// T n of the tensor x = (sxx, sxy, sxz, syy, syz).
Vector3d Traction(const StressTensor& x, Vector3d n) {
  const double zz = -x[0] - x[3];
  return {x[0] * n.x + x[1] * n.y + x[2] * n.z, x[1] * n.x + x[3] * n.y + x[4] * n.z,
          x[2] * n.x + x[4] * n.y + zz * n.z};
}

StressTensor AngelierTensor(const StressTensor& x) {
  StressTensor t = ReducedTensor(x);
  for (double& v : t) v *= std::sqrt(1.5);
  return t;
}

MohrDatum DatumOf(const StressTensor& t, const FaultSlip& f, const FaultMisfit& misfit) {
  const Vector3d tn = Traction(t, f.n);
  const double normal = math::Dot(f.n, tn);
  const Vector3d tau = tn - normal * f.n;
  MohrDatum d;
  d.line = misfit.line;
  d.sigmaN = -normal;
  d.tau = math::Norm(tau);
  d.tauSlip = math::Dot(tau, f.s);
  d.rup = 100 * math::Norm(kAngelierLambda * f.s - tau) / kAngelierLambda;
  d.ang = misfit.beta;
  d.used = misfit.used;
  return d;
}

}  // namespace

MohrResult MohrOf(const FaultSet& data, const StressResult& result) {
  return MohrOf(CollectUsedFaults(data), result);
}

MohrResult MohrOf(const UsedFaults& collected, const StressResult& result) {
  MohrResult mohr;
  mohr.error = result.used == 0 ? kNoUsableData : result.error;
  if (!mohr.error.empty()) return mohr;
  const StressTensor t = AngelierTensor(result.tensor);
  const double scale = std::sqrt(1.5) / std::sqrt(result.eigenvalues[0] * result.eigenvalues[0] +
                                                  result.eigenvalues[1] * result.eigenvalues[1] +
                                                  result.eigenvalues[2] * result.eigenvalues[2]);
  for (std::size_t k = 0; k < 3; ++k) mohr.principal[k] = -scale * result.eigenvalues[k];
  mohr.faults.reserve(collected.faults.size());
  for (std::size_t i = 0; i < collected.faults.size() && i < result.faults.size(); ++i)
    mohr.faults.push_back(DatumOf(t, SlipOf(collected.faults[i]), result.faults[i]));
  return mohr;
}

}  // namespace orniva::analysis
