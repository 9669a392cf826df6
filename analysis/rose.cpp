#include "analysis/rose.h"

#include <algorithm>
#include <cmath>

#include "platform/names.h"

namespace orniva::analysis {

namespace {
constexpr Named<RoseOf> kRoseNames[] = {
    {"strike", RoseOf::Strike},
    {"dip-direction", RoseOf::DipDirection},
    {"trend", RoseOf::Trend},
};
}  // namespace

std::optional<RoseOf> RoseOfNamed(std::string_view name) { return ValueNamed(kRoseNames, name); }

bool ValidRoseBin(double width) {
  if (!(width >= kSmallestRoseBin && width <= 360)) return false;
  const double bins = 360 / width;
  return std::fabs(bins - std::round(bins)) <= 1e-9 * bins;
}

RoseCounts EmptyRose(double binWidth) {
  RoseCounts rose;
  rose.binWidth = binWidth;
  rose.counts.assign(std::size_t(std::lround(360 / binWidth)), 0);
  return rose;
}

void CountAzimuth(RoseCounts& rose, double azimuth) {
  if (rose.counts.empty() || !std::isfinite(azimuth)) return;
  double a = std::fmod(azimuth, 360);
  if (a < 0) a += 360;
  const auto bin = std::size_t(std::floor(a / rose.binWidth));
  ++rose.counts[std::min(bin, rose.counts.size() - 1)];
}

RoseCounts CountRose(const FaultSet& data, const std::vector<bool>* use, RoseOf of,
                     double binWidth) {
  RoseCounts rose = EmptyRose(binWidth);
  auto count = [&rose](double azimuth) { CountAzimuth(rose, azimuth); };
  for (std::size_t i = 1; i <= std::size_t(data.count()); ++i) {
    const TFaultData& d = data[i];
    if (d.failedChecks != 0 || (use && !(i < use->size() && (*use)[i]))) continue;
    ++rose.data;
    if (of == RoseOf::Strike) {
      count(double(d.faz) - 90);
      count(double(d.faz) + 90);
    } else {
      count(of == RoseOf::DipDirection ? d.faz : d.saz);
    }
  }
  return rose;
}

std::vector<double> PetalLengths(const RoseCounts& rose, bool equalArea) {
  const int most =
      rose.counts.empty() ? 0 : *std::max_element(rose.counts.begin(), rose.counts.end());
  std::vector<double> lengths(rose.counts.size(), 0.0);
  if (most == 0) return lengths;
  for (std::size_t k = 0; k < lengths.size(); ++k) {
    const double share = double(rose.counts[k]) / most;
    lengths[k] = equalArea ? std::sqrt(share) : share;
  }
  return lengths;
}

}  // namespace orniva::analysis
