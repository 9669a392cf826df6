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
#include "document/opening.h"

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

// Whether the curation of `verdict` is applied under `options` (not with
// --no-curation). A curation file that cannot be used, or one named with
// --curation that was made for other data, sets `refusal` (naming it); the
// data file's own one made for other data is not applied, with a warning
// through `warn`.
bool AppliesCuration(const document::CurationVerdict& verdict, const ScopeOptions& options,
                     std::string& refusal, const std::function<void(const std::string&)>& warn);

// "DATA: applying the curation file FILE (3 switched off, 2 phases)", what a
// run says of the curation it applies; `group` names what its phases are
// ("phase", or "set" for an orientation table).
std::string ApplyingCurationLine(const std::string& dataPath,
                                 const document::CurationVerdict& verdict,
                                 const std::string& group);

// Applies the curation file's `verdict` (LoadDataFile's, app/cli_support.h)
// and the options to `study`, loaded from `dataPath`. Returns the reason the
// run is refused (naming the data file or the curation file), empty when it
// may go on; says through `warn` which curation file it applies. A curation
// file that cannot be used (unreadable, a link to nothing, a pipe or not a
// curation file) refuses the run, as one named with --curation that was made
// for other data does; the data file's own one made for other data is not
// applied, with a warning through `warn`.
std::string ApplyScope(const std::string& dataPath, const document::CurationVerdict& verdict,
                       const ScopeOptions& options, analysis::Study& study,
                       const std::function<void(const std::string&)>& warn);

}  // namespace orniva::cli
