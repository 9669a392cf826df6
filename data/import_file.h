// Reading a file to import as a table of text: a regular file of at most
// 64 MB, refused with advice when it is a spreadsheet workbook or other
// binary data, its text decoded to UTF-8 from UTF-8 (with or without a
// byte-order mark), UTF-16 with a byte-order mark (a spreadsheet's
// "Unicode text"), or else UTF-8 with Windows-1252 among it, each byte
// that is no UTF-8 read as Windows-1252 (Utf8OrWindows1252).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_error.h"

namespace orniva {

constexpr std::size_t kLargestImportFile = std::size_t(64) << 20;

struct ImportFileText {
  std::string text;                // UTF-8, for ReadTable
  std::optional<FileError> error;  // when set, why the file gives no text
};

// The text of the file at `path`. The error (a read of `path`) holds the
// system's reason, "not a regular file", "larger than 64 MB, too large to
// import", or, for a workbook or binary data, what to save it as instead.
ImportFileText ReadImportFile(const std::string& path);

// Bytes as UTF-8 text, or the reason they are no text (the text is then empty).
struct DecodedText {
  std::string text;
  std::string refusal;
};
DecodedText DecodeImportBytes(std::string_view bytes);
// The same, reusing the bytes' memory for UTF-8 (a large file is not copied).
DecodedText DecodeImportBytes(std::string&& bytes);

}  // namespace orniva
