#include "platform/file_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <memory>

#include "platform/file_error.h"

namespace orniva {
namespace {

// Opens `path` for reading only if it is a regular file (after links),
// without waiting on a pipe or a device: a FIFO's open would block until a
// writer comes.
std::FILE* OpenRegularFile(const std::string& path) {
  errno = 0;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) throw FileError::FromErrno(FileError::Action::Read, path);
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    const bool directory = S_ISDIR(info.st_mode);
    ::close(fd);
    if (directory) {
      errno = EISDIR;
      throw FileError::FromErrno(FileError::Action::Read, path);
    }
    throw FileError(FileError::Action::Read, path, "not a regular file");
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  std::FILE* file = ::fdopen(fd, "rb");
  if (!file) {
    const int saved = errno;
    ::close(fd);
    errno = saved;
    throw FileError::FromErrno(FileError::Action::Read, path);
  }
  return file;
}

}  // namespace

void ReadFileInChunks(const std::string& path,
                      const std::function<bool(std::string_view)>& consume) {
  using Closer = int (*)(std::FILE*);
  std::unique_ptr<std::FILE, Closer> file(OpenRegularFile(path), &std::fclose);
  char buffer[kFileChunkBytes];
  std::size_t got;
  errno = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
    if (!consume(std::string_view(buffer, got))) break;
  if (std::ferror(file.get())) throw FileError::FromErrno(FileError::Action::Read, path);
}

std::optional<std::string> ReadRegularFile(const std::string& path, std::size_t limit) {
  using Action = FileError::Action;
  errno = 0;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);  // a FIFO: no waiting
  if (fd < 0) throw FileError::FromErrno(Action::Read, path);
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  struct stat info {};
  if (::fstat(fd, &info) != 0) throw FileError::FromErrno(Action::Read, path);
  if (!S_ISREG(info.st_mode)) throw FileError(Action::Read, path, "not a regular file");
  if (std::uintmax_t(info.st_size) > limit) return std::nullopt;
  std::string bytes;
  char buffer[kFileChunkBytes];
  for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) != 0;) {
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw FileError::FromErrno(Action::Read, path);
    bytes.append(buffer, std::size_t(got));
    if (bytes.size() > limit) return std::nullopt;  // grown since
  }
  return bytes;
}

}  // namespace orniva
