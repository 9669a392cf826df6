#include "analysis/stress_methods.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include <Eigen/Eigenvalues>

namespace orniva::analysis {

using math::Vector3d;

namespace {

using Vector5 = std::array<double, 5>;
using Matrix5 = std::array<Vector5, 5>;

constexpr double kLambda = 0.86602540378443864676;  // sqrt(3) / 2
constexpr double kAngelierNorm2 = 1.5;              // |T|_F^2 of Angelier's normalisation
const double kRoot2 = std::sqrt(2.0), kRoot6 = std::sqrt(6.0);
// An eigenvalue below this share of the largest counts as zero.
constexpr double kRankTolerance = 1e-10;

struct MethodText {
  StressMethod method;
  const char* name;     // on the command line
  const char* refusal;  // how a refusal names it
};
constexpr MethodText kMethodTexts[] = {
    {StressMethod::Michael, "michael", "Michael's method"},
    {StressMethod::Shan, "shan", "Shan's method"},
    {StressMethod::Fry, "fry", "Fry's method"},
    {StressMethod::YamajiSato, "yamaji-sato", "Yamaji and Sato's method"},
    {StressMethod::Angelier, "angelier", "Angelier's S4 minimum"},
};

const MethodText& TextOf(StressMethod method) {
  for (const MethodText& text : kMethodTexts)
    if (text.method == method) return text;
  return kMethodTexts[0];
}

// Eigenvalues of a symmetric matrix in ascending order; vectors[k] is the
// unit eigenvector of values[k], its sign arbitrary (Eigen's self-adjoint
// solver).
struct Spectrum {
  Vector5 values{};
  std::array<Vector5, 5> vectors{};
};

Spectrum SpectrumOf(const Matrix5& a) {
  Eigen::Matrix<double, 5, 5> m;
  for (std::size_t i = 0; i < 5; ++i)
    for (std::size_t j = 0; j < 5; ++j) m(Eigen::Index(i), Eigen::Index(j)) = a[i][j];
  const Eigen::SelfAdjointEigenSolver<Eigen::Matrix<double, 5, 5>> solver(m);
  Spectrum e;
  for (std::size_t k = 0; k < 5; ++k) {
    e.values[k] = solver.eigenvalues()(Eigen::Index(k));
    for (std::size_t i = 0; i < 5; ++i)
      e.vectors[k][i] = solver.eigenvectors()(Eigen::Index(i), Eigen::Index(k));
  }
  return e;
}

void AddOuter(Matrix5& m, const Vector5& o, double weight = 1) {
  for (std::size_t i = 0; i < 5; ++i)
    for (std::size_t j = 0; j < 5; ++j) m[i][j] += weight * o[i] * o[j];
}

// E_k n for the orthonormal (Frobenius) basis of the trace-free tensors
// E0 = diag(1, -1, 0) / sqrt2, E1 = diag(-1, -1, 2) / sqrt6, and
// E2, E3, E4 = (e_x e_y^T + e_y e_x^T) / sqrt2, the same of xz and of yz.
std::array<Vector3d, 5> BasisTimes(Vector3d n) {
  return {{{n.x / kRoot2, -n.y / kRoot2, 0},
           {-n.x / kRoot6, -n.y / kRoot6, 2 * n.z / kRoot6},
           {n.y / kRoot2, n.x / kRoot2, 0},
           {n.z / kRoot2, 0, n.x / kRoot2},
           {0, n.z / kRoot2, n.y / kRoot2}}};
}

// sum c_k E_k as (sxx, sxy, sxz, syy, syz).
Vector5 TensorOf(const Vector5& c) {
  return {c[0] / kRoot2 - c[1] / kRoot6, c[2] / kRoot2, c[3] / kRoot2,
          -c[0] / kRoot2 - c[1] / kRoot6, c[4] / kRoot2};
}

// H = sum A_i^T A_i and g = sum A_i^T s_i, where the columns of A_i are the
// shear tractions of the basis tensors on plane i.
struct TractionSums {
  Matrix5 h{};
  Vector5 g{};
};

TractionSums SumTractions(const std::vector<FaultSlip>& faults) {
  TractionSums sums;
  for (const FaultSlip& f : faults) {
    std::array<Vector3d, 5> tau = BasisTimes(f.n);
    for (Vector3d& t : tau) t = t - math::Dot(f.n, t) * f.n;
    for (std::size_t j = 0; j < 5; ++j) {
      sums.g[j] += math::Dot(tau[j], f.s);
      for (std::size_t k = j; k < 5; ++k) sums.h[j][k] += math::Dot(tau[j], tau[k]);
    }
  }
  for (std::size_t j = 0; j < 5; ++j)
    for (std::size_t k = 0; k < j; ++k) sums.h[j][k] = sums.h[k][j];
  return sums;
}

bool SmallestIsSimple(const Spectrum& e) {
  return e.values[1] - e.values[0] > kRankTolerance * std::fabs(e.values[4]);
}

double MeanBeta(const Vector5& x, const std::vector<FaultSlip>& faults) {
  double sum = 0;
  for (const FaultSlip& f : faults) sum += math::AngleBetween(f.s, ShearTraction(x, f.n));
  return sum / double(faults.size());
}

// x or -x, whichever has the smaller mean beta.
Vector5 SignByMeanBeta(Vector5 x, const std::vector<FaultSlip>& faults) {
  if (MeanBeta(x, faults) > 90)
    for (double& v : x) v = -v;
  return x;
}

std::optional<Vector5> Shan(const std::vector<FaultSlip>& faults) {
  Matrix5 m{};
  for (const FaultSlip& f : faults) {
    const Vector3d n = f.n, t = math::Normalise(math::Cross(f.s, f.n));
    AddOuter(m, {n.x * t.x - n.z * t.z, n.y * t.y - n.z * t.z, n.x * t.y + n.y * t.x,
                 n.x * t.z + n.z * t.x, n.y * t.z + n.z * t.y});
  }
  const Spectrum e = SpectrumOf(m);
  if (!SmallestIsSimple(e)) return std::nullopt;
  const Vector5& x = e.vectors[0];  // Txx, Tyy, Txy, Txz, Tyz
  return Vector5{x[0], x[2], x[3], x[1], x[4]};
}

// Fry's o in the orthonormal basis of its trace-free tensors,
// (1, -1, 0, 0, 0, 0) / sqrt2, (1, 1, -2, 0, 0, 0) / sqrt6 and the three
// off-diagonal units.
std::optional<Vector5> Fry(const std::vector<FaultSlip>& faults) {
  Matrix5 m{};
  for (const FaultSlip& f : faults) {
    const Vector3d n = f.n, t = math::Normalise(math::Cross(f.s, f.n));
    const double o[6] = {-n.x * t.x,
                         -n.y * t.y,
                         -n.z * t.z,
                         -(t.x * n.y + t.y * n.x),
                         -(t.y * n.z + t.z * n.y),
                         -(t.z * n.x + t.x * n.z)};
    double length2 = 0;
    for (double v : o) length2 += v * v;
    AddOuter(m, {(o[0] - o[1]) / kRoot2, (o[0] + o[1] - 2 * o[2]) / kRoot6, o[3], o[4], o[5]},
             1 / length2);
  }
  const Spectrum e = SpectrumOf(m);
  if (!SmallestIsSimple(e)) return std::nullopt;
  const Vector5& v = e.vectors[0];
  const double xx = v[0] / kRoot2 + v[1] / kRoot6, yy = -v[0] / kRoot2 + v[1] / kRoot6;
  return Vector5{xx, v[2], v[4], yy, v[3]};  // Txy, Tzx, Tyz in the last three
}

std::optional<Vector5> YamajiSato(const std::vector<FaultSlip>& faults) {
  Matrix5 m{};
  for (const FaultSlip& f : faults) {
    const Vector3d b = math::Cross(f.n, f.s);
    const std::array<Vector3d, 5> en = BasisTimes(f.n);
    Vector5 e{};
    for (std::size_t k = 0; k < 5; ++k) e[k] = math::Dot(b, en[k]);
    AddOuter(m, e);
  }
  const Spectrum e = SpectrumOf(m);
  if (!SmallestIsSimple(e)) return std::nullopt;
  return TensorOf(e.vectors[0]);  // unit c: the reduced tensor
}

// The root delta > 0 of phi(delta) = sum d_k^2 / (gap_k + delta)^2 = r2,
// where phi(0+) > r2: Newton steps on 1 / sqrt(phi) - 1 / sqrt(r2), which
// is nearly linear in delta, kept inside the bracket by bisection.
double SecularRoot(const Vector5& d, const Vector5& gap, double r2) {
  double norm2 = 0;
  for (double v : d) norm2 += v * v;
  double lo = 0, hi = std::sqrt(norm2 / r2), delta = hi;  // phi(hi) <= r2
  for (int round = 0; round < 200; ++round) {
    double phi = 0, slope = 0;
    for (std::size_t k = 0; k < 5; ++k) {
      const double q = d[k] * d[k] / ((gap[k] + delta) * (gap[k] + delta));
      phi += q;
      slope -= 2 * q / (gap[k] + delta);
    }
    (phi > r2 ? lo : hi) = delta;
    if (std::fabs(phi - r2) <= 1e-15 * r2) break;
    const double psi = 1 / std::sqrt(phi) - 1 / std::sqrt(r2);
    double next = delta - psi / (-0.5 * slope / (phi * std::sqrt(phi)));
    if (!(next > lo && next < hi)) next = lo > 0 ? std::sqrt(lo * hi) : hi / 16;
    if (next == delta) break;
    delta = next;
  }
  return delta;
}

// The minima of c^T H c - 2 lambda g . c over |c|^2 = 3/2 (see the header):
// one, or the two of the hard case.
std::vector<Vector5> MinimaOnSphere(const TractionSums& sums) {
  const Spectrum e = SpectrumOf(sums.h);
  Vector5 d{}, gap{};
  bool hard = true;
  double reach = 0;  // |c|^2 with mu = h1, from the eigenvectors above h1
  for (std::size_t k = 0; k < 5; ++k) {
    for (std::size_t i = 0; i < 5; ++i) d[k] += kLambda * e.vectors[k][i] * sums.g[i];
    gap[k] = e.values[k] - e.values[0];
    if (gap[k] > 0) reach += d[k] * d[k] / (gap[k] * gap[k]);
    if (gap[k] == 0 && d[k] != 0) hard = false;
  }
  hard = hard && reach <= kAngelierNorm2;
  const double delta = hard ? 0 : SecularRoot(d, gap, kAngelierNorm2);
  Vector5 c{};
  for (std::size_t k = 0; k < 5; ++k)
    if (gap[k] + delta > 0)
      for (std::size_t i = 0; i < 5; ++i) c[i] += d[k] / (gap[k] + delta) * e.vectors[k][i];
  if (!hard) return {c};
  const double along = std::sqrt(kAngelierNorm2 - reach);
  Vector5 minus = c;
  for (std::size_t i = 0; i < 5; ++i) {
    c[i] += along * e.vectors[0][i];
    minus[i] -= along * e.vectors[0][i];
  }
  return {c, minus};
}

Vector5 AngelierS4Minimum(const TractionSums& sums, const std::vector<FaultSlip>& faults) {
  const std::vector<Vector5> minima = MinimaOnSphere(sums);
  Vector5 best{};
  double bestBeta = std::numeric_limits<double>::infinity();
  for (const Vector5& c : minima) {
    double norm2 = 0;
    for (double v : c) norm2 += v * v;
    Vector5 scaled = c;  // onto the sphere exactly
    for (double& v : scaled) v *= std::sqrt(kAngelierNorm2 / norm2);
    const Vector5 x = TensorOf(scaled);
    const double beta = MeanBeta(x, faults);
    if (beta < bestBeta) {
      best = x;
      bestBeta = beta;
    }
  }
  return best;
}

std::optional<Vector5> Solve(StressMethod method, const std::vector<FaultSlip>& faults) {
  const TractionSums sums = SumTractions(faults);
  const Spectrum h = SpectrumOf(sums.h);
  if (!(h.values[0] > kRankTolerance * h.values[4])) return std::nullopt;
  std::optional<Vector5> x;
  switch (method) {
    case StressMethod::Shan:
      x = Shan(faults);
      break;
    case StressMethod::Fry:
      x = Fry(faults);
      break;
    case StressMethod::YamajiSato:
      x = YamajiSato(faults);
      break;
    case StressMethod::Angelier:
      return AngelierS4Minimum(sums, faults);
    case StressMethod::Michael:
      break;
  }
  if (x) x = SignByMeanBeta(*x, faults);
  return x;
}

void Invert(const InversionInput& input, StressMethod method, bool iterate, StressResult& result) {
  if (method == StressMethod::Michael) return InvertMichael(input, iterate, result);
  const std::string who = TextOf(method).refusal;
  if (input.used.size() < 5) {
    result.error =
        who + " needs at least 5 faults; " + std::to_string(input.used.size()) + " given";
    return;
  }
  const std::optional<Vector5> x = Solve(method, input.used);
  if (!x) {
    result.error = who + ": the fault planes do not determine the stress (rank below 5)";
    return;
  }
  DescribeStress(*x, input.all, result);
  result.rounds = 1;
}

}  // namespace

const char* StressMethodName(StressMethod method) { return TextOf(method).name; }

std::optional<StressMethod> StressMethodNamed(std::string_view name) {
  for (const MethodText& text : kMethodTexts)
    if (name == text.name) return text.method;
  return std::nullopt;
}

StressResult InvertStress(const FaultSet& data, StressMethod method, bool iterate,
                          const std::vector<bool>* use) {
  StressResult result;
  Invert(StartInversion(data, use, result), method, iterate, result);
  return result;
}

std::array<StressResult, 5> InvertByEveryMethod(const FaultSet& data, bool iterate,
                                                const std::vector<bool>* use) {
  std::array<StressResult, 5> results;
  const InversionInput input = StartInversion(data, use, results[0]);
  for (std::size_t i = 1; i < results.size(); ++i) results[i] = results[0];
  for (std::size_t i = 0; i < results.size(); ++i)
    Invert(input, kStressMethods[i], iterate, results[i]);
  return results;
}

StressResult InvertStress(const std::vector<FaultSlip>& faults, StressMethod method, bool iterate) {
  StressResult result;
  Invert(StartInversion(faults, result), method, iterate, result);
  return result;
}

}  // namespace orniva::analysis
