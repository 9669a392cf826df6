// Writing a Unicode code point as UTF-8, for the readers that turn text in
// other encodings or escapes into the program's UTF-8, and checking that
// text is UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orniva {

// Appends the UTF-8 bytes of code point `c` (at most 0x10FFFF) to `out`.
inline void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += {char(0xC0 | (c >> 6)), char(0x80 | (c & 0x3F))};
  } else if (c < 0x10000) {
    out += {char(0xE0 | (c >> 12)), char(0x80 | ((c >> 6) & 0x3F)), char(0x80 | (c & 0x3F))};
  } else {
    out += {char(0xF0 | (c >> 18)), char(0x80 | ((c >> 12) & 0x3F)), char(0x80 | ((c >> 6) & 0x3F)),
            char(0x80 | (c & 0x3F))};
  }
}

// Whether `s` is well-formed UTF-8: no overlong forms, surrogates or code
// points past U+10FFFF.
inline bool IsWellFormedUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const std::uint8_t c = std::uint8_t(s[i]);
    const int extra = c < 0x80   ? 0
                      : c < 0xC2 ? -1
                      : c < 0xE0 ? 1
                      : c < 0xF0 ? 2
                      : c < 0xF5 ? 3
                                 : -1;
    if (extra < 0 || s.size() - i <= std::size_t(extra)) return false;
    for (int k = 1; k <= extra; ++k)
      if ((std::uint8_t(s[i + std::size_t(k)]) & 0xC0) != 0x80) return false;
    const std::uint8_t next = extra > 0 ? std::uint8_t(s[i + 1]) : 0;
    if ((c == 0xE0 && next < 0xA0) || (c == 0xED && next >= 0xA0) || (c == 0xF0 && next < 0x90) ||
        (c == 0xF4 && next >= 0x90))
      return false;
    i += std::size_t(extra) + 1;
  }
  return true;
}

}  // namespace orniva
