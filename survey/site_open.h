// One site of a survey opened: its data file read and checked as the
// command-line tools read one, its curation file applied as they apply it
// (a stale one is not applied, with a warning), and a study made of the
// site's lines alone. This is the one place a survey opens a file.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/curation_state.h"
#include "analysis/rotation.h"
#include "analysis/study.h"

namespace orniva::survey {

struct OpenedSite {
  // The reason the site cannot be analysed, naming the file; empty when it
  // can. Nothing below but the paths is set then.
  std::string error;
  std::vector<std::string> warnings;  // each naming its file
  std::string dataPath, dataSha256;
  std::string curationPath;  // empty: the data file has no curation file
  std::string curationSha256;
  bool curationApplied = false;
  // The site's lines of the data file, ascending: datum i of the study is
  // line lines[i - 1] of the file.
  std::vector<int> lines;
  std::vector<int> failed;  // the site's lines that failed a check
  std::vector<int> off;     // the site's lines the curation switches off
  // The site's data alone with their curation: its phases are those of the
  // curation file that hold any of the site's lines, in the file's order.
  std::shared_ptr<analysis::Study> study;
};

// A data file read once for the sites that share it (a survey made from
// one file whose lines carry sites): its checked data, its hash and its
// curation's verdict.
struct SiteFile {
  std::string path;
  std::string error;
  std::vector<std::string> warnings;
  FaultSet data;
  std::string sha256, curationPath, curationSha256;
  std::optional<analysis::CurationState> curation;  // none: not applied
};
SiteFile ReadSiteFile(const std::string& dataPath);

// Opens the site whose data file is `dataPath`; `lines` are the site's
// lines of it (none: every line). `file`, when given, is the file already
// read (ReadSiteFile of the same path), or is replaced by it. The data
// file's checks write no log: a survey reads files, it does not write
// beside them.
OpenedSite OpenSite(const std::string& dataPath, const std::optional<std::vector<int>>& lines,
                    std::shared_ptr<const SiteFile>* file = nullptr);

// The site's data turned by the back-tilt of `bedding` (the curation
// kept): what a survey with back-tilt inverts.
void BackTiltSite(OpenedSite& site, const analysis::Bedding& bedding);

// The number of the site's data that passed every check.
inline int DataOfSite(const OpenedSite& site) {
  return int(site.lines.size() - site.failed.size());
}

}  // namespace orniva::survey
