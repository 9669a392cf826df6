// What a stress result says beyond its axes, the distance between two
// results, and the reports that show them.
//
// Tensors are x = (sxx, sxy, sxz, syy, syz), trace-free, tension positive,
// in the frame x east, y north, z up; szz = -sxx - syy.
//
// Reduced tensor: x / |x|_F, |x|_F^2 = sxx^2 + syy^2 + szz^2
//   + 2 (sxy^2 + sxz^2 + syz^2).
// Angular stress distance (Yamaji and Sato 2006): Theta = arccos(T1 : T2)
//   [deg] in [0, 180] of the reduced tensors, ':' the sum of the products
//   of their elements.
// Stress-regime index (Delvaux et al. 1997): R' = Phi when sigma1 is the
//   steepest axis, 2 - Phi when sigma2 is, 2 + Phi when sigma3 is; sigma3
//   is taken when it is at least as steep as sigma1 and sigma2, then sigma2
//   when at least as steep as sigma1, else sigma1. Regime by R':
//   [0, 0.25) "radial extension", [0.25, 0.75) "pure extension",
//   [0.75, 1.25) "transtension", [1.25, 1.75) "pure strike-slip",
//   [1.75, 2.25) "transpression", [2.25, 2.75) "pure compression",
//   [2.75, 3] "radial compression".
// World Stress Map regime (Zoback 1992), from the plunges p1, p2, p3 of
//   sigma1, sigma2, sigma3 [deg], the first match winning:
//   p1 >= 52 and p3 <= 35: NF; 40 <= p1 < 52 and p3 <= 20: NS;
//   p1 < 40, p2 >= 45 and p3 <= 20: SS; p1 <= 20, p2 >= 45 and p3 < 40: SS;
//   p1 <= 20 and 40 <= p3 < 52: TS; p1 <= 35 and p3 >= 52: TF; else U.
// SHmax (Lund and Townend 2007), the azimuth of the greatest horizontal
//   compression: with C = -T (compression positive),
//   SHmax = 1/2 atan2(2 C_xy, C_yy - C_xx) [deg] in [0, 180), and
//   SHmin = SHmax + 90 (mod 180); undefined where C_xy = 0 and C_xx = C_yy
//   to 1e-12 of the reduced tensor.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "analysis/report_format.h"
#include "analysis/stress_inversion.h"
#include "analysis/stress_methods.h"

namespace orniva::analysis {

using StressTensor = std::array<double, 5>;  // sxx, sxy, sxz, syy, syz

StressTensor ReducedTensor(const StressTensor& x);
// Theta between two results [deg].
double StressDistance(const StressTensor& a, const StressTensor& b);

// R' from Phi and the plunges of sigma1, sigma2, sigma3 [deg].
double StressRegimeIndex(double phi, double p1, double p2, double p3);
// The regime's name for R'.
const char* StressRegimeName(double rPrime);
// "NF", "NS", "SS", "TS", "TF" or "U".
const char* WorldStressMapRegime(double p1, double p2, double p3);
// SHmax and SHmin [deg]; nullopt where undefined.
std::optional<double> ShMax(const StressTensor& x);
std::optional<double> ShMin(const StressTensor& x);

// The summary of one result.
struct StressCharacter {
  double rPrime = 0;
  const char* regime = "";
  const char* wsmRegime = "";
  std::optional<double> shMax, shMin;
};
StressCharacter CharacterOf(const StressResult& result);

// The reports of the command line: `stress-summary` (one row:
// method,s1_trend,s1_plunge,s2_trend,s2_plunge,s3_trend,s3_plunge,phi,
// r_prime,regime,wsm_regime,shmax,shmin,mean_misfit,n) and `stress-methods`
// (the same columns and theta_to_michael, one row per method in the order
// of kStressMethods; `results` in that order). A refusal sets `error`; in
// `stress-methods` the first method's that refuses.
CsvReport StressSummaryCsv(const StressResult& result, StressMethod method);
CsvReport StressMethodsCsv(const std::array<StressResult, 5>& results);

// Where a comparison of the methods' results shows two more than 10
// degrees apart (Theta): a warning naming the farthest pair; else empty.
std::string MethodsDisagreement(const std::array<StressResult, 5>& results);

}  // namespace orniva::analysis
