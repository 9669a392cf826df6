// The stress on each fault plane in Angelier's normalisation: what the
// Mohr diagram draws and the `mohr` report lists.
//
// Angelier's normalisation: the reduced tensor (stress_summary.h) scaled by
// sqrt(3/2), so that its principal values l1 <= l2 <= l3 (tension positive)
// have sum 0 and sum of squares 3/2; lambda = sqrt(3) / 2, the largest
// shear stress at Phi = 1/2. Per datum, with n the normal into the hanging
// wall and s the slip made exactly parallel to the plane (unit):
//   sigma_n = -n . T n                  normal stress, compression positive;
//   tau = T n - (n . T n) n             the shear traction, |tau| its size;
//   tau_s = tau . s                     positive where the stress drives the
//                                       recorded sense;
//   RUP = 100 |lambda s - tau| / lambda [per cent] and ANG = beta
// (Angelier 1990). On the Mohr diagram the principal stresses are
// sigma_k = -l_k (sigma1 >= sigma2 >= sigma3), and every point
// (sigma_n, |tau|) lies within the circle of sigma1 and sigma3 and outside
// the two smaller circles.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "analysis/report_format.h"
#include "analysis/stress_inversion.h"
#include "data/fault_data.h"

namespace orniva::analysis {

struct MohrDatum {
  int line = 0;
  double sigmaN = 0, tau = 0, tauSlip = 0;
  double rup = 0;    // [per cent]
  double ang = 0;    // beta [deg]
  bool used = true;  // as in the result: false for a datum switched out
};

struct MohrResult {
  std::string error;  // the result's refusal, or no usable data
  // sigma1 >= sigma2 >= sigma3, compression positive.
  std::array<double, 3> principal{};
  std::vector<MohrDatum> faults;  // as result.faults: every datum that passed its checks
};

// Angelier's lambda.
constexpr double kAngelierLambda = 0.8660254037844386;

// The stresses of `result` (an inversion or a given stress of `data`) on
// each of its faults.
MohrResult MohrOf(const FaultSet& data, const StressResult& result);
// The same from every datum's vectors (CollectUsedFaults of all the data).
MohrResult MohrOf(const UsedFaults& collected, const StressResult& result);

// The `mohr` report: line,sigma_n,tau,tau_slip,rup,ang, one row per datum
// used; a refusal sets `error`.
CsvReport MohrCsv(const MohrResult& mohr);

}  // namespace orniva::analysis
