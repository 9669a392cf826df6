#include "analysis/dihedra.h"

#include <cstring>
#include <functional>
#include <limits>
#include <thread>

#include "analysis/density.h"

namespace orniva::analysis {

using math::Vector3d;

namespace {

// The faults' n and s by component, so that the loop over faults runs in
// vector registers; also rounded to float for the quick first pass.
struct FaultColumns {
  std::vector<double> nx, ny, nz, sx, sy, sz;
  std::vector<float> fx[6];

  explicit FaultColumns(const std::vector<FaultVectors>& faults) {
    for (std::vector<double>* c : {&nx, &ny, &nz, &sx, &sy, &sz}) c->reserve(faults.size());
    for (const FaultVectors& f : faults) {
      nx.push_back(f.n.x), ny.push_back(f.n.y), nz.push_back(f.n.z);
      sx.push_back(f.s.x), sy.push_back(f.s.y), sz.push_back(f.s.z);
    }
    const std::vector<double>* columns[6] = {&nx, &ny, &nz, &sx, &sy, &sz};
    for (int k = 0; k < 6; ++k) fx[k].assign(columns[k]->begin(), columns[k]->end());
  }
};

using Float8 = float __attribute__((vector_size(32)));
using Int8 = int __attribute__((vector_size(32)));

// Beyond this the sign of a product computed in float is that of the exact
// one, and the product is no boundary case. Unit vectors rounded to float
// and dot products of three terms leave an error below 2e-6 in the
// product; a margin of five makes it certain.
constexpr float kCertainInFloat = 1e-5f;

double Product(const FaultColumns& c, Vector3d d, std::size_t i) {
  return (d.x * c.nx[i] + d.y * c.ny[i] + d.z * c.nz[i]) *
         (d.x * c.sx[i] + d.y * c.sy[i] + d.z * c.sz[i]);
}

// One fault's share of 2 C: 2 inside the compressional dihedron, 1 on its
// boundary, 0 outside, from x in double as the definition has it.
int TwiceShare(const FaultColumns& c, Vector3d d, std::size_t i) {
  const double x = Product(c, d, i);
  return (x < -kDihedronBoundary) + (x <= kDihedronBoundary);
}

// 2 * (#{x < -tol} + 1/2 #{|x| <= tol}) in float, 32 faults at a time in
// four vectors of eight (a true lane of a comparison is -1): a product
// beyond kCertainInFloat counts 2 or 0 by its sign, and the few groups
// holding one within it are counted again in double, fault by fault.
__attribute__((target_clones("avx2", "default"))) long long TwiceCompressional(
    const FaultColumns& c, Vector3d d) {
  constexpr std::size_t kGroup = 32;
  const std::size_t n = c.nx.size(), groups = n / kGroup * kGroup;
  const float x0 = float(d.x), y0 = float(d.y), z0 = float(d.z);
  const Float8 dx = {x0, x0, x0, x0, x0, x0, x0, x0}, dy = {y0, y0, y0, y0, y0, y0, y0, y0},
               dz = {z0, z0, z0, z0, z0, z0, z0, z0};
  const Float8 above = Float8{1, 1, 1, 1, 1, 1, 1, 1} * kCertainInFloat, below = -above;
  const float *nx = c.fx[0].data(), *ny = c.fx[1].data(), *nz = c.fx[2].data();
  const float *sx = c.fx[3].data(), *sy = c.fx[4].data(), *sz = c.fx[5].data();
  Int8 lanes = {0, 0, 0, 0, 0, 0, 0, 0};
  long long count = 0;
  for (std::size_t i = 0; i < groups; i += kGroup) {
    Int8 negative = {0, 0, 0, 0, 0, 0, 0, 0}, certain = ~negative;
    for (std::size_t b = i; b < i + kGroup; b += 8) {
      Float8 v[6];
      std::memcpy(&v[0], nx + b, sizeof v[0]);
      std::memcpy(&v[1], ny + b, sizeof v[1]);
      std::memcpy(&v[2], nz + b, sizeof v[2]);
      std::memcpy(&v[3], sx + b, sizeof v[3]);
      std::memcpy(&v[4], sy + b, sizeof v[4]);
      std::memcpy(&v[5], sz + b, sizeof v[5]);
      const Float8 x = (dx * v[0] + dy * v[1] + dz * v[2]) * (dx * v[3] + dy * v[4] + dz * v[5]);
      negative -= (x < below);
      certain &= (x < below) | (x > above);
    }
    int all = -1;
    for (int k = 0; k < 8; ++k) all &= certain[k];
    if (all) {
      lanes += negative;
      continue;
    }
    for (std::size_t j = i; j < i + kGroup; ++j) count += TwiceShare(c, d, j);
  }
  for (int k = 0; k < 8; ++k) count += 2 * (long long)(lanes[k]);
  for (std::size_t i = groups; i < n; ++i) count += TwiceShare(c, d, i);
  return count;
}

void FillRange(const FaultColumns& columns, const std::vector<Vector3d>& nodes, std::size_t begin,
               std::size_t end, std::vector<double>& values) {
  const double scale = 50.0 / double(columns.nx.size());
  for (std::size_t k = begin; k < end; ++k)
    values[k] = scale * double(TwiceCompressional(columns, nodes[k]));
}

// Below this many fault-node products one thread is quicker than two.
constexpr double kThreadedWork = 2e6;

}  // namespace

std::vector<double> DihedraValues(const std::vector<FaultVectors>& faults,
                                  const std::vector<Vector3d>& nodes) {
  std::vector<double> values(nodes.size(), std::numeric_limits<double>::quiet_NaN());
  if (faults.empty()) return values;
  const FaultColumns columns(faults);
  if (double(faults.size()) * double(nodes.size()) < kThreadedWork) {
    FillRange(columns, nodes, 0, nodes.size(), values);
    return values;
  }
  const std::size_t half = nodes.size() / 2;
  std::thread other(FillRange, std::cref(columns), std::cref(nodes), half, nodes.size(),
                    std::ref(values));
  FillRange(columns, nodes, 0, half, values);
  other.join();
  return values;
}

}  // namespace orniva::analysis
