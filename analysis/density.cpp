#include "analysis/density.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "math/numeric.h"
#include "platform/names.h"

namespace orniva::analysis {

namespace {
constexpr Named<DensityOf> kDensityOfNames[] = {{"poles", DensityOf::Poles},
                                                {"p", DensityOf::PAxes},
                                                {"t", DensityOf::TAxes},
                                                {"striations", DensityOf::Striations}};
constexpr Named<DensityMethod> kMethodNames[] = {{"kamb", DensityMethod::Kamb},
                                                 {"one-percent", DensityMethod::OnePercent}};
}  // namespace

std::optional<DensityOf> DensityOfNamed(std::string_view name) {
  return ValueNamed(kDensityOfNames, name);
}
std::optional<DensityMethod> DensityMethodNamed(std::string_view name) {
  return ValueNamed(kMethodNames, name);
}

using math::Vector3d;

namespace {

constexpr double kPi = numeric::kPi;
// Widening of every angular bound of the index [rad], far above the
// rounding of the azimuths, colatitudes and dot products behind them.
constexpr double kMargin = 1e-6;

struct IndexedDirection {
  double azimuth;  // atan2(y, x), in [-pi, pi]
  Vector3d v;
};

double Colatitude(Vector3d v) { return std::atan2(std::hypot(v.x, v.y), v.z); }

// Every direction and its opposite, in bands of colatitude (from +z) each
// at least as wide as the cap, sorted by azimuth within a band. A cap of
// radius theta < 90 deg holds at most one of v and -v, so
// |d . v| >= c  <=>  d . w >= c for exactly one w in {v, -v}; and
// d . (-v) is exactly -(d . v), so the count equals the brute-force one.
class CapIndex {
 public:
  CapIndex(const std::vector<Vector3d>& directions, double capRadius)
      : capRadius_(capRadius + kMargin),
        bands_(std::clamp(int(kPi / capRadius_), 1, 1024)),
        bandWidth_(kPi / bands_),
        start_(std::size_t(bands_) + 1, 0) {
    std::vector<std::pair<int, IndexedDirection>> all;
    all.reserve(2 * directions.size());
    for (const Vector3d& d : directions)
      for (const Vector3d& w : {d, -d})
        all.push_back({BandOf(Colatitude(w)), {std::atan2(w.y, w.x), w}});
    std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) {
      return a.first != b.first ? a.first < b.first : a.second.azimuth < b.second.azimuth;
    });
    entries_.reserve(all.size());
    for (const auto& [band, entry] : all) {
      entries_.push_back(entry);
      ++start_[std::size_t(band) + 1];
    }
    for (int b = 0; b < bands_; ++b) start_[std::size_t(b) + 1] += start_[std::size_t(b)];
  }

  int Count(Vector3d d, double minDot) const {
    const double colat = Colatitude(d), low = colat - capRadius_, high = colat + capRadius_;
    const bool aroundPole = !(low > 0 && high < kPi);
    const double halfWidth =
        aroundPole ? kPi
                   : std::asin(std::min(1.0, std::sin(capRadius_) / std::sin(colat))) + kMargin;
    const double azimuth = std::atan2(d.y, d.x);
    int count = 0;
    for (int b = BandOf(low); b <= BandOf(high); ++b) {
      if (halfWidth >= kPi) {
        count += CountRange(b, -kPi, kPi, d, minDot);
        continue;
      }
      const double from = azimuth - halfWidth, to = azimuth + halfWidth;
      count += CountRange(b, std::max(from, -kPi), std::min(to, kPi), d, minDot);
      if (from < -kPi) count += CountRange(b, from + 2 * kPi, kPi, d, minDot);
      if (to > kPi) count += CountRange(b, -kPi, to - 2 * kPi, d, minDot);
    }
    return count;
  }

 private:
  int BandOf(double colat) const { return std::clamp(int(colat / bandWidth_), 0, bands_ - 1); }

  int CountRange(int band, double from, double to, Vector3d d, double minDot) const {
    const auto first = entries_.begin() + std::ptrdiff_t(start_[std::size_t(band)]);
    const auto last = entries_.begin() + std::ptrdiff_t(start_[std::size_t(band) + 1]);
    auto it = std::lower_bound(first, last, from,
                               [](const IndexedDirection& e, double a) { return e.azimuth < a; });
    int count = 0;
    for (; it != last && it->azimuth <= to; ++it) count += Dot(d, it->v) >= minDot;
    return count;
  }

  double capRadius_;
  int bands_;
  double bandWidth_;
  std::vector<std::size_t> start_;
  std::vector<IndexedDirection> entries_;
};

}  // namespace

std::vector<Vector3d> DensityDirections(const std::vector<FaultVectors>& faults, DensityOf of) {
  std::vector<Vector3d> directions;
  directions.reserve(faults.size());
  for (const FaultVectors& f : faults) {
    switch (of) {
      case DensityOf::Poles:
        directions.push_back(-f.n);
        break;
      case DensityOf::PAxes:
        directions.push_back(math::Normalise(f.n - f.s));
        break;
      case DensityOf::TAxes:
        directions.push_back(math::Normalise(f.n + f.s));
        break;
      case DensityOf::Striations:
        directions.push_back(f.l);
        break;
    }
  }
  return directions;
}

CountingCap CapOf(DensityMethod method, std::size_t count) {
  const double n = double(count);
  if (count == 0)
    return {method == DensityMethod::OnePercent ? 0.99 : 1.0,
            std::numeric_limits<double>::quiet_NaN()};
  if (method == DensityMethod::OnePercent) return {0.99, 100 / n};
  const double area = 9 / (n + 9);
  return {1 - area, 1 / std::sqrt(n * area * (1 - area))};
}

std::vector<int> CountInCap(const std::vector<Vector3d>& directions, double minAbsDot,
                            const std::vector<Vector3d>& nodes) {
  std::vector<int> counts(nodes.size(), 0);
  if (!(minAbsDot > 0 && minAbsDot <= 1)) {
    for (std::size_t k = 0; k < nodes.size(); ++k)
      for (const Vector3d& v : directions) counts[k] += std::fabs(Dot(nodes[k], v)) >= minAbsDot;
    return counts;
  }
  const CapIndex index(directions, std::acos(minAbsDot));
  for (std::size_t k = 0; k < nodes.size(); ++k) counts[k] = index.Count(nodes[k], minAbsDot);
  return counts;
}

std::vector<double> DensityValues(const std::vector<Vector3d>& directions, DensityMethod method,
                                  const std::vector<Vector3d>& nodes) {
  if (directions.empty())
    return std::vector<double>(nodes.size(), std::numeric_limits<double>::quiet_NaN());
  const CountingCap cap = CapOf(method, directions.size());
  const std::vector<int> counts = CountInCap(directions, cap.minAbsDot, nodes);
  std::vector<double> values(nodes.size());
  for (std::size_t k = 0; k < nodes.size(); ++k) values[k] = counts[k] * cap.valuePerCount;
  return values;
}

std::vector<math::TrendPlunge> ReportGridLines() {
  std::vector<math::TrendPlunge> lines;
  lines.reserve(72 * 18 + 1);
  for (int plunge = 0; plunge <= 85; plunge += 5)
    for (int trend = 0; trend <= 355; trend += 5) lines.push_back({double(trend), double(plunge)});
  lines.push_back({0, 90});
  return lines;
}

std::vector<Vector3d> ReportGridNodes() {
  std::vector<Vector3d> nodes;
  for (const math::TrendPlunge& line : ReportGridLines())
    nodes.push_back(math::LineVector(line.trend, line.plunge));
  return nodes;
}

}  // namespace orniva::analysis
