// Whether two paths name one file: the same device and inode, whatever
// links, folders or spellings lead to it. A tool checks its outputs
// against its inputs with it, so that it never writes over what it reads.
#pragma once

#include <string>

namespace orniva {

// True when both paths exist and lead (symbolic links followed) to the
// same file.
bool SameFile(const std::string& a, const std::string& b);

}  // namespace orniva
