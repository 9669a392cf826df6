#include "analysis/stress_inversion.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "analysis/fault_vectors.h"

namespace orniva::analysis {

using math::Vector3d;

namespace {

using Vector5 = std::array<double, 5>;
using Matrix5 = std::array<Vector5, 5>;

constexpr int kMaxRounds = 100;
constexpr double kAxesSettled = 0.01;  // [deg]
// A pivot below this share of the largest diagonal element of the normal
// equations counts as zero: the planes do not fix all five unknowns.
constexpr double kRankTolerance = 1e-10;

// The shear traction's linear map at n as the 3 x 5 matrix A: tau = A x.
std::array<Vector5, 3> TractionMatrix(Vector3d n) {
  std::array<Vector5, 3> a{};
  for (int k = 0; k < 5; ++k) {
    Vector5 unit{};
    unit[std::size_t(k)] = 1;
    const Vector3d t = ShearTraction(unit, n);
    a[0][std::size_t(k)] = t.x;
    a[1][std::size_t(k)] = t.y;
    a[2][std::size_t(k)] = t.z;
  }
  return a;
}

// Gaussian elimination with partial pivoting; nullopt for rank below 5.
std::optional<Vector5> Solve(Matrix5 m, Vector5 b) {
  double scale = 0;
  for (int i = 0; i < 5; ++i) scale = std::max(scale, std::fabs(m[std::size_t(i)][std::size_t(i)]));
  if (!(scale > 0)) return std::nullopt;
  for (std::size_t c = 0; c < 5; ++c) {
    std::size_t pivot = c;
    for (std::size_t r = c + 1; r < 5; ++r)
      if (std::fabs(m[r][c]) > std::fabs(m[pivot][c])) pivot = r;
    if (!(std::fabs(m[pivot][c]) > kRankTolerance * scale)) return std::nullopt;
    std::swap(m[c], m[pivot]);
    std::swap(b[c], b[pivot]);
    for (std::size_t r = c + 1; r < 5; ++r) {
      const double f = m[r][c] / m[c][c];
      for (std::size_t k = c; k < 5; ++k) m[r][k] -= f * m[c][k];
      b[r] -= f * b[c];
    }
  }
  Vector5 x{};
  for (std::size_t c = 5; c-- > 0;) {
    double sum = b[c];
    for (std::size_t k = c + 1; k < 5; ++k) sum -= m[c][k] * x[k];
    x[c] = sum / m[c][c];
  }
  return x;
}

std::optional<Vector5> LeastSquares(const std::vector<FaultSlip>& faults,
                                    const std::vector<double>& weights) {
  Matrix5 ata{};
  Vector5 atb{};
  for (std::size_t i = 0; i < faults.size(); ++i) {
    const std::array<Vector5, 3> a = TractionMatrix(faults[i].n);
    const double b[3] = {weights[i] * faults[i].s.x, weights[i] * faults[i].s.y,
                         weights[i] * faults[i].s.z};
    for (std::size_t row = 0; row < 3; ++row)
      for (std::size_t j = 0; j < 5; ++j) {
        atb[j] += a[row][j] * b[row];
        for (std::size_t k = 0; k < 5; ++k) ata[j][k] += a[row][j] * a[row][k];
      }
  }
  return Solve(ata, atb);
}

math::SymmetricEigen Principal(const Vector5& x) {
  const math::Matrix3d m = {{{x[0], x[1], x[2]}, {x[1], x[3], x[4]}, {x[2], x[4], -x[0] - x[3]}}};
  return math::EigenSymmetric(m);
}

// The largest angle between corresponding principal axes [deg].
double AxesMoved(const math::SymmetricEigen& a, const math::SymmetricEigen& b) {
  double moved = 0;
  for (std::size_t k = 0; k < 3; ++k) {
    const double angle = math::AngleBetween(a.vectors[k], b.vectors[k]);
    moved = std::max(moved, std::min(angle, 180 - angle));
  }
  return moved;
}

}  // namespace

FaultSlip SlipOf(const FaultVectors& f) {
  return {f.n, math::Normalise(f.s - math::Dot(f.s, f.n) * f.n)};
}

InversionInput StartInversion(const FaultSet& data, const std::vector<bool>* use,
                              StressResult& result) {
  const UsedFaults collected = CollectUsedFaults(data);
  result.leftOut = collected.leftOut;
  InversionInput input;
  input.all.reserve(collected.faults.size());
  input.used.reserve(collected.faults.size());
  result.faults.reserve(collected.faults.size());
  for (const FaultVectors& f : collected.faults) {
    const bool on = !use || (std::size_t(f.line) < use->size() && (*use)[std::size_t(f.line)]);
    result.faults.push_back({f.line, 0, on});
    input.all.push_back(SlipOf(f));
    if (on) input.used.push_back(input.all.back());
  }
  result.used = int(input.used.size());
  return input;
}

void DescribeStress(const Vector5& x, const std::vector<FaultSlip>& all, StressResult& result) {
  const math::SymmetricEigen e = Principal(x);
  result.tensor = x;
  for (std::size_t k = 0; k < 3; ++k) {
    result.axes[k] = math::LowerHemisphereLine(e.vectors[k]);
    result.eigenvalues[k] = e.values[k];
  }
  const double spread = e.values[0] - e.values[2];
  result.phi = spread != 0 ? (e.values[1] - e.values[2]) / spread : 0;
  result.r = 1 - result.phi;
  double sum = 0;
  for (std::size_t i = 0; i < all.size(); ++i) {
    FaultMisfit& misfit = result.faults[i];
    misfit.beta = math::AngleBetween(all[i].s, ShearTraction(x, all[i].n));
    if (!misfit.used) continue;
    sum += misfit.beta;
    ++result.histogram[std::min<std::size_t>(17, std::size_t(misfit.beta / 10))];
  }
  result.meanBeta = sum / result.used;
}

Vector3d ShearTraction(const std::array<double, 5>& x, Vector3d n) {
  const double zz = -x[0] - x[3];
  const Vector3d sn{x[0] * n.x + x[1] * n.y + x[2] * n.z, x[1] * n.x + x[3] * n.y + x[4] * n.z,
                    x[2] * n.x + x[4] * n.y + zz * n.z};
  return sn - math::Dot(n, sn) * n;
}

InversionInput StartInversion(const std::vector<FaultSlip>& faults, StressResult& result) {
  for (std::size_t i = 0; i < faults.size(); ++i) result.faults.push_back({int(i + 1), 0, true});
  result.used = int(faults.size());
  return {faults, faults};
}

void InvertMichael(const InversionInput& input, bool iterate, StressResult& result) {
  const std::vector<FaultSlip>& used = input.used;
  if (used.size() < 4) {
    result.error =
        "stress inversion needs at least 4 faults; " + std::to_string(used.size()) + " given";
    return;
  }
  std::vector<double> weights(used.size(), 1.0);
  std::optional<Vector5> x = LeastSquares(used, weights);
  result.rounds = 1;
  while (x && iterate && result.rounds < kMaxRounds) {
    for (std::size_t i = 0; i < used.size(); ++i)
      weights[i] = math::Norm(ShearTraction(*x, used[i].n));
    const std::optional<Vector5> next = LeastSquares(used, weights);
    if (!next) break;
    ++result.rounds;
    const double moved = AxesMoved(Principal(*x), Principal(*next));
    x = next;
    if (moved < kAxesSettled) break;
  }
  if (!x) {
    result.error = "the fault planes do not determine the stress (rank below 5)";
    return;
  }
  DescribeStress(*x, input.all, result);
}

std::optional<Vector5> WeightedMichael(const std::vector<FaultSlip>& faults,
                                       const std::vector<double>& weights,
                                       const std::vector<double>& magnitudes) {
  Matrix5 ata{};
  Vector5 atb{};
  for (std::size_t i = 0; i < faults.size(); ++i) {
    const std::array<Vector5, 3> a = TractionMatrix(faults[i].n);
    const double m = magnitudes[i];
    const double s[3] = {m * faults[i].s.x, m * faults[i].s.y, m * faults[i].s.z};
    for (std::size_t row = 0; row < 3; ++row)
      for (std::size_t j = 0; j < 5; ++j) {
        const double weighted = weights[i] * a[row][j];
        atb[j] += weighted * s[row];
        for (std::size_t k = 0; k < 5; ++k) ata[j][k] += weighted * a[row][k];
      }
  }
  return Solve(ata, atb);
}

double PrincipalAxesMoved(const Vector5& a, const Vector5& b) {
  return AxesMoved(Principal(a), Principal(b));
}

StressResult InvertStress(const FaultSet& data, bool iterate, const std::vector<bool>* use) {
  StressResult result;
  InvertMichael(StartInversion(data, use, result), iterate, result);
  return result;
}

CsvReport StressCsv(const FaultSet& data, bool iterate) {
  return StressCsv(InvertStress(data, iterate));
}

CsvReport StressCsv(const StressResult& r) {
  if (r.used == 0) return {"", kNoUsableData};
  if (!r.error.empty()) return {"", r.error};
  std::string text =
      "s1_trend,s1_plunge,s2_trend,s2_plunge,s3_trend,s3_plunge,phi,r,mean_misfit,n\n";
  text += FormatLine(r.axes[0]) + "," + FormatLine(r.axes[1]) + "," + FormatLine(r.axes[2]) + "," +
          FormatValue(r.phi) + "," + FormatValue(r.r) + "," + FormatAngle(r.meanBeta) + "," +
          std::to_string(r.used) + "\n";
  return {text, ""};
}

CsvReport MisfitAnglesCsv(const FaultSet& data, bool iterate) {
  return MisfitAnglesCsv(InvertStress(data, iterate));
}

CsvReport MisfitAnglesCsv(const StressResult& r) {
  if (r.used == 0) return {"", kNoUsableData};
  if (!r.error.empty()) return {"", r.error};
  std::string text = "line,beta\n";
  for (const FaultMisfit& f : r.faults)
    text += std::to_string(f.line) + "," + FormatAngle(f.beta) + "\n";
  return {text, ""};
}

}  // namespace orniva::analysis
