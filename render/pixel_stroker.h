// Solid, unsmoothed lines straight into an image's pixels: the window's
// raster of a picture strokes tens of thousands of two-unit polylines, and
// Qt's general stroker takes seconds for them at a large size.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include <QImage>
#include <QRect>
#include <QTransform>

#include "platform/graphics.h"

class QPainter;

namespace orniva::render {

// A line of width w is a round pen of diameter w stamped at every pixel of
// the line's one-pixel path (Bresenham's, between the pixels that hold its
// points): a disc of the pixels whose centres lie within w / 2 of the
// stamped pixel's centre.
class PixelStroker {
 public:
  // A stroker for what `painter` paints on, when it can stand in for it: an
  // opaque 32-bit image, no smoothing, a transformation that only scales
  // and moves, a system clip of one rectangle or none. It draws within the
  // painter's clip and the system clip. Nothing otherwise.
  static std::optional<PixelStroker> For(QPainter& painter);

  // The polyline through `points` (picture units), `width` units wide.
  void Polyline(const TPoint* points, int count, double width, TColor colour);
  // The ellipse in the box from (left, top) to (right, bottom) (picture
  // units): the pixels whose centres lie inside it in `fill`, then its
  // outline stroked `width` units wide in `colour`.
  void Ellipse(int left, int top, int right, int bottom, double width, TColor colour, TColor fill);

 private:
  PixelStroker(QImage& image, const QTransform& transform, const QRect& clip, const QRect& frame);
  void SetPen(double width);  // makes the pen's disc for `width` picture units
  template <typename PointAt>
  void Path(int count, PointAt pointAt, quint32 pixel);  // through device points
  template <typename PointAt>
  bool InsideAll(int count, PointAt pointAt, quint32 pixel);  // the same, when wholly inside
  void Stamp(int x, int y, quint32 pixel);                    // the pen's disc about pixel (x, y)
  void StampInside(quint32* at, quint32 pixel) const;         // the same, wholly inside the clip
  // Whether the pen's discs about the pixels of the rectangle lie inside the clip.
  bool Inside(int left, int top, int right, int bottom) const;

  QTransform transform_;
  QRect clip_;  // the pixels drawn on
  // What segments are cut to: the painter's clip, before the image's edges
  // and the system clip cut it.
  QRect frame_;
  quint32* bits_;
  qsizetype stride_;
  // The pen's disc: the half-width of each of its rows, from -radius_.
  int radius_ = 0;
  int halfWidths_[64] = {};
  double penWidth_ = -1;  // the width the disc was made for [picture units]
  // cos and sin of the angles of an ellipse's outline, for the number of
  // steps it was made for
  std::vector<std::pair<double, double>> unitCircle_;
};

}  // namespace orniva::render
