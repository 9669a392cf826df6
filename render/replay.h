// Replaying the recorded picture onto any Qt paint device: the window's
// control, an image, an SVG or PDF generator, a printer.
#pragma once

#include <cstddef>
#include <vector>

#include <QImage>
#include <QRect>

#include "picture/picture.h"

class QPainter;

namespace orniva::render {

// Whether the picture has anything to paint and a size to paint it at.
bool Paintable(const Picture& picture);

// Replays `picture` onto `painter`, whose transformation maps the picture's
// units to the device; pen widths and shapes scale with it. A curve with
// fine points is drawn through them, unless the window's own stroker draws
// (it draws in whole units).
void ReplayPicture(const Picture& picture, QPainter& painter);

// Replays the records [begin, end), leaving out those marked in `skip`
// (none when null), each from a fresh canvas's pen and brush.
void ReplayRecords(const Picture& picture, std::size_t begin, std::size_t end,
                   const std::vector<bool>* skip, QPainter& painter);

// Clips `painter` to `target` and maps the picture's units onto it.
void FitToTarget(const Picture& picture, QPainter& painter, const QRect& target);

// Paints `picture` stretched to `target`, every record in order.
void PaintPicture(const Picture& picture, QPainter& painter, const QRect& target);

// The picture stretched over a white image of `pixels` (at `ratio` device
// pixels a unit of `logical`), leaving out the records marked in `skip`.
// With `bands` above 1 the image is painted in that many horizontal bands
// at once, one thread each: the same pixels, sooner for a large picture.
QImage RasterImage(const Picture& picture, QSize pixels, qreal ratio, const QRect& logical,
                   const std::vector<bool>* skip, int bands = 1);

// Per record, whether it belongs to one of the picture's repeated runs (a
// run that is copied or one of its copies); empty when nothing is repeated.
std::vector<bool> RecordsInRepeatedRuns(const Picture& picture);

}  // namespace orniva::render
