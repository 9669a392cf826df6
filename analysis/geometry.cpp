#include "analysis/geometry.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "analysis/orientation_statistics.h"
#include "math/numeric.h"

namespace orniva::analysis {

using math::TrendPlunge;
using math::Vector3d;
using numeric::kDegToRad;
using numeric::kRadToDeg;

namespace {

double Trend360(double degrees) {
  double t = std::fmod(degrees, 360);
  if (t < 0) t += 360;
  return t >= 360 ? 0 : t;
}

// The radius of plunge p on the net, as a fraction of R.
double RadiusFraction(NetKind kind, double plunge) {
  const double half = (90 - plunge) / 2 * kDegToRad;
  return kind == NetKind::EqualArea ? numeric::kSqrt2 * std::sin(half) : std::tan(half);
}

// Whether `trend` is reached from trend1 turning clockwise by at most the
// window's width (a whole turn when the two trends differ by 360).
bool InTrendRange(const TrendPlungeWindow& window, double trend) {
  double width = std::fmod(window.trend2 - window.trend1, 360);
  if (width < 0) width += 360;
  if (width == 0 && window.trend2 != window.trend1) width = 360;
  return Trend360(trend - window.trend1) <= width;
}

}  // namespace

std::optional<TrendPlunge> LineAtNetPoint(NetKind kind, Hemisphere hemisphere,
                                          const NetFrame& frame, NetPoint point) {
  const double x = point.x - frame.centreX, y = frame.centreY - point.y;
  const double r = std::hypot(x, y) / frame.radius;
  if (r > 1 + 1e-12) return std::nullopt;
  const double half = kind == NetKind::EqualArea ? std::asin(std::min(r / numeric::kSqrt2, 1.0))
                                                 : std::atan(std::min(r, 1.0));
  TrendPlunge line;
  line.plunge = 90 - 2 * half * kRadToDeg;
  line.trend = Trend360(std::atan2(x, y) * kRadToDeg + (hemisphere == Hemisphere::Upper ? 180 : 0));
  return line;
}

NetPoint NetPointOf(NetKind kind, Hemisphere hemisphere, const NetFrame& frame, TrendPlunge line) {
  const double r = frame.radius * RadiusFraction(kind, line.plunge);
  const double t = (line.trend + (hemisphere == Hemisphere::Upper ? 180 : 0)) * kDegToRad;
  return {frame.centreX + r * std::sin(t), frame.centreY - r * std::cos(t)};
}

std::vector<FaultVectors> FaultsInUse(const FaultSet& data, const std::vector<bool>* use) {
  std::vector<FaultVectors> faults;
  faults.reserve(std::size_t(data.count()));
  for (std::size_t i = 1; i <= std::size_t(data.count()); ++i)
    if (data[i].failedChecks == 0 && (!use || (i < use->size() && (*use)[i])))
      faults.push_back(VectorsOf(data[i], int(i)));
  return faults;
}

std::vector<DatumDirection> DirectionsOf(const FaultSet& data, const std::vector<bool>* use,
                                         DensityOf of) {
  const std::vector<FaultVectors> faults = FaultsInUse(data, use);
  const std::vector<Vector3d> directions = DensityDirections(faults, of);
  std::vector<DatumDirection> result(faults.size());
  for (std::size_t k = 0; k < faults.size(); ++k) result[k] = {faults[k].line, directions[k]};
  return result;
}

std::vector<DatumDirection> RowDirectionsOf(const std::vector<OrientationRecord>& records,
                                            const std::vector<bool>* use) {
  std::vector<DatumDirection> result;
  for (std::size_t k = 0; k < records.size(); ++k) {
    if (use && k < use->size() && !(*use)[k]) continue;
    const OrientationRecord& r = records[k];
    result.push_back({int(k) + 1, r.kind == OrientationKind::Plane
                                      ? PoleVector(r.azimuth, r.angle)
                                      : math::LineVector(r.azimuth, r.angle)});
  }
  return result;
}

bool InWindow(const TrendPlungeWindow& window, Vector3d direction) {
  if (Norm(direction) == 0) return false;
  const TrendPlunge line = math::LowerHemisphereLine(direction);
  if (line.plunge < window.plunge1 || line.plunge > window.plunge2) return false;
  if (line.plunge >= 90 - 1e-9) return true;
  return InTrendRange(window, line.trend) ||
         (line.plunge == 0 && InTrendRange(window, line.trend + 180));
}

bool InCone(const Cone& cone, Vector3d direction) {
  const double length = Norm(direction);
  if (length == 0) return false;
  const Vector3d axis = math::LineVector(cone.axis.trend, cone.axis.plunge);
  return std::fabs(Dot(axis, direction)) / length >= std::cos(cone.halfAngle * kDegToRad);
}

std::vector<int> SelectInWindow(const std::vector<DatumDirection>& directions,
                                const TrendPlungeWindow& window) {
  std::vector<int> lines;
  for (const DatumDirection& d : directions)
    if (InWindow(window, d.direction)) lines.push_back(d.line);
  return lines;
}

std::vector<int> SelectInCone(const std::vector<DatumDirection>& directions, const Cone& cone) {
  std::vector<int> lines;
  for (const DatumDirection& d : directions)
    if (InCone(cone, d.direction)) lines.push_back(d.line);
  return lines;
}

std::vector<ProjectedDatum> ProjectDirections(const std::vector<DatumDirection>& directions,
                                              NetKind kind, Hemisphere hemisphere,
                                              const NetFrame& frame) {
  std::vector<ProjectedDatum> projected;
  projected.reserve(directions.size());
  for (const DatumDirection& d : directions) {
    if (Norm(d.direction) == 0) continue;
    const TrendPlunge line = math::LowerHemisphereLine(d.direction);
    ProjectedDatum p{d.line, NetPointOf(kind, hemisphere, frame, line), std::nullopt};
    if (line.plunge == 0) p.otherEnd = NetPointOf(kind, hemisphere, frame, {line.trend + 180, 0});
    projected.push_back(p);
  }
  return projected;
}

bool InsideLasso(const std::vector<NetPoint>& lasso, NetPoint point) {
  bool inside = false;
  for (std::size_t i = 0, j = lasso.size() - 1; i < lasso.size(); j = i++) {
    const NetPoint a = lasso[i], b = lasso[j];
    if ((a.y > point.y) != (b.y > point.y) &&
        point.x < a.x + (b.x - a.x) * (point.y - a.y) / (b.y - a.y))
      inside = !inside;
  }
  return inside;
}

std::vector<int> SelectInLasso(const std::vector<ProjectedDatum>& data,
                               const std::vector<NetPoint>& lasso) {
  std::vector<int> lines;
  if (lasso.size() < 3) return lines;
  NetPoint low = lasso.front(), high = lasso.front();
  for (const NetPoint& p : lasso) {
    low = {std::min(low.x, p.x), std::min(low.y, p.y)};
    high = {std::max(high.x, p.x), std::max(high.y, p.y)};
  }
  // Only a point within the lasso's bounding box is tested against its edges.
  auto inside = [&](NetPoint p) {
    return p.x >= low.x && p.x <= high.x && p.y >= low.y && p.y <= high.y && InsideLasso(lasso, p);
  };
  for (const ProjectedDatum& d : data)
    if (inside(d.point) || (d.otherEnd && inside(*d.otherEnd))) lines.push_back(d.line);
  return lines;
}

std::optional<int> NearestDatum(const std::vector<ProjectedDatum>& data, NetPoint point,
                                double reach) {
  std::optional<int> nearest;
  double best = reach;
  auto consider = [&](int line, NetPoint p) {
    const double distance = std::hypot(p.x - point.x, p.y - point.y);
    if (distance < best || (distance == best && !nearest)) best = distance, nearest = line;
  };
  for (const ProjectedDatum& d : data) {
    consider(d.line, d.point);
    if (d.otherEnd) consider(d.line, *d.otherEnd);
  }
  return nearest;
}

std::optional<std::vector<double>> NumbersOf(const std::string& text, std::size_t count) {
  std::vector<double> numbers(count);
  const char* at = text.data();
  const char* end = at + text.size();
  for (std::size_t k = 0; k < count; ++k) {
    if (k > 0 && (at == end || *at++ != ',')) return std::nullopt;
    const auto [next, error] = std::from_chars(at, end, numbers[k]);
    if (error != std::errc() || !std::isfinite(numbers[k])) return std::nullopt;
    at = next;
  }
  if (at != end) return std::nullopt;
  return numbers;
}

namespace {
bool Within(double value, double low, double high) { return value >= low && value <= high; }
}  // namespace

std::optional<TrendPlungeWindow> WindowWritten(const std::string& text, std::string& error) {
  const auto w = NumbersOf(text, 4);
  if (!w || !Within((*w)[0], 0, 360) || !Within((*w)[1], 0, 360) || !Within((*w)[2], 0, (*w)[3]) ||
      !Within((*w)[3], 0, 90)) {
    error = "T1,T2,P1,P2 (trends 0 to 360, 0 <= P1 <= P2 <= 90), not '" + text + "'";
    return std::nullopt;
  }
  return TrendPlungeWindow{(*w)[0], (*w)[1], (*w)[2], (*w)[3]};
}

std::optional<Cone> ConeWritten(const std::string& text, std::string& error) {
  const auto c = NumbersOf(text, 3);
  if (!c || !Within((*c)[0], 0, 360) || !Within((*c)[1], 0, 90) || !Within((*c)[2], 0, 90)) {
    error = "T,P,A (trend 0 to 360, plunge and half-angle 0 to 90), not '" + text + "'";
    return std::nullopt;
  }
  return Cone{{(*c)[0], (*c)[1]}, (*c)[2]};
}

}  // namespace orniva::analysis
