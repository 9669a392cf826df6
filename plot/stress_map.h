// The map of a survey's stress: its sites in a local equirectangular
// projection, each with a bar along SHmax per phase in the phase's colour,
// the sites' names, a scale bar, a north arrow and a key of the phases;
// drawn into the recorded picture, so that every device shows the same
// map, and with no map tiles or network.
//
// Local equirectangular projection about (lon0, lat0), the centre of the
// sites' extent (longitudes taken within 180 degrees of the first site's):
//   x = R cos(lat0) (lon - lon0),  y = R (lat - lat0)   [km, angles in rad],
// R = 6371.0088 km. East is right and true north up everywhere on the map;
// distances are true to about 1 % within 300 km of the centre. A bar has a
// fixed length on the map (it marks a direction, not a distance), drawn
// along the azimuth SHmax clockwise from north.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "picture/picture.h"
#include "platform/graphics.h"

namespace orniva {

struct StressMapSite {
  std::string label;
  double lon = 0, lat = 0;  // [deg]
};

struct StressMapBar {
  std::size_t site = 0;  // index into StressMap::sites
  double shMax = 0;      // [deg] from true north
  TColor colour = 0;
};

struct StressMapKeyEntry {
  std::string text;
  TColor colour = 0;
};

struct StressMap {
  std::string title;
  std::vector<StressMapSite> sites;
  std::vector<StressMapBar> bars;
  std::vector<StressMapKeyEntry> key;
  // A site to ring (the row selected in a table); none: -1.
  int ringed = -1;
};

// The map's size in plot units.
inline constexpr std::int32_t kStressMapWidth = 1400, kStressMapHeight = 1000;

// Where the sites are drawn: the projection's centre and scale.
struct StressMapFrame {
  double lon0 = 0, lat0 = 0;        // [deg]
  double unitsPerKm = 1;            // plot units per km
  double centreX = 0, centreY = 0;  // the plot point of (lon0, lat0)
  double firstLon = 0;              // longitudes are taken within 180 of it
};
StressMapFrame StressMapFrameOf(const std::vector<StressMapSite>& sites);
// The plot point of a position, unrounded: x right, y down.
void StressMapPoint(const StressMapFrame& frame, double lon, double lat, double& x, double& y);
// The scale bar's length [km]: 1, 2 or 5 times a power of ten, the longest
// that is at most `maxUnits` plot units.
double ScaleBarKm(double unitsPerKm, double maxUnits);

Picture DrawStressMap(const StressMap& map);

}  // namespace orniva
