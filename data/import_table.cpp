#include "data/import_table.h"

#include "data/fault_data.h"
#include "platform/names.h"

namespace orniva {

namespace {

std::string_view Trim(std::string_view s) {
  const std::size_t first = s.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

// A measurement holds a digit ("45", "N30E", "45NW"); a column's name does not.
bool HoldsADigit(std::string_view s) {
  return s.find_first_of("0123456789") != std::string_view::npos;
}

std::vector<std::string> Cut(std::string_view line, Delimiter delimiter) {
  std::vector<std::string> fields;
  if (delimiter == Delimiter::Space) {
    for (std::size_t i = 0; i < line.size();) {
      while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
      const std::size_t start = i;
      while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
      if (i > start) fields.emplace_back(line.substr(start, i - start));
    }
    return fields;
  }
  const char c = delimiter == Delimiter::Comma       ? ','
                 : delimiter == Delimiter::Semicolon ? ';'
                                                     : '\t';
  std::size_t start = 0;
  for (std::size_t i = 0; i <= line.size(); ++i)
    if (i == line.size() || line[i] == c) {
      fields.emplace_back(Trim(line.substr(start, i - start)));
      start = i + 1;
    }
  return fields;
}

}  // namespace

namespace {
constexpr Named<Delimiter> kDelimiterNames[] = {{"auto", Delimiter::Auto},
                                                {"comma", Delimiter::Comma},
                                                {"semicolon", Delimiter::Semicolon},
                                                {"tab", Delimiter::Tab},
                                                {"space", Delimiter::Space}};
constexpr Named<HeaderChoice> kHeaderNames[] = {
    {"auto", HeaderChoice::Auto}, {"yes", HeaderChoice::Yes}, {"no", HeaderChoice::No}};
}  // namespace

std::optional<Delimiter> DelimiterNamed(std::string_view name) {
  return ValueNamed(kDelimiterNames, name);
}
std::optional<HeaderChoice> HeaderChoiceNamed(std::string_view name) {
  return ValueNamed(kHeaderNames, name);
}

ImportTable ReadTable(std::string_view text, Delimiter delimiter, HeaderChoice header) {
  struct Line {
    int number;
    std::string_view text;
  };
  std::vector<Line> lines;
  int number = 0;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++number;
    const std::string_view trimmed = Trim(line);
    if (!trimmed.empty() && trimmed[0] != '#') lines.push_back({number, line});
    start = end + 1;
  }
  ImportTable table;
  if (delimiter == Delimiter::Auto) {
    const std::size_t sample = std::min<std::size_t>(lines.size(), 5);
    auto everywhere = [&](char c) {
      if (sample == 0) return false;
      for (std::size_t i = 0; i < sample; ++i)
        if (lines[i].text.find(c) == std::string_view::npos) return false;
      return true;
    };
    delimiter = everywhere('\t')  ? Delimiter::Tab
                : everywhere(';') ? Delimiter::Semicolon
                : everywhere(',') ? Delimiter::Comma
                                  : Delimiter::Space;
  }
  table.delimiter = delimiter;
  std::size_t first = 0;
  if (!lines.empty()) {
    const std::vector<std::string> top = Cut(lines[0].text, delimiter);
    bool anyNumber = false;
    for (const std::string& f : top) anyNumber = anyNumber || HoldsADigit(f);
    bool nextHasNumber = false;
    if (lines.size() > 1)
      for (const std::string& f : Cut(lines[1].text, delimiter))
        nextHasNumber = nextHasNumber || HoldsADigit(f);
    if (header == HeaderChoice::Yes ||
        (header == HeaderChoice::Auto && !anyNumber && nextHasNumber)) {
      table.header = top;
      first = 1;
    }
  }
  for (std::size_t i = first; i < lines.size(); ++i)
    table.rows.push_back({lines[i].number, Cut(lines[i].text, delimiter)});
  return table;
}

std::vector<std::string> PickColumns(const std::vector<std::string>& fields,
                                     const std::vector<int>& columns) {
  if (columns.empty()) return fields;
  std::vector<std::string> picked;
  for (int c : columns)
    picked.push_back(c >= 1 && std::size_t(c) <= fields.size() ? fields[std::size_t(c - 1)] : "");
  return picked;
}

namespace {
std::vector<std::string_view> SplitAtCommas(std::string_view text) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t comma = text.find(',', start);
    parts.push_back(text.substr(
        start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    if (comma == std::string_view::npos) return parts;
    start = comma + 1;
  }
}
}  // namespace

std::optional<std::vector<int>> ParseColumns(std::string_view text) {
  std::vector<int> columns;
  if (text.empty()) return columns;
  for (std::string_view part : SplitAtCommas(text)) {
    int n = 0;
    if (part.empty() || part.size() > 4) return std::nullopt;
    for (char c : part) {
      if (c < '0' || c > '9') return std::nullopt;
      n = n * 10 + (c - '0');
    }
    if (n < 1 || n > 1000) return std::nullopt;
    columns.push_back(n);
  }
  return columns;
}

std::string AddSenseCodes(std::string_view text, SenseMap& senses) {
  if (text.empty()) return {};
  for (std::string_view pair : SplitAtCommas(text)) {
    const std::size_t equals = pair.find('=');
    if (equals == std::string_view::npos || equals == 0 ||
        !senses.Set(pair.substr(0, equals), pair.substr(equals + 1)))
      return std::string(pair.empty() ? "(empty)" : pair);
  }
  return {};
}

ImportResult ConvertTable(const ImportTable& table, const ImportSettings& settings) {
  ImportResult result;
  for (const TableRow& row : table.rows) {
    const ConvertedRow converted = ConvertRow(PickColumns(row.fields, settings.columns),
                                              settings.plane, settings.line, settings.senses);
    ImportedRow imported;
    imported.line = row.line;
    imported.error = converted.error;
    imported.warnings = converted.warnings;
    if (converted.error.empty()) {
      if (result.converted == FaultSet::kMaxCount) {
        result.overflowLine = row.line;
        return result;
      }
      imported.dataLine = DataLine(converted);
      result.data += imported.dataLine;
      ++result.converted;
    } else {
      ++result.failed;
    }
    result.rows.push_back(std::move(imported));
  }
  return result;
}

}  // namespace orniva
