#include "tests/survey/kettleman_sites.h"

#include <fstream>
#include <sstream>

#include "data/fault_reader.h"

namespace orniva::test {

namespace {
const std::string kData = std::string(ORNIVA_REALDATA_DIR) + "/kettleman_hills.fdt";
}

std::vector<survey::LineSite> KettlemanLineSites() {
  std::ifstream table(std::string(ORNIVA_REALDATA_DIR) +
                      "/raw/geologyGeometry_cali_all_kh_faults_latlong.tsv");
  std::string row;
  std::getline(table, row);  // faultNumber strike dip rake lat long
  std::vector<survey::LineSite> lines;
  while (std::getline(table, row)) {
    std::istringstream fields(row);
    std::string number;
    double strike = 0, dip = 0, rake = 0, lat = 0, lon = 0;
    fields >> number >> strike >> dip >> rake >> lat >> lon;
    const std::string site = std::string(lat > 36.04 ? "N" : "S") + (lon > -120.1 ? "E" : "W");
    lines.push_back({int(lines.size()) + 1, site, survey::GeoPosition{lon, lat}, {}, "", ""});
  }
  return lines;
}

survey::Survey KettlemanSurvey(const TempDir& dir, const survey::SurveyChoices& choices) {
  WriteFile(dir.File("kh.fdt"), ReadFile(kData));
  survey::Survey survey;
  survey.choices = choices;
  survey.sites = survey::SitesFromLines("kh.fdt", KettlemanLineSites());
  return survey;
}

std::string KettlemanSurveyPath(const TempDir& dir) { return dir.File("kh.orniva-survey.json"); }

std::string WriteLinesFile(const TempDir& dir, const std::string& name,
                           const std::vector<int>& lines) {
  const std::vector<std::string> all = ReadDataFile(kData).lines;
  std::string text;
  for (const int line : lines) text += all[std::size_t(line - 1)] + "\r\n";
  WriteFile(dir.File(name), text);
  return dir.File(name);
}

}  // namespace orniva::test
