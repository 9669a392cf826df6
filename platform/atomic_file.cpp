#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/file_error.h"

namespace orniva {

namespace {

// ".NAME.XXXXXX" in `folder`, NAME shortened (at a UTF-8 character's start)
// so that the whole fits the folder's longest name.
std::string TemporaryPath(const std::string& folder, const std::string& name) {
  constexpr std::size_t kAdded = 8;  // "." and ".XXXXXX"
  long longest = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
  if (longest < long(kAdded) + 1) longest = 255;
  std::size_t keep = std::min(name.size(), std::size_t(longest) - kAdded);
  while (keep > 0 && keep < name.size() && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
    --keep;
  return folder + "." + name.substr(0, keep) + ".XXXXXX";
}

// Writes `bytes` at the start of `fd`; 0, or the system's error.
int WriteFrom(int fd, std::string_view bytes) {
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t wrote = ::pwrite(fd, bytes.data() + done, bytes.size() - done, off_t(done));
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return wrote < 0 ? errno : EIO;
    done += std::size_t(wrote);
  }
  return 0;
}

// The whole of `fd` from its start, or the system's error in `error`.
std::string ReadAll(int fd, int& error) {
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::pread(fd, buffer, sizeof buffer, off_t(bytes.size()));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) error = errno;
    if (got <= 0) return bytes;
    bytes.append(buffer, std::size_t(got));
  }
}

// The file of several names rewritten in place; its old bytes written back
// when the new ones cannot be.
void RewriteInPlace(const std::string& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) throw FileError::FromErrno(FileError::Action::Write, path);
  int error = 0;
  const std::string old = ReadAll(fd, error);
  if (error == 0) error = WriteFrom(fd, bytes);
  if (error == 0 && ::ftruncate(fd, off_t(bytes.size())) != 0) error = errno;
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (error != 0 && WriteFrom(fd, old) == 0 && ::ftruncate(fd, off_t(old.size())) == 0) ::fsync(fd);
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0) return;
  errno = error;
  throw FileError::FromErrno(FileError::Action::Write, path);
}

// The permissions (and owner, where allowed) of the file it replaces, or
// those a plain create would have given.
int TakeOver(int fd, const struct stat* old) {
  if (old) {
    if (::fchown(fd, old->st_uid, old->st_gid) != 0) {
      // Only a privileged user may give a file to another: the file is the
      // writer's then, as a new one would be.
    }
    return ::fchmod(fd, old->st_mode & 07777) == 0 ? 0 : errno;
  }
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return ::fchmod(fd, 0666 & ~mask) == 0 ? 0 : errno;
}

}  // namespace

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  struct stat old {};
  const bool replaces = ::lstat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  if (replaces && old.st_nlink > 1) return RewriteInPlace(path, bytes);
  const std::size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  std::string temporary =
      TemporaryPath(folder, path.substr(slash == std::string::npos ? 0 : slash + 1));
  errno = 0;
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) throw FileError::FromErrno(FileError::Action::Write, path);
  auto fail = [&](int error, bool open) {
    if (open) ::close(fd);
    ::unlink(temporary.c_str());
    errno = error;
    throw FileError::FromErrno(FileError::Action::Write, path);
  };
  if (const int error = TakeOver(fd, replaces ? &old : nullptr)) fail(error, true);
  if (const int error = WriteFrom(fd, bytes)) fail(error, true);
  if (::fsync(fd) != 0) fail(errno, true);
  if (::close(fd) != 0) fail(errno, false);
  if (::rename(temporary.c_str(), path.c_str()) != 0) fail(errno, false);
}

}  // namespace orniva
