#include "plot/net_grid.h"

#include <array>
#include <cmath>

#include "math/numeric.h"
#include "math/vector3d.h"

namespace orniva {

using math::Vector3d;

namespace {

constexpr int kStep = 10;      // [deg] between the grid's circles
constexpr int kPointStep = 2;  // [deg] between the points of a circle
constexpr int kPoints = 180 / kPointStep + 1;

// The half circle cos(a) centre + sin(a) (cos(f) across + sin(f) down),
// f = 0 to 180: a circle of angular radius a about `centre`, below the
// horizontal, from `across` to -across.
void DrawHalfCircle(RecordingCanvas& canvas, const NetGeometry& geometry, bool smooth,
                    Vector3d centre, Vector3d across, Vector3d down, double radius) {
  std::array<TPoint, kPoints> points;
  std::array<FinePoint, kPoints> fine;
  const double a = radius * numeric::kDegToRad;
  for (int k = 0; k < kPoints; ++k) {
    const double f = k * kPointStep * numeric::kDegToRad;
    const Vector3d v =
        std::cos(a) * centre + std::sin(a) * (std::cos(f) * across + std::sin(f) * down);
    const math::TrendPlunge line = math::LowerHemisphereLine(v);
    points[std::size_t(k)] =
        ProjectLine(geometry, {numeric::Store(line.trend), numeric::Store(line.plunge)});
    fine[std::size_t(k)] = FineProjection(geometry, v);
  }
  if (smooth)
    canvas.Polyline(points.data(), points.size(), fine.data());
  else
    canvas.Polyline(points.data(), points.size());
}

}  // namespace

void DrawNetGrid(RecordingCanvas& canvas, const NetGeometry& geometry, bool smooth) {
  canvas.SetPenWidth(1);
  canvas.SetPenColour(kNetGridColour);
  const Vector3d north{0, 1, 0}, east{1, 0, 0}, down{0, 0, -1};
  // Meridians: the planes through the north-south line, dipping east and
  // west; the vertical one once.
  for (int dip = kStep; dip <= 90; dip += kStep) {
    const double d = dip * numeric::kDegToRad;
    DrawHalfCircle(canvas, geometry, smooth, {0, 0, 0}, north,
                   std::cos(d) * east + std::sin(d) * down, 90);
    if (dip < 90)
      DrawHalfCircle(canvas, geometry, smooth, {0, 0, 0}, north,
                     -std::cos(d) * east + std::sin(d) * down, 90);
  }
  // Parallels: the small circles about north and about south; at 90 the
  // east-west vertical plane, once.
  for (int angle = kStep; angle <= 90; angle += kStep) {
    DrawHalfCircle(canvas, geometry, smooth, north, east, down, angle);
    if (angle < 90) DrawHalfCircle(canvas, geometry, smooth, -north, east, down, angle);
  }
}

}  // namespace orniva
