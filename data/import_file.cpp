#include "data/import_file.h"

#include <cstdint>
#include <utility>

#include "platform/file_read.h"
#include "data/utf8.h"
#include "data/utf8_text.h"

namespace orniva {

namespace {

constexpr const char* kWorkbook =
    "it is a spreadsheet workbook, not a table of text; save the sheet as CSV and import that";
constexpr const char* kBinary =
    "it holds binary data, not a table of text; save the table as CSV and import that";

bool StartsWith(std::string_view bytes, std::string_view start) {
  return bytes.substr(0, start.size()) == start;
}

// UTF-16 code units, surrogate pairs joined; a lone surrogate becomes U+FFFD.
std::string FromUtf16(std::string_view bytes, bool littleEndian) {
  auto unit = [&](std::size_t i) {
    const char32_t first = std::uint8_t(bytes[i]), second = std::uint8_t(bytes[i + 1]);
    return littleEndian ? first | second << 8 : first << 8 | second;
  };
  std::string out;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    char32_t c = unit(i);
    if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size()) {
      const char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low < 0xE000) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    AppendUtf8(out, c >= 0xD800 && c < 0xE000 ? 0xFFFD : c);
  }
  return out;
}

// The whole file, refused past kLargestImportFile bytes.
std::string ReadBounded(const std::string& path) {
  std::optional<std::string> bytes = ReadRegularFile(path, kLargestImportFile);
  if (!bytes)
    throw FileError(FileError::Action::Read, path, "larger than 64 MB, too large to import");
  return std::move(*bytes);
}

}  // namespace

DecodedText DecodeImportBytes(std::string_view bytes) {
  if (StartsWith(bytes, "PK\x03\x04") || StartsWith(bytes, "\xD0\xCF\x11\xE0"))
    return {{}, kWorkbook};
  std::string text;
  if (StartsWith(bytes, "\xFF\xFE") || StartsWith(bytes, "\xFE\xFF")) {
    text = FromUtf16(bytes.substr(2), bytes[0] == '\xFF');
  } else {
    if (StartsWith(bytes, "\xEF\xBB\xBF")) bytes.remove_prefix(3);
    text = Utf8OrWindows1252(bytes);
  }
  if (text.find('\0') != std::string::npos) return {{}, kBinary};
  return {std::move(text), {}};
}

DecodedText DecodeImportBytes(std::string&& bytes) {
  std::string_view view(bytes);
  if (StartsWith(view, "\xEF\xBB\xBF")) view.remove_prefix(3);
  if (StartsWith(view, "\xFF\xFE") || StartsWith(view, "\xFE\xFF") || !IsWellFormedUtf8(view) ||
      view.find('\0') != std::string_view::npos || StartsWith(view, "PK\x03\x04") ||
      StartsWith(view, "\xD0\xCF\x11\xE0"))
    return DecodeImportBytes(std::string_view(bytes));
  bytes.erase(0, bytes.size() - view.size());  // the byte-order mark
  return {std::move(bytes), {}};
}

ImportFileText ReadImportFile(const std::string& path) {
  ImportFileText result;
  try {
    DecodedText decoded = DecodeImportBytes(ReadBounded(path));
    if (!decoded.refusal.empty()) throw FileError(FileError::Action::Read, path, decoded.refusal);
    result.text = std::move(decoded.text);
  } catch (const FileError& error) {
    result.error = error;
  }
  return result;
}

}  // namespace orniva
