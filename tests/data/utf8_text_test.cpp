// Text of mixed encodings decided sequence by sequence, and text made safe
// to show.
#include "data/utf8_text.h"

#include <gtest/gtest.h>

#include <string>

namespace orniva {
namespace {

TEST(Utf8OrWindows1252, EachSequenceDecidedByItself) {
  const struct {
    std::string bytes, text;
  } rows[] = {
      {"120\xC2\xB0", "120\xC2\xB0"},                      // UTF-8 degree sign kept
      {"120\xB0", "120\xC2\xB0"},                          // Windows-1252 degree sign
      {"120\xC2\xB0 caf\xE9", "120\xC2\xB0 caf\xC3\xA9"},  // both on one line
      {"\x80 \x9F", "\xE2\x82\xAC \xC5\xB8"},              // the euro sign, Y diaeresis
      {"\xE2\x82", "\xC3\xA2\xE2\x80\x9A"},                // a cut sequence: two bytes
      {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},    // a surrogate is no UTF-8
      {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},            // four bytes kept
  };
  for (const auto& row : rows) EXPECT_EQ(Utf8OrWindows1252(row.bytes), row.text) << row.bytes;
}

TEST(PrintableText, ControlsOverridesAndBadBytesReplaced) {
  const std::string replacement = "\xEF\xBF\xBD";
  const struct {
    std::string text, printable;
  } rows[] = {
      {"Phase 1 \xC3\xA9t\xC3\xA9", "Phase 1 \xC3\xA9t\xC3\xA9"},
      {std::string("a\0b", 3), "a" + replacement + "b"},
      {"a\tb\r\n", "a" + replacement + "b" + replacement + replacement},
      {"\xE2\x80\xAE"
       "abc\xE2\x81\xA6",
       replacement + "abc" + replacement},
      {"\xC2\x85", replacement},  // a C1 control
      {"\xFF", replacement},
  };
  for (const auto& row : rows) EXPECT_EQ(PrintableText(row.text), row.printable);
}

}  // namespace
}  // namespace orniva
