#include "data/curation.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <new>
#include <optional>
#include <string>

#include "data/json.h"
#include "platform/file_error.h"
#include "platform/file_read.h"

namespace orniva {
namespace {

// ---- Reading ----

// Why a text is refused; thrown within this file only, caught by ParseCuration.
struct Refusal {
  std::string reason;
};

[[noreturn]] void Refuse(std::string reason) { throw Refusal{std::move(reason)}; }
[[noreturn]] void RefuseFormat(const std::string& reason) {
  Refuse("not a curation file (" + reason + ")");
}

constexpr long long kHuge = 1000000000000;  // beyond every line count

// The value of a number written as an integer (no fraction, no exponent),
// capped at +-kHuge; nothing for any other value.
std::optional<long long> IntegerOf(const JsonDocument& doc, std::uint32_t index) {
  if (doc[index].type != JsonType::Number) return std::nullopt;
  const std::string_view text = doc.Text(index);
  if (text.find_first_of(".eE") != std::string_view::npos) return std::nullopt;
  const bool negative = text[0] == '-';
  long long value = 0;
  for (const char digit : text.substr(negative ? 1 : 0))
    value = std::min(value * 10 + (digit - '0'), kHuge);
  return negative ? -value : value;
}

// An object's members by key, in the file's order; `owner` names the
// object in messages ("" for the file's, "phase 2").
class Members {
 public:
  Members(const JsonDocument& doc, std::uint32_t object, std::string owner)
      : doc_(doc), owner_(std::move(owner)) {
    const std::vector<std::uint32_t> children = doc.ChildrenOf(object);
    for (std::size_t i = 0; i + 1 < children.size(); i += 2)
      members_.emplace_back(doc.StringOf(children[i]), children[i + 1]);
  }

  // `"key"`, or `"key" of phase 2`.
  std::string Name(const std::string& key) const {
    return JsonQuoted(key) + (owner_.empty() ? "" : " of " + owner_);
  }
  std::optional<std::uint32_t> Find(const std::string& key) const {
    for (const auto& [name, value] : members_)
      if (name == key) return value;
    return std::nullopt;
  }
  // The member `key` of type `type`; refused when missing or of another type.
  std::uint32_t Get(const std::string& key, JsonType type, const char* typeName) const {
    const std::optional<std::uint32_t> value = Find(key);
    if (!value) RefuseFormat(Name(key) + " is missing");
    if (doc_[*value].type != type) RefuseFormat(Name(key) + " is not " + typeName);
    return *value;
  }
  std::string String(const std::string& key) const {
    return doc_.StringOf(Get(key, JsonType::String, "a string"));
  }
  // The members not named in `known`, as (key, JSON text).
  std::vector<std::pair<std::string, std::string>> Unknown(
      std::initializer_list<std::string_view> known) const {
    std::vector<std::pair<std::string, std::string>> unknown;
    for (const auto& [name, value] : members_)
      if (std::find(known.begin(), known.end(), name) == known.end())
        unknown.emplace_back(name, std::string(doc_.Text(value)));
    return unknown;
  }

 private:
  const JsonDocument& doc_;
  std::string owner_;
  std::vector<std::pair<std::string, std::uint32_t>> members_;
};

// What a curation file's lines are checked against.
struct LineRange {
  int count;   // the data's lines
  bool stale;  // lines beyond `count` are left out rather than refused
};

// The member "off" or "lines": line numbers, sorted, each once.
std::vector<int> LinesOf(const JsonDocument& doc, const Members& members, const std::string& key,
                         LineRange range) {
  std::vector<int> lines;
  for (const std::uint32_t element : doc.ChildrenOf(members.Get(key, JsonType::Array, "a list"))) {
    const std::optional<long long> line = IntegerOf(doc, element);
    if (!line || *line < 1)
      RefuseFormat(members.Name(key) + " holds " + JsonExcerpt(doc.Text(element)) +
                   ", not a line number");
    if (*line <= range.count)
      lines.push_back(int(*line));
    else if (!range.stale)
      Refuse("line " + JsonExcerpt(doc.Text(element)) + " is beyond the data's " +
             std::to_string(range.count) + " lines");
  }
  std::sort(lines.begin(), lines.end());
  lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
  return lines;
}

bool IsColour(const std::string& s) {
  return s.size() == 7 && s[0] == '#' &&
         std::all_of(s.begin() + 1, s.end(), [](char c) { return std::isxdigit(std::uint8_t(c)); });
}

Phase PhaseOf(const JsonDocument& doc, std::uint32_t value, std::size_t number, LineRange range) {
  const std::string label = "phase " + std::to_string(number);
  if (doc[value].type != JsonType::Object) RefuseFormat(label + " is not an object");
  const Members members(doc, value, label);
  Phase phase;
  if (!members.Find("name") || (phase.name = members.String("name")).empty())
    RefuseFormat(label + " has no name");
  phase.colour = members.String("colour");
  if (!IsColour(phase.colour)) RefuseFormat(members.Name("colour") + " is not \"#rrggbb\"");
  phase.lines = LinesOf(doc, members, "lines", range);
  phase.unknown = members.Unknown({"name", "colour", "lines"});
  return phase;
}

// A member that holds a string, or "" when it is absent.
std::string OptionalString(const Members& members, const std::string& key) {
  return members.Find(key) ? members.String(key) : std::string();
}

// A member that holds a number, or none when it is absent.
std::optional<double> OptionalNumber(const JsonDocument& doc, const Members& members,
                                     const std::string& key) {
  if (!members.Find(key)) return std::nullopt;
  const std::string_view text = doc.Text(members.Get(key, JsonType::Number, "a number"));
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
    RefuseFormat(members.Name(key) + " is not a number this version reads");
  return value;
}

// One attribute record; none for a line beyond the data of a stale file.
std::optional<LineAttributes> AttributesOf(const JsonDocument& doc, std::uint32_t value,
                                           std::size_t number, LineRange range) {
  const std::string label = "attribute record " + std::to_string(number);
  if (doc[value].type != JsonType::Object) RefuseFormat(label + " is not an object");
  const Members members(doc, value, label);
  const std::uint32_t lineValue = members.Get("line", JsonType::Number, "a number");
  const std::optional<long long> line = IntegerOf(doc, lineValue);
  if (!line || *line < 1)
    RefuseFormat(members.Name("line") + " holds " + JsonExcerpt(doc.Text(lineValue)) +
                 ", not a line number");
  if (*line > range.count) {
    if (range.stale) return std::nullopt;
    Refuse("line " + JsonExcerpt(doc.Text(lineValue)) + " is beyond the data's " +
           std::to_string(range.count) + " lines");
  }
  LineAttributes attributes;
  attributes.line = int(*line);
  attributes.site = OptionalString(members, "site");
  attributes.longitude = OptionalNumber(doc, members, "longitude");
  attributes.latitude = OptionalNumber(doc, members, "latitude");
  attributes.elevation = OptionalNumber(doc, members, "elevation");
  attributes.accuracy = OptionalNumber(doc, members, "accuracy");
  attributes.quality = OptionalString(members, "quality");
  attributes.time = OptionalString(members, "time");
  attributes.label = OptionalString(members, "label");
  attributes.notes = OptionalString(members, "notes");
  attributes.unknown = members.Unknown({"line", "site", "longitude", "latitude", "elevation",
                                        "accuracy", "quality", "time", "label", "notes"});
  return attributes;
}

// The member "attributes", when present: sorted by line, each line once.
std::vector<LineAttributes> AttributesOf(const JsonDocument& doc, const Members& top,
                                         LineRange range) {
  std::vector<LineAttributes> all;
  if (!top.Find("attributes")) return all;
  for (const std::uint32_t record :
       doc.ChildrenOf(top.Get("attributes", JsonType::Array, "a list")))
    if (std::optional<LineAttributes> one = AttributesOf(doc, record, all.size() + 1, range))
      all.push_back(std::move(*one));
  std::stable_sort(all.begin(), all.end(), [](const LineAttributes& a, const LineAttributes& b) {
    return a.line < b.line;
  });
  const auto twice = std::adjacent_find(
      all.begin(), all.end(),
      [](const LineAttributes& a, const LineAttributes& b) { return a.line == b.line; });
  if (twice != all.end())
    Refuse("line " + std::to_string(twice->line) + " has two attribute records");
  return all;
}

// Refuses two phases of one name and a line in two phases.
void CheckPhasesApart(const std::vector<Phase>& phases) {
  std::vector<std::string> names;
  std::vector<int> lines;
  for (const Phase& phase : phases) {
    names.push_back(phase.name);
    lines.insert(lines.end(), phase.lines.begin(), phase.lines.end());
  }
  std::sort(names.begin(), names.end());
  const auto name = std::adjacent_find(names.begin(), names.end());
  if (name != names.end()) RefuseFormat("two phases are named " + JsonExcerpt(JsonQuoted(*name)));
  std::sort(lines.begin(), lines.end());
  const auto line = std::adjacent_find(lines.begin(), lines.end());
  if (line != lines.end()) Refuse("line " + std::to_string(*line) + " is in two phases");
}

std::string Lower(std::string s) {
  for (char& c : s) c = char(std::tolower(std::uint8_t(c)));
  return s;
}

// The header members: refuses another format; says whether the file was
// made for other data, and how it differs.
std::string StaleReason(const JsonDocument& doc, const Members& top, int lineCount,
                        const std::string& dataSha256) {
  const std::optional<long long> format =
      IntegerOf(doc, top.Get("orniva", JsonType::Number, "a number"));
  if (format != 1)
    Refuse("written in format " + JsonExcerpt(doc.Text(*top.Find("orniva"))) +
           ", which this version does not read");
  top.String("data");
  const std::uint32_t linesValue = top.Get("lines", JsonType::Number, "a number");
  const std::optional<long long> lines = IntegerOf(doc, linesValue);
  if (!lines || *lines < 0) RefuseFormat(top.Name("lines") + " is not a line count");
  const std::string sha = Lower(top.String("sha256"));
  if (sha.size() != 64 || sha.find_first_not_of("0123456789abcdef") != std::string::npos)
    RefuseFormat(top.Name("sha256") + " is not 64 hexadecimal digits");
  if (*lines != lineCount)
    return "made for a file of " + JsonExcerpt(doc.Text(linesValue)) + " lines";
  if (sha != Lower(dataSha256)) return "made for other data (the data file has changed since)";
  return {};
}

CurationRead ReadDocument(const JsonDocument& doc, int lineCount, const std::string& dataSha256) {
  if (doc[0].type != JsonType::Object) RefuseFormat("not a JSON object");
  const Members top(doc, 0, "");
  CurationRead read;
  read.error = StaleReason(doc, top, lineCount, dataSha256);
  read.stale = !read.error.empty();
  const LineRange range{lineCount, read.stale};
  read.curation.off = LinesOf(doc, top, "off", range);
  const std::uint32_t phases = top.Get("phases", JsonType::Array, "a list");
  for (const std::uint32_t phase : doc.ChildrenOf(phases))
    read.curation.phases.push_back(PhaseOf(doc, phase, read.curation.phases.size() + 1, range));
  CheckPhasesApart(read.curation.phases);
  read.curation.attributes = AttributesOf(doc, top, range);
  read.curation.unknown =
      top.Unknown({"orniva", "data", "lines", "sha256", "off", "phases", "attributes"});
  return read;
}

CurationRead Refused(std::string reason) {
  CurationRead read;
  read.error = std::move(reason);
  return read;
}

// ---- Writing ----

std::string LinesText(const std::vector<int>& lines) {
  std::string text = "[";
  for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? ", " : "") + std::to_string(lines[i]);
  return text + "]";
}

// `separator` before each member.
std::string MembersText(const std::vector<std::pair<std::string, std::string>>& members,
                        const char* separator) {
  std::string text;
  for (const auto& [key, value] : members) text += separator + JsonQuoted(key) + ": " + value;
  return text;
}

std::string PhaseText(const Phase& phase) {
  return "{\"name\": " + JsonQuoted(phase.name) + ", \"colour\": " + JsonQuoted(phase.colour) +
         ", \"lines\": " + LinesText(phase.lines) + MembersText(phase.unknown, ", ") + "}";
}

// The shortest decimal that reads back as `value`.
std::string NumberText(double value) {
  char text[64];
  const auto [end, error] = std::to_chars(text, text + sizeof text, value);
  return error == std::errc() ? std::string(text, end) : std::string("0");
}

std::string AttributesText(const LineAttributes& a) {
  std::string text = "{\"line\": " + std::to_string(a.line);
  auto string = [&text](const char* key, const std::string& value) {
    if (!value.empty()) text += std::string(", \"") + key + "\": " + JsonQuoted(value);
  };
  auto number = [&text](const char* key, const std::optional<double>& value) {
    if (value && std::isfinite(*value))
      text += std::string(", \"") + key + "\": " + NumberText(*value);
  };
  string("site", a.site);
  number("longitude", a.longitude);
  number("latitude", a.latitude);
  number("elevation", a.elevation);
  number("accuracy", a.accuracy);
  string("quality", a.quality);
  string("time", a.time);
  string("label", a.label);
  string("notes", a.notes);
  return text + MembersText(a.unknown, ", ") + "}";
}

}  // namespace

bool LineAttributes::empty() const {
  return site.empty() && !longitude && !latitude && !elevation && !accuracy && quality.empty() &&
         time.empty() && label.empty() && notes.empty() && unknown.empty();
}

bool operator==(const LineAttributes& a, const LineAttributes& b) {
  return a.line == b.line && a.site == b.site && a.longitude == b.longitude &&
         a.latitude == b.latitude && a.elevation == b.elevation && a.accuracy == b.accuracy &&
         a.quality == b.quality && a.time == b.time && a.label == b.label && a.notes == b.notes &&
         a.unknown == b.unknown;
}

bool operator==(const Phase& a, const Phase& b) {
  return a.name == b.name && a.colour == b.colour && a.lines == b.lines && a.unknown == b.unknown;
}

bool operator==(const Curation& a, const Curation& b) {
  return a.off == b.off && a.phases == b.phases && a.attributes == b.attributes &&
         a.unknown == b.unknown;
}

std::string CurationPathFor(const std::string& dataPath) { return dataPath + ".orniva.json"; }

CurationRead ParseCuration(std::string_view text, int lineCount, const std::string& dataSha256) {
  try {
    const JsonDocument doc(text);
    if (!doc.ok())
      return Refused(std::string("not a curation file (") +
                     (doc.duplicateKey() ? "" : "not JSON: ") + doc.error() + ")");
    return ReadDocument(doc, lineCount, dataSha256);
  } catch (const Refusal& refusal) {
    return Refused(refusal.reason);
  } catch (const std::bad_alloc&) {
    return Refused("too large to read");
  }
}

CurationRead ReadCurationFile(const std::string& path, int lineCount,
                              const std::string& dataSha256) {
  try {
    const std::optional<std::string> text = ReadRegularFile(path, kMaxCurationBytes + 1);
    if (!text || text->size() > kMaxCurationBytes)
      return Refused("larger than " + std::to_string(kMaxCurationBytes >> 20) + " MB");
    return ParseCuration(*text, lineCount, dataSha256);
  } catch (const FileError& error) {
    std::string reason = error.reason();
    if (!reason.empty()) reason[0] = char(std::tolower(std::uint8_t(reason[0])));
    return Refused(reason);
  } catch (const std::bad_alloc&) {
    return Refused("too large to read");
  }
}

std::string CurationText(const Curation& curation, const std::string& dataName, int lineCount,
                         const std::string& dataSha256) {
  std::string text = "{\"orniva\": 1, \"data\": " + JsonQuoted(dataName) +
                     ", \"lines\": " + std::to_string(lineCount) +
                     ", \"sha256\": " + JsonQuoted(dataSha256) +
                     ",\n \"off\": " + LinesText(curation.off) + ",\n \"phases\": [";
  for (std::size_t i = 0; i < curation.phases.size(); ++i)
    text += (i ? ", " : "") + PhaseText(curation.phases[i]);
  text += "]";
  if (!curation.attributes.empty()) {
    text += ",\n \"attributes\": [";
    for (std::size_t i = 0; i < curation.attributes.size(); ++i)
      text += (i ? ",\n  " : "\n  ") + AttributesText(curation.attributes[i]);
    text += "]";
  }
  return text + MembersText(curation.unknown, ",\n ") + "}\n";
}

}  // namespace orniva
