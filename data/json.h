// A small strict JSON reader (RFC 8259) for the program's own files: the
// whole text is checked (UTF-8, escapes, numbers, literals, nesting at most
// kMaxJsonDepth deep, no key twice in one object) in one pass without
// recursion, and kept as a flat tree of values that point into the text.
// Strings are decoded on request; numbers are kept as their text. A UTF-8
// byte-order mark before the text is passed over.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orniva {

constexpr int kMaxJsonDepth = 64;

enum class JsonType : std::uint8_t { Null, False, True, Number, String, Array, Object };

// One value, its children following it in the tree's order (the first child
// of value i, if any, is value i + 1). An object's children alternate: the
// key (a String), then its value.
struct JsonValue {
  JsonType type = JsonType::Null;
  std::uint32_t begin = 0;  // the value's text: bytes [begin, end) of the document
  std::uint32_t end = 0;
  std::uint32_t next = 0;      // the next child of the same parent; 0 for the last one
  std::uint32_t children = 0;  // arrays: elements; objects: keys and values
};

class JsonDocument {
 public:
  // Reads `text`, which must outlive the document. On failure ok() is false
  // and error() says why and where ("unexpected character at byte 17",
  // bytes counted from 1).
  explicit JsonDocument(std::string_view text);

  bool ok() const { return error_.empty(); }
  const std::string& error() const { return error_; }
  // The failure is a key given twice in one object (a well-formed text
  // that the reader refuses all the same).
  bool duplicateKey() const { return duplicateKey_; }

  // The values; the whole text's value is index 0.
  const JsonValue& operator[](std::uint32_t index) const { return values_[index]; }
  // The value's text as written.
  std::string_view Text(std::uint32_t index) const;
  // A String's value, decoded to UTF-8.
  std::string StringOf(std::uint32_t index) const;
  // The children of an Array or Object, in order.
  std::vector<std::uint32_t> ChildrenOf(std::uint32_t index) const;

 private:
  std::string_view text_;
  std::vector<JsonValue> values_;
  std::string error_;
  bool duplicateKey_ = false;
  friend class JsonParser;
};

// At most the first 32 bytes of `text` (whole UTF-8 characters), with "..."
// when it is longer: a piece of a document quoted in a message.
std::string JsonExcerpt(std::string_view text);

// `s` as a JSON string, quotes included: the quote, the backslash and the
// control characters escaped (\u00XX), everything else as it is.
std::string JsonQuoted(std::string_view s);

}  // namespace orniva
