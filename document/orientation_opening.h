// Opening an orientation table (NAME.orient.csv) for the window and the
// command line alike: read once and checked, VORN.log written beside it;
// nothing shown. The caller reports what the opening came to: a file that
// could not be read, a log that could not be written, rows left out.
#pragma once

#include <optional>
#include <string>

#include "data/fault_reader.h"
#include "data/orientation_table.h"
#include "platform/file_error.h"

namespace orniva::document {

struct OrientationOpening {
  std::string path;                // as given
  std::optional<FileError> error;  // it could not be read: nothing below is set
  OrientationTable table;
  CheckOutcome check;  // rows left out; VORN.log written, or why not
};

// Reads and checks the table at `path`. Never throws for a file that
// cannot be read.
OrientationOpening OpenOrientationTable(const std::string& path);

// "3 of 40 rows were left out (a value failed its check).\r\nConsult the
// file VORN.log.": what the opening of a table with bad rows says.
std::string LeftOutRowsMessage(const OrientationTable& table);

}  // namespace orniva::document
