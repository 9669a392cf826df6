#include "survey/survey_map.h"

#include <algorithm>
#include <charconv>

#include "survey/survey_table.h"

namespace orniva::survey {

TColor ColourOfHex(const std::string& hex) {
  unsigned value = 0;
  const char* end = hex.data() + hex.size();
  if (hex.size() != 7 || hex[0] != '#' ||
      std::from_chars(hex.data() + 1, end, value, 16).ptr != end)
    return Rgb(0, 0, 0);
  return Rgb(std::uint8_t(value >> 16), std::uint8_t(value >> 8), std::uint8_t(value));
}

StressMap StressMapOf(const SurveyResult& result, const std::string& title, int ringedSite) {
  StressMap map;
  map.title = title;
  std::vector<int> mapIndex(result.survey.sites.size(), -1);
  for (std::size_t i = 0; i < result.survey.sites.size(); ++i) {
    const SiteEntry& site = result.survey.sites[i];
    if (!site.position) continue;
    mapIndex[i] = int(map.sites.size());
    if (int(i) == ringedSite) map.ringed = mapIndex[i];
    map.sites.push_back({site.name, site.position->lon, site.position->lat});
  }
  for (const SurveyRow& row : result.rows) {
    const std::optional<double> shMax = ShMaxOf(row);
    const int at = mapIndex[std::size_t(row.site)];
    if (!shMax || at < 0) continue;
    const TColor colour = ColourOfHex(row.colour);
    map.bars.push_back({std::size_t(at), *shMax, colour});
    const std::string text = row.scope == 0 ? "all data" : "phase " + row.phase;
    const bool known = std::any_of(map.key.begin(), map.key.end(), [&](const auto& entry) {
      return entry.text == text && entry.colour == colour;
    });
    if (!known) map.key.push_back({text, colour});
  }
  return map;
}

}  // namespace orniva::survey
