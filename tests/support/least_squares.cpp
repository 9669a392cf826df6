#include "tests/support/least_squares.h"

#include <cmath>

#include <Eigen/SVD>

namespace orniva::test {

namespace {

// The unit tensors of x = (sxx, sxy, sxz, syy, syz), szz = -sxx - syy.
Eigen::Matrix3d UnitTensor(int k) {
  Eigen::Matrix3d t = Eigen::Matrix3d::Zero();
  const int row[5] = {0, 0, 0, 1, 1}, column[5] = {0, 1, 2, 1, 2};
  t(row[k], column[k]) = t(column[k], row[k]) = 1;
  if (row[k] == column[k]) t(2, 2) = -1;
  return t;
}

}  // namespace

LeastSquaresStress StressBySvd(const std::vector<analysis::FaultSlip>& faults,
                               const std::vector<double>& counts) {
  std::vector<std::size_t> drawn;  // the faults with a say: rows of the design matrix
  for (std::size_t i = 0; i < faults.size(); ++i)
    if (counts[i] > 0) drawn.push_back(i);
  const Eigen::Index n = Eigen::Index(drawn.size());
  Eigen::MatrixXd a(3 * n, 5);
  Eigen::VectorXd s(3 * n);
  for (Eigen::Index row = 0; row < n; ++row) {
    const std::size_t i = drawn[std::size_t(row)];
    const Eigen::Vector3d normal(faults[i].n.x, faults[i].n.y, faults[i].n.z);
    const Eigen::Vector3d slip(faults[i].s.x, faults[i].s.y, faults[i].s.z);
    const double weight = std::sqrt(counts[i]);
    for (int k = 0; k < 5; ++k) {
      const Eigen::Vector3d t = UnitTensor(k) * normal;
      a.block<3, 1>(3 * row, k) = weight * (t - normal.dot(t) * normal);
    }
    s.segment<3>(3 * row) = weight * slip;
  }
  LeastSquaresStress result;
  const Eigen::Matrix<double, 5, 5> h = a.transpose() * a;
  const Eigen::Matrix<double, 5, 1> g = a.transpose() * s;
  for (int j = 0; j < 5; ++j) {
    result.g[std::size_t(j)] = g(j);
    for (int k = 0; k < 5; ++k) result.h[std::size_t(j)][std::size_t(k)] = h(j, k);
  }
  const Eigen::JacobiSVD<Eigen::MatrixXd> svd(a, Eigen::ComputeThinU | Eigen::ComputeThinV);
  const Eigen::VectorXd sigma = svd.singularValues();
  if (sigma.size() < 5 || !(sigma(4) > 0)) return result;
  result.smallestShare = sigma(4) * sigma(4) / (sigma(0) * sigma(0));
  const Eigen::VectorXd x = svd.solve(s);
  result.x = std::array<double, 5>{x(0), x(1), x(2), x(3), x(4)};
  return result;
}

double NormalResidual(const LeastSquaresStress& system, const std::array<double, 5>& x) {
  double residual = 0, length = 0;
  for (std::size_t j = 0; j < 5; ++j) {
    double row = -system.g[j];
    for (std::size_t k = 0; k < 5; ++k) row += system.h[j][k] * x[k];
    residual += row * row;
    length += system.g[j] * system.g[j];
  }
  return std::sqrt(residual / length);
}

}  // namespace orniva::test
