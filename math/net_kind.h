// The two projections of the lower hemisphere that every net is drawn in,
// named here so that the analyses and the diagrams share one type.
#pragma once

#include <cstdint>

namespace orniva {

// The projection of the lower hemisphere onto the net.
enum class NetKind : std::uint8_t {
  EqualAngle = 0,  // stereographic (Wulff): r = R tan((90 - plunge) / 2)
  EqualArea = 1,   // Lambert azimuthal (Schmidt): r = R sqrt(2) sin((90 - plunge) / 2)
};

}  // namespace orniva
