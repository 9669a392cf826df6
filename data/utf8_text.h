// Text of unknown or mixed origin made into the program's UTF-8, and text
// made safe to show: in a message, a CSV field or a file's name.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orniva {

// The length of the well-formed UTF-8 sequence at `text[at]` (1 to 4: no
// overlong form, surrogate or code point past U+10FFFF); 0 when none
// starts there.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at);

// Bytes that are mostly UTF-8 with some Windows-1252 among them (a table
// edited in two programs): decided sequence by sequence, each well-formed
// UTF-8 sequence kept and every other byte read as Windows-1252. So "120°"
// written in UTF-8 stays "120°" beside a Windows-1252 "é" on the same
// line. Windows-1252 text whose two bytes happen to form a UTF-8 sequence
// (such as "Ã©") is read as that sequence: a pair rare in real tables.
std::string Utf8OrWindows1252(std::string_view bytes);

// `text` with each control character (U+0000-U+001F, U+007F-U+009F), each
// direction override or isolate (U+202A-U+202E, U+2066-U+2069) and each
// byte that is not well-formed UTF-8 replaced by U+FFFD.
std::string PrintableText(std::string_view text);

}  // namespace orniva
