#include "survey/survey_run.h"

#include <utility>

namespace orniva::survey {

namespace {

constexpr int kSiteWork = 1000;  // progress units per site

// The rows of one opened site: one per phase, or one of all data.
std::vector<SurveyRow> RowsOf(const OpenedSite& site, int index, bool backTilted) {
  SurveyRow row;
  row.site = index;
  row.nTotal = site.error.empty() ? DataOfSite(site) : 0;
  row.backTilted = backTilted;
  row.phase = kAllData;
  row.note = site.error;
  std::vector<SurveyRow> rows;
  if (site.error.empty())
    for (const analysis::PhaseInfo& phase : site.study->curation().phases) {
      row.phase = phase.name;
      row.colour = phase.colour;
      ++row.scope;
      rows.push_back(row);
    }
  if (rows.empty()) rows.push_back(row);  // scope 0, kAllData
  return rows;
}

// Inverts and bootstraps the row's data in the study (its scope set to the
// row's phase).
void RunRow(analysis::Study& study, const SurveyChoices& choices, SurveyRow& row,
            const analysis::WorkControl& control) {
  study.SetMethod(choices.method);
  study.SetIterate(choices.iterate);
  row.stress = study.Stress();
  row.stress.faults.clear();
  if (row.stress.used == 0 || !row.stress.error.empty()) {
    row.note = row.stress.used == 0 ? analysis::kNoUsableData : row.stress.error;
    row.bootstrap.error = row.note;
    return;
  }
  const analysis::BootstrapSettings settings{choices.samples, choices.confidence, choices.seed};
  row.bootstrap = analysis::BootstrapStress(analysis::SetupOf(study), settings, control);
  row.bootstrap.kept.clear();
  if (!row.bootstrap.error.empty()) row.note = "bootstrap: " + row.bootstrap.error;
}

bool Cancelled(const SurveyControl& control) { return control.cancel && control.cancel->load(); }

// Runs the rows of `site`, reporting progress within site `index` of `count`.
void RunSite(OpenedSite& site, const SurveyChoices& choices, std::vector<SurveyRow>& rows,
             int index, int count, const SurveyControl& control) {
  for (std::size_t k = 0; k < rows.size() && site.error.empty(); ++k) {
    const int before = index * kSiteWork + int(k) * kSiteWork / int(rows.size());
    analysis::WorkControl work;
    work.cancel = control.cancel;
    if (control.progress)
      work.report = [&, before](int done, int total) {
        control.progress(before + done * kSiteWork / int(rows.size()) / std::max(total, 1),
                         count * kSiteWork);
      };
    site.study->SetScope(rows[k].scope);
    RunRow(*site.study, choices, rows[k], work);
    if (Cancelled(control)) return;
  }
}

}  // namespace

OpenedSite OpenSurveySite(const Survey& survey, const std::string& surveyPath, int index,
                          bool& backTilted, std::shared_ptr<const SiteFile>* file) {
  const SiteEntry& entry = survey.sites[std::size_t(index)];
  OpenedSite site = OpenSite(SiteDataPath(surveyPath, entry), entry.lines, file);
  backTilted = site.error.empty() && survey.choices.backTilt && entry.bedding;
  if (backTilted) BackTiltSite(site, {entry.bedding->dipDirection, entry.bedding->dip});
  return site;
}

SurveyResult RunSurvey(const Survey& survey, const std::string& surveyPath,
                       const SurveyControl& control) {
  SurveyResult result{survey, surveyPath, {}, {}, false};
  const int count = int(survey.sites.size());
  std::shared_ptr<const SiteFile> file;
  for (int index = 0; index < count; ++index) {
    SurveySite site;
    result.cancelled = result.cancelled || Cancelled(control);
    if (result.cancelled)
      site.opened.error = kNotRun;
    else
      site.opened = OpenSurveySite(survey, surveyPath, index, site.backTilted, &file);
    std::vector<SurveyRow> rows = RowsOf(site.opened, index, site.backTilted);
    RunSite(site.opened, survey.choices, rows, index, count, control);
    result.cancelled = result.cancelled || Cancelled(control);
    for (SurveyRow& row : rows)
      if (row.note.empty() && !row.inverted()) row.note = kNotRun;
    site.opened.study.reset();
    result.sites.push_back(std::move(site));
    result.rows.insert(result.rows.end(), rows.begin(), rows.end());
    if (control.progress) control.progress((index + 1) * kSiteWork, count * kSiteWork);
  }
  return result;
}

}  // namespace orniva::survey
