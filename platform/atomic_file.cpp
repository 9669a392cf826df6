#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_error.h"

namespace orniva {

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  const std::size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  std::string temporary =
      folder + "." + path.substr(slash == std::string::npos ? 0 : slash + 1) + ".XXXXXX";
  errno = 0;
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) throw FileError::FromErrno(FileError::Action::Write, path);
  auto fail = [&](int error, bool open) {
    if (open) ::close(fd);
    ::unlink(temporary.c_str());
    errno = error;
    throw FileError::FromErrno(FileError::Action::Write, path);
  };
  // The permissions a plain create would have given.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  if (::fchmod(fd, 0666 & ~mask) != 0) fail(errno, true);
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) fail(wrote < 0 ? errno : EIO, true);
    done += std::size_t(wrote);
  }
  if (::fsync(fd) != 0) fail(errno, true);
  if (::close(fd) != 0) fail(errno, false);
  if (::rename(temporary.c_str(), path.c_str()) != 0) fail(errno, false);
}

}  // namespace orniva
