// The orientation table (NAME.orient.csv): planes and lines that are not
// faults (bedding, joints, foliation, cleavage, lineations, fold hinges),
// one per row of a UTF-8 CSV file with a header row naming its columns.
//
// Required columns: `kind` (plane or line, any case), `azimuth` (a plane's
// dip direction or a line's trend, degrees clockwise from north, 0-360) and
// `angle` (its dip or plunge, 0-90). Optional: `set`, `site`, `lon`, `lat`
// (WGS 84 degrees, -180-180 and -90-90, both or neither), `elevation`,
// `label`, `quality`, `time`, `notes`. Column names are matched in any case;
// a column of another name is noted in the log and left out.
//
// Every value is checked as the data file's are: a number by the data
// file's grammar (period as the decimal separator whatever the locale),
// stored as a 32-bit float (azimuth and angle) and checked on the stored
// value, both limits included; a text must be UTF-8 without control
// characters (tab and line breaks allowed but in `set`). Each bad value is
// a log line naming its line and column ("  angle invalid at line #3,
// column 3: '95' is not a number from 0 to 90"), and a row with any bad
// value is left out whole: nothing is guessed.
//
// Hostile files are refused in bounded memory: at most 64 MB, at most
// kMaxOrientationRows rows, each row's fields held one row at a time
// (data/csv_records.h), and at most kMaxOrientationLogLines log lines (then
// one line counting the rest).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/fault_reader.h"

namespace orniva {

enum class OrientationKind : std::uint8_t { Plane, Line };

// The columns, in the order the writer writes them.
enum class OrientationColumn : std::uint8_t {
  Kind,
  Azimuth,
  Angle,
  Set,
  Site,
  Lon,
  Lat,
  Elevation,
  Label,
  Quality,
  Time,
  Notes
};
inline constexpr std::size_t kOrientationColumns = 12;
// "kind", "azimuth", ..., "notes".
std::string_view OrientationColumnName(OrientationColumn column);

struct OrientationRecord {
  int line = 0;  // the line of the file the row starts on (the header is line 1)
  OrientationKind kind = OrientationKind::Plane;
  float azimuth = 0;                                   // dip direction or trend [deg], [0, 360]
  float angle = 0;                                     // dip or plunge [deg], [0, 90]
  std::string set, site, label, quality, time, notes;  // empty: none
  std::optional<double> lon, lat, elevation;           // [deg], [deg], as written
};

inline constexpr std::size_t kLargestOrientationFile = std::size_t(64) << 20;
inline constexpr std::size_t kMaxOrientationRows = 250000;
inline constexpr std::size_t kMaxOrientationLogLines = 10000;

struct OrientationTable {
  std::vector<OrientationRecord> records;  // the rows whose values all passed, in order
  // The log's lines: notes on the header, then every bad value or row, in
  // the order of the rows and, within a row, of the columns.
  std::vector<std::string> log;
  std::size_t rows = 0;     // data rows read, good and bad
  std::size_t badRows = 0;  // rows left out
  std::string refusal;      // why the text gives no table; empty when it does
  // The known columns the header names, by OrientationColumn.
  std::array<bool, kOrientationColumns> columns{};
};

// The table of `bytes` (UTF-8, with or without a byte-order mark).
// Refused: a spreadsheet workbook, binary or UTF-16 data, no header row, a
// required column missing or a column named twice, more than
// kMaxOrientationRows rows.
OrientationTable ParseOrientationTable(std::string_view bytes);

// The table of the file at `path`. Throws FileError (a read of `path`) when
// it cannot be read, is not a regular file, is larger than 64 MB, or is
// refused (the refusal as the reason).
OrientationTable ReadOrientationFile(const std::string& path);

// Whether `path` names an orientation table: it ends in ".orient.csv" (any case).
bool IsOrientationTablePath(std::string_view path);

// The table's CSV text: a header of kind, azimuth, angle and each optional
// column some record fills, in OrientationColumn order; one row per record,
// CR LF after every line. Azimuth and angle are written as the shortest
// decimals that read back to the same floats, positions as the shortest
// that read back to the same doubles, so the text reads back to the same
// records (but their line numbers).
// `keep` names columns written even when no record fills them (those the
// table was read with).
std::string OrientationTableText(const std::vector<OrientationRecord>& records,
                                 const std::array<bool, kOrientationColumns>& keep = {});

// The record's value in `column` as a person reads and types it (a text as
// it is, unquoted; a number as the writer writes it); empty for none.
std::string OrientationValueText(const OrientationRecord& record, OrientationColumn column);

// Writes OrientationTableText to `path` without ever leaving it half
// written. Throws FileError.
void WriteOrientationTable(const std::string& path, const std::vector<OrientationRecord>& records);

// VORN.log beside the table (as CheckDataFile writes it for a data file):
// the file's name, then the table's log or "No error". `badFields` says
// whether a row was left out.
CheckOutcome CheckOrientationFile(const OrientationTable& table, const std::string& path);

// ---- the checks of one row, shared with the conversion of other tables ----

// The values of one row by column (empty: none).
using OrientationFields = std::array<std::string_view, kOrientationColumns>;

// The record of `fields`, or none with a log line per bad value appended
// to `log` ("  angle invalid at line #3, column 3: ..."). `columns` gives
// each column's 1-based place in the file for the messages (0: not there).
std::optional<OrientationRecord> CheckOrientationFields(
    const OrientationFields& fields, int line, const std::array<int, kOrientationColumns>& columns,
    std::vector<std::string>& log);

}  // namespace orniva
