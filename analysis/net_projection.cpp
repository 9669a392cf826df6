#include "analysis/net_projection.h"

#include <cmath>

namespace orniva::analysis {

// With (X, Y) = ((x - cx) / R, (cy - y) / R) and rho^2 = X^2 + Y^2:
//   equal-angle:  v = (2X, 2Y, rho^2 - 1) / (1 + rho^2)
//   equal-area:   v = (X sqrt(2 - rho^2), Y sqrt(2 - rho^2), rho^2 - 1)
// (the inverses of r = tan(theta / 2) and r = sqrt(2) sin(theta / 2), theta
// the angle from the nadir).
math::Vector3d DirectionAtNetPoint(NetKind kind, const NetFrame& frame, NetPoint point,
                                   Hemisphere hemisphere) {
  const double X = (point.x - frame.centreX) / frame.radius;
  const double Y = (frame.centreY - point.y) / frame.radius;
  const double rho2 = X * X + Y * Y;
  const double up = hemisphere == Hemisphere::Upper ? -1 : 1;
  if (kind == NetKind::EqualAngle) {
    const double k = 1 / (1 + rho2);
    return {2 * X * k, 2 * Y * k, up * (rho2 - 1) * k};
  }
  if (!(rho2 < 2)) return {0, 0, up};
  const double h = std::sqrt(2 - rho2);
  return {X * h, Y * h, up * (rho2 - 1)};
}

NetPoint DrawingGrid::Node(int i, int j) const {
  const double step = 2 * frame.radius / (size - 1);
  return {frame.centreX - frame.radius + step * i, frame.centreY - frame.radius + step * j};
}

DrawingGrid MakeDrawingGrid(NetKind kind, const NetFrame& frame, int size, Hemisphere hemisphere) {
  DrawingGrid grid;
  grid.kind = kind;
  grid.hemisphere = hemisphere;
  grid.frame = frame;
  if (!(size >= 2 && size <= 4096)) return grid;
  grid.size = size;
  grid.nodes.resize(std::size_t(size) * size);
  grid.inside.resize(grid.nodes.size());
  const double r2 = frame.radius * frame.radius * (1 + 1e-12);
  for (int j = 0; j < size; ++j) {
    for (int i = 0; i < size; ++i) {
      const NetPoint p = grid.Node(i, j);
      const double dx = p.x - frame.centreX, dy = p.y - frame.centreY;
      const std::size_t k = std::size_t(j) * size + i;
      grid.nodes[k] = DirectionAtNetPoint(kind, frame, p, hemisphere);
      grid.inside[k] = dx * dx + dy * dy <= r2;
    }
  }
  return grid;
}

}  // namespace orniva::analysis
