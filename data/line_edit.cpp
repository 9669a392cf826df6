#include "data/line_edit.h"

#include <vector>

#include "data/fault_reader.h"
#include "data/import_conventions.h"

namespace orniva {

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string Trimmed(const std::string& text) {
  std::size_t first = 0, last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

// The four number tokens and the rest (the sense word and what follows).
std::vector<std::string> SplitFields(const std::string& lineText) {
  std::vector<std::string> fields;
  const std::string text = Trimmed(lineText);
  std::size_t at = 0;
  while (fields.size() < 4 && at < text.size()) {
    std::size_t end = at;
    while (end < text.size() && !IsBlank(text[end])) ++end;
    fields.push_back(text.substr(at, end - at));
    at = end;
    while (at < text.size() && IsBlank(text[at])) ++at;
  }
  if (at < text.size()) fields.push_back(text.substr(at));
  return fields;
}

}  // namespace

FaultCheck CheckOf(DataField field) {
  static constexpr FaultCheck kChecks[] = {kFazCheck, kFplCheck, kSazCheck, kSplCheck, kSenseCheck};
  return kChecks[int(field)];
}

std::optional<std::string> FieldText(DataField field, const std::string& typed, std::size_t line,
                                     std::string& message) {
  const std::string text = Trimmed(typed);
  message = FailedCheckText(CheckOf(field), line);
  if (field == DataField::Sense) {
    const std::optional<char> letter = SenseLetter(text);
    if (!letter) return std::nullopt;
    message.clear();
    return std::string(1, *letter);
  }
  std::string remainder = text + " ";  // a token ends at a space
  bool ok = false;
  const float value = ReadNumberToken(remainder, ok);
  const float high = field == DataField::Faz || field == DataField::Saz ? 360.0f : 90.0f;
  if (!ok || !remainder.empty() || !(value >= 0 && value <= high)) return std::nullopt;
  message.clear();
  return ShortestDecimal(value);
}

std::string ReplaceField(const std::string& lineText, DataField field, const std::string& text) {
  std::vector<std::string> fields = SplitFields(lineText);
  const auto index = std::size_t(field);
  while (fields.size() <= index) fields.push_back("?");
  fields[index] = text;
  std::string line;
  for (const std::string& f : fields) line += (line.empty() ? "" : " ") + f;
  return line;
}

}  // namespace orniva
