#include "app/import_orientations.h"

#include <algorithm>

#include "app/cli_support.h"
#include "data/import_file.h"
#include "data/orientation_import.h"
#include "platform/atomic_file.h"
#include "platform/file_error.h"

namespace orniva::cli {

namespace {

// The table of the input, or none after reporting why there is none.
std::optional<ImportTable> TableOf(const OrientationImportRun& run,
                                   const std::function<void(const std::string&)>& report) {
  if (!IsOrientationTablePath(run.out)) {
    report(run.out + ": an orientation table's name ends in .orient.csv");
    return std::nullopt;
  }
  const ImportFileText file = ReadImportFile(run.in);
  if (file.error) {
    report("cannot read " + file.error->path() + ": " + file.error->reason());
    return std::nullopt;
  }
  return ReadTable(file.text, run.delimiter, run.header);
}

}  // namespace

int ImportOrientations(const OrientationImportRun& run,
                       const std::function<void(const std::string&)>& report) {
  const std::optional<ImportTable> table = TableOf(run, report);
  if (!table) return kFailure;
  OrientationImportSettings settings = ProposeOrientationColumns(*table);
  if (run.plane) settings.plane = *run.plane;
  if (run.kind) settings.kind = run.kind;
  if (settings.columns[1] == 0 || settings.columns[2] == 0) {
    report(run.in + ": the header names no dip direction, strike or trend and no dip or plunge");
    return kFailure;
  }
  if (settings.columns[0] == 0 && !settings.kind) {
    report(run.in + ": no kind column; --kind plane or --kind line says what every row is");
    return kFailure;
  }
  const OrientationImport result = ConvertToOrientations(*table, settings);
  for (const std::string& line : result.log)
    report(run.in + ": " + line.substr(std::min(line.find_first_not_of(' '), line.size())));
  if (result.overflowLine > 0)
    report(run.in + " line " + std::to_string(result.overflowLine) + ": beyond the " +
           std::to_string(kMaxOrientationRows) + " rows an orientation table may hold");
  if (result.records.empty()) report("no row converted; " + run.out + " not written");
  report(std::to_string(result.records.size()) + " of " + std::to_string(result.rows) +
         " rows converted");
  if (result.records.empty()) return kFailure;
  try {
    WriteFileAtomically(run.out, result.text);
  } catch (const FileError& error) {
    report("cannot write " + error.path() + ": " + error.reason());
    return kFailure;
  }
  return result.badRows == 0 && result.overflowLine == 0 ? 0 : 1;
}

}  // namespace orniva::cli
