// Writing the recorded picture as a Windows enhanced metafile (.emf): the
// picture's records in order, as the metafile's own records.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "picture/picture.h"

namespace orniva {

// The whole .emf file for `picture`, whose logical units are the
// reference device's pixels (96 per inch).
std::vector<std::uint8_t> EncodeEmf(const Picture& picture);

// Writes EncodeEmf(picture) to `path` (WriteFileAtomically), replacing any
// file there.
// Throws FileError when the file cannot be written.
void SaveEmf(const Picture& picture, const std::string& path);

}  // namespace orniva
