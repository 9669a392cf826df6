#include "tests/support/great_circle.h"

#include <cmath>

namespace orniva::test {

namespace {
constexpr double kRad = 3.14159265358979323846 / 180;
}

double HaversineDistance(double lon1, double lat1, double lon2, double lat2, double radiusM) {
  const double dLat = (lat2 - lat1) * kRad, dLon = (lon2 - lon1) * kRad;
  const double h = std::pow(std::sin(dLat / 2), 2) +
                   std::cos(lat1 * kRad) * std::cos(lat2 * kRad) * std::pow(std::sin(dLon / 2), 2);
  return 2 * radiusM * std::asin(std::sqrt(h));
}

double InitialBearing(double lon1, double lat1, double lon2, double lat2) {
  const double p1 = lat1 * kRad, p2 = lat2 * kRad, dLon = (lon2 - lon1) * kRad;
  const double y = std::sin(dLon) * std::cos(p2);
  const double x = std::cos(p1) * std::sin(p2) - std::sin(p1) * std::cos(p2) * std::cos(dLon);
  const double bearing = std::atan2(y, x) / kRad;
  return bearing < 0 ? bearing + 360 : bearing;
}

}  // namespace orniva::test
