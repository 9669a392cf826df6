#include "data/orientation_table.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cmath>
#include <limits>

#include "data/csv_records.h"
#include "data/import_conventions.h"
#include "data/utf8.h"
#include "platform/atomic_file.h"
#include "platform/file_error.h"
#include "platform/file_read.h"

namespace orniva {

namespace {

using Column = OrientationColumn;
using Places = std::array<int, kOrientationColumns>;

constexpr std::array<std::string_view, kOrientationColumns> kColumnNames = {
    "kind", "azimuth",   "angle", "set",     "site", "lon",
    "lat",  "elevation", "label", "quality", "time", "notes"};

std::size_t Index(Column column) { return std::size_t(column); }

bool StartsWith(std::string_view bytes, std::string_view start) {
  return bytes.substr(0, start.size()) == start;
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return out;
}

// Why `bytes` are no CSV text; empty when they may be.
std::string BytesRefusal(std::string_view bytes) {
  if (StartsWith(bytes, "PK\x03\x04") || StartsWith(bytes, "\xD0\xCF\x11\xE0"))
    return "it is a spreadsheet workbook, not CSV text; save the sheet as CSV UTF-8";
  if (StartsWith(bytes, "\xFF\xFE") || StartsWith(bytes, "\xFE\xFF"))
    return "it is UTF-16 text; save it as CSV UTF-8";
  if (bytes.find('\0') != std::string_view::npos) return "it holds binary data, not CSV text";
  return {};
}

// The log, held to kMaxOrientationLogLines lines and a count of the rest.
class BoundedLog {
 public:
  explicit BoundedLog(std::vector<std::string>& log) : log_(log) {}
  void Add(std::vector<std::string>& lines) {
    for (std::string& line : lines) {
      if (log_.size() < kMaxOrientationLogLines)
        log_.push_back(std::move(line));
      else
        ++dropped_;
    }
    lines.clear();
  }
  void Finish() {
    if (dropped_ > 0) log_.push_back("  ... and " + std::to_string(dropped_) + " more lines");
  }

 private:
  std::vector<std::string>& log_;
  std::size_t dropped_ = 0;
};

std::string FaultText(CsvFault fault) {
  switch (fault) {
    case CsvFault::TooManyFields:
      return "more than " + std::to_string(kMaxCsvFields) + " fields";
    case CsvFault::FieldTooLong:
      return "a field longer than " + std::to_string(kMaxCsvFieldBytes) + " bytes";
    case CsvFault::TextAfterQuote:
      return "text after the closing quote of a field";
    case CsvFault::QuoteNeverClosed:
      return "a quote is never closed: the rest of the file is left out";
    case CsvFault::None:
      break;
  }
  return {};
}

// The columns the header names; the refusal, or notes on columns left out.
std::string ReadHeader(const CsvRecord& header, Places& places, std::vector<std::string>& notes) {
  if (header.fault != CsvFault::None) return "the header row: " + FaultText(header.fault);
  places.fill(0);
  for (std::size_t k = 0; k < header.fields.size(); ++k) {
    const std::string name = Lower(header.fields[k]);
    const auto known = std::find(kColumnNames.begin(), kColumnNames.end(), name);
    const int place = int(k) + 1;
    if (known == kColumnNames.end()) {
      notes.push_back("  column " + std::to_string(place) +
                      (name.empty() ? " has no name" : " '" + header.fields[k] + "' is not known") +
                      " and is left out");
      continue;
    }
    int& slot = places[std::size_t(known - kColumnNames.begin())];
    if (slot != 0)
      return "the header names column '" + name + "' twice (columns " + std::to_string(slot) +
             " and " + std::to_string(place) + ")";
    slot = place;
  }
  for (Column c : {Column::Kind, Column::Azimuth, Column::Angle})
    if (places[Index(c)] == 0)
      return "the header names no column '" + std::string(kColumnNames[Index(c)]) +
             "' (the first row must name the columns: kind, azimuth, angle, ...)";
  return {};
}

// The values of `record` by column; false, with a log line, when its form
// is bad.
bool RowFields(const CsvRecord& record, const Places& places, std::size_t headerFields,
               OrientationFields& fields, std::vector<std::string>& log) {
  const std::string line = std::to_string(record.line);
  if (record.fault != CsvFault::None) {
    log.push_back("  line #" + line + ": " + FaultText(record.fault));
    return false;
  }
  if (record.fields.size() > headerFields) {
    log.push_back("  line #" + line + " has " + std::to_string(record.fields.size()) +
                  " fields, the header " + std::to_string(headerFields));
    return false;
  }
  for (std::size_t c = 0; c < kOrientationColumns; ++c) {
    const std::size_t k = std::size_t(places[c]);
    fields[c] = k >= 1 && k <= record.fields.size() ? std::string_view(record.fields[k - 1])
                                                    : std::string_view();
  }
  return true;
}

}  // namespace

std::string_view OrientationColumnName(OrientationColumn column) {
  return kColumnNames[Index(column)];
}

namespace {

// The rows after the header into `table`; false past kMaxOrientationRows.
bool ReadRows(CsvRecords& reader, const Places& places, std::size_t headerFields,
              OrientationTable& table, BoundedLog& log) {
  CsvRecord record;
  OrientationFields fields;
  std::vector<std::string> lines;
  while (reader.Next(record)) {
    if (++table.rows > kMaxOrientationRows) return false;
    std::optional<OrientationRecord> checked;
    if (RowFields(record, places, headerFields, fields, lines))
      checked = CheckOrientationFields(fields, record.line, places, lines);
    log.Add(lines);
    if (checked)
      table.records.push_back(std::move(*checked));
    else
      ++table.badRows;
  }
  return true;
}

}  // namespace

OrientationTable ParseOrientationTable(std::string_view bytes) {
  OrientationTable table;
  table.refusal = BytesRefusal(bytes);
  if (!table.refusal.empty()) return table;
  if (StartsWith(bytes, "\xEF\xBB\xBF")) bytes.remove_prefix(3);
  CsvRecords reader(bytes);
  CsvRecord header;
  Places places{};
  std::vector<std::string> notes;
  table.refusal =
      reader.Next(header)
          ? ReadHeader(header, places, notes)
          : "no header row: the first row must name the columns: kind, azimuth, angle, ...";
  if (!table.refusal.empty()) return table;
  for (std::size_t c = 0; c < kOrientationColumns; ++c) table.columns[c] = places[c] != 0;
  BoundedLog log(table.log);
  log.Add(notes);
  // Room for a record a line: more than there are rows, never more than the limit.
  table.records.reserve(std::min<std::size_t>(
      std::size_t(std::count(bytes.begin(), bytes.end(), '\n')) + 1, kMaxOrientationRows));
  if (!ReadRows(reader, places, header.fields.size(), table, log)) {
    table = {};
    table.refusal = "more than " + std::to_string(kMaxOrientationRows) + " rows";
    return table;
  }
  log.Finish();
  return table;
}

OrientationTable ReadOrientationFile(const std::string& path) {
  const std::optional<std::string> bytes = ReadRegularFile(path, kLargestOrientationFile);
  if (!bytes)
    throw FileError(FileError::Action::Read, path, "larger than 64 MB, too large to open");
  OrientationTable table = ParseOrientationTable(*bytes);
  if (!table.refusal.empty()) throw FileError(FileError::Action::Read, path, table.refusal);
  return table;
}

bool IsOrientationTablePath(std::string_view path) {
  constexpr std::string_view kEnd = ".orient.csv";
  return path.size() > kEnd.size() && Lower(path.substr(path.size() - kEnd.size())) == kEnd;
}

CheckOutcome CheckOrientationFile(const OrientationTable& table, const std::string& path) {
  CheckOutcome outcome;
  outcome.badFields = table.badRows > 0;
  try {
    const std::string logPath = LogPathFor(path);
    WriteTextFile(logPath, ComposeLog(FileNameOf(path), table.log));
    outcome.logPath = logPath;
  } catch (const FileError& error) {
    outcome.logError = error;
  }
  return outcome;
}

// ---- the checks of one value ----

namespace {

// `text` by the data file's number grammar, stored as a float; none when
// it is no number (a blank inside the field is part of no number).
std::optional<float> StoredNumber(std::string_view text) {
  if (text.empty() || std::any_of(text.begin(), text.end(),
                                  [](char c) { return static_cast<unsigned char>(c) <= 32; }))
    return std::nullopt;
  std::string rest(text);
  rest += ' ';
  bool ok = false;
  const float value = ReadNumberToken(rest, ok);
  if (!ok) return std::nullopt;
  return value;
}

// The same number as a double, as written; none beyond the double range.
std::optional<double> WrittenNumber(std::string_view text) {
  if (!StoredNumber(text)) return std::nullopt;
  std::string_view t = text;
  if (t.front() == '+') t.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), value);
  if (error == std::errc() && end == t.data() + t.size()) return value;
  // The grammar's forms without a digit before the exponent (".", "-.",
  // "e5") are 0; anything else from_chars refuses is out of range.
  const std::size_t exponent = t.find_first_of("eE");
  if (t.substr(0, exponent).find_first_of("0123456789") == std::string_view::npos) return 0.0;
  return std::nullopt;
}

// `value` quoted for a message, when it can be shown.
std::string Shown(std::string_view value) {
  if (!IsWellFormedUtf8(value) ||
      std::any_of(value.begin(), value.end(),
                  [](char c) { return static_cast<unsigned char>(c) < 32; }) ||
      value.size() > 40)
    return "the value";
  return "'" + std::string(value) + "'";
}

// Why `text` is no acceptable text value; empty when it is.
std::string TextProblem(std::string_view text, bool breaksAllowed) {
  if (!IsWellFormedUtf8(text)) return "not UTF-8 text";
  for (const char c : text) {
    const bool allowed = breaksAllowed && (c == '\t' || c == '\n' || c == '\r');
    if (static_cast<unsigned char>(c) < 32 && !allowed) return "holds a control character";
  }
  return {};
}

// A range's limit as the messages write it: 180, 3.40282e+38.
std::string Limit(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

struct RowCheck {
  const OrientationFields& fields;
  int line;
  const Places& places;
  std::vector<std::string>& log;
  bool ok = true;

  std::string_view Value(Column c) const { return fields[Index(c)]; }
  void Fail(Column c, const std::string& reason) {
    const int place = places[Index(c)];
    log.push_back("  " + std::string(kColumnNames[Index(c)]) + " invalid at line #" +
                  std::to_string(line) + (place ? ", column " + std::to_string(place) : "") + ": " +
                  reason);
    ok = false;
  }
  void Angle(Column c, float high, float& out) {
    const std::optional<float> value = StoredNumber(Value(c));
    if (Value(c).empty()) return Fail(c, "missing");
    if (!(value && *value >= 0 && *value <= high))
      return Fail(c, Shown(Value(c)) + " is not a number from 0 to " + std::to_string(int(high)));
    out = *value;
  }
  void Position(Column c, double limit, std::optional<double>& out) {
    if (Value(c).empty()) return;
    const std::optional<double> value = WrittenNumber(Value(c));
    if (!(value && std::fabs(*value) <= limit))
      return Fail(
          c, Shown(Value(c)) + " is not a number from " + Limit(-limit) + " to " + Limit(limit));
    out = value;
  }
  void Text(Column c, std::string& out) {
    const std::string problem = TextProblem(Value(c), c != Column::Set);
    if (!problem.empty()) return Fail(c, problem);
    out = Value(c);
  }
};

void CheckKind(RowCheck& check, OrientationRecord& record) {
  const std::string kind = Lower(check.Value(Column::Kind));
  if (kind == "plane" || kind == "line")
    record.kind = kind == "plane" ? OrientationKind::Plane : OrientationKind::Line;
  else
    check.Fail(Column::Kind, kind.empty()
                                 ? "missing"
                                 : Shown(check.Value(Column::Kind)) + " is neither plane nor line");
}

// A position needs both lon and lat.
void CheckPositionPair(RowCheck& check) {
  const bool lon = !check.Value(Column::Lon).empty(), lat = !check.Value(Column::Lat).empty();
  if (lon != lat)
    check.Fail(lon ? Column::Lat : Column::Lon,
               std::string("missing where ") + (lon ? "lon" : "lat") + " is given");
}

}  // namespace

namespace {

// The member of a text column.
std::string OrientationRecord::*TextMember(Column c) {
  switch (c) {
    case Column::Set:
      return &OrientationRecord::set;
    case Column::Site:
      return &OrientationRecord::site;
    case Column::Label:
      return &OrientationRecord::label;
    case Column::Quality:
      return &OrientationRecord::quality;
    case Column::Time:
      return &OrientationRecord::time;
    default:
      return &OrientationRecord::notes;
  }
}

void CheckColumn(RowCheck& check, Column c, OrientationRecord& r) {
  switch (c) {
    case Column::Kind:
      return CheckKind(check, r);
    case Column::Azimuth:
      return check.Angle(c, 360, r.azimuth);
    case Column::Angle:
      return check.Angle(c, 90, r.angle);
    case Column::Lon:
      return check.Position(c, 180, r.lon);
    case Column::Lat:
      return check.Position(c, 90, r.lat);
    case Column::Elevation:
      return check.Position(c, std::numeric_limits<float>::max(), r.elevation);
    default:
      return check.Text(c, r.*TextMember(c));
  }
}

}  // namespace

std::optional<OrientationRecord> CheckOrientationFields(const OrientationFields& fields, int line,
                                                        const Places& columns,
                                                        std::vector<std::string>& log) {
  // The checks in the order of the columns in the file, absent ones last
  // (place 0 wraps to the largest unsigned).
  std::array<Column, kOrientationColumns> order;
  for (std::size_t c = 0; c < kOrientationColumns; ++c) order[c] = Column(c);
  std::sort(order.begin(), order.end(), [&columns](Column a, Column b) {
    const unsigned pa = unsigned(columns[Index(a)] - 1), pb = unsigned(columns[Index(b)] - 1);
    return pa != pb ? pa < pb : a < b;
  });
  RowCheck check{fields, line, columns, log};
  OrientationRecord record;
  record.line = line;
  for (Column c : order) CheckColumn(check, c, record);
  CheckPositionPair(check);
  if (!check.ok) return std::nullopt;
  return record;
}

// ---- the writer ----

namespace {

std::string ShortestDouble(double value) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value == 0 ? 0.0 : value).ptr;
  return std::string(text, end);
}

// The record's value in column `c`; empty for none.
std::string WrittenValue(const OrientationRecord& r, Column c) {
  auto number = [](const std::optional<double>& v) { return v ? ShortestDouble(*v) : ""; };
  switch (c) {
    case Column::Kind:
      return r.kind == OrientationKind::Plane ? "plane" : "line";
    case Column::Azimuth:
      return ShortestDecimal(r.azimuth);
    case Column::Angle:
      return ShortestDecimal(r.angle);
    case Column::Lon:
      return number(r.lon);
    case Column::Lat:
      return number(r.lat);
    case Column::Elevation:
      return number(r.elevation);
    default:
      return CsvField(r.*TextMember(c));
  }
  return {};
}

}  // namespace

std::string OrientationValueText(const OrientationRecord& record, OrientationColumn column) {
  const bool text = column == Column::Set || column == Column::Site || column == Column::Label ||
                    column == Column::Quality || column == Column::Time || column == Column::Notes;
  return text ? record.*TextMember(column) : WrittenValue(record, column);
}

std::string OrientationTableText(const std::vector<OrientationRecord>& records,
                                 const std::array<bool, kOrientationColumns>& keep) {
  std::vector<Column> written;
  for (std::size_t c = 0; c < kOrientationColumns; ++c) {
    const bool used = c <= Index(Column::Angle) || keep[c] ||
                      std::any_of(records.begin(), records.end(), [c](const OrientationRecord& r) {
                        return !WrittenValue(r, Column(c)).empty();
                      });
    if (used) written.push_back(Column(c));
  }
  std::string text;
  for (std::size_t k = 0; k < written.size(); ++k)
    text += (k ? "," : "") + std::string(kColumnNames[Index(written[k])]);
  text += "\r\n";
  for (const OrientationRecord& record : records) {
    for (std::size_t k = 0; k < written.size(); ++k)
      text += (k ? "," : "") + WrittenValue(record, written[k]);
    text += "\r\n";
  }
  return text;
}

void WriteOrientationTable(const std::string& path, const std::vector<OrientationRecord>& records) {
  WriteFileAtomically(path, OrientationTableText(records));
}

}  // namespace orniva
