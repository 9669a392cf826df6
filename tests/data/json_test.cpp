// The program's JSON reader against the JSON library (nlohmann-json3-dev):
// the same texts accepted and refused and, of those accepted, the same
// values in the same order, over a table of edge cases and the curation
// fuzz corpus. The reader is stricter by design in three ways, marked in
// the table: a key given twice, nesting deeper than kMaxJsonDepth, and a
// number beyond the range of a double, which the library refuses instead.
#include "data/json.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "tests/support/test_support.h"

namespace orniva {
namespace {

using Library = nlohmann::ordered_json;  // keys in the order written

// Whether the reader's value `index` is the library's `value`.
bool Same(const JsonDocument& doc, std::uint32_t index, const Library& value) {
  const std::vector<std::uint32_t> children =
      doc[index].type >= JsonType::Array ? doc.ChildrenOf(index) : std::vector<std::uint32_t>{};
  switch (doc[index].type) {
    case JsonType::Null:
      return value.is_null();
    case JsonType::False:
    case JsonType::True:
      return value.is_boolean() && value.get<bool>() == (doc[index].type == JsonType::True);
    case JsonType::Number:
      return value.is_number() &&
             std::strtod(std::string(doc.Text(index)).c_str(), nullptr) == value.get<double>();
    case JsonType::String:
      return value.is_string() && doc.StringOf(index) == value.get<std::string>();
    case JsonType::Array:
      if (!value.is_array() || value.size() != children.size()) return false;
      for (std::size_t i = 0; i < children.size(); ++i)
        if (!Same(doc, children[i], value[i])) return false;
      return true;
    case JsonType::Object:
      if (!value.is_object() || 2 * value.size() != children.size()) return false;
      for (std::size_t i = 0; i < children.size(); i += 2) {
        const auto member = std::next(value.items().begin(), std::ptrdiff_t(i / 2));
        if (doc.StringOf(children[i]) != member.key() ||
            !Same(doc, children[i + 1], member.value()))
          return false;
      }
      return true;
  }
  return false;
}

// "" when the reader and the library agree on `text` as `readerAccepts`
// and `libraryAccepts` say.
std::string Disagreement(const std::string& text, bool readerAccepts, bool libraryAccepts) {
  const JsonDocument doc(text);
  const Library value = Library::parse(text, nullptr, false);
  if (doc.ok() != readerAccepts) return "reader: " + (doc.ok() ? "accepted" : doc.error());
  if (value.is_discarded() == libraryAccepts) return "the library differs";
  if (doc.ok() && libraryAccepts && !Same(doc, 0, value)) return "other values";
  return "";
}

TEST(JsonTest, ReadsAsTheJsonLibraryDoes) {
  const std::string deepest = std::string(kMaxJsonDepth, '[') + std::string(kMaxJsonDepth, ']');
  // clang-format off
  const struct { std::string text; bool reader, library; } cases[] = {
      {R"({"a": [1, -0, 2.5e-3, 1E+2, 0.0, 18446744073709551616, -1e-400], "b": {}})", true, true},
      {R"(["\u00e9\ud83d\ude00\n\t\/\"\\", "\u0000", "é", true, false, null])", true, true},
      {"\xEF\xBB\xBF \t\r\n[ ]\n", true, true},
      {"\"\xF4\x8F\xBF\xBF\"", true, true},  // U+10FFFF
      {deepest, true, true},
      {"", false, false}, {"[1,]", false, false}, {"01", false, false}, {"[.5]", false, false},
      {"1.", false, false}, {"-", false, false}, {"tru", false, false}, {"[1] [2]", false, false},
      {"\f[]", false, false}, {"{\"a\" 1}", false, false}, {"{1: 2}", false, false},
      {"\"\x01\"", false, false}, {"\"\xFF\"", false, false}, {"\"\xC0\xAF\"", false, false},
      {"\"\xED\xA0\x80\"", false, false}, {"\"\xF4\x90\x80\x80\"", false, false},
      {R"("\ud800")", false, false}, {R"("\udc00x")", false, false}, {R"("\x")", false, false},
      {"'a'", false, false}, {"[1 2]", false, false}, {"\"a", false, false},
      {R"({"a": 1, "a": 2})", false, true},  // a key twice
      {"[" + deepest + "]", false, true},     // too deep
      {"[1e400]", true, false},               // beyond a double
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(Disagreement(c.text, c.reader, c.library), "") << c.text;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(ORNIVA_SOURCE_DIR) +
                                                               "/fuzz/corpus/curation")) {
    const std::string text = test::ReadFile(entry.path().string());
    EXPECT_EQ(Disagreement(text, Library::accept(text), Library::accept(text)), "") << text;
  }
}

}  // namespace
}  // namespace orniva
