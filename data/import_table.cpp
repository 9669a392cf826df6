#include "data/import_table.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <utility>

#include "data/fault_data.h"
#include "platform/names.h"

namespace orniva {

namespace {

std::string_view Trim(std::string_view s) {
  const std::size_t first = s.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

// A measurement holds a digit ("45", "N30E", "45NW"); a column's name does
// not, but for a range or unit in brackets ("Azimuth [0,360)", "Dip (0-90)").
bool HoldsADigit(std::string_view s) {
  int depth = 0;
  for (const char c : s) {
    depth += (c == '[' || c == '(') - (depth > 0 && (c == ']' || c == ')'));
    if (depth == 0 && c >= '0' && c <= '9') return true;
  }
  return false;
}

// The rows of a text as RFC 4180 reads them: a field that starts with a
// quote runs to the closing quote, and holds delimiters, line breaks and
// doubled quotes ("") as text. A quote that is never closed is an ordinary
// character, as is one inside a field. Lines end in LF, CR LF or CR.
class RowReader {
 public:
  RowReader(std::string_view text, Delimiter delimiter) : text_(text), delimiter_(delimiter) {}

  // The next row that is neither blank nor a comment; false at the end.
  bool Next(TableRow& row) {
    while (pos_ < text_.size()) {
      const std::size_t start = pos_;
      while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
      const bool skipped = AtLineEnd() || text_[pos_] == '#';
      if (skipped) {
        while (!AtLineEnd()) ++pos_;
      } else {
        pos_ = start;
        row = {line_, {}};
        ReadFields(row.fields);
      }
      EndLine();
      if (!skipped) return true;
    }
    return false;
  }

 private:
  bool AtLineEnd() const {
    return pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r';
  }
  bool Blank(char c) const { return c == ' ' || (c == '\t' && delimiter_ != Delimiter::Tab); }
  bool Delimits(char c) const {
    switch (delimiter_) {
      case Delimiter::Comma:
        return c == ',';
      case Delimiter::Semicolon:
        return c == ';';
      case Delimiter::Tab:
        return c == '\t';
      default:
        return c == ' ' || c == '\t';
    }
  }
  void SkipBlanks() {
    while (pos_ < text_.size() && Blank(text_[pos_])) ++pos_;
  }
  void EndLine() {
    if (pos_ < text_.size() && text_[pos_] == '\r') ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    ++line_;
  }
  void ReadFields(std::vector<std::string>& fields);
  std::string Field();
  bool Quoted(std::string& field);

  std::string_view text_;
  Delimiter delimiter_;
  std::size_t pos_ = 0;
  int line_ = 1;
  bool unclosedQuote_ = false;  // one was seen: quotes no longer span lines
};

void RowReader::ReadFields(std::vector<std::string>& fields) {
  const bool blanks = delimiter_ == Delimiter::Space;
  for (;;) {
    SkipBlanks();
    if (blanks && AtLineEnd()) return;
    std::string field = Field();
    if (fields.size() < kMaxRowFields) fields.push_back(std::move(field));
    SkipBlanks();
    if (AtLineEnd()) return;
    if (!blanks) ++pos_;  // past the delimiter
  }
}

// A field up to the delimiter or the line's end; a quoted one unquoted,
// with what follows its closing quote appended.
std::string RowReader::Field() {
  std::string field;
  if (pos_ < text_.size() && text_[pos_] == '"') Quoted(field);
  const std::size_t start = pos_;
  while (!AtLineEnd() && !Delimits(text_[pos_])) ++pos_;
  field += Trim(text_.substr(start, pos_ - start));
  return field;
}

// Reads the quoted field at pos_ into `field`; false, having moved
// nothing, when its closing quote is missing.
bool RowReader::Quoted(std::string& field) {
  int lines = 0;
  for (std::size_t i = pos_ + 1; i < text_.size(); ++i) {
    const char c = text_[i];
    if (c == '"' && i + 1 < text_.size() && text_[i + 1] == '"') {
      field += '"';
      ++i;
    } else if (c == '"') {
      pos_ = i + 1;
      line_ += lines;
      return true;
    } else if ((c == '\n' || c == '\r') && unclosedQuote_) {
      break;
    } else {
      lines += c == '\n' || (c == '\r' && (i + 1 == text_.size() || text_[i + 1] != '\n'));
      field += c;
    }
  }
  unclosedQuote_ = true;
  field.clear();
  return false;
}

// Tab, semicolon or comma when each of the first rows holds it (in that
// order of preference), outside quotes where `quotes`; else blanks.
Delimiter DelimiterOf(std::string_view text, bool quotes) {
  constexpr char kCandidates[] = {'\t', ';', ','};
  bool everywhere[3] = {true, true, true}, found[3] = {};
  bool inQuotes = false, started = false, comment = false;
  int sampled = 0;
  for (std::size_t i = 0; i <= text.size() && sampled < 5; ++i) {
    const char c = i < text.size() ? text[i] : '\n';
    if ((!inQuotes || i == text.size()) && (c == '\n' || c == '\r')) {
      if (started && !comment) ++sampled;
      for (int k = 0; k < 3; ++k) {
        if (started && !comment) everywhere[k] = everywhere[k] && found[k];
        found[k] = false;
      }
      started = comment = false;
      continue;
    }
    for (int k = 0; k < 3; ++k) found[k] = found[k] || (c == kCandidates[k] && !inQuotes);
    if (!started && c != ' ' && c != '\t') {
      started = true;
      comment = c == '#';
    }
    inQuotes = inQuotes != (quotes && c == '"' && !comment);
  }
  if (sampled == 0) return Delimiter::Space;
  return everywhere[0]   ? Delimiter::Tab
         : everywhere[1] ? Delimiter::Semicolon
         : everywhere[2] ? Delimiter::Comma
                         : Delimiter::Space;
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

void ForEachRow(std::string_view text, Delimiter delimiter,
                const std::function<bool(const TableRow&)>& consume) {
  RowReader reader(text, delimiter);
  for (TableRow row; reader.Next(row) && consume(row);) {
  }
}

namespace {

// Widens each column's range by the row's plain numbers.
void AddToRanges(const TableRow& row, std::vector<NumberRange>& ranges) {
  if (ranges.size() < row.fields.size()) ranges.resize(row.fields.size());
  for (std::size_t c = 0; c < row.fields.size(); ++c) {
    const std::string& field = row.fields[c];
    double value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || error != std::errc() || end != field.data() + field.size()) continue;
    ranges[c].low = std::min(ranges[c].low, value);
    ranges[c].high = std::max(ranges[c].high, value);
  }
}

bool AnyDigit(const TableRow& row) {
  return std::any_of(row.fields.begin(), row.fields.end(), HoldsADigit);
}

}  // namespace

ImportTable ReadTable(std::string_view text, Delimiter delimiter, HeaderChoice header,
                      std::size_t keepRows) {
  ImportTable table;
  table.delimiter = delimiter;
  if (delimiter == Delimiter::Auto) {  // a quote never closed may hide every delimiter
    table.delimiter = DelimiterOf(text, true);
    if (table.delimiter == Delimiter::Space) table.delimiter = DelimiterOf(text, false);
  }
  // The first row waits for the second, which says whether it is a header.
  std::optional<TableRow> first;
  auto add = [&](TableRow row) {
    AddToRanges(row, table.ranges);
    if (table.rowCount++ < keepRows) table.rows.push_back(std::move(row));
  };
  std::size_t seen = 0;
  ForEachRow(text, table.delimiter, [&](const TableRow& row) {
    if (seen++ == 0) {
      first = row;
      return true;
    }
    if (seen == 2) {
      const bool named = !AnyDigit(*first) && AnyDigit(row);
      if (header == HeaderChoice::Yes || (header == HeaderChoice::Auto && named))
        table.header = std::move(first->fields);
      else
        add(std::move(*first));
      first.reset();
    }
    add(row);
    return true;
  });
  if (first && header == HeaderChoice::Yes)
    table.header = std::move(first->fields);
  else if (first)
    add(std::move(*first));
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

std::optional<ImportedRow> RowConverter::Convert(const TableRow& row) {
  const ConvertedRow converted = ConvertRow(PickColumns(row.fields, settings_.columns),
                                            settings_.plane, settings_.line, settings_.senses);
  ImportedRow imported;
  imported.line = row.line;
  imported.error = converted.error;
  imported.skipped = converted.skipped;
  imported.warnings = converted.warnings;
  if (!converted.error.empty()) {
    ++(converted.skipped ? skipped_ : failed_);
    return imported;
  }
  if (converted_ == FaultSet::kMaxCount) {
    overflowLine_ = row.line;
    return std::nullopt;
  }
  imported.dataLine = DataLine(converted, settings_.decimals);
  data_ += imported.dataLine;
  ++converted_;
  return imported;
}

ImportResult ConvertTable(const ImportTable& table, const ImportSettings& settings) {
  ImportResult result;
  RowConverter converter(settings);
  for (const TableRow& row : table.rows) {
    std::optional<ImportedRow> imported = converter.Convert(row);
    if (!imported) break;
    result.rows.push_back(std::move(*imported));
  }
  result.data = converter.data();
  result.converted = converter.converted();
  result.failed = converter.failed();
  result.skipped = converter.skipped();
  result.overflowLine = converter.overflowLine();
  return result;
}

}  // namespace orniva
