// Writing a Unicode code point as UTF-8, for the readers that turn text in
// other encodings or escapes into the program's UTF-8.
#pragma once

#include <string>

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

}  // namespace orniva
