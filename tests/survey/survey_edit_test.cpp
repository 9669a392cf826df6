// Editing a survey: a site's typed values checked by the survey file's
// rules, the history of edits and the state saved, the rows of a run shown
// against the survey edited after it, and data files named from another
// place.
#include <gtest/gtest.h>

#include <functional>

#include "survey/survey_edit.h"
#include "tests/support/test_support.h"

namespace orniva::survey {
namespace {

Survey TwoSites() {
  Survey survey;
  survey.sites = {{"NE",
                   "kh.fdt",
                   GeoPosition{-120.05, 36.06},
                   240.0,
                   SiteBedding{90, 20},
                   "KH",
                   "2024",
                   "",
                   std::vector<int>{1, 2},
                   {{"colour", "\"red\""}}},
                  {"SW", "kh.fdt", {}, {}, {}, "", "", "", std::vector<int>{3, 4}, {}}};
  return survey;
}

// Every field of a site's dialog read by the survey file's rules: a refusal
// names its field and the values it accepts.
TEST(SiteFields, AreCheckedAsTheSurveyFileIs) {
  const Survey survey = TwoSites();
  using Change = std::function<void(SiteFields&)>;
  const struct {
    Change change;
    std::string problem;
    std::function<bool(const SiteEntry&)> holds;
  } rows[] = {
      {[](SiteFields&) {}, "", [&](const SiteEntry& s) { return s == survey.sites[0]; }},
      {[](SiteFields& f) { f.name = "  N E "; }, "", [](auto& s) { return s.name == "N E"; }},
      {[](SiteFields& f) { f.name = " "; }, "Name: a site needs a name.", {}},
      {[](SiteFields& f) { f.name = "SW"; }, "Name: another site is named 'SW'.", {}},
      {[](SiteFields& f) { f.lon = "180"; }, "", [](auto& s) { return s.position->lon == 180; }},
      {[](SiteFields& f) { f.lon = "180.5"; },
       "Longitude: '180.5' is not a number from -180 to 180.",
       {}},
      {[](SiteFields& f) { f.lat = "-90.01"; },
       "Latitude: '-90.01' is not a number from -90 to 90.",
       {}},
      {[](SiteFields& f) { f.lat = "36,1"; },
       "Latitude: '36,1' is not a number from -90 to 90.",
       {}},
      {[](SiteFields& f) { f.lat = "nan"; }, "Latitude: 'nan' is not a number from -90 to 90.", {}},
      {[](SiteFields& f) { f.lat = ""; }, "Longitude and latitude: give both or neither.", {}},
      {[](SiteFields& f) { f.lon = f.lat = ""; }, "", [](auto& s) { return !s.position; }},
      {[](SiteFields& f) { f.elevation = "-12.5"; }, "",
       [](auto& s) { return *s.elevation == -12.5; }},
      {[](SiteFields& f) { f.elevation = "12 m"; },
       "Elevation: '12 m' is not a number of metres.",
       {}},
      {[](SiteFields& f) { f.dipDirection = "360.1"; },
       "Dip direction: '360.1' is not a number from 0 to 360.",
       {}},
      {[](SiteFields& f) { f.dip = "-0"; }, "",
       [](auto& s) { return s.bedding->dip == 0 && !std::signbit(s.bedding->dip); }},
      {[](SiteFields& f) { f.dip = "91"; }, "Dip: '91' is not a number from 0 to 90.", {}},
      {[](SiteFields& f) { f.dip = ""; },
       "Bedding: give its dip direction and dip, or neither.",
       {}},
      {[](SiteFields& f) { f.dipDirection = f.dip = ""; }, "", [](auto& s) { return !s.bedding; }},
      {[](SiteFields& f) { f.notes = "two\nlines"; }, "",
       [](auto& s) { return s.notes == "two\nlines" && s.lines && !s.unknown.empty(); }},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SiteFields fields = SiteFieldsOf(survey.sites[0]);
    rows[i].change(fields);
    const SiteReading reading = ReadSiteFields(fields, survey, 0);
    EXPECT_EQ(reading.problem, rows[i].problem) << i;
    EXPECT_TRUE(!rows[i].holds || rows[i].holds(reading.site)) << i;
  }
}

TEST(SurveyHistory, UndoRedoAndTheStateSaved) {
  Survey edited = TwoSites();
  edited.sites[1].name = "S";
  SurveyHistory history(TwoSites());
  EXPECT_FALSE(history.modified());
  EXPECT_EQ(history.undoText(), "");
  history.Do(edited, "Edit Site SW");
  EXPECT_TRUE(history.modified());
  EXPECT_EQ(history.undoText(), "Edit Site SW");
  history.Undo();
  EXPECT_EQ(history.survey(), TwoSites());
  EXPECT_FALSE(history.modified());
  EXPECT_EQ(history.redoText(), "Edit Site SW");
  history.Redo();
  EXPECT_EQ(history.survey(), edited);
  history.MarkSaved();
  EXPECT_FALSE(history.modified());
  history.Undo();
  EXPECT_TRUE(history.modified());
  history.Do(TwoSites(), "Add Sites");  // the state saved can no longer be reached
  EXPECT_FALSE(history.canRedo());
  history.Undo();
  EXPECT_TRUE(history.modified());
}

// An edited survey saved and read back is the survey edited, with the
// members this version does not know.
TEST(SurveyHistory, SavedEditsReadBackWithUnknownMembers) {
  test::TempDir dir;
  Survey survey = TwoSites();
  survey.unknown = {{"project", "{\"id\": 7}"}};
  SurveyHistory history(survey);
  SiteFields fields = SiteFieldsOf(survey.sites[0]);
  fields.lat = "36.5";
  survey.sites[0] = ReadSiteFields(fields, survey, 0).site;
  history.Do(survey, "Edit Site NE");
  WriteSurveyFile(dir.File("s.orniva-survey.json"), history.survey());
  const SurveyRead read = ReadSurveyFile(dir.File("s.orniva-survey.json"));
  ASSERT_EQ(read.error, "");
  EXPECT_EQ(read.survey, survey);
  EXPECT_EQ(read.survey.sites[0].unknown, TwoSites().sites[0].unknown);
}

TEST(SurveyEdits, AppendedSitesGetNamesApart) {
  Survey survey = TwoSites();
  AppendSites(survey, {{"NE", "b.fdt", {}, {}, {}, "", "", "", {}, {}},
                       {"NE", "c.fdt", {}, {}, {}, "", "", "", {}, {}}});
  ASSERT_EQ(survey.sites.size(), 4u);
  EXPECT_EQ(survey.sites[2].name, "NE 2");
  EXPECT_EQ(survey.sites[3].name, "NE 3");
}

// A run's rows stay with a site as long as it would run the same; the rest
// say why they wait for a run.
TEST(SurveyEdits, RunRowsShownAgainstTheSurveyNow) {
  SurveyResult run;
  run.survey = TwoSites();
  run.survey.choices.backTilt = true;
  run.sites.resize(2);
  for (const int site : {0, 0, 1}) {
    SurveyRow row;
    row.site = site;
    row.phase = "P" + std::to_string(run.rows.size());
    run.rows.push_back(row);
  }
  using Change = std::function<void(Survey&)>;
  const struct {
    Change change;
    std::vector<std::string> phases;  // of the rows shown; a note for those waiting
  } rows[] = {
      {[](Survey&) {}, {"P0", "P1", "P2"}},
      {[](Survey& s) { s.sites[0].name = "X"; }, {"P0", "P1", "P2"}},
      {[](Survey& s) { s.sites[0].position.reset(); }, {"P0", "P1", "P2"}},
      {[](Survey& s) { s.sites[0].bedding->dip = 30; }, {kChangedSinceRun, "P2"}},
      {[](Survey& s) {
         s.sites[1].bedding = SiteBedding{0, 10};
       },
       {"P0", "P1", kChangedSinceRun}},
      {[](Survey& s) { s.sites[1].lines = std::vector<int>{3}; }, {"P0", "P1", kChangedSinceRun}},
      {[](Survey& s) { s.sites.pop_back(); }, {"P0", "P1"}},
      {[](Survey& s) { s.sites.erase(s.sites.begin()); }, {"P2"}},
      {[](Survey& s) { std::swap(s.sites[0], s.sites[1]); }, {"P2", "P0", "P1"}},
      {[](Survey& s) { AppendSites(s, {s.sites[0]}); }, {"P0", "P1", "P2", kNotRunYet}},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    Survey now = run.survey;
    rows[i].change(now);
    const SurveyResult shown = ResultFor(now, "s.json", &run);
    std::vector<std::string> phases;
    for (const SurveyRow& row : shown.rows)
      phases.push_back(row.note.empty() ? row.phase : row.note);
    for (const SurveyRow& row : shown.rows)  // a run's row names the site it ran for
      if (row.note.empty()) {
        EXPECT_EQ(now.sites[std::size_t(row.site)].lines,
                  run.survey.sites[row.phase == "P2" ? 1 : 0].lines)
            << i;
      }
    EXPECT_EQ(phases, rows[i].phases) << i;
    EXPECT_EQ(shown.survey, now) << i;
    EXPECT_EQ(shown.sites.size(), now.sites.size()) << i;
  }
  Survey flat = run.survey;
  flat.sites[0].bedding.reset();
  run.survey.choices.backTilt = false;  // a bedding changes nothing then
  EXPECT_EQ(ResultFor(flat, "s.json", &run).rows.size(), 3u);
  EXPECT_EQ(ResultFor(flat, "s.json", nullptr).rows[1].note, kNotRunYet);
}

TEST(SurveyEdits, DataFilesNamedFromAnotherPlace) {
  const struct {
    std::string data, from, to, expected;
  } rows[] = {
      {"kh.fdt", "/w/s.json", "/w/t.json", "kh.fdt"},
      {"kh.fdt", "/w/s.json", "/w/sub/t.json", "../kh.fdt"},
      {"d/kh.fdt", "/w/s.json", "/w/d/t.json", "kh.fdt"},
      {"../kh.fdt", "/w/a/s.json", "/w/t.json", "kh.fdt"},
      {"/data/kh.fdt", "/w/s.json", "/x/t.json", "/data/kh.fdt"},
  };
  for (const auto& row : rows) {
    Survey survey;
    survey.sites.push_back({"A", row.data, {}, {}, {}, "", "", "", {}, {}});
    EXPECT_EQ(RebasedSurvey(survey, row.from, row.to).sites[0].data, row.expected) << row.data;
  }
  EXPECT_EQ(DataNameFor("/w/kh.fdt", "/w/x/../s.json"), "kh.fdt");
}

}  // namespace
}  // namespace orniva::survey
