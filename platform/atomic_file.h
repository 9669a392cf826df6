// Writing a whole file so that it is never seen half written: the bytes go
// to a new file in the same folder, are flushed to the disk, and that file
// is renamed over the target. A failure leaves the target as it was and no
// new file behind. A target that is a symbolic link is replaced, never
// followed.
#pragma once

#include <string>
#include <string_view>

namespace orniva {

// Throws FileError (a write of `path`) with the operating system's reason.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace orniva
