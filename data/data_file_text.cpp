#include "data/data_file_text.h"

#include <cctype>

#include "data/import_conventions.h"
#include "data/line_edit.h"

namespace orniva {

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

// `line` (its fields joined by single spaces) with the fifth word, the
// sense, replaced by `sense` unless it already starts with that letter.
std::string WithSense(const std::string& line, const std::string& sense) {
  std::size_t at = 0;
  for (int field = 0; field < 4 && at < line.size(); ++field) {
    while (at < line.size() && !IsBlank(line[at])) ++at;
    while (at < line.size() && IsBlank(line[at])) ++at;
  }
  std::size_t end = at;
  while (end < line.size() && !IsBlank(line[end])) ++end;
  if (end == at) return line + " " + sense;
  if (std::toupper(static_cast<unsigned char>(line[at])) == sense[0]) return line;
  return line.substr(0, at) + sense + line.substr(end);
}

std::string DatumLine(const std::string& original, const TFaultData& datum) {
  std::string line = ReplaceField(original, DataField::Faz, ShortestDecimal(datum.faz));
  line = ReplaceField(line, DataField::Fpl, ShortestDecimal(datum.fpl));
  line = ReplaceField(line, DataField::Saz, ShortestDecimal(datum.saz));
  line = ReplaceField(line, DataField::Spl, ShortestDecimal(datum.spl));
  return WithSense(line, datum.sense);
}

}  // namespace

std::string DataFileText(const std::vector<std::string>& lines, const FaultSet& data) {
  std::string text;
  for (std::size_t i = 1; i <= std::size_t(data.count()); ++i) {
    const std::string original = i <= lines.size() ? lines[i - 1] : std::string();
    text += data[i].failedChecks == 0 ? DatumLine(original, data[i]) : original;
    text += "\r\n";
  }
  return text;
}

}  // namespace orniva
