// orniva-survey run as a process: its table equal to the survey run
// in-process, every output written, the same survey twice giving the same
// bytes (but for the report's date line), a survey made from one data
// file's sites, and its refusals.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "data/curation.h"
#include "document/opening.h"
#include "survey/gis_layers.h"
#include "survey/survey_report.h"
#include "survey/survey_table.h"
#include "tests/support/test_support.h"
#include "tests/survey/kettleman_sites.h"

namespace orniva {
namespace {

const std::string kExe = ORNIVA_SURVEY_EXE;

// `text` without its lines that hold `mark`.
std::string Without(const std::string& text, const std::string& mark) {
  std::string kept;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    if (text.compare(start, end - start, mark) != 0 &&
        text.substr(start, end - start).find(mark) == std::string::npos)
      kept += text.substr(start, end - start + 1);
    start = end + 1;
  }
  return kept;
}

TEST(OrnivaSurveyCli, SameSurveyTwiceGivesTheSameBytes) {
  test::TempDir dir;
  survey::Survey survey =
      test::KettlemanSurvey(dir, {analysis::StressMethod::Michael, false, 200, 9, 0.95, false});
  survey.sites.push_back({"tiny", "kh.fdt", {}, {}, {}, "", "", "", std::vector<int>{1, 2}, {}});
  const std::string path = test::KettlemanSurveyPath(dir);
  survey::WriteSurveyFile(path, survey);
  const std::vector<std::string> outputs = {"--geojson", "g.geojson", "--kml",    "k.kml",
                                            "--wsm-csv", "w.csv",     "--table",  "t.tex",
                                            "--map",     "m.png",     "--report", "r"};
  std::vector<std::string> runs[2];
  for (const std::string run : {"1", "2"}) {
    std::vector<std::string> args = {path};
    for (std::size_t i = 0; i < outputs.size(); i += 2)
      args.insert(args.end(), {outputs[i], dir.File(run + outputs[i + 1])});
    const test::ProgramRun done = test::RunProgram(kExe, args, dir);
    ASSERT_EQ(done.status, 0) << done.err;
    EXPECT_EQ(done.err,
              "orniva-survey: site tiny, all: stress inversion needs at least 4 faults; 2 given\n");
    auto& files = runs[run == "2"];
    files.push_back(done.out);
    for (std::size_t i = 1; i < outputs.size() - 2; i += 2)
      files.push_back(test::ReadFile(dir.File(run + outputs[i])));
    for (const char* page : {"index.html", "survey.csv", "site-001.html", "site-005.html"})
      files.push_back(Without(test::ReadFile(dir.File(run + "r/" + page)), "class=\"date\""));
  }
  const survey::SurveyResult result = survey::RunSurvey(survey, path);
  EXPECT_EQ(runs[0][0], survey::SurveyTableCsv(result));
  EXPECT_EQ(runs[0][1], survey::SurveyGeoJson(result));
  EXPECT_EQ(runs[0][5].substr(1, 3), "PNG");
  for (std::size_t i = 0; i < runs[0].size(); ++i) EXPECT_EQ(runs[0][i], runs[1][i]) << i;
  EXPECT_NE(runs[0][6].find("<svg"), std::string::npos);
}

// kh.fdt in `dir` with a curation file giving each line its site and
// position, as an import records them.
void WriteKettlemanWithSites(const test::TempDir& dir) {
  test::KettlemanSurvey(dir, {});  // copies kh.fdt
  Curation curation;
  for (const survey::LineSite& line : test::KettlemanLineSites()) {
    LineAttributes attributes;
    attributes.line = line.line;
    attributes.site = line.site;
    attributes.longitude = line.position->lon;
    attributes.latitude = line.position->lat;
    curation.attributes.push_back(attributes);
  }
  const std::string data = test::ReadFile(dir.File("kh.fdt"));
  test::WriteFile(
      CurationPathFor(dir.File("kh.fdt")),
      CurationText(curation, "kh.fdt", int(curation.attributes.size()), document::Sha256Of(data)));
}

// Whether `dir` holds a survey file.
bool HoldsASurvey(const test::TempDir& dir) {
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.File("")))
    if (entry.path().string().find(".orniva-survey.json") != std::string::npos) return true;
  return false;
}

// --from-data runs the survey of the data file's sites, as the window's New
// Survey makes it, and writes it only where --save-survey says.
TEST(OrnivaSurveyCli, ASurveyFromOneDataFile) {
  test::TempDir dir;
  WriteKettlemanWithSites(dir);
  const test::ProgramRun plain = test::RunProgram(kExe, {"--from-data", dir.File("kh.fdt")}, dir);
  ASSERT_EQ(plain.status, 0) << plain.err;
  EXPECT_FALSE(HoldsASurvey(dir));
  const survey::Survey expected = test::KettlemanSurvey(dir, {});
  EXPECT_EQ(plain.out, survey::SurveyTableCsv(survey::RunSurvey(expected, dir.File("kh.fdt"))));

  std::filesystem::create_directory(dir.File("s"));
  const std::string saved = dir.File("s/kh.orniva-survey.json");
  const test::ProgramRun kept =
      test::RunProgram(kExe, {dir.File("kh.fdt"), "--from-data", "--save-survey", saved}, dir);
  ASSERT_EQ(kept.status, 0) << kept.err;
  EXPECT_EQ(kept.out, plain.out);
  survey::SurveyRead read = survey::ReadSurveyFile(saved);
  ASSERT_EQ(read.error, "");
  for (survey::SiteEntry& site : read.survey.sites) {
    EXPECT_EQ(site.data, "../kh.fdt");
    site.data = "kh.fdt";
  }
  EXPECT_EQ(read.survey, expected);
}

TEST(OrnivaSurveyCli, Refusals) {
  test::TempDir dir;
  const std::string good = dir.File("g.orniva-survey.json");
  test::WriteFile(good, R"({"orniva": 1, "sites": []})");
  test::WriteFile(dir.File("bad.json"), R"({"orniva": 1, "sites": [{"name": "A"}]})");
  test::WriteFile(dir.File("d.fdt"), "10 20 30 10 N\n");
  const std::pair<std::vector<std::string>, std::string> rows[] = {
      {{}, "orniva-survey: expected SURVEY (see --help)\n"},
      {{good, "--frobnicate"}, "orniva-survey: unknown option '--frobnicate' (see --help)\n"},
      {{good, "--kml"}, "orniva-survey: option '--kml' needs a value\n"},
      {{good, "--bar-km", "0"},
       "orniva-survey: --bar-km needs L above 0 and at most 1000, not '0'\n"},
      {{good, "--dpi=70"},
       "orniva-survey: --dpi needs a whole number N from 72 to 2400, not '70'\n"},
      {{dir.File("none.json")},
       "orniva-survey: " + dir.File("none.json") + ": No such file or directory\n"},
      {{dir.File("bad.json")},
       "orniva-survey: " + dir.File("bad.json") +
           ": not a survey file (site 1: \"data\" is missing)\n"},
      {{good, "--map", dir.File("m.gif")},
       "orniva-survey: " + dir.File("m.gif") + ": the map must end in .svg, .pdf, .png or .emf\n"},
      {{good, "--table", dir.File("t.txt")},
       "orniva-survey: " + dir.File("t.txt") + ": the table must end in .tex, .html or .md\n"},
      {{good, "--kml", dir.File("no/such/k.kml")}, "orniva-survey: cannot write "},
      {{good, "--save-survey", dir.File("s.json")},
       "orniva-survey: --save-survey applies only with --from-data\n"},
      {{"--from-data", dir.File("none.fdt")},
       "orniva-survey: cannot read " + dir.File("none.fdt") + ": "},
      {{"--from-data", dir.File("d.fdt"), "--save-survey", dir.File("d.fdt")},
       "orniva-survey: " + dir.File("d.fdt") +
           ": is the data file; the survey is not written "
           "over it\n"},
  };
  for (const auto& [args, err] : rows) {
    const test::ProgramRun run = test::RunProgram(kExe, args, dir);
    EXPECT_EQ(run.status, 2) << err;
    EXPECT_EQ(run.err.substr(0, err.size()), err);
  }
  EXPECT_EQ(test::ReadFile(dir.File("d.fdt")), "10 20 30 10 N\n");
}

}  // namespace
}  // namespace orniva
