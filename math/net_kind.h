// The two projections that every net is drawn in, and the hemisphere it
// shows, named here so that the analyses and the diagrams share one type.
#pragma once

#include <cstdint>

namespace orniva {

// The projection of the lower hemisphere onto the net.
enum class NetKind : std::uint8_t {
  EqualAngle = 0,  // stereographic (Wulff): r = R tan((90 - plunge) / 2)
  EqualArea = 1,   // Lambert azimuthal (Schmidt): r = R sqrt(2) sin((90 - plunge) / 2)
};

// The hemisphere a net shows. A line is drawn at the point of its end in
// that hemisphere: on the upper hemisphere at trend + 180, the same radius,
// so that every point of the lower hemisphere's picture is turned half
// round the centre.
enum class Hemisphere : std::uint8_t {
  Lower = 0,
  Upper = 1,
};

}  // namespace orniva
