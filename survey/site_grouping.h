// A survey made from one data file whose lines carry the site they were
// measured at (the per-line attributes of its curation file): one site per
// site name, holding the lines that name it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "survey/survey_file.h"

namespace orniva::survey {

// What one line of the data file says of where it was measured.
struct LineSite {
  int line = 0;      // 1 to the data's count
  std::string site;  // empty: no site, the line is in none
  std::optional<GeoPosition> position;
  std::optional<double> elevation;  // [m]
  std::string locality, date;
};

// The sites of `lines`, in the order their names first come: each with
// the data file `dataName` and its lines, at the spherical mean of its
// lines' positions (none where no line has one), at the mean of their
// elevations, with the first locality and date its lines give.
std::vector<SiteEntry> SitesFromLines(const std::string& dataName,
                                      const std::vector<LineSite>& lines);

}  // namespace orniva::survey
