// An orientation table (NAME.orient.csv) on the command line: read and
// checked as the window reads it (VORN.log beside it), its curation file
// applied as a data file's is (rows switched off left out, its sets by
// name; --no-curation and --curation FILE as for a data file), with the
// rows chosen by --lines (the file's line numbers, as the log names them)
// and --subset (a set of the curation, else of its `set` column);
// --by-subset runs a report once per set.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "analysis/curation_state.h"
#include "analysis/report_table.h"
#include "app/data_scope.h"
#include "data/orientation_table.h"

namespace orniva::cli {

struct OrientationInput {
  // Each record's `set` is its set in the curation when one is applied.
  OrientationTable table;
  // The sets in order with their colours: the curation's when one is
  // applied (empty ones too), else those of the `set` column as the window
  // makes them (document::CurationFromSetColumn).
  std::vector<analysis::PhaseInfo> sets;
  std::vector<bool> use;  // by record: not switched off, chosen by --lines and --subset
};

// Reads the table at `path` and applies the options; none, after
// reporting through `report` (one line each), when the run is refused.
std::optional<OrientationInput> LoadOrientationInput(
    const std::string& path, const ScopeOptions& scope,
    const std::function<void(const std::string&)>& report);

// The bedding of a fault data set's back-tilt and tilt test from an
// orientation table: with --bedding-from TABLE in `options`, the bedding
// whose pole is the Fisher mean of the table's poles in use (of its set
// --bedding-set; the table read as LoadOrientationInput reads it) is
// written into `options` as --bedding "DD,DIP" and told through `report`.
// False, after reporting why, when the table gives no bedding.
bool ReadBeddingFrom(std::map<std::string, std::string>& options,
                     const std::function<void(const std::string&)>& report);

// Whether `kind` is a report of orientations, the ones an orientation
// table has.
bool IsOrientationReport(const analysis::ReportKind& kind);

// The report of `kind` on the records in use, or with --by-subset on each
// set in turn, in the order of `sets` (a leading `subset` column).
analysis::ReportTable OrientationReport(const analysis::ReportKind& kind,
                                        const OrientationInput& input, bool bySubset,
                                        analysis::ReportRequest request);

}  // namespace orniva::cli
