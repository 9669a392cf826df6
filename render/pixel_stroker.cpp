#include "render/pixel_stroker.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include <QPaintEngine>
#include <QPainter>

namespace orniva::render {

namespace {

bool OpaqueRgb32(QImage::Format format) {
  return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
         format == QImage::Format_ARGB32_Premultiplied;
}

int FloorOf(double v) {
  const int i = int(v);
  return i - (v < i);
}

// Cuts the segment a + t (b - a), t in [t0, t1], to the rectangle (Liang
// and Barsky); false when nothing of it is left.
bool ClipSegment(double ax, double ay, double bx, double by, double left, double top, double right,
                 double bottom, double& t0, double& t1) {
  const double dx = bx - ax, dy = by - ay;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {ax - left, right - ax, ay - top, bottom - ay};
  for (int k = 0; k < 4; ++k) {
    if (p[k] == 0) {
      if (q[k] < 0) return false;
      continue;
    }
    const double t = q[k] / p[k];
    if (p[k] < 0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
    if (t0 > t1) return false;
  }
  return true;
}

// Bresenham's walk through the pixels from `at` to `end` of a segment
// dx columns and -dy rows long (dy <= 0), a step being stepX along a row
// and stepY across rows; stamp(pixel) at each, both ends included.
template <typename Stamp>
void WalkPixels(quint32* at, quint32* end, int dx, int dy, qsizetype stepX, qsizetype stepY,
                Stamp stamp) {
  stamp(at);
  for (int error = dx + dy; at != end;) {
    const int twice = 2 * error;
    const bool alongX = twice >= dy, alongY = twice <= dx;
    error += (alongX ? dy : 0) + (alongY ? dx : 0);
    at += (alongX ? stepX : 0) + (alongY ? stepY : 0);
    stamp(at);
  }
}

}  // namespace

std::optional<PixelStroker> PixelStroker::For(QPainter& painter) {
  QPaintDevice* device = painter.device();
  if (!device || device->devType() != QInternal::Image) return std::nullopt;
  auto* image = static_cast<QImage*>(device);
  if (!OpaqueRgb32(image->format()) || painter.testRenderHint(QPainter::Antialiasing))
    return std::nullopt;
  const QTransform t = painter.deviceTransform();
  if (t.type() > QTransform::TxScale) return std::nullopt;
  // Segments are cut to the painter's clip, or the image. The system clip
  // (a band of a picture painted in bands, render/replay.h) only limits the
  // pixels drawn: every band cuts, walks and rounds as the whole image.
  const QRect frame =
      painter.hasClipping() ? t.mapRect(painter.clipBoundingRect()).toAlignedRect() : image->rect();
  QRect drawn = frame & image->rect();
  const QRegion system = painter.paintEngine()->systemClip();
  if (!system.isEmpty()) {
    if (system.rectCount() > 1) return std::nullopt;
    drawn &= system.boundingRect();
  }
  return PixelStroker(*image, t, drawn, frame);
}

PixelStroker::PixelStroker(QImage& image, const QTransform& transform, const QRect& clip,
                           const QRect& frame)
    : transform_(transform),
      clip_(clip),
      frame_(frame),
      bits_(reinterpret_cast<quint32*>(image.bits())),
      stride_(image.bytesPerLine() / 4) {}

inline void PixelStroker::StampInside(quint32* at, quint32 pixel) const {
  *at = pixel;
  if (radius_ == 0) return;
  if (radius_ == 1) {  // the common thick pen: a pixel and its four neighbours
    at[-1] = at[1] = at[-stride_] = at[stride_] = pixel;
    // The rows above and below are three pixels wide from a radius of sqrt 2.
    if (halfWidths_[0] > 0)
      at[-stride_ - 1] = at[-stride_ + 1] = at[stride_ - 1] = at[stride_ + 1] = pixel;
    return;
  }
  for (int dy = -radius_; dy <= radius_; ++dy) {
    const int half = halfWidths_[dy + radius_];
    quint32* line = at + dy * stride_;
    for (int i = -half; i <= half; ++i) line[i] = pixel;
  }
}

bool PixelStroker::Inside(int left, int top, int right, int bottom) const {
  return left - radius_ >= clip_.left() && right + radius_ <= clip_.right() &&
         top - radius_ >= clip_.top() && bottom + radius_ <= clip_.bottom();
}

void PixelStroker::Stamp(int x, int y, quint32 pixel) {
  if (Inside(x, y, x, y)) {
    StampInside(bits_ + y * stride_ + x, pixel);
    return;
  }
  for (int dy = -radius_; dy <= radius_; ++dy) {
    const int row = y + dy, half = halfWidths_[dy + radius_];
    if (row < clip_.top() || row > clip_.bottom()) continue;
    const int first = std::max(x - half, clip_.left()), last = std::min(x + half, clip_.right());
    quint32* line = bits_ + row * stride_;
    for (int i = first; i <= last; ++i) line[i] = pixel;
  }
}

void PixelStroker::SetPen(double width) {
  if (width == penWidth_) return;
  const double scale = std::sqrt(std::fabs(transform_.m11() * transform_.m22()));
  const double r = std::max(width * scale / 2, 0.5);
  radius_ = std::min(int(r), 31);
  for (int dy = -radius_; dy <= radius_; ++dy)
    halfWidths_[dy + radius_] = int(std::sqrt(std::max(0.0, r * r - double(dy) * dy)));
  penWidth_ = width;
}

namespace {
quint32 PixelOf(TColor colour) {
  return 0xFF000000u | (quint32(RedOf(colour)) << 16) | (quint32(GreenOf(colour)) << 8) |
         quint32(BlueOf(colour));
}
}  // namespace

// The path through the device points pointAt(0) to pointAt(count - 1).
template <typename PointAt>
void PixelStroker::Path(int count, PointAt pointAt, quint32 pixel) {
  // The pixels from which a stamp reaches into the clip.
  const double seenLeft = clip_.left() - radius_, seenRight = clip_.right() + radius_ + 1.0;
  const double seenTop = clip_.top() - radius_, seenBottom = clip_.bottom() + radius_ + 1.0;
  // Far outside the image (an upward line projects beyond the net) every
  // stamp would be clipped away, and their number is unbounded: segments
  // wholly beyond the reach are skipped.
  const double left = frame_.left() - radius_ - 1.0, right = frame_.right() + radius_ + 2.0;
  const double top = frame_.top() - radius_ - 1.0, bottom = frame_.bottom() + radius_ + 2.0;
  // Bresenham's walk between the pixels that hold the segment's ends, each
  // pixel stamped once (a segment starts where the one before ended). A
  // segment is first cut to the reach, so that the walk is bounded and
  // keeps its direction.
  int lastX = std::numeric_limits<int>::min(), lastY = 0;
  auto stampOnce = [&](int x, int y) {
    if (x == lastX && y == lastY) return;
    lastX = x, lastY = y;
    Stamp(x, y, pixel);
  };
  auto [ax, ay] = pointAt(0);
  if (count == 1 && ax >= left && ax <= right && ay >= top && ay <= bottom)
    stampOnce(FloorOf(ax), FloorOf(ay));
  for (int i = 1; i < count; ++i) {
    const auto [bx, by] = pointAt(i);
    // No stamp of a segment wholly to one side of the clip's reach (the
    // other band of a picture painted in bands) would paint anything.
    if (std::max(ax, bx) < seenLeft || std::min(ax, bx) >= seenRight ||
        std::max(ay, by) < seenTop || std::min(ay, by) >= seenBottom) {
      ax = bx, ay = by;
      continue;
    }
    // A segment within the reach keeps t0 = 0 and t1 = 1 (the cut's
    // quotients are then at most 0 and at least 1), so it is not cut.
    double t0 = 0, t1 = 1;
    const bool within = std::min(ax, bx) >= left && std::max(ax, bx) <= right &&
                        std::min(ay, by) >= top && std::max(ay, by) <= bottom;
    if (within || ClipSegment(ax, ay, bx, by, left, top, right, bottom, t0, t1)) {
      int x = FloorOf(ax + (bx - ax) * t0), y = FloorOf(ay + (by - ay) * t0);
      const int x1 = FloorOf(ax + (bx - ax) * t1), y1 = FloorOf(ay + (by - ay) * t1);
      const int dx = std::abs(x1 - x), dy = -std::abs(y1 - y), stepX = x < x1 ? 1 : -1,
                stepY = y < y1 ? 1 : -1;
      if (Inside(std::min(x, x1), std::min(y, y1), std::max(x, x1), std::max(y, y1))) {
        // Every stamp of the path wholly inside the clip: straight into the
        // pixels. Painting a pixel twice in one opaque colour changes
        // nothing, so the ends need no bookkeeping.
        WalkPixels(bits_ + y * stride_ + x, bits_ + y1 * stride_ + x1, dx, dy, stepX,
                   stepY * stride_, [&](quint32* at) { StampInside(at, pixel); });
        lastX = x1, lastY = y1;
      } else {
        stampOnce(x, y);
        for (int error = dx + dy; x != x1 || y != y1;) {
          const int twice = 2 * error;
          if (twice >= dy) error += dy, x += stepX;
          if (twice <= dx) error += dx, y += stepY;
          stampOnce(x, y);
        }
      }
    }
    ax = bx, ay = by;
  }
}

void PixelStroker::Polyline(const TPoint* points, int count, double width, TColor colour) {
  if (count <= 0 || clip_.isEmpty()) return;
  SetPen(width);
  const double sx = transform_.m11(), sy = transform_.m22(), tx = transform_.dx(),
               ty = transform_.dy();
  auto pointAt = [&](int i) { return std::pair(sx * points[i].x + tx, sy * points[i].y + ty); };
  const quint32 pixel = PixelOf(colour);
  if (count < 2 || !InsideAll(count, pointAt, pixel)) Path(count, pointAt, pixel);
}

// A path whose every stamp lies inside the clip (a great circle well within
// the net, nearly every line of a typical picture) needs none of the cuts:
// each segment is walked as Path's inner branch walks it, from the pixel of
// its start to the pixel of start + (end - start), without a test a step.
// False, with nothing painted, for any other path.
template <typename PointAt>
bool PixelStroker::InsideAll(int count, PointAt pointAt, quint32 pixel) {
  auto [left, top] = pointAt(0);
  double right = left, bottom = top;
  for (int i = 1; i < count; ++i) {
    const auto [x, y] = pointAt(i);
    left = std::min(left, x), right = std::max(right, x);
    top = std::min(top, y), bottom = std::max(bottom, y);
  }
  // Far beyond int range the casts below would not hold; such a path is not
  // inside anyway. A pixel's margin covers a segment's end rounding past
  // the extreme point.
  const double limit = 1 << 30;
  if (!(left > -limit && top > -limit && right < limit && bottom < limit) ||
      !Inside(FloorOf(left) - 1, FloorOf(top) - 1, FloorOf(right) + 1, FloorOf(bottom) + 1))
    return false;
  auto walk = [&](auto stamp) {
    quint32* const bits = bits_;
    const qsizetype stride = stride_;
    auto [ax, ay] = pointAt(0);
    for (int i = 1; i < count; ++i) {
      const auto [bx, by] = pointAt(i);
      const int x = FloorOf(ax), y = FloorOf(ay);
      const int x1 = FloorOf(ax + (bx - ax)), y1 = FloorOf(ay + (by - ay));
      const int dx = std::abs(x1 - x), dy = -std::abs(y1 - y);
      WalkPixels(bits + y * stride + x, bits + y1 * stride + x1, dx, dy, x < x1 ? 1 : -1,
                 y < y1 ? stride : -stride, stamp);
      ax = bx, ay = by;
    }
  };
  if (radius_ == 0)
    walk([pixel](quint32* at) { *at = pixel; });
  else
    walk([this, pixel](quint32* at) { StampInside(at, pixel); });
  return true;
}

void PixelStroker::Ellipse(int left, int top, int right, int bottom, double width, TColor colour,
                           TColor fill) {
  if (clip_.isEmpty()) return;
  SetPen(width);
  const double sx = transform_.m11(), sy = transform_.m22(), tx = transform_.dx(),
               ty = transform_.dy();
  const double cx = sx * (double(left) + right) / 2 + tx, cy = sy * (double(top) + bottom) / 2 + ty;
  const double rx = std::fabs(sx * (double(right) - left)) / 2,
               ry = std::fabs(sy * (double(bottom) - top)) / 2;
  // Far beyond the image nothing of it can show; a huge box would only
  // cost time.
  if (cx + rx + radius_ < clip_.left() || cx - rx - radius_ > clip_.right() + 1 ||
      cy + ry + radius_ < clip_.top() || cy - ry - radius_ > clip_.bottom() + 1 || rx > 1e6 ||
      ry > 1e6)
    return;
  // The pixels whose centres lie inside, in the brush's colour.
  if (rx > 0 && ry > 0) {
    const quint32 inside = PixelOf(fill);
    const int firstRow = std::max(clip_.top(), int(std::ceil(cy - ry - 0.5)));
    const int lastRow = std::min(clip_.bottom(), int(std::floor(cy + ry - 0.5)));
    for (int row = firstRow; row <= lastRow; ++row) {
      const double v = (row + 0.5 - cy) / ry;
      if (v * v > 1) continue;
      const double half = rx * std::sqrt(1 - v * v);
      const int first = std::max(clip_.left(), int(std::ceil(cx - half - 0.5)));
      const int last = std::min(clip_.right(), int(std::floor(cx + half - 0.5)));
      quint32* line = bits_ + row * stride_;
      for (int i = first; i <= last; ++i) line[i] = inside;
    }
  }
  // The outline, in the pen's, as a closed path of steps of about two pixels.
  constexpr double kTwoPi = 6.283185307179586;
  const int steps = std::clamp(int(std::ceil(kTwoPi * std::max(rx, ry) / 2)), 8, 2048);
  if (int(unitCircle_.size()) != steps) {  // the symbols of a picture share their size
    unitCircle_.resize(std::size_t(steps));
    for (int i = 0; i < steps; ++i) {
      const double angle = kTwoPi * i / steps;
      unitCircle_[std::size_t(i)] = {std::cos(angle), std::sin(angle)};
    }
  }
  auto pointAt = [&](int i) {
    const auto [c, s] = unitCircle_[std::size_t(i % steps)];
    return std::pair(cx + rx * c, cy + ry * s);
  };
  const quint32 pixel = PixelOf(colour);
  if (!InsideAll(steps + 1, pointAt, pixel)) Path(steps + 1, pointAt, pixel);
}

}  // namespace orniva::render
