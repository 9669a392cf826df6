// Plain graphics values shared by every layer: plot points and colours.
#pragma once

#include <cstdint>

namespace orniva {

// A point of the plot picture: integer plot units, origin top-left,
// x to the right, y downward.
struct TPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;

  friend bool operator==(TPoint a, TPoint b) { return a.x == b.x && a.y == b.y; }
  friend bool operator!=(TPoint a, TPoint b) { return !(a == b); }
};

// A 24-bit RGB colour, laid out as the platform's COLORREF: 0x00BBGGRR.
using TColor = std::uint32_t;

constexpr TColor Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16);
}
constexpr std::uint8_t RedOf(TColor c) { return std::uint8_t(c & 0xFF); }
constexpr std::uint8_t GreenOf(TColor c) { return std::uint8_t((c >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf(TColor c) { return std::uint8_t((c >> 16) & 0xFF); }

}  // namespace orniva
