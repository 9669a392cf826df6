// The survey's reproducible report: index.html for the survey (its file's
// SHA-256, the choices, Orniva's version, the map, the table and the
// sites) and one page per site: its data file's and curation file's
// SHA-256, the lines switched off and the phases, the method and options,
// the seed and resamples, Orniva's version, and per row the fault-plane
// net with the stress axes and the Mohr diagram as inline SVG, and the
// site's rows of the table. The survey table is beside them as
// survey.csv. The same inputs give the same bytes, but for the one line
// of index.html that gives the date it was made.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "picture/picture.h"
#include "survey/survey_run.h"

namespace orniva::survey {

// A picture as an SVG file's text (render/ makes it; this layer has no Qt).
using SvgOfPicture = std::function<std::string(const Picture&)>;

struct ReportFile {
  std::string name;  // within the report's folder
  std::string bytes;
};

// The file name of site `index`'s page: "site-001.html" for the first.
std::string SitePageName(int index);

// The report's files: index.html, survey.csv and a page per site. `date`
// is the text of the date line. The sites are opened again to draw their
// figures; a site whose data file has changed since the run says so.
std::vector<ReportFile> SurveyReport(const SurveyResult& result, const SvgOfPicture& svgOf,
                                     const std::string& date);

// "1-25, 30" of ascending line numbers; "none" for none.
std::string LineRanges(const std::vector<int>& lines);

}  // namespace orniva::survey
