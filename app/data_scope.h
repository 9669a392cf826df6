// What the command-line tools analyse of a loaded data file beyond its
// checks: the curation file beside it (or the one named), the lines given
// with --lines and the phase given with --subset; --by-subset runs the
// report once per phase.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "analysis/study.h"

namespace orniva::cli {

struct ScopeOptions {
  std::optional<std::string> lines;     // --lines LIST ("1-25,30")
  std::optional<std::string> subset;    // --subset NAME
  std::optional<std::string> curation;  // --curation FILE
  bool bySubset = false;                // --by-subset
  bool noCuration = false;              // --no-curation: the curation file is not read
};

// The lines of LIST ("1-25,30": numbers and ranges, separated by commas),
// each within 1 to `count`; none, with `error` set, for a bad list.
std::optional<std::vector<int>> ParseLineList(const std::string& list, int count,
                                              std::string& error);

// Applies the curation and the options to `study`, loaded from `dataPath`.
// Returns the reason the run is refused (naming the data file or the
// curation file), empty when it may go on; says through `warn` which
// curation file it applies, and warns when the data file's own curation
// file is for other data (it is then not applied). A curation file named
// with --curation that cannot be used refuses the run.
std::string ApplyScope(const std::string& dataPath, const ScopeOptions& options,
                       analysis::Study& study, const std::function<void(const std::string&)>& warn);

}  // namespace orniva::cli
