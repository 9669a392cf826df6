#include "survey/site_grouping.h"

#include <algorithm>
#include <unordered_map>

#include "data/curation.h"
#include "data/fault_reader.h"
#include "document/opening.h"
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

// What a line's attributes say of where it was measured.
LineSite SiteOfLine(const orniva::LineAttributes& attributes) {
  LineSite line;
  line.line = attributes.line;
  line.site = attributes.site;
  if (attributes.longitude && attributes.latitude)
    line.position = GeoPosition{*attributes.longitude, *attributes.latitude};
  line.elevation = attributes.elevation;
  line.date = attributes.time;
  return line;
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

FileSites SitesOfDataFile(const std::string& dataPath, const std::string& dataName,
                          const std::string& wholeName) {
  document::OpenOptions options;
  options.keepBytes = false;
  options.writeLog = false;
  const document::Opening opening = document::OpenDataFile(dataPath, options);
  FileSites found;
  if (opening.error)
    found.error = "cannot read " + opening.error->path() + ": " + opening.error->reason();
  else if (opening.tooManyLines)
    found.error = dataPath + ": " + TooManyLinesMessage();
  else if (opening.curation.kind == document::CurationVerdict::Kind::Unusable)
    found.error = opening.curation.path + ": " + opening.curation.reason;
  if (!found.error.empty()) return found;
  std::vector<LineSite> lines;
  // The verdict's curation keeps no per-line attributes: they are read from
  // the file it judged applicable.
  if (opening.curation.kind == document::CurationVerdict::Kind::Applied)
    for (const orniva::LineAttributes& attributes :
         ReadCurationFile(opening.curation.path, opening.data.count(), opening.sha256)
             .curation.attributes)
      lines.push_back(SiteOfLine(attributes));
  found.sites = SitesFromLines(dataName, lines);
  if (found.sites.empty()) {
    found.sites.emplace_back();
    found.sites.back().name = wholeName;
    found.sites.back().data = dataName;
  }
  return found;
}

}  // namespace orniva::survey
