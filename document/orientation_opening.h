// Opening an orientation table (NAME.orient.csv) for the window and the
// command line alike: read once and checked, VORN.log written beside it,
// its curation file judged as a data file's is; nothing shown. The caller
// reports what the opening came to: a file that could not be read, a log
// that could not be written, rows left out, a curation file not applied.
#pragma once

#include <optional>
#include <string>

#include "data/fault_reader.h"
#include "data/orientation_table.h"
#include "document/opening.h"
#include "platform/file_error.h"

namespace orniva::document {

struct OrientationOpening {
  std::string path;                // as given
  std::optional<FileError> error;  // it could not be read: nothing below is set
  OrientationTable table;
  CheckOutcome check;  // rows left out; VORN.log written, or why not
  // The curation file beside the table (or the one the options name), for
  // its rows in order: the curation's line k is the table's k-th good row.
  CurationVerdict curation;
  std::optional<std::string> bytes;  // the file's bytes, when kept
  std::string sha256;                // of the file's bytes, when a curation file was judged
};

// Reads and checks the table at `path`, and judges its curation file as
// `options` say (a VORN.log is always written). Never throws for a file
// that cannot be read.
OrientationOpening OpenOrientationTable(const std::string& path, const OpenOptions& options = {});

// "3 of 40 rows were left out (a value failed its check).\r\nConsult the
// file VORN.log.": what the opening of a table with bad rows says.
std::string LeftOutRowsMessage(const OrientationTable& table);

}  // namespace orniva::document
