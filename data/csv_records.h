// Reading CSV text (RFC 4180) one record at a time, in bounded memory:
// fields separated by commas, records ending at LF, CR LF or CR; a field
// that starts with a quote runs to its closing quote and may hold commas,
// line breaks and doubled quotes. Unlike the import's ReadTable, which
// keeps the whole table and takes lines starting with '#' as comments,
// this holds one record at a time, never more than kMaxCsvFields fields
// of kMaxCsvFieldBytes each, and every line that is not blank is a record:
// a file of nothing but commas costs its scan, not gigabytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orniva {

inline constexpr std::size_t kMaxCsvFields = 64;
inline constexpr std::size_t kMaxCsvFieldBytes = 65536;

// What is wrong with a record's form, when anything is.
enum class CsvFault {
  None,
  TooManyFields,    // more than kMaxCsvFields: only the first ones are kept
  FieldTooLong,     // a field of more than kMaxCsvFieldBytes: it is cut there
  TextAfterQuote,   // a quoted field goes on after its closing quote
  QuoteNeverClosed  // the last record: its quote runs to the end of the text
};

struct CsvRecord {
  int line = 0;  // the 1-based line of the text the record starts on
  std::vector<std::string> fields;
  CsvFault fault = CsvFault::None;
};

class CsvRecords {
 public:
  explicit CsvRecords(std::string_view text) : text_(text) {}

  // The next record that holds more than blanks; false at the end of the
  // text. An unquoted field is trimmed of spaces and tabs; a quoted one
  // keeps its text between the quotes as it is.
  bool Next(CsvRecord& record);

 private:
  bool AtRecordEnd() const;
  void EndLine();
  void ReadField(CsvRecord& record, std::string& field);
  void ReadQuoted(CsvRecord& record, std::string& field);

  std::string_view text_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

// `text` as a CSV field: quoted (quotes doubled) when it holds a comma, a
// quote or a line break, or starts or ends with a blank; else as it is.
std::string CsvField(std::string_view text);

}  // namespace orniva
