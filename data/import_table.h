// Reading a table of text for import: its rows cut into fields by a
// delimiter (comma, semicolon, tab, or runs of blanks), found when not
// given, and a header row, found when not said. Fields may be quoted as in
// CSV files (RFC 4180). Blank lines and lines starting with '#' are no rows.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/import_conventions.h"

namespace orniva {

enum class Delimiter { Auto, Comma, Semicolon, Tab, Space };
enum class HeaderChoice { Auto, Yes, No };

std::optional<Delimiter> DelimiterNamed(std::string_view name);        // "auto", "comma", ...
std::optional<HeaderChoice> HeaderChoiceNamed(std::string_view name);  // "auto", "yes", "no"

struct TableRow {
  int line = 0;  // 1-based line of the text
  std::vector<std::string> fields;
};

struct ImportTable {
  Delimiter delimiter = Delimiter::Space;  // as used
  std::vector<std::string> header;         // empty without a header row
  std::vector<TableRow> rows;
};

// The delimiter: tab if the first rows hold tabs outside quotes, else
// semicolon, else comma, else blanks. A header: the first row when none of
// its fields holds a digit while the next row's fields do. A field that
// starts with a quote ends at the closing quote and may hold delimiters,
// line breaks and doubled quotes; a row starts on the line its first
// field does.
ImportTable ReadTable(std::string_view text, Delimiter delimiter = Delimiter::Auto,
                      HeaderChoice header = HeaderChoice::Auto);

// The fields of `columns` (1-based) in their order; all fields when
// `columns` is empty. A column beyond the row gives an empty field.
std::vector<std::string> PickColumns(const std::vector<std::string>& fields,
                                     const std::vector<int>& columns);

// "2,3,5" as 1-based column numbers (1 to 1000); none when malformed. An
// empty text is no choice: all columns.
std::optional<std::vector<int>> ParseColumns(std::string_view text);

// Adds "CODE=LETTER,..." to `senses`; the pair at fault, empty when fine.
std::string AddSenseCodes(std::string_view text, SenseMap& senses);

// How a table's rows become data.
struct ImportSettings {
  PlaneConvention plane = PlaneConvention::DipDirection;
  LineConvention line = LineConvention::TrendPlunge;
  std::vector<int> columns;  // empty: all, in order
  SenseMap senses = SenseMap::Default();
  int decimals = -1;  // as DataLine writes them
};

// One row of the table as imported: its data line, or why it has none.
struct ImportedRow {
  int line = 0;          // of the table's text
  std::string dataLine;  // empty when the row was not converted
  std::string error;
  std::vector<std::string> warnings;
};

struct ImportResult {
  std::vector<ImportedRow> rows;
  std::string data;  // the data file: every converted row's line
  int converted = 0, failed = 0;
  // The text line of the first row beyond the lines a data file may hold
  // (FaultSet::kMaxCount); 0 when all fit. Rows from there on are left out.
  int overflowLine = 0;
};

// Converts every row of `table`.
ImportResult ConvertTable(const ImportTable& table, const ImportSettings& settings);

}  // namespace orniva
