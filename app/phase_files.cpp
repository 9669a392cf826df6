#include "app/phase_files.h"

#include <unistd.h>

#include <cstdio>
#include <set>

#include "data/utf8_text.h"

namespace orniva::cli {

namespace {

void AppendEscaped(std::string& out, unsigned char byte) {
  char escaped[4];
  std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
  out += escaped;
}

// Whether the character at `name[at]`, `length` bytes, is written as it is.
bool Kept(const std::string& name, std::size_t at, std::size_t length) {
  const unsigned char c = static_cast<unsigned char>(name[at]);
  if (length == 1) return c >= 0x20 && c < 0x7F && c != '/' && c != '\\' && c != '%';
  const std::string character = name.substr(at, length);
  return PrintableText(character) == character;
}

// The longest file name the folder of `path` takes.
std::size_t LongestName(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const long longest = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  return longest > 0 ? std::size_t(longest) : 255;
}

}  // namespace

std::string PhaseFileName(const std::string& name) {
  std::string written;
  for (std::size_t at = 0; at < name.size();) {
    const std::size_t length = Utf8SequenceLength(name, at);
    if (length > 0 && Kept(name, at, length)) {
      written.append(name, at, length);
      at += length;
      continue;
    }
    for (std::size_t k = 0; k < (length > 0 ? length : 1); ++k)
      AppendEscaped(written, static_cast<unsigned char>(name[at + k]));
    at += length > 0 ? length : 1;
  }
  return written;
}

PhaseFiles PhaseFilesFor(const std::string& outputPath, const std::vector<std::string>& names) {
  PhaseFiles files;
  if (names.size() > kMostPhaseFigures) {
    files.error = std::to_string(names.size()) + " phases would make as many figures; at most " +
                  std::to_string(kMostPhaseFigures) + " are written at once (choose with --subset)";
    return files;
  }
  const std::size_t slash = outputPath.find_last_of('/');
  const std::size_t dot = outputPath.find_last_of('.');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const std::size_t longest = LongestName(outputPath);
  std::set<std::string> taken;
  for (const std::string& name : names) {
    const std::string path =
        outputPath.substr(0, dot) + "-" + PhaseFileName(name) + outputPath.substr(dot);
    if (path.size() - nameStart > longest) {
      files.error = "phase " + PrintableText(name) + ": its figure's file name would be longer " +
                    "than the " + std::to_string(longest) + " bytes its folder takes";
      return files;
    }
    if (!taken.insert(path).second) {
      files.error = "two phases are named " + PrintableText(name) + "; each figure needs its own";
      return files;
    }
    files.paths.push_back(path);
  }
  return files;
}

}  // namespace orniva::cli
