#include "analysis/michael_terms.h"

#include <algorithm>
#include <cmath>

#include <Eigen/Cholesky>

namespace orniva::analysis {

namespace {

using Vector5 = std::array<double, 5>;

constexpr int kMaxRounds = 100;
constexpr double kAxesSettled = 0.01;  // [deg]
// A pivot at or below this share of the largest diagonal element of the
// normal equations counts as zero: the planes do not fix all five unknowns.
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

// The normal matrix factored as P^T L D L^T P (Eigen's LDLT: symmetric
// pivoting on the largest remaining diagonal element). H is a sum of
// A_i^T A_i, so positive semidefinite: D holds the pivots, and a pivot at
// or below kRankTolerance times the largest diagonal element of H means
// the planes do not fix all five unknowns.
class Factored {
 public:
  // False when the rank is below 5.
  bool Factor(const Symmetric5& h) {
    Eigen::Matrix<double, 5, 5> a;
    std::size_t m = 0;
    for (Eigen::Index j = 0; j < 5; ++j)
      for (Eigen::Index k = j; k < 5; ++k) a(j, k) = a(k, j) = h[m++];
    const double scale = a.diagonal().cwiseAbs().maxCoeff();
    if (!(scale > 0)) return false;
    ldlt_.compute(a);
    for (Eigen::Index k = 0; k < 5; ++k)
      if (!(ldlt_.vectorD()(k) > kRankTolerance * scale)) return false;
    return true;
  }

  Vector5 Solve(const Vector5& b) const {
    const Eigen::Matrix<double, 5, 1> x =
        ldlt_.solve(Eigen::Map<const Eigen::Matrix<double, 5, 1>>(b.data()));
    return {x(0), x(1), x(2), x(3), x(4)};
  }

 private:
  Eigen::LDLT<Eigen::Matrix<double, 5, 5>> ldlt_;
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

// sum count_i |tau_i| g_i, tau_i from the solution x: the weights in one
// pass (no sum, so it runs two faults to an instruction), then each sum
// over the even and the odd faults apart.
Vector5 WeightedSlips(const Vector5& x, const SlipColumns& slips,
                      const std::vector<double>& counts) {
  const std::size_t n = counts.size();
  const double xx = x[0], xy = x[1], xz = x[2], yy = x[3], yz = x[4], zz = -x[0] - x[3];
  std::vector<double> weights(n);
  for (std::size_t i = 0; i < n; ++i) {
    const double nx = slips.nx[i], ny = slips.ny[i], nz = slips.nz[i];
    const double ax = xx * nx + xy * ny + xz * nz, ay = xy * nx + yy * ny + yz * nz,
                 az = xz * nx + yz * ny + zz * nz;
    const double normal = nx * ax + ny * ay + nz * az;
    const double tx = ax - normal * nx, ty = ay - normal * ny, tz = az - normal * nz;
    weights[i] = counts[i] * std::sqrt(tx * tx + ty * ty + tz * tz);
  }
  Vector5 b{};
  for (std::size_t j = 0; j < 5; ++j) {
    const double* g = slips.g[j].data();
    double even = 0, odd = 0;
    std::size_t i = 0;
    for (; i + 1 < n; i += 2) {
      even += weights[i] * g[i];
      odd += weights[i + 1] * g[i + 1];
    }
    if (i < n) even += weights[i] * g[i];
    b[j] = even + odd;
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

MichaelTerm SumTerms(const std::vector<MichaelTerm>& terms, const std::vector<double>& counts) {
  MichaelTerm sum;
  for (std::size_t i = 0; i < terms.size(); ++i) {
    for (std::size_t j = 0; j < sum.h.size(); ++j) sum.h[j] += counts[i] * terms[i].h[j];
    for (std::size_t j = 0; j < sum.g.size(); ++j) sum.g[j] += counts[i] * terms[i].g[j];
  }
  return sum;
}

SlipColumns SlipColumnsOf(const std::vector<FaultSlip>& faults,
                          const std::vector<MichaelTerm>& terms) {
  SlipColumns slips;
  for (std::size_t i = 0; i < faults.size(); ++i) {
    slips.nx.push_back(faults[i].n.x);
    slips.ny.push_back(faults[i].n.y);
    slips.nz.push_back(faults[i].n.z);
    for (std::size_t j = 0; j < 5; ++j) slips.g[j].push_back(terms[i].g[j]);
  }
  return slips;
}

MichaelSolution SolveMichael(const MichaelTerm& sums, const SlipColumns& slips,
                             const std::vector<double>& counts, bool iterate) {
  MichaelSolution solution;
  Factored normal;
  if (!normal.Factor(sums.h)) return solution;
  Vector5 x = normal.Solve(sums.g);
  solution.rounds = 1;
  while (iterate && solution.rounds < kMaxRounds) {
    const Vector5 next = normal.Solve(WeightedSlips(x, slips, counts));
    ++solution.rounds;
    const double moved = AxesMoved(Principal(x), Principal(next));
    x = next;
    if (moved < kAxesSettled) break;
  }
  solution.x = x;
  return solution;
}

double PrincipalAxesMoved(const Vector5& a, const Vector5& b) {
  return AxesMoved(Principal(a), Principal(b));
}

}  // namespace orniva::analysis
