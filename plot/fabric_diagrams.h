// The diagrams of fabric shape, one point per set (or for all data):
//
// Vollmer's triangle (Vollmer 1990): the point P = S1 - S2, girdle
// G = 2 (S2 - S3) and random R = 3 S3 shares (P + G + R = 1) as barycentric
// coordinates in an equilateral triangle with P at the top, G at the lower
// left and R at the lower right; grid lines every 0.1, labelled every 0.2.
//
// Woodcock's plot (Woodcock 1977): ln(S2/S3) across, ln(S1/S2) up; the
// lines K = 0.2, 0.5, 1, 2, 5 through the origin (clusters above K = 1,
// girdles below) and C = 2, 4, 6 across them. A set with S2 or S3 of 0 has
// no point there and is named in a note below the plot.
//
// Each a recorded picture of its own size with its title, its points
// filled with their set's colour and labelled, and a legend of the sets.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/curation_state.h"
#include "analysis/orientation_statistics.h"
#include "picture/picture.h"
#include "platform/graphics.h"

namespace orniva {

struct FabricPoint {
  std::string name;  // the set's, or "all"
  TColor colour = 0;
  analysis::FabricResult fabric;
};

inline constexpr std::int32_t kFabricDiagramWidth = 1000;

// A point per set of `sets` (in their order and colours, SetColours) that
// has records of that kind (their poles or lines; `use` by record, as
// OrientationDirections takes it), then "no set" in black for the records
// in none; without sets the one point "all".
std::vector<FabricPoint> FabricPointsBySet(const std::vector<OrientationRecord>& records,
                                           const std::vector<analysis::PhaseInfo>& sets,
                                           analysis::OrientationOf of,
                                           const std::vector<bool>* use = nullptr);

// The point of (P, G, R) in the triangle.
TPoint VollmerPoint(double p, double g, double r);
Picture DrawVollmerTriangle(const std::vector<FabricPoint>& points, const std::string& title);

// The axes' top for `points`: the least of 2, 4, 7, 10, 15 and 20 that
// holds every plotted coordinate (20 when none does: farther points sit on
// the frame).
double WoodcockTop(const std::vector<FabricPoint>& points);
// The point of ln(S2/S3) = x and ln(S1/S2) = y on axes reaching `top`.
TPoint WoodcockPoint(double x, double y, double top);
Picture DrawWoodcockDiagram(const std::vector<FabricPoint>& points, const std::string& title);

}  // namespace orniva
