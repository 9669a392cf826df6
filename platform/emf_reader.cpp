#include "platform/emf_reader.h"

#include <algorithm>
#include <limits>

namespace orniva {
namespace {

std::uint32_t LoadU32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
         (std::uint32_t(p[3]) << 24);
}

std::string At(const EmfRecordView& r) {
  return "record " + std::to_string(r.type) + " at offset " + std::to_string(r.offset);
}

// The smallest size of the records whose fields the check and the decoder read.
std::uint32_t MinimumSize(std::uint32_t type) {
  switch (type) {
    case emf::kHeader:
      return emf::kBaseHeaderSize;
    case emf::kEof:
      return emf::kEofSize;
    case emf::kSelectObject:
    case emf::kDeleteObject:
    case emf::kSetMapMode:
      return emf::kObjectRecordSize;
    case emf::kCreatePen:
      return emf::kCreatePenSize;
    case emf::kCreateBrushIndirect:
      return emf::kCreateBrushSize;
    case emf::kEllipse:
      return emf::kEllipseSize;
    case emf::kMoveToEx:
    case emf::kLineTo:
      return emf::kPointRecordSize;
    case emf::kPolyline:
    case emf::kPolyline16:
      return emf::kPolylineFixedSize;
    case emf::kBitBlt:
      return emf::kBitBltSize;
    default:
      return 8;
  }
}

// Records that put a new object into the handle table, its index first.
bool CreatesObject(std::uint32_t type) {
  switch (type) {
    case emf::kCreatePen:
    case emf::kCreateBrushIndirect:
    case 49:   // palette
    case 82:   // font
    case 93:   // monochrome brush
    case 94:   // pattern brush
    case 95:   // extended pen
    case 99:   // colour space
    case 122:  // colour space, wide
      return true;
    default:
      return false;
  }
}

}  // namespace

std::uint32_t EmfRecordView::U32(std::size_t at) const {
  if (!data || at > size || size - at < 4) return 0;
  return LoadU32(data + at);
}

std::int16_t EmfRecordView::I16(std::size_t at) const {
  if (!data || at > size || size - at < 2) return 0;
  return std::int16_t(std::uint16_t(data[at] | (data[at + 1] << 8)));
}

EmfRecords SplitEmfRecords(const std::uint8_t* data, std::size_t size) {
  EmfRecords out;
  std::size_t offset = 0;
  while (offset < size) {
    const std::size_t left = size - offset;
    if (left < 8) {
      out.error = std::to_string(left) + " stray bytes at offset " + std::to_string(offset);
      break;
    }
    EmfRecordView r;
    r.type = LoadU32(data + offset);
    r.size = LoadU32(data + offset + 4);
    r.offset = offset;
    r.data = data + offset;
    if (r.size < 8 || r.size % 4 != 0) {
      out.error =
          At(r) + " has size " + std::to_string(r.size) + ", not a multiple of 4 of at least 8";
      break;
    }
    if (r.size > left) {
      out.error = At(r) + " has size " + std::to_string(r.size) + " but only " +
                  std::to_string(left) + " bytes are left in the file";
      break;
    }
    out.records.push_back(r);
    offset += r.size;
  }
  return out;
}

bool ReadEmfHeader(const std::uint8_t* data, std::size_t size, EmfHeader& header) {
  if (size < emf::kBaseHeaderSize) return false;
  EmfRecordView r;
  r.data = data;
  r.type = LoadU32(data);
  r.size = LoadU32(data + 4);
  if (r.type != emf::kHeader || r.size < emf::kBaseHeaderSize) return false;
  r.size = std::uint32_t(std::min<std::size_t>(r.size, size));
  header = EmfHeader{};
  header.size = LoadU32(data + 4);
  for (int i = 0; i < 4; ++i) {
    header.bounds[i] = r.I32(8 + 4 * i);
    header.frame[i] = r.I32(24 + 4 * i);
  }
  header.signature = r.U32(40);
  header.version = r.U32(44);
  header.bytes = r.U32(48);
  header.records = r.U32(52);
  header.handles = std::uint16_t(r.U32(56) & 0xFFFF);
  header.descriptionLength = r.U32(60);
  header.descriptionOffset = r.U32(64);
  header.paletteEntries = r.U32(68);
  header.device[0] = r.I32(72);
  header.device[1] = r.I32(76);
  header.millimetres[0] = r.I32(80);
  header.millimetres[1] = r.I32(84);
  header.micrometres[0] = r.I32(100);
  header.micrometres[1] = r.I32(104);
  return true;
}

std::string CheckEmfStructure(const std::uint8_t* data, std::size_t size) {
  if (!data || size == 0) return "the file is empty";
  const EmfRecords split = SplitEmfRecords(data, size);
  if (split.records.empty()) return split.error.empty() ? "the file has no records" : split.error;

  const EmfRecordView& first = split.records.front();
  if (first.type != emf::kHeader)
    return "the first record has type " + std::to_string(first.type) + ", not the header";
  EmfHeader header;
  if (!ReadEmfHeader(data, size, header))
    return "the header has size " + std::to_string(first.size) + ", below " +
           std::to_string(emf::kBaseHeaderSize);
  if (header.signature != emf::kSignature) return "the header lacks the \" EMF\" signature";
  if (header.version != emf::kVersion)
    return "the header has version " + std::to_string(header.version);
  if (header.bytes != size)
    return "the header gives " + std::to_string(header.bytes) + " bytes but the file has " +
           std::to_string(size);
  if (header.descriptionLength != 0 &&
      (header.descriptionOffset < emf::kBaseHeaderSize ||
       std::uint64_t(header.descriptionOffset) + 2 * std::uint64_t(header.descriptionLength) >
           first.size))
    return "the header's description lies outside the header";
  if (header.handles == 0) return "the header's handle table has no reserved slot";
  if (!split.error.empty()) return split.error;
  if (header.records != split.records.size())
    return "the header gives " + std::to_string(header.records) + " records but the file has " +
           std::to_string(split.records.size());

  std::vector<bool> live(header.handles, false);
  for (std::size_t i = 0; i < split.records.size(); ++i) {
    const EmfRecordView& r = split.records[i];
    if (r.size < MinimumSize(r.type))
      return At(r) + " has size " + std::to_string(r.size) + ", too small for its fields";
    if (i > 0 && r.type == emf::kHeader) return At(r) + " is a second header";
    if (r.type == emf::kEof && i + 1 != split.records.size())
      return At(r) + " ends the picture before the last record";
    switch (r.type) {
      case emf::kPolyline:
      case emf::kPolyline16: {
        const std::uint64_t perPoint = r.type == emf::kPolyline ? 8 : 4;
        if (emf::kPolylineFixedSize + perPoint * r.U32(24) != r.size)
          return At(r) + " has size " + std::to_string(r.size) + " for " +
                 std::to_string(r.U32(24)) + " points";
        break;
      }
      case emf::kSelectObject:
      case emf::kDeleteObject: {
        const std::uint32_t h = r.U32(8);
        if (h & emf::kStockObject) {
          if (r.type == emf::kDeleteObject) return At(r) + " deletes a stock object";
          if (h > emf::kLastStockObject) return At(r) + " selects an unknown stock object";
          break;
        }
        if (h >= live.size())
          return At(r) + " uses handle " + std::to_string(h) + " outside the table of " +
                 std::to_string(live.size());
        if (!live[h]) return At(r) + " uses handle " + std::to_string(h) + " before it is created";
        if (r.type == emf::kDeleteObject) live[h] = false;
        break;
      }
      default:
        if (CreatesObject(r.type)) {
          const std::uint32_t h = r.U32(8);
          if (h == 0) return At(r) + " creates an object in the reserved slot 0";
          if (h >= live.size())
            return At(r) + " creates handle " + std::to_string(h) + " outside the table of " +
                   std::to_string(live.size());
          if (live[h])
            return At(r) + " creates handle " + std::to_string(h) + " while it is in use";
          live[h] = true;
        }
        break;
    }
  }
  if (split.records.back().type != emf::kEof) return "the file does not end with an EOF record";
  if (split.records.back().size < emf::kEofSize) return "the EOF record is too small";
  return std::string();
}

std::string DecodeEmf(const std::uint8_t* data, std::size_t size, Picture& picture) {
  std::string error = CheckEmfStructure(data, size);
  if (!error.empty()) return error;
  EmfHeader header;
  ReadEmfHeader(data, size, header);
  // The picture's size from the frame, at 96 pixels per inch.
  const auto pixels = [](std::int32_t low, std::int32_t high) {
    return ((std::int64_t(high) - low) * 96 + 1270) / 2540;
  };
  const std::int64_t width = pixels(header.frame[0], header.frame[2]);
  const std::int64_t height = pixels(header.frame[1], header.frame[3]);
  if (width > 0 && height > 0 && width <= std::numeric_limits<std::int32_t>::max() &&
      height <= std::numeric_limits<std::int32_t>::max())
    picture.SetSize(std::int32_t(width), std::int32_t(height));

  struct Object {
    enum Kind { None, Pen, Brush } kind = None;
    std::int32_t width = 0;
    TColor colour = 0;
  };
  std::vector<Object> objects(header.handles);
  std::vector<TPoint> points;

  RecordingCanvas canvas(picture);
  const EmfRecords split = SplitEmfRecords(data, size);
  for (const EmfRecordView& r : split.records) {
    switch (r.type) {
      case emf::kCreatePen:
        objects[r.U32(8)] = Object{Object::Pen, r.I32(16), r.U32(24)};
        break;
      case emf::kCreateBrushIndirect:
        // Hatched and pattern brushes are taken as their colour.
        objects[r.U32(8)] = Object{Object::Brush, 0, r.U32(16)};
        break;
      case emf::kDeleteObject:
        objects[r.U32(8)] = Object{};
        break;
      case emf::kSelectObject: {
        const std::uint32_t h = r.U32(8);
        Object o;
        switch (h) {
          case emf::kWhiteBrush:
            o = Object{Object::Brush, 0, Rgb(255, 255, 255)};
            break;
          case emf::kLightGreyBrush:
            o = Object{Object::Brush, 0, Rgb(192, 192, 192)};
            break;
          case emf::kGreyBrush:
            o = Object{Object::Brush, 0, Rgb(128, 128, 128)};
            break;
          case emf::kDarkGreyBrush:
            o = Object{Object::Brush, 0, Rgb(64, 64, 64)};
            break;
          case emf::kBlackBrush:
            o = Object{Object::Brush, 0, Rgb(0, 0, 0)};
            break;
          case emf::kWhitePen:
            o = Object{Object::Pen, 1, Rgb(255, 255, 255)};
            break;
          case emf::kBlackPen:
            o = Object{Object::Pen, 1, Rgb(0, 0, 0)};
            break;
          default:
            if (!(h & emf::kStockObject)) o = objects[h];
            break;
        }
        if (o.kind == Object::Pen) {
          canvas.SetPenWidth(o.width);
          canvas.SetPenColour(o.colour);
        } else if (o.kind == Object::Brush) {
          canvas.SetBrushColour(o.colour);
        }
        break;
      }
      case emf::kBitBlt:
        if (r.U32(40) == emf::kPatCopy && r.U32(88) == 0 && r.U32(96) == 0) {
          const std::int32_t x = r.I32(24), y = r.I32(28);
          canvas.FillRect(x, y, std::int32_t(std::uint32_t(x) + r.U32(32)),
                          std::int32_t(std::uint32_t(y) + r.U32(36)));
        }
        break;
      case emf::kEllipse:
        canvas.Ellipse(r.I32(8), r.I32(12), r.I32(16), r.I32(20));
        break;
      case emf::kMoveToEx:
        canvas.MoveTo(TPoint{r.I32(8), r.I32(12)});
        break;
      case emf::kLineTo:
        canvas.LineTo(TPoint{r.I32(8), r.I32(12)});
        break;
      case emf::kPolyline16:
      case emf::kPolyline: {
        const std::size_t count = r.U32(24);
        points.resize(count);
        for (std::size_t i = 0; i < count; ++i) {
          if (r.type == emf::kPolyline16)
            points[i] = TPoint{r.I16(28 + 4 * i), r.I16(30 + 4 * i)};
          else
            points[i] = TPoint{r.I32(28 + 8 * i), r.I32(32 + 8 * i)};
        }
        canvas.Polyline(points.data(), points.size());
        break;
      }
      default:
        break;
    }
  }
  canvas.Close();
  return std::string();
}

std::vector<EffectiveDraw> EffectiveDrawing(const Picture& picture) {
  std::vector<EffectiveDraw> out;
  std::int32_t penWidth = 1;
  TColor penColour = Rgb(0, 0, 0);
  TColor brushColour = Rgb(255, 255, 255);
  TPoint position;  // where the next line starts
  const std::vector<TPoint>& points = picture.points();
  for (const DrawRecord& r : picture.records()) {
    EffectiveDraw d;
    d.op = r.op;
    switch (r.op) {
      case DrawOp::PenWidth:
        penWidth = r.a;
        continue;
      case DrawOp::PenColour:
        penColour = TColor(r.a);
        continue;
      case DrawOp::BrushColour:
        brushColour = TColor(r.a);
        continue;
      case DrawOp::FillRect:
        d.brushColour = brushColour;
        break;
      case DrawOp::Ellipse:
        d.brushColour = brushColour;
        d.penWidth = penWidth;
        d.penColour = penColour;
        break;
      case DrawOp::MoveTo:
        position = TPoint{r.a, r.b};
        continue;
      case DrawOp::LineTo:
        d.a = position.x;
        d.b = position.y;
        d.c = r.a;
        d.d = r.b;
        d.penWidth = penWidth;
        d.penColour = penColour;
        position = TPoint{r.a, r.b};
        out.push_back(std::move(d));
        continue;
      case DrawOp::Polyline: {
        d.penWidth = penWidth;
        d.penColour = penColour;
        const std::size_t first =
            std::min<std::size_t>(std::size_t(std::max(r.a, 0)), points.size());
        const std::size_t count =
            std::min<std::size_t>(std::size_t(std::max(r.b, 0)), points.size() - first);
        d.points.assign(points.begin() + std::ptrdiff_t(first),
                        points.begin() + std::ptrdiff_t(first + count));
        out.push_back(std::move(d));
        continue;
      }
    }
    d.a = r.a;
    d.b = r.b;
    d.c = r.c;
    d.d = r.d;
    out.push_back(std::move(d));
  }
  return out;
}

std::vector<EffectiveDraw> EffectiveDrawingOfEmf(const std::uint8_t* data, std::size_t size,
                                                 std::string& error) {
  Picture picture;
  error = DecodeEmf(data, size, picture);
  if (!error.empty()) return {};
  return EffectiveDrawing(picture);
}

}  // namespace orniva
