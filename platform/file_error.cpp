#include "platform/file_error.h"

#include <cerrno>
#include <cstring>

namespace orniva {
namespace {
std::string Describe(FileError::Action action, const std::string& path, const std::string& reason) {
  const char* verb = action == FileError::Action::Read ? "Cannot read file " : "Cannot write file ";
  return verb + path + ":\r\n" + reason + ".";
}
}  // namespace

FileError::FileError(Action action, std::string path, std::string reason)
    : std::runtime_error(Describe(action, path, reason)),
      action_(action),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

FileError FileError::FromErrno(Action action, const std::string& path) {
  const int code = errno;
  return FileError(action, path, code ? std::strerror(code) : "Unknown error");
}

}  // namespace orniva
