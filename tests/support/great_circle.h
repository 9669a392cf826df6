// The inverse problem on the sphere, written apart from the program's
// destination formula so that tests can check one by the other: the
// distance by the haversine formula (Sinnott 1984) and the initial bearing
// by the spherical law of sines and cosines.
#pragma once

namespace orniva::test {

// The great-circle distance between two positions [deg] on the sphere of
// radius `radiusM` [m].
double HaversineDistance(double lon1, double lat1, double lon2, double lat2, double radiusM);

// The bearing [deg, 0-360] of the great circle from the first position
// toward the second, clockwise from true north.
double InitialBearing(double lon1, double lat1, double lon2, double lat2);

}  // namespace orniva::test
