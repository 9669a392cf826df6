// Geometry on the net: the line at a point of either net and hemisphere,
// and the selection of data by their directions (a window of trend and
// plunge, a cone about a line, a lasso drawn on the net, the datum nearest
// a point). Every selection reads one direction per datum, as the density
// does (analysis/density.h): the pole, the striation, the P or the T axis.
//
// Inverse projection from the offsets (x right, y up) of a point from the
// centre of a net of radius R, r = sqrt(x^2 + y^2):
//   trend = atan2(x, y) mod 360 (+ 180 on the upper hemisphere),
//   equal-angle plunge = 90 - 2 atan(r / R),
//   equal-area plunge  = 90 - 2 asin(r / (R sqrt 2)).
//
// A direction is an axis (v and -v the same line), taken as its
// lower-hemisphere line. It lies in the window (t1, t2, p1, p2) when its
// plunge is in [p1, p2] and its trend is reached from t1 turning clockwise
// no farther than t2 (through north when t2 < t1); a horizontal line counts
// at either end, a vertical one at any trend. It lies in the cone of
// half-angle a about the line c when the angle between the two axes is at
// most a: |v . c| >= cos a.
#pragma once

#include <optional>
#include <vector>

#include "analysis/density.h"
#include "analysis/net_projection.h"
#include "analysis/report_format.h"
#include "data/fault_data.h"
#include "data/orientation_table.h"
#include "math/vector3d.h"

namespace orniva::analysis {

// The line at `point` of the net (see above); none beyond the primitive
// circle.
std::optional<math::TrendPlunge> LineAtNetPoint(NetKind kind, Hemisphere hemisphere,
                                                const NetFrame& frame, NetPoint point);
// The point of `line` (a lower-hemisphere line) on the net, unrounded.
NetPoint NetPointOf(NetKind kind, Hemisphere hemisphere, const NetFrame& frame,
                    math::TrendPlunge line);

// The data an analysis reads (passed every check and, when `use` is given,
// in use: see Study::InUse), in line order.
std::vector<FaultVectors> FaultsInUse(const FaultSet& data, const std::vector<bool>* use);

// One direction of each datum in use with its line.
struct DatumDirection {
  int line = 0;
  math::Vector3d direction;  // zero for a P or T axis along the normal
};
std::vector<DatumDirection> DirectionsOf(const FaultSet& data, const std::vector<bool>* use,
                                         DensityOf of);

// One direction of each row of an orientation table in use (`use` by
// record, 0-based; shorter: the rest in use) with its row (1-based): a
// plane's pole, a line itself.
std::vector<DatumDirection> RowDirectionsOf(const std::vector<OrientationRecord>& records,
                                            const std::vector<bool>* use);

struct TrendPlungeWindow {
  double trend1 = 0, trend2 = 360;  // clockwise from trend1 to trend2 [deg]
  double plunge1 = 0, plunge2 = 90;
};
bool InWindow(const TrendPlungeWindow& window, math::Vector3d direction);

struct Cone {
  math::TrendPlunge axis;
  double halfAngle = 0;  // [deg]
};
bool InCone(const Cone& cone, math::Vector3d direction);

// The lines of the directions in the window or cone, in line order.
std::vector<int> SelectInWindow(const std::vector<DatumDirection>& directions,
                                const TrendPlungeWindow& window);
std::vector<int> SelectInCone(const std::vector<DatumDirection>& directions, const Cone& cone);

// The directions projected on one net: each datum's point, and for a
// horizontal line the point of its other end too (both lie on the
// primitive circle). A zero direction has no point.
struct ProjectedDatum {
  int line = 0;
  NetPoint point;
  std::optional<NetPoint> otherEnd;
};
std::vector<ProjectedDatum> ProjectDirections(const std::vector<DatumDirection>& directions,
                                              NetKind kind, Hemisphere hemisphere,
                                              const NetFrame& frame);

// Whether `point` lies inside the closed polygon `lasso` (even-odd rule).
bool InsideLasso(const std::vector<NetPoint>& lasso, NetPoint point);
// The lines of the data with a point inside the lasso, in line order.
std::vector<int> SelectInLasso(const std::vector<ProjectedDatum>& data,
                               const std::vector<NetPoint>& lasso);
// The line of the datum whose point lies nearest `point`, no farther than
// `reach` [plot units]; the first line of equal distance wins.
std::optional<int> NearestDatum(const std::vector<ProjectedDatum>& data, NetPoint point,
                                double reach);

// A window written "T1,T2,P1,P2" (trends 0 to 360, 0 <= P1 <= P2 <= 90)
// and a cone written "T,P,A" (trend 0 to 360, plunge and half-angle 0 to
// 90); none, with `error` saying what it needs, for any other text.
std::optional<TrendPlungeWindow> WindowWritten(const std::string& text, std::string& error);
std::optional<Cone> ConeWritten(const std::string& text, std::string& error);

// The report of the command line `select`: "line" and one row per line.
CsvReport SelectCsv(const std::vector<int>& lines);

// `count` numbers separated by commas ("30,60.5,0,45"); none when the text
// holds another count or anything that is not a finite number.
std::optional<std::vector<double>> NumbersOf(const std::string& text, std::size_t count);

}  // namespace orniva::analysis
