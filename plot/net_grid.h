// The net grid: the great circles through north and south every 10 degrees
// of dip (the meridians) and the small circles about the north-south axis
// every 10 degrees (the parallels), as printed on a Wulff or Schmidt net,
// drawn thin and light under the data. Symmetric about the centre, it is
// the same on the upper hemisphere.
#pragma once

#include "picture/picture.h"
#include "plot/net.h"

namespace orniva {

constexpr TColor kNetGridColour = Rgb(205, 205, 205);

// Draws the grid with a pen of width 1 in kNetGridColour; with `smooth`,
// each circle with its fine points too.
void DrawNetGrid(RecordingCanvas& canvas, const NetGeometry& geometry, bool smooth = false);

}  // namespace orniva
