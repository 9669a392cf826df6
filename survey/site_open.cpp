#include "survey/site_open.h"

#include <utility>

#include "data/data_file_hash.h"
#include "data/fault_reader.h"
#include "document/opening.h"

namespace orniva::survey {

namespace {

// The curation file's verdict as the command line takes it: applied, not
// applied with a warning (made for other data), or the site refused.
void TakeCuration(SiteFile& file, document::CurationVerdict verdict) {
  using Kind = document::CurationVerdict::Kind;
  if (verdict.kind == Kind::None) return;
  file.curationPath = verdict.path;
  if (verdict.kind == Kind::Unusable) {
    file.error = verdict.path + ": " + verdict.reason;
    return;
  }
  file.curationSha256 = DataFileSha256(verdict.path);
  if (verdict.kind == Kind::Applied)
    file.curation = std::move(verdict.curation);
  else
    file.warnings.push_back("warning: " + verdict.path + ": " + verdict.reason +
                            "; the curation is not applied");
}

// The site's lines of data of `count` lines; a refusal in `error`.
std::vector<int> SiteLines(const std::optional<std::vector<int>>& lines, int count,
                           const std::string& dataPath, std::string& error) {
  if (lines && !lines->empty() && lines->back() > count)
    error = dataPath + ": line " + std::to_string(lines->back()) + " is beyond the data's " +
            std::to_string(count) + " lines";
  if (lines) return *lines;
  std::vector<int> all;
  for (int line = 1; line <= count; ++line) all.push_back(line);
  return all;
}

// The curation of the site's lines: its own off lines and those phases
// that hold any of them, renumbered.
analysis::CurationState SiteCuration(const analysis::CurationState& file,
                                     const std::vector<int>& lines) {
  analysis::CurationState site = analysis::CurationState::Empty(int(lines.size()));
  site.unknown = file.unknown;
  std::vector<int> number(file.phases.size() + 1, 0);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto line = std::size_t(lines[i]);
    site.off[i + 1] = file.off[line];
    const int phase = file.phase[line];
    if (phase != 0 && number[std::size_t(phase)] == 0) number[std::size_t(phase)] = -1;
  }
  for (std::size_t k = 1; k < number.size(); ++k)
    if (number[k] != 0) {
      site.phases.push_back(file.phases[k - 1]);
      number[k] = int(site.phases.size());
    }
  for (std::size_t i = 0; i < lines.size(); ++i)
    site.phase[i + 1] = number[std::size_t(file.phase[std::size_t(lines[i])])];
  return site;
}

// The study of the site's lines of `file`.
void MakeSiteStudy(const SiteFile& file, OpenedSite& site) {
  site.study = std::make_shared<analysis::Study>();
  FaultSet& data = site.study->data();
  data.Recreate(std::int16_t(site.lines.size()));
  for (std::size_t i = 0; i < site.lines.size(); ++i) {
    data[i + 1] = file.data[std::size_t(site.lines[i])];
    if (data[i + 1].failedChecks != 0) site.failed.push_back(site.lines[i]);
    if (file.curation && file.curation->off[std::size_t(site.lines[i])])
      site.off.push_back(site.lines[i]);
  }
  site.study->DataReplaced();
  if (file.curation) site.study->SetCuration(SiteCuration(*file.curation, site.lines));
}

}  // namespace

SiteFile ReadSiteFile(const std::string& dataPath) {
  document::OpenOptions options;
  options.keepBytes = false;
  options.writeLog = false;
  options.hashAlways = true;
  document::Opening opening = document::OpenDataFile(dataPath, options);
  SiteFile file;
  file.path = dataPath;
  if (opening.error)
    file.error = "cannot read " + opening.error->path() + ": " + opening.error->reason();
  else if (opening.tooManyLines)
    file.error = dataPath + ": " + TooManyLinesMessage();
  if (opening.refused()) return file;
  file.data = std::move(opening.data);
  file.sha256 = std::move(opening.sha256);
  TakeCuration(file, std::move(opening.curation));
  return file;
}

OpenedSite OpenSite(const std::string& dataPath, const std::optional<std::vector<int>>& lines,
                    std::shared_ptr<const SiteFile>* file) {
  std::shared_ptr<const SiteFile> read;
  if (file && *file && (*file)->path == dataPath) read = *file;
  if (!read) read = std::make_shared<const SiteFile>(ReadSiteFile(dataPath));
  if (file) *file = read;
  OpenedSite site;
  site.dataPath = dataPath;
  site.error = read->error;
  site.warnings = read->warnings;
  site.dataSha256 = read->sha256;
  site.curationPath = read->curationPath;
  site.curationSha256 = read->curationSha256;
  site.curationApplied = read->curation.has_value();
  if (site.error.empty()) site.lines = SiteLines(lines, read->data.count(), dataPath, site.error);
  if (site.error.empty()) MakeSiteStudy(*read, site);
  return site;
}

void BackTiltSite(OpenedSite& site, const analysis::Bedding& bedding) {
  analysis::Study& study = *site.study;
  const analysis::CurationState curation = study.curation();
  study.data() = analysis::RotateData(study.data(), analysis::BackTiltRotation(bedding, 1));
  study.DataReplaced();
  study.SetCuration(curation);
}

}  // namespace orniva::survey
