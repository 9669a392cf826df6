#include "document/orientation_opening.h"

namespace orniva::document {

OrientationOpening OpenOrientationTable(const std::string& path) {
  OrientationOpening opening;
  opening.path = path;
  try {
    opening.table = ReadOrientationFile(path);
  } catch (const FileError& error) {
    opening.error = error;
    return opening;
  }
  opening.check = CheckOrientationFile(opening.table, path);
  return opening;
}

std::string LeftOutRowsMessage(const OrientationTable& table) {
  return std::to_string(table.badRows) + " of " + std::to_string(table.rows) +
         " rows were left out (a value failed its check).\r\nConsult the file VORN.log.";
}

}  // namespace orniva::document
