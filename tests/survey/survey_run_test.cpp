// The survey's batch against each site's own reports: every row is the
// stress-summary and stress-bootstrap that orniva-analyse makes of that
// site's data alone (here made from a file of the site's lines, apart from
// the survey's own reading), and the accuracy class at its bounds.
#include <gtest/gtest.h>

#include <atomic>
#include <map>

#include "analysis/by_phase.h"
#include "analysis/rotation.h"
#include "analysis/stress_bootstrap.h"
#include "analysis/stress_summary.h"
#include "data/curation.h"
#include "data/data_file_hash.h"
#include "data/fault_reader.h"
#include "survey/survey_table.h"
#include "tests/survey/kettleman_sites.h"

namespace orniva::survey {
namespace {

using Fields = std::map<std::string, std::string>;

Fields Row(const analysis::CsvReport& report) {
  EXPECT_EQ(report.error, "");
  const std::size_t end = report.text.find('\n');
  const auto names = analysis::CsvFields(report.text.substr(0, end));
  const auto values =
      analysis::CsvFields(report.text.substr(end + 1, report.text.size() - end - 2));
  Fields fields;
  for (std::size_t i = 0; i < names.size(); ++i) fields[names[i]] = values.at(i);
  return fields;
}

// What orniva-analyse DATA stress-summary and stress-bootstrap --seed S
// report of the study's data in its scope, as the table's columns.
Fields OwnReports(analysis::Study& study, const SurveyChoices& c) {
  study.SetMethod(c.method);
  study.SetIterate(c.iterate);
  Fields summary = Row(analysis::StressSummaryCsv(study.Stress(), c.method));
  Fields bootstrap = Row(analysis::StressBootstrapCsv(
      analysis::BootstrapStress(analysis::SetupOf(study), {c.samples, c.confidence, c.seed})));
  summary["mean_beta"] = summary["mean_misfit"];
  for (const char* name : {"theta_radius", "shmax_low", "shmax_high"})
    summary[name] = bootstrap[name];
  return summary;
}

Fields TableRow(const SurveyResult& result, const SurveyRow& row) {
  const std::vector<std::string> cells = RowCells(result, row);
  Fields fields;
  for (std::size_t i = 0; i < cells.size(); ++i) fields[TableColumns()[i].name] = cells[i];
  return fields;
}

void ExpectSameReports(const Fields& table, const Fields& own, const std::string& what) {
  for (const char* name : {"n", "s1_trend", "s1_plunge", "s2_trend", "s2_plunge", "s3_trend",
                           "s3_plunge", "phi", "r_prime", "regime", "wsm_regime", "shmax",
                           "mean_beta", "theta_radius", "shmax_low", "shmax_high"})
    EXPECT_EQ(table.at(name), own.at(name)) << what << " " << name;
}

analysis::Study StudyOf(const std::string& path) {
  analysis::Study study;
  LoadFaultLines(ReadDataFile(path).lines, study.data());
  study.DataReplaced();
  return study;
}

TEST(SurveyRun, EachRowIsTheSitesOwnStressSummaryAndBootstrap) {
  test::TempDir dir;
  const SurveyChoices choices{analysis::StressMethod::Michael, false, 300, 11, 0.9, false};
  Survey survey = test::KettlemanSurvey(dir, choices);
  survey.sites.push_back(
      {"tiny", "kh.fdt", GeoPosition{-120, 36}, {}, {}, "", "", "", std::vector<int>{1, 2, 3}, {}});
  survey.sites.push_back({"gone", "none.fdt", {}, {}, {}, "", "", "", {}, {}});
  const SurveyResult result = RunSurvey(survey, test::KettlemanSurveyPath(dir));
  ASSERT_EQ(result.rows.size(), 6u);
  for (std::size_t i = 0; i < 4; ++i) {
    const SiteEntry& site = survey.sites[i];
    analysis::Study own = StudyOf(test::WriteLinesFile(dir, site.name + ".fdt", *site.lines));
    const Fields table = TableRow(result, result.rows[i]);
    ExpectSameReports(table, OwnReports(own, choices), site.name);
    EXPECT_EQ(table.at("phase"), "all");
    EXPECT_EQ(table.at("n_total"), std::to_string(site.lines->size()));
    double lon = 0, lat = 0;  // the plain mean, within 3 m of the spherical one here
    for (const LineSite& line : test::KettlemanLineSites())
      if (line.site == site.name) {
        lon += line.position->lon / double(site.lines->size());
        lat += line.position->lat / double(site.lines->size());
      }
    EXPECT_NEAR(*CellNumber(table.at("lon")), lon, 3e-5) << site.name;
    EXPECT_NEAR(*CellNumber(table.at("lat")), lat, 3e-5) << site.name;
  }
  const Fields tiny = TableRow(result, result.rows[4]), gone = TableRow(result, result.rows[5]);
  EXPECT_EQ(tiny.at("note"), "stress inversion needs at least 4 faults; 3 given");
  EXPECT_EQ(tiny.at("shmax"), "");
  EXPECT_EQ(tiny.at("accuracy_class"), "E");
  EXPECT_EQ(gone.at("note"), "cannot read " + dir.File("none.fdt") + ": No such file or directory");
  EXPECT_EQ(gone.at("theta_radius"), "");
}

// Two phases of lines 10 to 40 of the Kettleman faults (31 data), two of
// them switched off, and a phase that holds none of them.
Curation TwoPhases() {
  Curation curation;
  curation.off = {3, 17};
  curation.phases = {{"B", "#bf3f1f", {2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22}, {}},
                     {"A", "#1f5fbf", {1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25}, {}},
                     {"C", "#00ff00", {}, {}}};
  return curation;
}

// Those lines as the file `name` with the curation file beside it, made for
// other data when `stale`.
std::string WithCuration(const test::TempDir& dir, const std::string& name, bool stale) {
  std::vector<int> lines;
  for (int line = 10; line <= 40; ++line) lines.push_back(line);
  const std::string path = test::WriteLinesFile(dir, name, lines);
  const std::string sha = stale ? std::string(64, 'a') : DataFileSha256(path);
  test::WriteFile(CurationPathFor(path), CurationText(TwoPhases(), name, 31, sha));
  return path;
}

TEST(SurveyRun, PhasesCurationAndBackTiltOfASite) {
  test::TempDir dir;
  const std::string path = WithCuration(dir, "k.fdt", false);
  const std::string stale = WithCuration(dir, "s.fdt", true);
  const SurveyChoices choices{analysis::StressMethod::Angelier, false, 100, 3, 0.95, true};
  Survey survey;
  survey.choices = choices;
  survey.sites = {{"K", "k.fdt", {}, {}, SiteBedding{120, 35}, "", "", "", {}, {}},
                  {"S", "s.fdt", {}, {}, {}, "", "", "", {}, {}}};
  const SurveyResult result = RunSurvey(survey, dir.File("x.orniva-survey.json"));
  ASSERT_EQ(result.rows.size(), 3u);  // phase C holds none of the site's lines
  analysis::Study own = StudyOf(path);
  own.data() = analysis::RotateData(own.data(), analysis::BackTiltRotation({120, 35}, 1));
  own.DataReplaced();
  own.SetCuration(analysis::CurationState::FromFile(TwoPhases(), 31));
  for (int phase : {1, 2}) {
    own.SetScope(phase);
    const Fields table = TableRow(result, result.rows[std::size_t(phase - 1)]);
    ExpectSameReports(table, OwnReports(own, choices), table.at("phase"));
    EXPECT_EQ(table.at("frame") + table.at("n_total"), "back-tilted31");
  }
  EXPECT_EQ(result.rows[0].phase + result.rows[0].colour, "B#bf3f1f");
  EXPECT_EQ(result.sites[0].opened.off, (std::vector<int>{3, 17}));
  analysis::Study plain = StudyOf(stale);
  const Fields table = TableRow(result, result.rows[2]);
  ExpectSameReports(table, OwnReports(plain, choices), "stale");
  EXPECT_EQ(table.at("frame"), "geographic");
  EXPECT_EQ(result.sites[1].opened.warnings.at(0),
            "warning: " + CurationPathFor(stale) +
                ": made for other data (the data file has changed since); the curation is not "
                "applied");
}

TEST(SurveyRun, CancelledRunSaysWhatItDidNotRun) {
  test::TempDir dir;
  const Survey survey =
      test::KettlemanSurvey(dir, {analysis::StressMethod::Michael, false, 500, 1, 0.95, false});
  std::atomic<bool> cancel{false};
  std::vector<std::pair<int, int>> progress;
  SurveyControl control;
  control.cancel = &cancel;
  control.progress = [&](int done, int total) {
    progress.emplace_back(done, total);
    if (done >= 1000) cancel = true;  // the first site done
  };
  const SurveyResult result = RunSurvey(survey, test::KettlemanSurveyPath(dir), control);
  EXPECT_TRUE(result.cancelled);
  EXPECT_TRUE(result.rows[0].inverted());
  EXPECT_EQ(result.rows[3].note, kNotRun);
  for (std::size_t i = 1; i < progress.size(); ++i)
    EXPECT_LE(progress[i - 1].first, progress[i].first);
  EXPECT_EQ(progress.back(), std::make_pair(4000, 4000));
}

TEST(SurveyTable, AccuracyClassAtItsBounds) {
  const std::pair<std::pair<double, double>, char> rows[] = {
      {{10, 40}, 'A'},      {{10, 40.02}, 'B'}, {{170, 200}, 'A'}, {{0, 40}, 'B'},
      {{0, 40.02}, 'C'},    {{0, 50}, 'C'},     {{0, 50.02}, 'D'}, {{100, 180}, 'D'},
      {{100, 180.02}, 'E'}, {{0, 179.98}, 'E'}, {{20, 10}, 'E'},
  };
  for (const auto& [interval, expected] : rows)
    EXPECT_EQ(AccuracyClass(HalfWidth(interval.first, interval.second)), expected)
        << interval.first << " to " << interval.second;
  EXPECT_EQ(AccuracyClass(std::nullopt), 'E');
}

}  // namespace
}  // namespace orniva::survey
