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

// The sites of the data file at `dataPath`, named `dataName` in the
// survey: SitesFromLines of the per-line attributes of its curation file
// (read and judged as a site's data file is); one site `wholeName` of
// every line when no line names a site or the curation is not applied.
// `error` the reason, naming the file, when it cannot be read or its
// curation file cannot be used.
struct FileSites {
  std::vector<SiteEntry> sites;
  std::string error;
};
FileSites SitesOfDataFile(const std::string& dataPath, const std::string& dataName,
                          const std::string& wholeName);

}  // namespace orniva::survey
