// The SHA-256 of a data file's bytes, which its curation file records so
// that a curation is never applied to data it was not made for.
#pragma once

#include <string>

namespace orniva {

// The SHA-256 of the file at `path` as 64 lower-case hexadecimal digits.
// Throws FileError when the file cannot be read.
std::string DataFileSha256(const std::string& path);

}  // namespace orniva
