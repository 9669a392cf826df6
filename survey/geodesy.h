// Positions on the sphere for the survey's layers: the SHmax bar's ends
// and the mean position of a site's lines.
//
// The Earth is the sphere of the mean radius R = 6 371 008.8 m (IUGG).
// Destination at distance d along bearing theta (clockwise from true
// north) from (lat1, lon1), with delta = d / R (Snyder 1987, Map
// Projections: A Working Manual, eqs. 5-5 and 5-6):
//   lat2 = asin(sin lat1 cos delta + cos lat1 sin delta cos theta),
//   lon2 = lon1 + atan2(sin theta sin delta cos lat1,
//                       cos delta - sin lat1 sin lat2),
// lon2 brought into [-180, 180).
// Spherical mean of positions: the normalised sum of their unit vectors
// (cos lat cos lon, cos lat sin lon, sin lat), read back as latitude and
// longitude; undefined where the sum vanishes (positions in balance
// round the sphere).
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "survey/survey_file.h"

namespace orniva::survey {

inline constexpr double kEarthRadiusM = 6371008.8;

// The point at `distanceM` along `bearing` [deg] from `from`.
GeoPosition Destination(GeoPosition from, double bearing, double distanceM);

// The SHmax bar of `lengthKm` centred on `centre`: its ends at half the
// length along SHmax and SHmax + 180.
std::pair<GeoPosition, GeoPosition> ShMaxBar(GeoPosition centre, double shMax, double lengthKm);

std::optional<GeoPosition> SphericalMean(const std::vector<GeoPosition>& positions);

}  // namespace orniva::survey
