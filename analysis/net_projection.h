// The two nets of the analysis grids in double precision: a lower-hemisphere
// line projected onto a net of radius R centred at (cx, cy), x right (east),
// y down (south), north up; and the direction back from a point of the net.
//
//   equal-angle (stereographic):   r = R tan((90 - p) / 2)
//   equal-area (Lambert-Schmidt):  r = R sqrt(2) sin((90 - p) / 2)
//   x = cx + r sin t,  y = cy - r cos t          (trend t, plunge p [deg])
//
// On the upper hemisphere a line is drawn at trend t + 180, the same r: the
// direction shown at a point is the lower hemisphere's with z turned over.
//
// Nothing is rounded here; the plot layer's integer projection is its own.
#pragma once

#include <cstdint>
#include <vector>

#include "math/vector3d.h"
#include "math/net_kind.h"

namespace orniva::analysis {

using ::orniva::Hemisphere;
using ::orniva::NetKind;

// A net in plot units: centre (500, 500) and radius 450 unless told.
struct NetFrame {
  double centreX = 500;
  double centreY = 500;
  double radius = 450;
};

struct NetPoint {
  double x = 0;
  double y = 0;
};

// The unit vector whose projection is `point`. Within the primitive circle
// it points down (z <= 0); beyond it the net is continued onto the upper
// hemisphere, so that a field of axial data stays continuous across the
// circle: equal-angle reaches the zenith at infinity, equal-area at
// distance sqrt(2) R (the corners of the square around the circle), and
// any point farther out is taken as the zenith. On the upper hemisphere
// each of these with its z turned over.
math::Vector3d DirectionAtNetPoint(NetKind kind, const NetFrame& frame, NetPoint point,
                                   Hemisphere hemisphere = Hemisphere::Lower);

// A square grid of size x size nodes over the square circumscribing the
// primitive circle: node (i, j) at x = cx - R + 2R i / (size - 1),
// y = cy - R + 2R j / (size - 1), stored at index j * size + i (rows from
// north to south, each from west to east). Every node carries its direction
// (DirectionAtNetPoint, so also those outside the circle); `inside` marks
// the nodes on or within the circle. A size outside [2, 4096] gives an
// empty grid (size 0).
struct DrawingGrid {
  NetKind kind = NetKind::EqualAngle;
  Hemisphere hemisphere = Hemisphere::Lower;
  NetFrame frame;
  int size = 0;
  std::vector<math::Vector3d> nodes;
  std::vector<std::uint8_t> inside;

  NetPoint Node(int i, int j) const;
};

DrawingGrid MakeDrawingGrid(NetKind kind, const NetFrame& frame, int size,
                            Hemisphere hemisphere = Hemisphere::Lower);

}  // namespace orniva::analysis
