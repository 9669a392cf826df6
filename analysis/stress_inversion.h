// Stress inversion of fault-slip data by the linear method of Michael
// (1984), with its iterative option.
//
// The stress tensor sigma is symmetric, tension positive and trace-free:
// five unknowns x = (sxx, sxy, sxz, syy, syz), szz = -sxx - syy. The shear
// traction on a plane of normal n (into the hanging wall) is
//   tau(sigma, n) = sigma n - (n . sigma n) n,
// which points along the hanging wall's slip (Wallace-Bott). Each fault
// gives three equations tau(sigma, n_i) = s_i, with s_i the slip made exactly
// parallel to its plane (s - (s . n) n, normalised): equal shear traction on
// every fault. x is their least-squares solution (5 x 5 normal equations).
// The iterative option solves again with s_i replaced by |tau_i| s_i from the
// previous solution, until the principal axes move by less than 0.01 degrees
// (at most 100 rounds).
//
// Eigenvalues l1 <= l2 <= l3 of sigma give sigma1 (most compressive), sigma2
// and sigma3; Phi = (l2 - l3) / (l1 - l3) (Angelier 1979), R = 1 - Phi
// (Gephart and Forsyth 1984). The misfit of a fault, beta = angle(s_i, tau_i)
// in [0, 180] degrees with s_i the in-plane slip above; above 90 the
// recorded sense is opposite to the one the stress predicts.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "analysis/fault_vectors.h"
#include "analysis/report_format.h"
#include "data/fault_data.h"
#include "math/vector3d.h"

namespace orniva::analysis {

struct FaultMisfit {
  int line = 0;
  double beta = 0;   // [deg]
  bool used = true;  // false: switched out of the inversion, beta still given
};

struct StressResult {
  std::string error;                        // a refusal: fewer than 4 faults, or rank below 5
  std::array<math::TrendPlunge, 3> axes{};  // sigma1, sigma2, sigma3
  std::array<double, 3> eigenvalues{};      // l1 <= l2 <= l3
  std::array<double, 5> tensor{};           // sxx, sxy, sxz, syy, syz
  double phi = 0, r = 0;
  double meanBeta = 0;              // over the faults used [deg]
  std::array<int, 18> histogram{};  // faults used per 10-degree bin of beta
  std::vector<FaultMisfit> faults;  // every datum that passed its checks, in line order
  std::vector<int> leftOut;         // lines that failed a check
  int used = 0;
  int rounds = 0;  // solutions computed (1 without iteration)
};

// Inverts the data that passed every check. `use`, when given, is indexed
// by line (1 to data.count(); index 0 unused) and switches faults out: they
// get no say in the solution but their beta is still reported.
StressResult InvertStress(const FaultSet& data, bool iterate,
                          const std::vector<bool>* use = nullptr);

// A datum's normal and its slip made exactly parallel to its plane
// (s - (s . n) n, normalised): what every inversion reads of it.
struct FaultSlip {
  math::Vector3d n, s;
};
FaultSlip SlipOf(const FaultVectors& f);

// The data an inversion reads: every datum that passed its checks and those
// of them in use.
struct InversionInput {
  std::vector<FaultSlip> all;   // in line order, as result.faults
  std::vector<FaultSlip> used;  // those `use` leaves in
};
// Starts `result`: its faults (each with `used` set as `use` says, see
// InvertStress), the lines left out and the number used.
InversionInput StartInversion(const FaultSet& data, const std::vector<bool>* use,
                              StressResult& result);
// The same of faults given as vectors, numbered 1 to N, all used.
InversionInput StartInversion(const std::vector<FaultSlip>& faults, StressResult& result);
// Michael's inversion of `input` into the `result` StartInversion began.
void InvertMichael(const InversionInput& input, bool iterate, StressResult& result);
// The principal axes and values of the tensor x = (sxx, sxy, sxz, syy,
// syz), Phi and R, into `result`: what DescribeStress gives beyond the
// faults' misfits.
void DescribeAxes(const std::array<double, 5>& x, StressResult& result);
// Completes `result` from the tensor x = (sxx, sxy, sxz, syy, syz): the
// principal axes and values, Phi and R, each fault's beta, the mean beta
// and the histogram over the faults used. `all` as StartInversion gave it.
void DescribeStress(const std::array<double, 5>& x, const std::vector<FaultSlip>& all,
                    StressResult& result);

// The tensor x minimising sum w_i |tau(x, n_i) - m_i s_i|^2, each fault with
// its own weight w_i >= 0 and shear traction m_i; nullopt where the weighted
// planes do not fix all five unknowns.
std::optional<std::array<double, 5>> WeightedMichael(const std::vector<FaultSlip>& faults,
                                                     const std::vector<double>& weights,
                                                     const std::vector<double>& magnitudes);
// The largest angle between corresponding principal axes of two tensors
// (sigma1 with sigma1, ...) [deg].
double PrincipalAxesMoved(const std::array<double, 5>& a, const std::array<double, 5>& b);

// The shear traction of the tensor x = (sxx, sxy, sxz, syy, syz) on the
// plane of normal n.
math::Vector3d ShearTraction(const std::array<double, 5>& x, math::Vector3d n);

// The reports of the command line: `stress` (one row:
// s1_trend,s1_plunge,s2_trend,s2_plunge,s3_trend,s3_plunge,phi,r,mean_misfit,n)
// and `misfit-angles` (line,beta per datum used). A refusal sets `error`.
CsvReport StressCsv(const FaultSet& data, bool iterate);
CsvReport MisfitAnglesCsv(const FaultSet& data, bool iterate);
// The same reports of a result already computed.
CsvReport StressCsv(const StressResult& result);
CsvReport MisfitAnglesCsv(const StressResult& result);

}  // namespace orniva::analysis
