#include "data/json.h"

#include <limits>
#include <unordered_set>

#include "data/utf8.h"

namespace orniva {
namespace {

constexpr const char* kUnexpected = "unexpected character";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The length of the well-formed UTF-8 character that starts with the byte
// s[i] >= 0x80 (no overlong form, surrogate or code point past U+10FFFF),
// or 0.
std::size_t Utf8Length(std::string_view s, std::size_t i) {
  const auto c = std::uint8_t(s[i]);
  const std::size_t length = c < 0xC2 ? 0 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : c < 0xF5 ? 4 : 0;
  if (length == 0 || s.size() - i < length) return 0;
  for (std::size_t k = 1; k < length; ++k)
    if ((std::uint8_t(s[i + k]) & 0xC0) != 0x80) return 0;
  const auto next = std::uint8_t(s[i + 1]);
  if ((c == 0xE0 && next < 0xA0) || (c == 0xED && next >= 0xA0) || (c == 0xF0 && next < 0x90) ||
      (c == 0xF4 && next >= 0x90))
    return 0;
  return length;
}

// The code unit of the "\uXXXX" at s[i], or -1.
long EscapedUnit(std::string_view s, std::size_t i) {
  if (i + 6 > s.size() || s[i] != '\\' || s[i + 1] != 'u') return -1;
  long unit = 0;
  for (std::size_t k = 2; k < 6; ++k) {
    const int digit = HexValue(s[i + k]);
    if (digit < 0) return -1;
    unit = unit * 16 + digit;
  }
  return unit;
}

// Reads the escape at s[pos] (the backslash), appending what it stands for
// to `out` when given, and moves `pos` past it; or names its fault, `pos`
// left at the backslash.
const char* ScanEscape(std::string_view s, std::size_t& pos, std::string* out) {
  static constexpr std::string_view kNamed = "\"\\/bfnrt", kMeaning = "\"\\/\b\f\n\r\t";
  if (pos + 1 >= s.size()) {
    pos = s.size();  // the text ends within the escape
    return kUnexpected;
  }
  const std::size_t named = kNamed.find(s[pos + 1]);
  if (named != std::string_view::npos) {
    if (out) *out += kMeaning[named];
    pos += 2;
    return nullptr;
  }
  const long unit = EscapedUnit(s, pos);
  if (unit < 0) return "invalid escape";
  char32_t c = char32_t(unit);
  if (unit >= 0xD800 && unit < 0xE000) {  // a surrogate: a high one, then a low one
    const long low = EscapedUnit(s, pos + 6);
    if (unit >= 0xDC00 || low < 0xDC00 || low >= 0xE000) return "unpaired surrogate";
    c = char32_t(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
    pos += 6;
  }
  pos += 6;
  if (out) AppendUtf8(*out, c);
  return nullptr;
}

// Reads the string whose opening quote is at s[pos], appending its value to
// `out` when given, and moves `pos` past the closing quote; or names its
// fault, `pos` left where it lies.
const char* ScanString(std::string_view s, std::size_t& pos, std::string* out) {
  for (++pos; pos < s.size();) {
    const auto c = std::uint8_t(s[pos]);
    if (c == '"') {
      ++pos;
      return nullptr;
    }
    if (c < 0x20) return "control character in a string";
    if (c == '\\') {
      if (const char* fault = ScanEscape(s, pos, out)) return fault;
      continue;
    }
    const std::size_t length = c < 0x80 ? 1 : Utf8Length(s, pos);
    if (length == 0) return "invalid UTF-8";
    if (out) out->append(s.substr(pos, length));
    pos += length;
  }
  return kUnexpected;
}

// Moves `pos` past the digits there; false when there are none.
bool ScanDigits(std::string_view s, std::size_t& pos) {
  const std::size_t start = pos;
  while (pos < s.size() && IsDigit(s[pos])) ++pos;
  return pos > start;
}

// Reads the number at s[pos] (-, 0 or a digit there): -?(0|[1-9][0-9]*)
// (.[0-9]+)?([eE][+-]?[0-9]+)?, `pos` left past it or at its fault.
bool ScanNumber(std::string_view s, std::size_t& pos) {
  if (s[pos] == '-') ++pos;
  if (pos < s.size() && s[pos] == '0') {
    ++pos;
  } else if (!ScanDigits(s, pos)) {
    return false;
  }
  if (pos < s.size() && s[pos] == '.' && !ScanDigits(s, ++pos)) return false;
  if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E')) {
    ++pos;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) ++pos;
    if (!ScanDigits(s, pos)) return false;
  }
  return true;
}

}  // namespace

// Reads a document value by value, keeping the open arrays and objects on a
// stack of its own rather than the call stack.
class JsonParser {
 public:
  explicit JsonParser(JsonDocument& document) : doc_(document), s_(document.text_) {}
  void Run();

 private:
  struct Open {
    std::uint32_t index;
    bool object;
    std::uint32_t last = 0;  // its last child so far; 0 for none (the root is no child)
  };

  bool Fail(const std::string& reason);
  bool At(char c) const { return pos_ < s_.size() && s_[pos_] == c; }
  void SkipSpace();
  std::uint32_t Add(JsonType type);
  bool Value();
  bool Member();
  bool Scalar(std::uint32_t index);
  bool Close();
  bool KeysDiffer(std::uint32_t object);

  JsonDocument& doc_;
  std::string_view s_;
  std::size_t pos_ = 0;
  std::vector<Open> open_;
};

bool JsonParser::Fail(const std::string& reason) {
  doc_.error_ = pos_ >= s_.size() ? "unexpected end of the text"
                                  : reason + " at byte " + std::to_string(pos_ + 1);
  return false;
}

void JsonParser::SkipSpace() {
  while (At(' ') || At('\t') || At('\n') || At('\r')) ++pos_;
}

// A new value starting at pos_, the next child of the innermost open one.
std::uint32_t JsonParser::Add(JsonType type) {
  const auto index = std::uint32_t(doc_.values_.size());
  doc_.values_.push_back({type, std::uint32_t(pos_), 0, 0, 0});
  if (!open_.empty()) {
    Open& parent = open_.back();
    if (parent.last) doc_.values_[parent.last].next = index;
    parent.last = index;
    ++doc_.values_[parent.index].children;
  }
  return index;
}

void JsonParser::Run() {
  if (s_.size() >= std::numeric_limits<std::uint32_t>::max()) {
    doc_.error_ = "text too long";
    return;
  }
  if (s_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
  SkipSpace();
  if (!Value()) return;
  while (!open_.empty()) {
    SkipSpace();
    const bool object = open_.back().object;
    const bool first = doc_.values_[open_.back().index].children == 0;
    if (At(object ? '}' : ']')) {
      if (!Close()) return;
      continue;
    }
    if (!first) {
      if (!At(',')) {
        Fail(kUnexpected);
        return;
      }
      ++pos_;
    }
    SkipSpace();
    if ((object && !Member()) || !Value()) return;
  }
  SkipSpace();
  if (pos_ < s_.size()) Fail(kUnexpected);
}

// The key and colon of the innermost open object's next member.
bool JsonParser::Member() {
  if (!At('"')) return Fail(kUnexpected);
  if (!Scalar(Add(JsonType::String))) return false;
  SkipSpace();
  if (!At(':')) return Fail(kUnexpected);
  ++pos_;
  SkipSpace();
  return true;
}

// The value at pos_: a scalar read whole, or an array or object opened.
bool JsonParser::Value() {
  if (pos_ >= s_.size()) return Fail(kUnexpected);
  const char c = s_[pos_];
  if (c == '[' || c == '{') {
    if (open_.size() >= std::size_t(kMaxJsonDepth))
      return Fail("nested deeper than " + std::to_string(kMaxJsonDepth));
    open_.push_back({Add(c == '{' ? JsonType::Object : JsonType::Array), c == '{'});
    ++pos_;
    return true;
  }
  const JsonType type = c == '"'                 ? JsonType::String
                        : c == '-' || IsDigit(c) ? JsonType::Number
                        : c == 't'               ? JsonType::True
                        : c == 'f'               ? JsonType::False
                                                 : JsonType::Null;
  return Scalar(Add(type));
}

bool JsonParser::Scalar(std::uint32_t index) {
  JsonValue& value = doc_.values_[index];
  if (value.type == JsonType::String) {
    if (const char* fault = ScanString(s_, pos_, nullptr)) return Fail(fault);
  } else if (value.type == JsonType::Number) {
    if (!ScanNumber(s_, pos_)) return Fail(kUnexpected);
  } else {
    const std::string_view word = value.type == JsonType::True    ? "true"
                                  : value.type == JsonType::False ? "false"
                                                                  : "null";
    for (const char letter : word) {
      if (!At(letter)) return Fail(kUnexpected);
      ++pos_;
    }
  }
  doc_.values_[index].end = std::uint32_t(pos_);
  return true;
}

bool JsonParser::Close() {
  const Open top = open_.back();
  open_.pop_back();
  doc_.values_[top.index].end = std::uint32_t(++pos_);
  return !top.object || KeysDiffer(top.index);
}

bool JsonParser::KeysDiffer(std::uint32_t object) {
  std::unordered_set<std::string> keys;
  std::uint32_t key = object + 1;
  for (std::uint32_t i = 0; i < doc_.values_[object].children; i += 2) {
    if (!keys.insert(doc_.StringOf(key)).second) {
      pos_ = doc_.values_[key].begin;
      doc_.duplicateKey_ = true;
      return Fail("key " + JsonExcerpt(doc_.Text(key)) + " given twice");
    }
    key = doc_.values_[doc_.values_[key].next].next;
  }
  return true;
}

JsonDocument::JsonDocument(std::string_view text) : text_(text) { JsonParser(*this).Run(); }

std::string_view JsonDocument::Text(std::uint32_t index) const {
  return text_.substr(values_[index].begin, values_[index].end - values_[index].begin);
}

std::string JsonDocument::StringOf(std::uint32_t index) const {
  std::string value;
  std::size_t pos = values_[index].begin;
  ScanString(text_, pos, &value);
  return value;
}

std::vector<std::uint32_t> JsonDocument::ChildrenOf(std::uint32_t index) const {
  std::vector<std::uint32_t> children;
  children.reserve(values_[index].children);
  for (std::uint32_t i = 0, child = index + 1; i < values_[index].children; ++i) {
    children.push_back(child);
    child = values_[child].next;
  }
  return children;
}

std::string JsonExcerpt(std::string_view text) {
  constexpr std::size_t kLongest = 32;
  if (text.size() <= kLongest) return std::string(text);
  std::size_t cut = kLongest;
  while (cut > 0 && (std::uint8_t(text[cut]) & 0xC0) == 0x80) --cut;
  return std::string(text.substr(0, cut)) + "...";
}

std::string JsonQuoted(std::string_view s) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out = "\"";
  for (const char c : s) {
    if (c == '"' || c == '\\') {
      out += {'\\', c};
    } else if (std::uint8_t(c) < 0x20) {
      out += {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 15]};
    } else {
      out += c;
    }
  }
  return out + '"';
}

}  // namespace orniva
