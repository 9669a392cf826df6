// The named colours of the diagrams and the grid.
#pragma once

#include "platform/graphics.h"

namespace orniva {

constexpr TColor clBlue = Rgb(0, 0, 255);
constexpr TColor clRed = Rgb(255, 0, 0);
constexpr TColor clSilver = Rgb(192, 192, 192);
constexpr TColor clBlack = Rgb(0, 0, 0);
constexpr TColor clWhite = Rgb(255, 255, 255);
constexpr TColor clAqua = Rgb(0, 255, 255);

}  // namespace orniva
