// The SHA-256 of a data file's bytes, which its curation file records so
// that a curation is never applied to data it was not made for. Computed by
// OpenSSL's libcrypto; a file is hashed as it is read, a chunk at a time,
// so that its size does not matter to the memory it takes.
#pragma once

#include <string>
#include <string_view>

namespace orniva {

// The SHA-256 of `bytes` as 64 lower-case hexadecimal digits.
std::string Sha256Hex(std::string_view bytes);

// The SHA-256 of the file at `path` as 64 lower-case hexadecimal digits.
// Throws FileError when the file cannot be read.
std::string DataFileSha256(const std::string& path);

}  // namespace orniva
