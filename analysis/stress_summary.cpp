#include "analysis/stress_summary.h"

#include <algorithm>
#include <cmath>

#include "math/numeric.h"

namespace orniva::analysis {

namespace {

constexpr double kUndefinedShMax = 1e-12;  // of the reduced tensor
constexpr double kDisagreement = 10;       // [deg]

double FrobeniusProduct(const StressTensor& a, const StressTensor& b) {
  const double azz = -a[0] - a[3], bzz = -b[0] - b[3];
  return a[0] * b[0] + a[3] * b[3] + azz * bzz + 2 * (a[1] * b[1] + a[2] * b[2] + a[4] * b[4]);
}

struct Regime {
  double below;  // R' under this value
  const char* name;
};
constexpr Regime kRegimes[] = {
    {0.25, "radial extension"}, {0.75, "pure extension"}, {1.25, "transtension"},
    {1.75, "pure strike-slip"}, {2.25, "transpression"},  {2.75, "pure compression"},
};

}  // namespace

StressTensor ReducedTensor(const StressTensor& x) {
  const double norm = std::sqrt(FrobeniusProduct(x, x));
  StressTensor reduced = x;
  if (norm > 0)
    for (double& v : reduced) v /= norm;
  return reduced;
}

double StressDistance(const StressTensor& a, const StressTensor& b) {
  const double cosine = FrobeniusProduct(ReducedTensor(a), ReducedTensor(b));
  return std::acos(std::clamp(cosine, -1.0, 1.0)) * numeric::kRadToDeg;
}

double StressRegimeIndex(double phi, double p1, double p2, double p3) {
  if (p3 >= p1 && p3 >= p2) return 2 + phi;
  if (p2 >= p1) return 2 - phi;
  return phi;
}

const char* StressRegimeName(double rPrime) {
  for (const Regime& regime : kRegimes)
    if (rPrime < regime.below) return regime.name;
  return "radial compression";
}

const char* WorldStressMapRegime(double p1, double p2, double p3) {
  if (p1 >= 52 && p3 <= 35) return "NF";
  if (p1 >= 40 && p1 < 52 && p3 <= 20) return "NS";
  if (p1 < 40 && p2 >= 45 && p3 <= 20) return "SS";
  if (p1 <= 20 && p2 >= 45 && p3 < 40) return "SS";
  if (p1 <= 20 && p3 >= 40 && p3 < 52) return "TS";
  if (p1 <= 35 && p3 >= 52) return "TF";
  return "U";
}

std::optional<double> ShMax(const StressTensor& x) {
  const StressTensor t = ReducedTensor(x);
  const double cxy = -t[1], cxx = -t[0], cyy = -t[3];
  if (std::fabs(cxy) <= kUndefinedShMax && std::fabs(cxx - cyy) <= kUndefinedShMax)
    return std::nullopt;
  const double azimuth = 0.5 * std::atan2(2 * cxy, cyy - cxx) * numeric::kRadToDeg;
  return azimuth < 0 ? azimuth + 180 : azimuth;
}

std::optional<double> ShMin(const StressTensor& x) {
  const std::optional<double> shMax = ShMax(x);
  if (!shMax) return std::nullopt;
  return *shMax < 90 ? *shMax + 90 : *shMax - 90;
}

StressCharacter CharacterOf(const StressResult& r) {
  StressCharacter c;
  c.rPrime = StressRegimeIndex(r.phi, r.axes[0].plunge, r.axes[1].plunge, r.axes[2].plunge);
  c.regime = StressRegimeName(c.rPrime);
  c.wsmRegime = WorldStressMapRegime(r.axes[0].plunge, r.axes[1].plunge, r.axes[2].plunge);
  c.shMax = ShMax(r.tensor);
  c.shMin = ShMin(r.tensor);
  return c;
}

std::string MethodsDisagreement(const std::array<StressResult, 5>& results) {
  double farthest = 0;
  std::size_t first = 0, second = 0;
  for (std::size_t i = 0; i < results.size(); ++i)
    for (std::size_t j = i + 1; j < results.size(); ++j) {
      const double theta = StressDistance(results[i].tensor, results[j].tensor);
      if (theta <= farthest) continue;
      farthest = theta;
      first = i;
      second = j;
    }
  if (!(farthest > kDisagreement)) return "";
  return std::string("the methods disagree: ") + StressMethodName(kStressMethods[first]) + " and " +
         StressMethodName(kStressMethods[second]) + " are " + FormatAngle(farthest) +
         " degrees apart (Theta)";
}

}  // namespace orniva::analysis
