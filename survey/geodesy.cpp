#include "survey/geodesy.h"

#include <cmath>

#include "math/numeric.h"

namespace orniva::survey {

using numeric::kDegToRad;
using numeric::kRadToDeg;

namespace {

// `degrees` in [-180, 180).
double Longitude(double degrees) {
  const double turned = std::fmod(degrees + 180, 360);
  return (turned < 0 ? turned + 360 : turned) - 180;
}

}  // namespace

GeoPosition Destination(GeoPosition from, double bearing, double distanceM) {
  const double lat1 = from.lat * kDegToRad, theta = bearing * kDegToRad;
  const double delta = distanceM / kEarthRadiusM;
  const double sinLat2 =
      std::sin(lat1) * std::cos(delta) + std::cos(lat1) * std::sin(delta) * std::cos(theta);
  const double lat2 = std::asin(std::fmax(-1.0, std::fmin(1.0, sinLat2)));
  const double lon2 = std::atan2(std::sin(theta) * std::sin(delta) * std::cos(lat1),
                                 std::cos(delta) - std::sin(lat1) * sinLat2);
  return {Longitude(from.lon + lon2 * kRadToDeg), lat2 * kRadToDeg};
}

std::pair<GeoPosition, GeoPosition> ShMaxBar(GeoPosition centre, double shMax, double lengthKm) {
  const double half = lengthKm * 1000 / 2;
  return {Destination(centre, shMax, half), Destination(centre, shMax + 180, half)};
}

std::optional<GeoPosition> SphericalMean(const std::vector<GeoPosition>& positions) {
  double x = 0, y = 0, z = 0;
  for (const GeoPosition& p : positions) {
    const double lat = p.lat * kDegToRad, lon = p.lon * kDegToRad;
    x += std::cos(lat) * std::cos(lon);
    y += std::cos(lat) * std::sin(lon);
    z += std::sin(lat);
  }
  const double horizontal = std::hypot(x, y), length = std::hypot(horizontal, z);
  if (!(length > 1e-9 * double(positions.size()))) return std::nullopt;
  // At a pole the longitude is any: 0 rather than rounding noise.
  const bool pole = horizontal <= 1e-12 * length;
  return GeoPosition{pole ? 0 : Longitude(std::atan2(y, x) * kRadToDeg),
                     std::atan2(z, horizontal) * kRadToDeg};
}

}  // namespace orniva::survey
