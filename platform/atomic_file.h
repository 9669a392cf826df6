// Writing a whole file so that it is never seen half written: the bytes go
// to a new file in the same folder, are flushed to the disk, and that file
// is renamed over the target. A failure leaves the target as it was and no
// new file behind. A target that is a symbolic link is replaced, never
// followed.
//
// As an editor does: a target that exists keeps its permissions (and its
// owner and group, where the system allows); one with more than one name
// (hard links) is rewritten in place, so that every name sees the new
// bytes; its old bytes are written back should the write fail. The
// temporary file's name is shortened to fit the folder's longest name, so
// any name the folder takes can be written.
#pragma once

#include <string>
#include <string_view>

namespace orniva {

// Throws FileError (a write of `path`) with the operating system's reason.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace orniva
