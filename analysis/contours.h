// Contours of a field on a DrawingGrid: lines by marching squares and the
// regions above each level for filled bands, both in net coordinates and
// clipped at the primitive circle.
//
// A node is above a level when value >= level (NaN never is). A crossing
// lies on a cell edge by linear interpolation between its two nodes. A
// saddle cell (two diagonal corners above, two below) joins its above
// corners when the mean of its four values is >= the level.
#pragma once

#include <vector>

#include "analysis/density.h"
#include "analysis/net_projection.h"

namespace orniva::analysis {

// One contour line: closed (its last point repeats the first, every point
// within the circle) or open with both ends on the primitive circle.
struct ContourLine {
  int level = 0;  // index into the levels
  bool closed = false;
  std::vector<NetPoint> points;
};

// For filled bands: a convex polygon of one grid cell where
// value >= levels[level], or a rectangle over a run of cells of a row that
// are above it and lie wholly within the circle; cut at the primitive
// circle by chords (at most 0.05 units inside it for a 100 x 100 grid at
// R 450). Paint in the order given (levels ascending), each over the
// last: the band between levels k and k + 1 then shows the colour of k,
// below the first level nothing is painted.
struct FillPolygon {
  int level = 0;
  std::vector<NetPoint> points;
};

struct Contours {
  std::vector<ContourLine> lines;
  std::vector<FillPolygon> fills;
};

// `values` holds one value per grid node (grid.size^2, the grid's order),
// the nodes outside the circle included so that the lines can be cut where
// they cross it. `levels` should be ascending; a grid or values of the
// wrong size give nothing.
Contours ContourGrid(const DrawingGrid& grid, const std::vector<double>& values,
                     const std::vector<double>& levels);

// Kamb: 2, 4, 6, ... sigma up to `maximum`; one per cent: 1, 2, 4, 8, ...
// per cent up to `maximum`. A NaN maximum gives no level.
std::vector<double> DensityLevels(DensityMethod method, double maximum);
// Right dihedra: 0, 25, 50, 75 and 100 per cent.
std::vector<double> DihedraLevels();

}  // namespace orniva::analysis
