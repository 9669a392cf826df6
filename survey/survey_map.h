// The survey's map (plot/stress_map.h) made from its rows: every site with
// a position, a bar per row with a defined SHmax in its phase's colour
// (black for a site without phases), and a key of the phases.
#pragma once

#include "plot/stress_map.h"
#include "survey/survey_run.h"

namespace orniva::survey {

// The map of `result`, titled `title`; `ringedSite` (an index into the
// survey's sites, -1 for none) is ringed.
StressMap StressMapOf(const SurveyResult& result, const std::string& title, int ringedSite = -1);

// The colour of "#rrggbb"; black for any other text.
TColor ColourOfHex(const std::string& hex);

}  // namespace orniva::survey
