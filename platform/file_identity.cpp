#include "platform/file_identity.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/file_error.h"

namespace orniva {

bool NothingAt(const std::string& path) {
  struct stat info {};
  errno = 0;
  if (::lstat(path.c_str(), &info) == 0) return false;
  if (errno == ENOENT || errno == ENOTDIR) return true;
  throw FileError::FromErrno(FileError::Action::Read, path);
}

bool RegularFileAt(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool DanglingLink(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return false;
  errno = 0;
  return ::stat(path.c_str(), &info) != 0 && errno == ENOENT;
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat first {
  }, second{};
  if (::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0)
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
  return a == b;
}

}  // namespace orniva
