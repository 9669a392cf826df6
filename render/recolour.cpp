#include "render/recolour.h"

#include "render/replay.h"

namespace orniva::render {
namespace {

constexpr TColor kWhite = Rgb(255, 255, 255);
constexpr std::size_t kMostRecords = 0xFFFFF0;

bool SetsColour(const DrawRecord& record) {
  return record.op == DrawOp::PenColour || record.op == DrawOp::BrushColour;
}

std::uint64_t Mix(std::uint64_t hash, std::uint64_t value) {
  return (hash ^ value) * 0x100000001B3u;
}

// The colour that rasters to the pixel 0xFFrrggbb with rrggbb = index.
TColor IndexColour(std::size_t index) {
  return Rgb(std::uint8_t(index >> 16), std::uint8_t(index >> 8), std::uint8_t(index));
}

QRgb ToQRgb(TColor colour) { return qRgb(RedOf(colour), GreenOf(colour), BlueOf(colour)); }

}  // namespace

bool Recolourable(const Picture& picture) {
  if (picture.records().size() >= kMostRecords) return false;
  for (const DrawRecord& record : picture.records())
    if (record.op == DrawOp::Text) return false;
  return true;
}

// Four lanes, so that the points (millions for thousands of great
// circles) are hashed at the speed of reading them.
std::uint64_t ShapesKey(const Picture& picture) {
  std::uint64_t hash = 0xCBF29CE484222325u;
  hash = Mix(Mix(hash, std::uint32_t(picture.width())), std::uint32_t(picture.height()));
  for (const DrawRecord& r : picture.records()) {
    hash = Mix(hash, std::uint64_t(r.op));
    if (SetsColour(r)) continue;
    hash = Mix(Mix(hash, std::uint32_t(r.a)), std::uint32_t(r.b));
    hash = Mix(Mix(hash, std::uint32_t(r.c)), std::uint32_t(r.d));
  }
  const std::vector<TPoint>& points = picture.points();
  std::uint64_t lanes[4] = {hash, hash + 1, hash + 2, hash + 3};
  auto word = [](TPoint p) { return std::uint64_t(std::uint32_t(p.x)) << 32 | std::uint32_t(p.y); };
  std::size_t i = 0;
  for (; i + 4 <= points.size(); i += 4)
    for (int k = 0; k < 4; ++k) lanes[k] = Mix(lanes[k], word(points[i + std::size_t(k)]));
  for (; i < points.size(); ++i) lanes[0] = Mix(lanes[0], word(points[i]));
  for (std::uint64_t lane : lanes) hash = Mix(hash, lane);
  for (const RepeatedRun& run : picture.repeats())
    hash = Mix(Mix(Mix(hash, run.begin), run.source), run.length);
  return Mix(hash, points.size());
}

// The picture drawn with record i + 1 as the colour of colour record i:
// 0 is left for a fresh canvas's black pen, white for the image's ground
// and a fresh canvas's white brush.
QImage RecordRaster(const Picture& picture, QSize pixels, qreal ratio, const QRect& logical,
                    const std::vector<bool>* skip, int bands) {
  Picture indexed = picture;
  const std::vector<DrawRecord>& records = picture.records();
  for (std::size_t i = 0; i < records.size(); ++i)
    if (SetsColour(records[i])) indexed.SetColourOf(i, IndexColour(i + 1));
  return RasterImage(indexed, pixels, ratio, logical, skip, bands);
}

QImage ColoursOf(const QImage& records, const Picture& picture) {
  const std::vector<DrawRecord>& drawn = picture.records();
  std::vector<QRgb> colours(drawn.size() + 1, ToQRgb(Rgb(0, 0, 0)));
  for (std::size_t i = 0; i < drawn.size(); ++i)
    if (SetsColour(drawn[i])) colours[i + 1] = ToQRgb(TColor(drawn[i].a));
  const QRgb white = ToQRgb(kWhite);
  QImage image(records.size(), QImage::Format_RGB32);
  image.setDevicePixelRatio(records.devicePixelRatio());
  for (int y = 0; y < records.height(); ++y) {
    const auto* from = reinterpret_cast<const QRgb*>(records.constScanLine(y));
    auto* to = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < records.width(); ++x) {
      const std::size_t index = from[x] & 0xFFFFFFu;
      to[x] = index < colours.size() ? colours[index] : white;
    }
  }
  return image;
}

}  // namespace orniva::render
