// What is at a path, asked without opening it: whether anything is there at
// all (a file, a folder, a special file or a link, also one to nothing),
// and whether two paths name one file. A tool checks its outputs against
// its inputs with the last, so that it never writes over what it reads.
#pragma once

#include <string>

namespace orniva {

// True when nothing at all is at `path` (no link either). Throws FileError
// (a read of `path`) with the operating system's reason when that cannot be
// told (a folder on the way that may not be searched, a loop of links).
bool NothingAt(const std::string& path);

// True when a regular file is at `path` (after links).
bool RegularFileAt(const std::string& path);

// True when `path` is a symbolic link whose target does not exist.
bool DanglingLink(const std::string& path);

// True when `a` and `b` name one file: the same device and inode when both
// exist, else the same text.
bool SameFile(const std::string& a, const std::string& b);

}  // namespace orniva
