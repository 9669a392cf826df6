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
// vector registers.
struct FaultColumns {
  std::vector<double> nx, ny, nz, sx, sy, sz;

  explicit FaultColumns(const std::vector<FaultVectors>& faults) {
    for (std::vector<double>* c : {&nx, &ny, &nz, &sx, &sy, &sz}) c->reserve(faults.size());
    for (const FaultVectors& f : faults) {
      nx.push_back(f.n.x), ny.push_back(f.n.y), nz.push_back(f.n.z);
      sx.push_back(f.s.x), sy.push_back(f.s.y), sz.push_back(f.s.z);
    }
  }
};

using Double4 = double __attribute__((vector_size(32)));
using Long4 = long long __attribute__((vector_size(32)));

double Product(const FaultColumns& c, Vector3d d, std::size_t i) {
  return (d.x * c.nx[i] + d.y * c.ny[i] + d.z * c.nz[i]) * (d.x * c.sx[i] + d.y * c.sy[i] + d.z * c.sz[i]);
}

// 2 * (#{x < -tol} + 1/2 #{|x| <= tol}) = #{x < -tol} + #{x <= tol}, four
// faults at a time (a true lane of a comparison is -1). Every lane computes
// x exactly as the one-fault loop does: no fused multiply-add.
__attribute__((target_clones("avx2", "default")))
long long TwiceCompressional(const FaultColumns& c, Vector3d d) {
  const std::size_t n = c.nx.size(), blocks = n / 4 * 4;
  const Double4 dx = {d.x, d.x, d.x, d.x}, dy = {d.y, d.y, d.y, d.y}, dz = {d.z, d.z, d.z, d.z};
  const Double4 below = -Double4{1, 1, 1, 1} * kDihedronBoundary, above = -below;
  Long4 lanes = {0, 0, 0, 0};
  const double* columns[6] = {c.nx.data(), c.ny.data(), c.nz.data(), c.sx.data(), c.sy.data(), c.sz.data()};
  for (std::size_t i = 0; i < blocks; i += 4) {
    Double4 v[6];
    for (int k = 0; k < 6; ++k) std::memcpy(&v[k], columns[k] + i, sizeof v[k]);
    const Double4 x = (dx * v[0] + dy * v[1] + dz * v[2]) * (dx * v[3] + dy * v[4] + dz * v[5]);
    lanes -= (x < below) + (x <= above);
  }
  long long count = lanes[0] + lanes[1] + lanes[2] + lanes[3];
  for (std::size_t i = blocks; i < n; ++i) {
    const double x = Product(c, d, i);
    count += (x < -kDihedronBoundary) + (x <= kDihedronBoundary);
  }
  return count;
}

void FillRange(const FaultColumns& columns, const std::vector<Vector3d>& nodes, std::size_t begin,
               std::size_t end, std::vector<double>& values) {
  const double scale = 50.0 / double(columns.nx.size());
  for (std::size_t k = begin; k < end; ++k) values[k] = scale * double(TwiceCompressional(columns, nodes[k]));
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
  std::thread other(FillRange, std::cref(columns), std::cref(nodes), half, nodes.size(), std::ref(values));
  FillRange(columns, nodes, 0, half, values);
  other.join();
  return values;
}

CsvReport DihedraCsv(const FaultSet& data) {
  const UsedFaults used = CollectUsedFaults(data);
  if (used.faults.empty()) return {"", kNoUsableData};
  return {ReportGridCsv(DihedraValues(used.faults, ReportGridNodes())), ""};
}

}  // namespace orniva::analysis
