// The rose diagram's counts: how many data fall in each bin of azimuth.
//
// Bins [k w, (k + 1) w) of width w, k = 0 ... 360 / w - 1, of one azimuth
// per datum in use: the strike (each plane counted at dd - 90 and dd + 90,
// so that the rose is symmetric and the counts sum to twice the data), the
// dip direction dd, or the striation's trend. A petal's length is in
// proportion to its count, or to the count's square root for an equal-area
// rose (the petal's area then goes with the count).
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "analysis/report_format.h"
#include "data/fault_data.h"

namespace orniva::analysis {

enum class RoseOf { Strike, DipDirection, Trend };

// The names on the command line: "strike", "dip-direction", "trend".
std::optional<RoseOf> RoseOfNamed(std::string_view name);

constexpr double kDefaultRoseBin = 10;
// The narrowest bin [deg]: at most 360 bins, a rose and a report of a
// size a reader can use.
constexpr double kSmallestRoseBin = 1;
// Whether `width` [deg] makes whole bins: kSmallestRoseBin <= width <= 360,
// 360 / width a whole number (to 1e-9).
bool ValidRoseBin(double width);

struct RoseCounts {
  double binWidth = kDefaultRoseBin;
  std::vector<int> counts;  // per bin, from north clockwise
  int data = 0;             // the data counted
};
// No datum yet: 360 / binWidth empty bins. `binWidth` must be valid.
RoseCounts EmptyRose(double binWidth = kDefaultRoseBin);
// One azimuth [deg, any turn] counted in its bin (the datum itself is
// counted in `data` by the caller: a plane's strike gives two azimuths).
void CountAzimuth(RoseCounts& rose, double azimuth);

// The counts of the data that passed every check and are in `use` (by line;
// null: all). `binWidth` must be valid.
RoseCounts CountRose(const FaultSet& data, const std::vector<bool>* use, RoseOf of,
                     double binWidth);

// The length of each petal as a fraction of the longest: count / max, or
// sqrt(count / max) for an equal-area rose. All zero without data.
std::vector<double> PetalLengths(const RoseCounts& rose, bool equalArea);

// The report of the command line `rose`: from,to,count per bin. No datum
// in use sets `error`.
CsvReport RoseCsv(const RoseCounts& rose);

}  // namespace orniva::analysis
