// Reading a file as it comes, chunk by chunk, for readers that stop as soon
// as they have seen enough. Only a regular file is read: a pipe or a device
// could keep the reader waiting for ever.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace orniva {

// The most bytes one chunk holds.
constexpr std::size_t kFileChunkBytes = 65536;

// Hands the bytes of the file at `path` to `consume` in order, in chunks of
// at most kFileChunkBytes, until the file ends or `consume` returns false.
// Throws FileError (a read of `path`) with the operating system's reason
// when the file cannot be opened or read; a folder gives the system's
// reason for a folder, anything else that is not a regular file "not a
// regular file".
void ReadFileInChunks(const std::string& path,
                      const std::function<bool(std::string_view)>& consume);

// The whole file at `path`, or nothing when it holds more than `limit`
// bytes (before or while it is read). Throws FileError (a read of `path`)
// with the operating system's reason when it cannot be opened or read, and
// "not a regular file" for anything else, a folder included.
std::optional<std::string> ReadRegularFile(const std::string& path, std::size_t limit);

}  // namespace orniva
