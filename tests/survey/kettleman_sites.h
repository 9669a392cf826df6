// The Kettleman Hills faults (tests/data/realdata) with the position of
// each fault from the source table (raw/), put into sites by quarter about
// 36.04 N, 120.1 W: the survey the tests run.
#pragma once

#include <string>
#include <vector>

#include "survey/site_grouping.h"
#include "survey/survey_file.h"
#include "tests/support/test_support.h"

namespace orniva::test {

// Each line of kettleman_hills.fdt with its site ("NE", "NW", "SE", "SW")
// and position.
std::vector<survey::LineSite> KettlemanLineSites();

// kettleman_hills.fdt copied to `dir` as kh.fdt, and the survey of its four
// quarters (SitesFromLines) with `choices`, its file kh.orniva-survey.json
// in `dir` (not written).
survey::Survey KettlemanSurvey(const TempDir& dir, const survey::SurveyChoices& choices);
std::string KettlemanSurveyPath(const TempDir& dir);

// The data file's lines `lines` (1-based) as a file of their own in `dir`.
std::string WriteLinesFile(const TempDir& dir, const std::string& name,
                           const std::vector<int>& lines);

}  // namespace orniva::test
