// The tangent-lineation diagram: each fault at the pole of its plane, with
// an arrow in the direction the pole moves when a tenth of the striation's
// unit vector is added to it (subtracted for blue data).
#pragma once

#include <cstdint>

#include "data/fault_data.h"
#include "plot/arrows.h"
#include "plot/net.h"

namespace orniva {

// Draws the whole diagram into target.picture; with no data, the empty
// net. Data whose plane failed its checks are drawn neither normally
// nor highlighted; the highlighted datum is drawn again after every datum
// that is drawn.
void PlotTangentLineation(const FaultSet& data, PlotTarget& target, std::int16_t highlightIndex);

// One datum: the arrow (when striation and sense are valid), then the pole
// dot. Normal: black pen of width 2; highlighted: aqua pen of width 4. The
// dot is filled with the datum's colour, black when spl <= 0.
void DrawTangentLineationDatum(const PlotCanvas& plot, const TFaultData& datum, bool highlighted);

// The fill of a datum's pole dot: black for a horizontal striation, else
// the datum's sense colour.
TColor TangentDotColour(const TFaultData& datum);

}  // namespace orniva
