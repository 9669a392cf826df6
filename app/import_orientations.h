// orniva-import --to orientations: a table of planes and lines in the
// common conventions converted to an orientation table (NAME.orient.csv),
// each row's problems on standard error with its line, then "k of n rows
// converted". The output is never written empty, nor over the input.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "data/import_conventions.h"
#include "data/import_table.h"
#include "data/orientation_table.h"

namespace orniva::cli {

struct OrientationImportRun {
  std::string in, out;
  Delimiter delimiter = Delimiter::Auto;
  HeaderChoice header = HeaderChoice::Auto;
  std::optional<PlaneConvention> plane;  // none: as the header's names say
  std::optional<OrientationKind> kind;   // none: each row's kind column
};

// Runs the conversion; the exit status: 0 when every row was converted, 1
// when some were left out (OUT written with the others), 2 when the input
// cannot be read, no row was converted or OUT cannot be written.
int ImportOrientations(const OrientationImportRun& run,
                       const std::function<void(const std::string&)>& report);

}  // namespace orniva::cli
