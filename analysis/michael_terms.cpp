#include "analysis/michael_terms.h"

#include <algorithm>
#include <cmath>

namespace orniva::analysis {

namespace {

using Vector5 = std::array<double, 5>;
using Matrix5 = std::array<Vector5, 5>;

constexpr int kMaxRounds = 100;
constexpr double kAxesSettled = 0.01;  // [deg]
// A pivot below this share of the largest diagonal element of the normal
// equations counts as zero: the planes do not fix all five unknowns.
constexpr double kRankTolerance = 1e-10;

// The shear traction's linear map at n as the 3 x 5 matrix A: tau = A x.
std::array<Vector5, 3> TractionMatrix(math::Vector3d n) {
  std::array<Vector5, 3> a{};
  for (std::size_t k = 0; k < 5; ++k) {
    Vector5 unit{};
    unit[k] = 1;
    const math::Vector3d t = ShearTraction(unit, n);
    a[0][k] = t.x;
    a[1][k] = t.y;
    a[2][k] = t.z;
  }
  return a;
}

// The normal matrix factored by Gaussian elimination with partial pivoting:
// the eliminated rows and, below the diagonal, the multipliers.
class Factored {
 public:
  // False when the rank is below 5.
  bool Factor(const Symmetric5& h) {
    std::size_t m = 0;
    for (std::size_t j = 0; j < 5; ++j)
      for (std::size_t k = j; k < 5; ++k) a_[j][k] = a_[k][j] = h[m++];
    double scale = 0;
    for (std::size_t i = 0; i < 5; ++i) scale = std::max(scale, std::fabs(a_[i][i]));
    if (!(scale > 0)) return false;
    for (std::size_t c = 0; c < 5; ++c) {
      std::size_t pivot = c;
      for (std::size_t r = c + 1; r < 5; ++r)
        if (std::fabs(a_[r][c]) > std::fabs(a_[pivot][c])) pivot = r;
      if (!(std::fabs(a_[pivot][c]) > kRankTolerance * scale)) return false;
      std::swap(a_[c], a_[pivot]);
      pivots_[c] = pivot;
      for (std::size_t r = c + 1; r < 5; ++r) {
        const double f = a_[r][c] / a_[c][c];
        for (std::size_t k = c + 1; k < 5; ++k) a_[r][k] -= f * a_[c][k];
        a_[r][c] = f;
      }
    }
    return true;
  }

  Vector5 Solve(Vector5 b) const {
    for (std::size_t c = 0; c < 5; ++c) {
      std::swap(b[c], b[pivots_[c]]);
      for (std::size_t r = c + 1; r < 5; ++r) b[r] -= a_[r][c] * b[c];
    }
    Vector5 x{};
    for (std::size_t c = 5; c-- > 0;) {
      double sum = b[c];
      for (std::size_t k = c + 1; k < 5; ++k) sum -= a_[c][k] * x[k];
      x[c] = sum / a_[c][c];
    }
    return x;
  }

 private:
  Matrix5 a_{};
  std::array<std::size_t, 5> pivots_{};
};

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

// sum count |tau_i| g_i over `counted`, |tau_i| from the solution x.
Vector5 WeightedSlips(const Vector5& x, const std::vector<MichaelTerm>& terms,
                      const std::vector<CountedFault>& counted) {
  Symmetric5 products{};  // x_j x_k, doubled off the diagonal
  std::size_t m = 0;
  for (std::size_t j = 0; j < 5; ++j)
    for (std::size_t k = j; k < 5; ++k) products[m++] = (j == k ? 1 : 2) * x[j] * x[k];
  Vector5 b{};
  for (const CountedFault& f : counted) {
    const MichaelTerm& t = terms[f.index];
    double tau2 = 0;
    for (std::size_t i = 0; i < products.size(); ++i) tau2 += t.h[i] * products[i];
    const double weight = f.count * std::sqrt(std::max(0.0, tau2));
    for (std::size_t j = 0; j < 5; ++j) b[j] += weight * t.g[j];
  }
  return b;
}

}  // namespace

std::vector<MichaelTerm> MichaelTerms(const std::vector<FaultSlip>& faults) {
  std::vector<MichaelTerm> terms(faults.size());
  for (std::size_t i = 0; i < faults.size(); ++i) {
    const std::array<Vector5, 3> a = TractionMatrix(faults[i].n);
    const double s[3] = {faults[i].s.x, faults[i].s.y, faults[i].s.z};
    MichaelTerm& t = terms[i];
    std::size_t m = 0;
    for (std::size_t j = 0; j < 5; ++j) {
      t.g[j] = a[0][j] * s[0] + a[1][j] * s[1] + a[2][j] * s[2];
      for (std::size_t k = j; k < 5; ++k)
        t.h[m++] = a[0][j] * a[0][k] + a[1][j] * a[1][k] + a[2][j] * a[2][k];
    }
  }
  return terms;
}

MichaelTerm SumTerms(const std::vector<MichaelTerm>& terms,
                     const std::vector<CountedFault>& counted) {
  MichaelTerm sum;
  for (const CountedFault& f : counted) {
    const MichaelTerm& t = terms[f.index];
    for (std::size_t j = 0; j < sum.h.size(); ++j) sum.h[j] += f.count * t.h[j];
    for (std::size_t j = 0; j < sum.g.size(); ++j) sum.g[j] += f.count * t.g[j];
  }
  return sum;
}

MichaelSolution SolveMichael(const MichaelTerm& sums, const std::vector<MichaelTerm>& terms,
                             const std::vector<CountedFault>& counted, bool iterate) {
  MichaelSolution solution;
  Factored normal;
  if (!normal.Factor(sums.h)) return solution;
  Vector5 x = normal.Solve(sums.g);
  solution.rounds = 1;
  while (iterate && solution.rounds < kMaxRounds) {
    const Vector5 next = normal.Solve(WeightedSlips(x, terms, counted));
    ++solution.rounds;
    const double moved = AxesMoved(Principal(x), Principal(next));
    x = next;
    if (moved < kAxesSettled) break;
  }
  solution.x = x;
  return solution;
}

}  // namespace orniva::analysis
