// Converting a table of planes and lines in the common conventions into
// orientation records (data/orientation_table.h), for `orniva-import --to
// orientations`.
//
// A plane is read in the import's plane conventions (dip direction and dip;
// strike by the right-hand rule and dip; strike with the dip's quadrant
// letters, data/import_conventions.h), a line as trend (a number or a
// bearing such as N30E) and plunge. Each row's kind comes from the settings
// or from its kind column (plane, line, p, l, planar, linear, any case).
// The attributes (set, site, position, ...) are copied and checked as the
// orientation table checks them; a row with any bad value is left out with
// a log line saying why, never guessed.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "data/import_conventions.h"
#include "data/import_table.h"
#include "data/orientation_table.h"

namespace orniva {

struct OrientationImportSettings {
  PlaneConvention plane = PlaneConvention::DipDirection;
  // The kind of every row; none: each row's kind column.
  std::optional<OrientationKind> kind;
  // The 1-based column of each field (0: none). `azimuth` holds the dip
  // direction, strike or trend, `angle` the dip or plunge.
  std::array<int, kOrientationColumns> columns{};
  // With strike-quadrant, the column of the dip's quadrant letters where
  // they stand apart (a row writing "45NW" needs none).
  int quadrant = 0;
};

struct OrientationImport {
  std::vector<OrientationRecord> records;
  std::vector<std::string> log;  // a line per row left out, and why
  std::size_t rows = 0, badRows = 0;
  // The line of the first row past kMaxOrientationRows; 0 when all fit.
  // Rows from there on are left out.
  int overflowLine = 0;
  std::string text;  // the orientation table (OrientationTableText of the records)
};

OrientationImport ConvertToOrientations(const ImportTable& table,
                                        const OrientationImportSettings& settings);

// What the header's names propose: "kind"/"type"; the angle columns by the
// import's names ("dip direction", "strike", "trend", "dip", "plunge", the
// quadrant, "angle"; the field app's "Trd/Strk" and "Plg/Dip" as a
// right-hand-rule strike or a trend, and the dip or plunge); "set", "site"/"station"/
// "locality", "longitude", "latitude", "elevation"/"altitude", "label"/
// "name", "quality", "time"/"date", "notes"/"comments". A quadrant column
// makes the planes strike-quadrant, a strike one strike-rhr.
OrientationImportSettings ProposeOrientationColumns(const ImportTable& table);

}  // namespace orniva
