#include "data/utf8_text.h"

#include <cstdint>

#include "data/utf8.h"

namespace orniva {

namespace {

// Windows-1252's 0x80-0x9F (the five it leaves undefined kept as C1 codes);
// the other bytes are Latin-1.
char32_t Windows1252(std::uint8_t c) {
  static const char16_t kHigh[32] = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  return c >= 0x80 && c < 0xA0 ? kHigh[c - 0x80] : char32_t(c);
}

// The code point of the well-formed sequence of `length` bytes at `text[at]`.
char32_t CodePoint(std::string_view text, std::size_t at, std::size_t length) {
  static const std::uint8_t kLead[5] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  char32_t c = std::uint8_t(text[at]) & kLead[length];
  for (std::size_t k = 1; k < length; ++k) c = (c << 6) | (std::uint8_t(text[at + k]) & 0x3F);
  return c;
}

bool Unsafe(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c < 0xA0) || (c >= 0x202A && c <= 0x202E) ||
         (c >= 0x2066 && c <= 0x2069);
}

}  // namespace

std::size_t Utf8SequenceLength(std::string_view text, std::size_t at) {
  const std::uint8_t c = std::uint8_t(text[at]);
  const std::size_t length = c < 0x80   ? 1
                             : c < 0xC2 ? 0
                             : c < 0xE0 ? 2
                             : c < 0xF0 ? 3
                             : c < 0xF5 ? 4
                                        : 0;
  if (length == 0 || text.size() - at < length) return 0;
  for (std::size_t k = 1; k < length; ++k)
    if ((std::uint8_t(text[at + k]) & 0xC0) != 0x80) return 0;
  const std::uint8_t next = length > 1 ? std::uint8_t(text[at + 1]) : 0;
  if ((c == 0xE0 && next < 0xA0) || (c == 0xED && next >= 0xA0) || (c == 0xF0 && next < 0x90) ||
      (c == 0xF4 && next >= 0x90))
    return 0;
  return length;
}

std::string Utf8OrWindows1252(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t length = Utf8SequenceLength(bytes, at);
    if (length > 0) {
      text.append(bytes.substr(at, length));
      at += length;
    } else {
      AppendUtf8(text, Windows1252(std::uint8_t(bytes[at++])));
    }
  }
  return text;
}

std::string PrintableText(std::string_view text) {
  std::string safe;
  safe.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = Utf8SequenceLength(text, at);
    if (length > 0 && !Unsafe(CodePoint(text, at, length)))
      safe.append(text.substr(at, length));
    else
      AppendUtf8(safe, 0xFFFD);
    at += length > 0 ? length : 1;
  }
  return safe;
}

}  // namespace orniva
