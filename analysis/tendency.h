// Slip and dilation tendency of planes under a stress of given magnitudes
// whose principal directions come from a stress result.
//
// The user gives sigma1 >= sigma2 >= sigma3 (compression positive, any
// unit) and a pore pressure Pf. With C = sum_k sigma_k e_k e_k^T, the
// compression-positive tensor of those magnitudes along the result's
// sigma1, sigma2 and sigma3 axes e_k, on a plane of unit normal n:
//   sigma_n  = n . C n                     normal stress
//   tau      = |C n - sigma_n n|           shear stress
//   sigma_n' = sigma_n - Pf                effective normal stress
//   Ts  = tau / sigma_n'                   slip tendency (Morris et al. 1996)
//   Ts' = Ts / Ts_max,  Ts_max = (sigma1' - sigma3') / (2 sqrt(sigma1' sigma3')),
//         sigma_k' = sigma_k - Pf          normalised slip tendency
//   Td  = (sigma1 - sigma_n) / (sigma1 - sigma3)
//                                          dilation tendency (Ferrill et al. 1999)
// Magnitudes out of order, sigma3' <= 0 (every effective stress must
// compress) and sigma1 = sigma3 (no differential stress: Ts' and Td
// undefined) are refused; so are values beyond +-1e12 and a sigma1 - sigma3
// or a sigma3' below 1e-9 of the largest magnitude, which double precision
// cannot tell from 0: every value is then finite. Every value is even in
// n, so a pole stands for its plane.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/report_format.h"
#include "analysis/stress_inversion.h"
#include "data/fault_data.h"
#include "math/vector3d.h"

namespace orniva::analysis {

struct StressMagnitudes {
  double sigma1 = 0, sigma2 = 0, sigma3 = 0;  // compression positive
  double porePressure = 0;

  friend bool operator==(const StressMagnitudes& a, const StressMagnitudes& b) {
    return a.sigma1 == b.sigma1 && a.sigma2 == b.sigma2 && a.sigma3 == b.sigma3 &&
           a.porePressure == b.porePressure;
  }
  friend bool operator!=(const StressMagnitudes& a, const StressMagnitudes& b) { return !(a == b); }
};

// The largest magnitude or pore pressure taken, in any unit.
inline constexpr double kLargestMagnitude = 1e12;
// The refusal of a tendency report with no magnitudes given.
inline constexpr const char* kNoMagnitudes =
    "no stress magnitudes given (Analysis > Stress Magnitudes...)";

// Why `m` cannot give tendencies (one line), or "" when it can.
std::string MagnitudesProblem(const StressMagnitudes& m);

// What a tendency field shows: Ts' or Td.
enum class TendencyOf { Slip, Dilation };
// The names on the command line: "slip", "dilation".
std::optional<TendencyOf> TendencyOfNamed(std::string_view name);

// The user's choice for the tendency diagram and the stress results window:
// the magnitudes (none until given) and the field drawn.
struct TendencyChoice {
  std::optional<StressMagnitudes> magnitudes;
  TendencyOf of = TendencyOf::Slip;

  friend bool operator==(const TendencyChoice& a, const TendencyChoice& b) {
    return a.magnitudes == b.magnitudes && a.of == b.of;
  }
  friend bool operator!=(const TendencyChoice& a, const TendencyChoice& b) { return !(a == b); }
};

// The values on one plane.
struct PlaneTendency {
  double sigmaN = 0, tau = 0, ts = 0, tsNormalised = 0, td = 0;
};

// The tensor C and the constants of the formulas above. Build it with
// MakeTendencyStress, which refuses what MagnitudesProblem refuses.
struct TendencyStress {
  std::string error;  // a refusal; then nothing else is set
  math::Matrix3d c{};
  StressMagnitudes magnitudes;
  double tsMax = 0;
};
// `axes` are sigma1, sigma2, sigma3 as StressResult::axes holds them.
TendencyStress MakeTendencyStress(const StressMagnitudes& m,
                                  const std::array<math::TrendPlunge, 3>& axes);

PlaneTendency TendencyOnPlane(const TendencyStress& stress, math::Vector3d n);
// Ts' or Td at each direction of `normals`.
std::vector<double> TendencyValues(const TendencyStress& stress, TendencyOf of,
                                   const std::vector<math::Vector3d>& normals);

// The tendencies of the data that passed every check and that `use` (by
// line, index 0 unused; null: all) leaves in, in line order, under the
// directions of `stress`. A refused stress or magnitudes set `error`.
struct FaultTendency {
  int line = 0;
  PlaneTendency value;
};
struct TendencyResult {
  std::string error;
  std::vector<FaultTendency> faults;
};
TendencyResult FaultTendencies(const FaultSet& data, const std::vector<bool>* use,
                               const StressResult& stress, const StressMagnitudes& m);

// The magnitudes of the command line: "S1,S2,S3" and the pore pressure
// ("" for 0), each a decimal number; a value that is not one, or
// magnitudes MagnitudesProblem refuses, set `error`.
struct ParsedMagnitudes {
  StressMagnitudes magnitudes;
  std::string error;
};
ParsedMagnitudes ParseMagnitudes(std::string_view magnitudes, std::string_view porePressure);

// The reports of the command line: `tendency` (line,sigma_n,tau,ts,
// ts_normalised,td per datum in use, values with 4 decimals) and
// `tendency-grid` (trend,plunge,value on the report grid, the node being
// the plane's pole). A refusal sets `error`.
CsvReport TendencyCsv(const TendencyResult& result);
CsvReport TendencyGridCsv(const StressResult& stress, const StressMagnitudes& m, TendencyOf of);

}  // namespace orniva::analysis
