// The survey's batch: every site x phase ("all" when the site's curation
// has no phases) inverted with the survey's method and options and
// bootstrapped with its seed, exactly as `orniva-analyse DATA
// stress-summary` and `orniva-analyse DATA stress-bootstrap --seed S` give
// them on that site's data alone (the same analysis functions, the same
// numbers). With back-tilt, a site with a bedding is inverted in the frame
// of its bedding restored to horizontal.
//
// Sites run one after the other, each bootstrap on both cores
// (analysis/stress_bootstrap.h); a site is opened when its turn comes and
// let go when its rows are done, so that a survey of many sites holds one
// site's data at a time (and the file that sites next to each other share,
// read once). A site that cannot be opened, and a phase that
// cannot be inverted (too few faults, planes that do not fix the stress),
// gets a row whose note says why; the rest run.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "analysis/stress_bootstrap.h"
#include "survey/site_open.h"
#include "survey/survey_file.h"

namespace orniva::survey {

// The phase name of the rows of a site without phases.
inline constexpr const char* kAllData = "all";
// The note of the rows a cancelled run did not reach.
inline constexpr const char* kNotRun = "not run (cancelled)";

// One site x phase.
struct SurveyRow {
  int site = 0;        // index into the survey's sites
  std::string phase;   // the phase's name, or kAllData
  int scope = 0;       // of the site's study: 0 all data, k its phase k
  std::string colour;  // the phase's colour "#rrggbb"; empty for kAllData
  int nTotal = 0;      // the site's data that passed every check
  bool backTilted = false;
  // The inversion as stress-summary makes it (its per-datum misfits are
  // not kept). Not run when `note` says the site could not be opened.
  analysis::StressResult stress;
  // The bootstrap as stress-bootstrap makes it (its kept solutions are not
  // kept); `error` set when not run.
  analysis::StressBootstrap bootstrap;
  // Why a value is missing: the site's, the inversion's or the bootstrap's
  // refusal; empty when the row is complete.
  std::string note;

  bool inverted() const { return stress.used > 0 && stress.error.empty(); }
};

// The site as it was opened for the run, its data let go.
struct SurveySite {
  OpenedSite opened;  // `study` null
  bool backTilted = false;
};

struct SurveyResult {
  Survey survey;           // as it was run
  std::string surveyPath;  // data files are found from its folder
  std::vector<SurveySite> sites;
  std::vector<SurveyRow> rows;  // site by site, each site's phases in order
  bool cancelled = false;
};

// What a run may be told and asked: `cancel` stops it soon (the rows not
// reached say kNotRun); `progress` hears the work done of the total, in
// thousandths of a site, from the thread that started the run.
struct SurveyControl {
  const std::atomic<bool>* cancel = nullptr;
  std::function<void(int done, int total)> progress;
};

// Site `index` of the survey file at `surveyPath` opened as the run opens
// it: back-tilted when the survey asks and the site has a bedding. `file`
// as OpenSite takes it.
OpenedSite OpenSurveySite(const Survey& survey, const std::string& surveyPath, int index,
                          bool& backTilted, std::shared_ptr<const SiteFile>* file = nullptr);

SurveyResult RunSurvey(const Survey& survey, const std::string& surveyPath,
                       const SurveyControl& control = {});

}  // namespace orniva::survey
