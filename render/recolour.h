// Rasters that can be recoloured: a picture drawn without antialiasing and
// without text puts in every pixel exactly the colour of the pen or brush
// record in force when the pixel was last drawn. Rastered once with each
// colour record's index in place of its colour, the raster of any picture
// that draws the same shapes in the same order (another colour for some
// data, a datum switched off and drawn grey) is a lookup per pixel, not a
// replay of every record.
#pragma once

#include <cstdint>
#include <vector>

#include <QImage>

#include "picture/picture.h"

namespace orniva::render {

// Whether the picture's records can be told apart by pixel: no text (text
// is drawn smoothed) and fewer records than colours.
bool Recolourable(const Picture& picture);

// The same for two pictures exactly when they draw the same shapes in the
// same order and differ at most in their pen and brush colours, the
// records marked in `skip` (none when null) left out.
std::uint64_t ShapesKey(const Picture& picture, const std::vector<bool>* skip);

// RasterImage's pixels of a recolourable `picture`, each holding the
// colour record behind it (see ColoursOf) instead of a colour; records
// marked in `skip` left out.
QImage RecordRaster(const Picture& picture, QSize pixels, qreal ratio, const QRect& logical,
                    const std::vector<bool>* skip, int bands = 1);

// The raster RasterImage makes of `picture` (without the records marked
// in `skip`), from the record raster of a picture of the same ShapesKey.
QImage ColoursOf(const QImage& records, const Picture& picture, const std::vector<bool>* skip);

}  // namespace orniva::render
