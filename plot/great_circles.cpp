#include "plot/great_circles.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <thread>

#include "math/directional_operations.h"
#include "math/numeric.h"
#include "math/vector3d.h"
#include "platform/large_buffer.h"
#include "platform/threads.h"

namespace orniva {

namespace dops = directional_operations;
using numeric::Real;
using numeric::Store;

namespace {
// StoredTrig of the 181 inner turns -90 to 90 of a great circle.
const std::array<dops::AngleTrig, 181>& InnerTurns() {
  static const std::array<dops::AngleTrig, 181> turns = [] {
    std::array<dops::AngleTrig, 181> t;
    for (int i = -90; i <= 90; ++i) t[std::size_t(i + 90)] = dops::StoredTrig(float(i));
    return t;
  }();
  return turns;
}

// Projects a circle's point straight from its direction v, without the
// stored trend and plunge between: the net's offsets are R (x, y) / (|v| - z)
// on the equal-angle net and R (x, y) / sqrt(|v| (|v| - z)) on the
// equal-area net. The stored path rounds length, angles and radius to floats
// on its way. For -0.999 |v| <= z <= 0.01 |v| (the lower hemisphere away
// from the vertical, and a hair above it) that moves an offset by less than
// 4e-6 R, most of it the float length magnified by acos's slope 1/sin. An
// offset farther than kTieMargin R from a rounding tie therefore rounds the
// same both ways (checked by hand on 2.5e8 points of both nets); false
// sends the point the stored way.
bool ProjectDirect(const NetGeometry& geometry, dops::Vec3 v, TPoint& point) {
  constexpr Real kTieMargin = 2.5e-5;
  const Real x = v.x, y = v.y, z = v.z;
  // -0.999 <= z / |v| <= 0.01 without the root, false for a NaN; a circle's
  // directions are of unit length.
  const Real squared = x * x + y * y + z * z;
  if (!(squared > 0.5 && squared < 2 && z * z <= (z <= 0 ? 0.998001 : 1e-4) * squared))
    return false;
  const Real length = std::sqrt(squared), gap = length - z;
  const Real scale =
      geometry.netRadius / (geometry.kind == NetKind::EqualArea ? std::sqrt(length * gap) : gap);
  const Real dx = scale * x, dy = scale * y;
  const Real margin = kTieMargin * std::abs(Real(geometry.netRadius));
  auto nearTie = [margin](Real d) { return std::abs(d - std::floor(d) - 0.5) <= margin; };
  if (nearTie(dx) || nearTie(dy)) return false;
  const Real sign = HemisphereSign(geometry);
  point = {numeric::RoundToPlot(geometry.netCentre.x + sign * Real(numeric::RoundToPlot(dx))),
           numeric::RoundToPlot(geometry.netCentre.y - sign * Real(numeric::RoundToPlot(dy)))};
  return true;
}

// RotateVector(EulerMatrix(tilt, outer, turn), south) for south (0, -1, 0):
// minus the matrix's middle column, where its entries are not zero (the
// products with the zero components then add nothing); the whole product
// otherwise, for the signs of its zeros.
dops::Vec3 TurnedSouth(dops::AngleTrig tilt, dops::AngleTrig outer, dops::AngleTrig turn) {
  const Real ca = tilt.cos, sa = tilt.sin, cb = outer.cos, sb = outer.sin, cc = turn.cos,
             sc = turn.sin;
  const float m12 = Store(-sc * cb - ca * sb * cc), m22 = Store(-sc * sb + ca * cb * cc);
  const float m32 = Store(sa * cc);
  if (m12 != 0 && m22 != 0 && m32 != 0) return {-m12, -m22, -m32};
  return dops::RotateVector(dops::EulerMatrix(tilt, outer, turn), dops::MakeVector(0, -1, 0));
}
}  // namespace

int GreatCirclePoints(const NetGeometry& geometry, float faz, float fpl, TPoint* points) {
  const float phi = dops::LineToSpherical(dops::MakeOrientation(Store(Real(faz) - 90), 0)).phi;
  const dops::AngleTrig tilt = dops::StoredTrig(fpl), outer = dops::StoredTrig(phi);
  const auto& turns = InnerTurns();
  int zeroDivides = 0;
  for (std::size_t i = 0; i < turns.size(); ++i) {
    const dops::Vec3 v = TurnedSouth(tilt, outer, turns[i]);
    if (ProjectDirect(geometry, v, points[i])) continue;
    bool zeroDivide = false;
    points[i] = ProjectLine(geometry, dops::VectorToLine(v, zeroDivide));
    zeroDivides += zeroDivide ? 1 : 0;
  }
  return zeroDivides;
}

void GreatCircleCache::Follow(const FaultSet& data, const NetGeometry& geometry) {
  if (generation_ != data.generation() || !SameNet(geometry, geometry_) ||
      ready_.size() != data.size()) {
    generation_ = data.generation();
    geometry_ = geometry;
    ready_.assign(data.size(), false);
    ReserveLarge(points_, data.size() * kGreatCirclePoints);
    points_.resize(data.size() * kGreatCirclePoints);
  }
}

void GreatCircleCache::PrepareAll(const FaultSet& data, const NetGeometry& geometry) {
  Follow(data, geometry);
  std::vector<std::size_t> missing;
  for (std::size_t i = 1; i < data.size(); ++i)
    if (!ready_[i] && PlaneDrawable(data[i])) missing.push_back(i);
  std::atomic<int> zeroDivides{0};
  auto compute = [&](std::size_t begin, std::size_t end) {
    for (std::size_t k = begin; k < end; ++k) {
      const TFaultData& datum = data[missing[k]];
      if (const int n = GreatCirclePoints(geometry, datum.faz, datum.fpl,
                                          points_.data() + missing[k] * kGreatCirclePoints))
        zeroDivides += n;
    }
  };
  // Both threads take runs of circles until none is left, so that a second
  // thread that starts late (it costs about as much as a few circles, and
  // far more on a busy machine) leaves no half waiting for it.
  constexpr std::size_t kRun = 16;
  std::atomic<std::size_t> next{0};
  auto take = [&] {
    for (std::size_t k; (k = next.fetch_add(kRun)) < missing.size();)
      compute(k, std::min(k + kRun, missing.size()));
  };
  std::thread other;
  if (missing.size() >= 64) other = StartOrRun(take);
  take();
  if (other.joinable()) other.join();
  for (std::size_t i : missing) ready_[i] = true;
  zeroDivides_ += zeroDivides;
}

const TPoint* GreatCircleCache::Circle(const FaultSet& data, const NetGeometry& geometry,
                                       std::size_t index) {
  Follow(data, geometry);
  TPoint* circle = points_.data() + index * kGreatCirclePoints;
  if (!ready_[index]) {
    zeroDivides_ += GreatCirclePoints(geometry, data[index].faz, data[index].fpl, circle);
    ready_[index] = true;
  }
  return circle;
}

void FineGreatCirclePoints(const NetGeometry& geometry, float faz, float fpl, FinePoint* points) {
  const math::Vector3d dip = math::LineVector(faz, fpl), strike = math::LineVector(faz - 90.0, 0);
  for (int i = -90; i <= 90; ++i) {
    const double turn = i * numeric::kDegToRad;
    points[i + 90] = FineProjection(geometry, std::cos(turn) * dip + std::sin(turn) * strike);
  }
}

void DrawGreatCircle(const PlotCanvas& plot, float faz, float fpl, const TPoint* circle) {
  TPoint points[kGreatCirclePoints];
  if (!circle) {
    const int zeroDivides = GreatCirclePoints(plot.geometry, faz, fpl, points);
    if (plot.zeroDivides) *plot.zeroDivides += zeroDivides;
    circle = points;
  }
  if (!plot.smoothCurves) {
    plot.canvas.Polyline(circle, kGreatCirclePoints);
    return;
  }
  FinePoint fine[kGreatCirclePoints];
  FineGreatCirclePoints(plot.geometry, faz, fpl, fine);
  plot.canvas.Polyline(circle, kGreatCirclePoints, fine);
}

}  // namespace orniva
