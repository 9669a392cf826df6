// Reading a table of text for import: its rows cut into fields by a
// delimiter (comma, semicolon, tab, or runs of blanks), found when not
// given, and a header row, found when not said. Fields may be quoted as in
// CSV files (RFC 4180). Blank lines and lines starting with '#' are no rows.
#pragma once

#include <functional>
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

// A row keeps at most this many fields; those after them are read past.
constexpr std::size_t kMaxRowFields = 1000;

// The smallest and largest plain number in a column (0 and 0 without any).
struct NumberRange {
  double low = 0, high = 0;
};

struct ImportTable {
  Delimiter delimiter = Delimiter::Space;  // as used
  std::vector<std::string> header;         // empty without a header row
  std::vector<TableRow> rows;              // the first `keepRows` rows
  std::size_t rowCount = 0;                // every row, kept or not
  std::vector<NumberRange> ranges;         // per column, over every row
};

// The delimiter: tab if the first rows hold tabs outside quotes, else
// semicolon, else comma, else blanks. A header: the first row when none of
// its fields holds a digit (but in brackets: "Dip [0,90]") while the next
// row's fields do. A field that
// starts with a quote ends at the closing quote and may hold delimiters,
// line breaks and doubled quotes; a row starts on the line its first
// field does. Only the first `keepRows` rows after the header are kept
// (a sample for proposing columns); the ranges cover them all.
ImportTable ReadTable(std::string_view text, Delimiter delimiter = Delimiter::Auto,
                      HeaderChoice header = HeaderChoice::Auto,
                      std::size_t keepRows = std::size_t(-1));

// Hands each row of `text` read with `delimiter` (not Auto), the header row
// included, to `consume` in turn, one row in memory at a time, until it
// returns false.
void ForEachRow(std::string_view text, Delimiter delimiter,
                const std::function<bool(const TableRow&)>& consume);

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
  bool skipped = false;  // left out as chosen: no sense, and such rows skipped
  std::vector<std::string> warnings;
};

struct ImportResult {
  std::vector<ImportedRow> rows;
  std::string data;  // the data file: every converted row's line
  // `skipped` rows were left out as chosen (no sense, with "skip"), not failed.
  int converted = 0, failed = 0, skipped = 0;
  // The text line of the first row beyond the lines a data file may hold
  // (FaultSet::kMaxCount); 0 when all fit. Rows from there on are left out.
  int overflowLine = 0;
};

// Converts rows one at a time, keeping only the data file's text.
class RowConverter {
 public:
  explicit RowConverter(const ImportSettings& settings) : settings_(settings) {}
  // The row as imported; none, with overflowLine() set, for a row beyond
  // the lines a data file may hold (the rows after it are no concern).
  std::optional<ImportedRow> Convert(const TableRow& row);
  const std::string& data() const { return data_; }
  int converted() const { return converted_; }
  int failed() const { return failed_; }
  int skipped() const { return skipped_; }
  int overflowLine() const { return overflowLine_; }

 private:
  const ImportSettings& settings_;
  std::string data_;
  int converted_ = 0, failed_ = 0, skipped_ = 0, overflowLine_ = 0;
};

// Converts every row of `table`.
ImportResult ConvertTable(const ImportTable& table, const ImportSettings& settings);

}  // namespace orniva
