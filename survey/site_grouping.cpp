#include "survey/site_grouping.h"

#include <algorithm>
#include <unordered_map>

#include "survey/geodesy.h"

namespace orniva::survey {

namespace {

// What the lines of one site say, gathered.
struct Gathered {
  SiteEntry site;
  std::vector<GeoPosition> positions;
  double elevationSum = 0;
  int elevations = 0;
};

void Gather(Gathered& g, const LineSite& line) {
  g.site.lines->push_back(line.line);
  if (line.position) g.positions.push_back(*line.position);
  if (line.elevation) {
    g.elevationSum += *line.elevation;
    ++g.elevations;
  }
  if (g.site.locality.empty()) g.site.locality = line.locality;
  if (g.site.date.empty()) g.site.date = line.date;
}

}  // namespace

std::vector<SiteEntry> SitesFromLines(const std::string& dataName,
                                      const std::vector<LineSite>& lines) {
  std::vector<Gathered> gathered;
  std::unordered_map<std::string, std::size_t> indexOf;
  for (const LineSite& line : lines) {
    if (line.site.empty()) continue;
    const auto [found, added] = indexOf.emplace(line.site, gathered.size());
    if (added) {
      gathered.emplace_back();
      gathered.back().site.name = line.site;
      gathered.back().site.data = dataName;
      gathered.back().site.lines.emplace();
    }
    Gather(gathered[found->second], line);
  }
  std::vector<SiteEntry> sites;
  for (Gathered& g : gathered) {
    std::sort(g.site.lines->begin(), g.site.lines->end());
    g.site.lines->erase(std::unique(g.site.lines->begin(), g.site.lines->end()),
                        g.site.lines->end());
    g.site.position = SphericalMean(g.positions);
    if (g.elevations) g.site.elevation = g.elevationSum / g.elevations;
    sites.push_back(std::move(g.site));
  }
  return sites;
}

}  // namespace orniva::survey
