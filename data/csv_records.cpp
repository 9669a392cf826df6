#include "data/csv_records.h"

#include <algorithm>

namespace orniva {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The line breaks in `run`: LF, CR LF and a lone CR each count once.
int LineBreaks(std::string_view run) {
  int breaks = 0;
  for (std::size_t i = 0; i < run.size(); ++i)
    breaks += run[i] == '\n' || (run[i] == '\r' && (i + 1 == run.size() || run[i + 1] != '\n'));
  return breaks;
}

void NoteFault(CsvRecord& record, CsvFault fault) {
  if (record.fault == CsvFault::None) record.fault = fault;
}

// Appends `run` to `field` up to kMaxCsvFieldBytes.
void AppendBounded(CsvRecord& record, std::string& field, std::string_view run) {
  const std::size_t room = kMaxCsvFieldBytes - std::min(field.size(), kMaxCsvFieldBytes);
  if (run.size() > room) NoteFault(record, CsvFault::FieldTooLong);
  field.append(run.substr(0, room));
}

}  // namespace

bool CsvRecords::AtRecordEnd() const {
  return pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r';
}

void CsvRecords::EndLine() {
  if (pos_ < text_.size() && text_[pos_] == '\r') ++pos_;
  if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
  ++line_;
}

bool CsvRecords::Next(CsvRecord& record) {
  while (pos_ < text_.size()) {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
    if (AtRecordEnd()) {  // a blank line
      EndLine();
      continue;
    }
    pos_ = start;
    record.line = line_;
    record.fault = CsvFault::None;
    std::size_t count = 0;
    for (;;) {
      if (count == record.fields.size()) record.fields.emplace_back();
      std::string& field = record.fields[count];
      field.clear();
      ReadField(record, field);
      if (count < kMaxCsvFields)
        ++count;
      else
        NoteFault(record, CsvFault::TooManyFields);
      if (pos_ >= text_.size() || text_[pos_] != ',') break;
      ++pos_;
    }
    record.fields.resize(count);
    if (pos_ < text_.size()) EndLine();
    return true;
  }
  return false;
}

void CsvRecords::ReadField(CsvRecord& record, std::string& field) {
  while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
  if (pos_ < text_.size() && text_[pos_] == '"') {
    ReadQuoted(record, field);
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
    if (AtRecordEnd() || text_[pos_] == ',') return;
    NoteFault(record, CsvFault::TextAfterQuote);
    while (!AtRecordEnd() && text_[pos_] != ',') ++pos_;
    return;
  }
  const std::size_t start = pos_;
  while (!AtRecordEnd() && text_[pos_] != ',') ++pos_;
  std::size_t end = pos_;
  while (end > start && IsBlank(text_[end - 1])) --end;
  AppendBounded(record, field, text_.substr(start, end - start));
}

// pos_ is at the opening quote; it ends past the closing one, or at the
// end of the text when there is none.
void CsvRecords::ReadQuoted(CsvRecord& record, std::string& field) {
  ++pos_;
  for (;;) {
    const std::size_t quote = text_.find('"', pos_);
    const std::string_view run =
        text_.substr(pos_, quote == std::string_view::npos ? std::string_view::npos : quote - pos_);
    line_ += LineBreaks(run);
    AppendBounded(record, field, run);
    if (quote == std::string_view::npos) {
      pos_ = text_.size();
      NoteFault(record, CsvFault::QuoteNeverClosed);
      return;
    }
    pos_ = quote + 1;
    if (pos_ >= text_.size() || text_[pos_] != '"') return;
    AppendBounded(record, field, "\"");  // a doubled quote
    ++pos_;
  }
}

std::string CsvField(std::string_view text) {
  const bool quoted = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                      (!text.empty() && (IsBlank(text.front()) || IsBlank(text.back())));
  if (!quoted) return std::string(text);
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

}  // namespace orniva
