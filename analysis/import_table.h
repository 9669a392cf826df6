// Reading a table of text for import: its rows cut into fields by a
// delimiter (comma, semicolon, tab, or runs of blanks), found when not
// given, and a header row, found when not said. Blank lines and lines
// starting with '#' are no rows.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orniva::analysis {

enum class Delimiter { Auto, Comma, Semicolon, Tab, Space };
enum class HeaderChoice { Auto, Yes, No };

std::optional<Delimiter> DelimiterNamed(std::string_view name);  // "auto", "comma", ...
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

// The delimiter: tab if the first rows hold tabs, else semicolon, else
// comma, else blanks. A header: the first row when none of its fields
// holds a digit while the next row's fields do.
ImportTable ReadTable(std::string_view text, Delimiter delimiter = Delimiter::Auto,
                      HeaderChoice header = HeaderChoice::Auto);

// The fields of `columns` (1-based) in their order; all fields when
// `columns` is empty. A column beyond the row gives an empty field.
std::vector<std::string> PickColumns(const std::vector<std::string>& fields, const std::vector<int>& columns);

}  // namespace orniva::analysis
