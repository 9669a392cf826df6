// The colours the data are drawn in where the user's curation shows: the
// faults left out of the analyses grey, the others in their phase's colour
// when the diagram colours by phase, else in their own.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "platform/graphics.h"

namespace orniva {

// A datum drawn in its own colour.
constexpr TColor kOwnColour = 0xFF000000u;

// Datum i's colour in `colours` (by line, index 0 unused; a shorter list
// leaves the rest alone), none for its own.
inline std::optional<TColor> ShownColour(const std::vector<TColor>* colours, std::size_t i) {
  if (!colours || i >= colours->size() || (*colours)[i] == kOwnColour) return std::nullopt;
  return (*colours)[i];
}

}  // namespace orniva
