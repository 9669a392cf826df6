// The survey file: what it reads back, what it refuses and why, and the
// members it does not know kept.
#include <gtest/gtest.h>

#include <string>

#include "survey/survey_file.h"
#include "tests/support/test_support.h"

namespace orniva::survey {
namespace {

TEST(SurveyFile, WrittenAndReadBackWithUnknownMembersKept) {
  const std::string text =
      R"({"orniva": 1, "method": "yamaji-sato", "iterate": true, "samples": 500,)"
      R"( "seed": 18446744073709551615, "confidence": 0.9, "back-tilt": true, "sites": [)"
      R"({"name": "K\u00e9 1", "data": "a/k1.fdt", "lon": -120.12345678, "lat": 36.5,)"
      R"( "elevation": 240.5, "bedding": [90, 20.5], "locality": "Hills", "date": "2024-05-01",)"
      R"( "notes": "quote \" here", "lines": [9, 2, 2, 5], "colour": {"x": [1, 2]}},)"
      R"( {"name": "K2", "data": "/abs/k2.fdt"}], "project": "X"})";
  const SurveyRead read = ParseSurvey(text);
  ASSERT_EQ(read.error, "");
  const Survey& s = read.survey;
  EXPECT_EQ(s.choices.method, analysis::StressMethod::YamajiSato);
  EXPECT_TRUE(s.choices.iterate && s.choices.backTilt);
  EXPECT_EQ(s.choices.samples, 500);
  EXPECT_EQ(s.choices.seed, 18446744073709551615u);
  ASSERT_EQ(s.sites.size(), 2u);
  EXPECT_EQ(s.sites[0].name, "K\u00e9 1");
  EXPECT_EQ(s.sites[0].position->lon, -120.12345678);
  EXPECT_EQ(s.sites[0].lines, (std::vector<int>{2, 5, 9}));
  EXPECT_EQ(s.sites[0].unknown, (UnknownMembers{{"colour", R"({"x": [1, 2]})"}}));
  EXPECT_EQ(s.unknown, (UnknownMembers{{"project", R"("X")"}}));
  EXPECT_FALSE(s.sites[1].position || s.sites[1].bedding || s.sites[1].lines);
  const std::string written = SurveyText(s);
  const SurveyRead again = ParseSurvey(written);
  EXPECT_EQ(again.error, "");
  EXPECT_EQ(again.survey, s);
  EXPECT_EQ(SurveyText(again.survey), written);
  EXPECT_EQ(SiteDataPath("/w/s.orniva-survey.json", s.sites[0]), "/w/a/k1.fdt");
  EXPECT_EQ(SiteDataPath("/w/s.orniva-survey.json", s.sites[1]), "/abs/k2.fdt");
}

TEST(SurveyFile, ChoicesDefaultToTheCommandLines) {
  const SurveyRead read = ParseSurvey(R"({"orniva": 1, "sites": []})");
  ASSERT_EQ(read.error, "");
  EXPECT_EQ(read.survey.choices, SurveyChoices{});
  EXPECT_EQ(SurveyChoices{}.samples, 2000);
  EXPECT_EQ(SurveyChoices{}.seed, 1u);
}

TEST(SurveyFile, RefusesWhatItCannotUseWithTheReason) {
  const auto site = [](const std::string& members) {
    return R"({"orniva": 1, "sites": [{"name": "A", "data": "a.fdt")" + members + "}]}";
  };
  const std::pair<std::string, std::string> rows[] = {
      {"{", "not a survey file (not JSON: "},
      {R"({"orniva": 2, "sites": []})", "written in format 2"},
      {R"({"orniva": 1})", "\"sites\" is missing"},
      {R"({"orniva": 1, "sites": [], "method": "best"})", "\"method\" is not a method"},
      {R"({"orniva": 1, "sites": [], "samples": 0})", "\"samples\" 0 is not a number of"},
      {R"({"orniva": 1, "sites": [], "samples": 2.5})", "\"samples\" 2.5 is not"},
      {R"({"orniva": 1, "sites": [], "seed": -1})", "\"seed\" -1 is not an unsigned"},
      {R"({"orniva": 1, "sites": [], "confidence": 0})", "\"confidence\" is not above 0"},
      {R"({"orniva": 1, "sites": [], "confidence": 1.01})", "\"confidence\" 1.01 is not"},
      {R"({"orniva": 1, "sites": [{"data": "a.fdt"}]})", "site 1 has no name"},
      {R"({"orniva": 1, "sites": [{"name": "A"}]})", "site 1: \"data\" is missing"},
      {R"({"orniva": 1, "sites": [{"name": "A", "data": "a"}, {"name": "A", "data": "b"}]})",
       "two sites are named \"A\""},
      {site(R"(, "lon": 180.5, "lat": 0)"), "site 1: \"lon\" 180.5 is not a longitude"},
      {site(R"(, "lon": 0, "lat": -90.01)"), "\"lat\" -90.01 is not a latitude"},
      {site(R"(, "lon": 10)"), "\"lon\" is given without \"lat\""},
      {site(R"(, "bedding": [10, 20, 30])"), "\"bedding\" is not [dip direction, dip]"},
      {site(R"(, "bedding": [10, 91])"), "\"bedding\" 91 is not a dip"},
      {site(R"(, "lines": [0])"), "\"lines\" 0 is not a line number"},
      {site(R"(, "lines": [1.5])"), "\"lines\" 1.5 is not a line number"},
      {site(R"(, "lines": [])"), "site 1: \"lines\" is empty"},
      {site(R"(, "locality": 3)"), "\"locality\" is not a string"},
  };
  for (const auto& [text, reason] : rows) {
    const SurveyRead read = ParseSurvey(text);
    EXPECT_NE(read.error.find(reason), std::string::npos) << text << " -> " << read.error;
  }
}

TEST(SurveyFile, WrittenAtomicallyAndReadFromDisk) {
  test::TempDir dir;
  Survey survey;
  survey.sites.push_back({"A", "a.fdt", GeoPosition{1.5, -2.25}, {}, {}, "", "", "", {}, {}});
  WriteSurveyFile(dir.File("s.orniva-survey.json"), survey);
  EXPECT_EQ(ReadSurveyFile(dir.File("s.orniva-survey.json")).survey, survey);
  EXPECT_EQ(ReadSurveyFile(dir.File("none.json")).error, "No such file or directory");
}

}  // namespace
}  // namespace orniva::survey
