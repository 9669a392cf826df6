#include "render/recolour.h"

#include <algorithm>

#include "render/replay.h"

namespace orniva::render {
namespace {

constexpr TColor kWhite = Rgb(255, 255, 255);
constexpr std::size_t kMostRecords = 0xFFFFF0;

bool Skipped(const std::vector<bool>* skip, std::size_t i) {
  return skip && i < skip->size() && (*skip)[i];
}

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
std::uint64_t ShapesKey(const Picture& picture, const std::vector<bool>* skip) {
  std::uint64_t hash = 0xCBF29CE484222325u;
  hash = Mix(Mix(hash, std::uint32_t(picture.width())), std::uint32_t(picture.height()));
  std::uint64_t lanes[4] = {hash, hash + 1, hash + 2, hash + 3};
  auto word = [](TPoint p) { return std::uint64_t(std::uint32_t(p.x)) << 32 | std::uint32_t(p.y); };
  const std::vector<DrawRecord>& records = picture.records();
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (Skipped(skip, i)) continue;
    const DrawRecord& r = records[i];
    hash = Mix(hash, std::uint64_t(r.op));
    if (SetsColour(r)) continue;
    if (r.op != DrawOp::Polyline && r.op != DrawOp::Polygon) {
      hash = Mix(Mix(hash, std::uint32_t(r.a)), std::uint32_t(r.b));
      hash = Mix(Mix(hash, std::uint32_t(r.c)), std::uint32_t(r.d));
      continue;
    }
    const TPoint* points = picture.PolylinePoints(r);
    const std::size_t count = std::size_t(std::max(r.b, 0));
    hash = Mix(hash, count);
    std::size_t k = 0;
    for (; k + 4 <= count; k += 4)
      for (std::size_t lane = 0; lane < 4; ++lane)
        lanes[lane] = Mix(lanes[lane], word(points[k + lane]));
    for (; k < count; ++k) lanes[0] = Mix(lanes[0], word(points[k]));
  }
  for (std::uint64_t lane : lanes) hash = Mix(hash, lane);
  return hash;
}

// The picture drawn with n as the colour of the n-th colour record drawn:
// 0 is left for a fresh canvas's black pen, white for the image's ground
// and a fresh canvas's white brush.
QImage RecordRaster(const Picture& picture, QSize pixels, qreal ratio, const QRect& logical,
                    const std::vector<bool>* skip, int bands) {
  Picture indexed = picture;
  const std::vector<DrawRecord>& records = picture.records();
  std::size_t drawn = 0;
  for (std::size_t i = 0; i < records.size(); ++i)
    if (!Skipped(skip, i) && SetsColour(records[i])) indexed.SetColourOf(i, IndexColour(++drawn));
  return RasterImage(indexed, pixels, ratio, logical, skip, bands);
}

QImage ColoursOf(const QImage& records, const Picture& picture, const std::vector<bool>* skip) {
  std::vector<QRgb> colours(1, ToQRgb(Rgb(0, 0, 0)));
  const std::vector<DrawRecord>& drawn = picture.records();
  for (std::size_t i = 0; i < drawn.size(); ++i)
    if (!Skipped(skip, i) && SetsColour(drawn[i])) colours.push_back(ToQRgb(TColor(drawn[i].a)));
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
