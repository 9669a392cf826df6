// Whether two paths name one file, so that a tool never writes its output
// over one of its inputs.
#pragma once

#include <string>

namespace orniva {

// True when both paths exist and name the same file (the same device and
// inode: hard links and symbolic links to one file count as the same).
// False when either does not exist or cannot be looked at.
bool SameFile(const std::string& a, const std::string& b);

}  // namespace orniva
