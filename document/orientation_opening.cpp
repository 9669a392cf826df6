#include "document/orientation_opening.h"

#include <utility>

#include "platform/file_read.h"

namespace orniva::document {

OrientationOpening OpenOrientationTable(const std::string& path, const OpenOptions& options) {
  OrientationOpening opening;
  opening.path = path;
  std::optional<std::string> bytes;
  try {
    bytes = ReadRegularFile(path, kLargestOrientationFile);
    if (!bytes)
      throw FileError(FileError::Action::Read, path, "larger than 64 MB, too large to open");
    opening.table = ParseOrientationTable(*bytes);
    if (!opening.table.refusal.empty())
      throw FileError(FileError::Action::Read, path, opening.table.refusal);
  } catch (const FileError& error) {
    opening.error = error;
    opening.table = {};
    return opening;
  }
  opening.check = CheckOrientationFile(opening.table, path);
  const int rows = int(opening.table.records.size());
  if (options.readCuration) {
    opening.sha256 = Sha256Of(*bytes);
    opening.curation = JudgeCuration(path, options, rows, opening.sha256);
  }
  if (options.keepBytes && bytes->size() <= options.maxKeptBytes) opening.bytes = std::move(bytes);
  return opening;
}

std::string LeftOutRowsMessage(const OrientationTable& table) {
  return std::to_string(table.badRows) + " of " + std::to_string(table.rows) +
         " rows were left out (a value failed its check).\r\nConsult the file VORN.log.";
}

}  // namespace orniva::document
