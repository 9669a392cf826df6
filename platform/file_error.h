// A file that could not be opened, read or written, with the operating
// system's reason. Raised by the data and picture layers; the window catches
// it at the handler and shows it.
#pragma once

#include <stdexcept>
#include <string>

namespace orniva {

class FileError : public std::runtime_error {
 public:
  enum class Action { Read, Write };

  FileError(Action action, std::string path, std::string reason);

  // Builds the error from errno as the failing call left it.
  static FileError FromErrno(Action action, const std::string& path);

  Action action() const { return action_; }
  const std::string& path() const { return path_; }
  const std::string& reason() const { return reason_; }

 private:
  Action action_;
  std::string path_;
  std::string reason_;
};

}  // namespace orniva
