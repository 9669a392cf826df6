#include "tests/support/emf_check.h"

#include <algorithm>

namespace orniva {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t LoadU32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
         (std::uint32_t(p[3]) << 24);
}

// One record, pointing into the file's bytes.
struct Record {
  const std::uint8_t* data = nullptr;
  std::size_t offset = 0;
  std::uint32_t type = 0;
  std::uint32_t size = 0;  // the whole record, type and size fields included

  // Little-endian fields `at` bytes from the record's start; 0 beyond it.
  std::uint32_t U32(std::size_t at) const { return at + 4 <= size ? LoadU32(data + at) : 0; }
  std::int32_t I32(std::size_t at) const { return std::int32_t(U32(at)); }
  std::int16_t I16(std::size_t at) const {
    return at + 2 <= size ? std::int16_t(std::uint16_t(data[at] | (data[at + 1] << 8))) : 0;
  }
  std::uint32_t handles() const { return U32(56) & 0xFFFF; }  // of the header
};

std::string At(const Record& r) {
  return "record " + std::to_string(r.type) + " at offset " + std::to_string(r.offset);
}

// Cuts the file into records up to the first that does not fit, which the
// returned text describes ("" when the records cover the file).
std::string Split(const Bytes& bytes, std::vector<Record>& records) {
  for (std::size_t offset = 0; offset < bytes.size();) {
    const std::size_t left = bytes.size() - offset;
    if (left < 8) return std::to_string(left) + " stray bytes at offset " + std::to_string(offset);
    Record r{bytes.data() + offset, offset, LoadU32(bytes.data() + offset),
             LoadU32(bytes.data() + offset + 4)};
    if (r.size < 8 || r.size % 4 != 0 || r.size > left)
      return At(r) + " has size " + std::to_string(r.size) + " with " + std::to_string(left) +
             " bytes left";
    records.push_back(r);
    offset += r.size;
  }
  return {};
}

// The size a record of its type must have after the header; 0 for a type
// the writer does not use there.
std::uint64_t SizeOf(const Record& r) {
  switch (r.type) {
    case emf::kEof: return emf::kEofSize;
    case emf::kSelectObject:
    case emf::kDeleteObject: return emf::kObjectRecordSize;
    case emf::kCreatePen: return emf::kCreatePenSize;
    case emf::kCreateBrushIndirect: return emf::kCreateBrushSize;
    case emf::kEllipse: return emf::kEllipseSize;
    case emf::kMoveToEx:
    case emf::kLineTo: return emf::kPointRecordSize;
    case emf::kBitBlt: return emf::kBitBltSize;
    case emf::kPolyline:
    case emf::kPolygon: return emf::kPolylineFixedSize + 8 * std::uint64_t(r.U32(24));
    case emf::kPolyline16:
    case emf::kPolygon16: return emf::kPolylineFixedSize + 4 * std::uint64_t(r.U32(24));
    case emf::kSetBkMode:
    case emf::kSetTextAlign:
    case emf::kSetTextColor: return emf::kStateRecordSize;
    case emf::kExtCreateFontIndirectW: return emf::kCreateFontSize;
    case emf::kExtTextOutW: {
      const std::uint64_t chars = r.U32(44);
      if (r.U32(48) != emf::kTextOutFixedSize ||
          r.U32(72) != emf::kTextOutFixedSize + (chars + 1) / 2 * 4)
        return 1;  // never a record's size
      return emf::kTextOutFixedSize + (chars + 1) / 2 * 4 + 4 * chars;
    }
    default: return 0;
  }
}

// The handle-table rules for object records; `live` holds a flag per slot.
std::string CheckHandle(const Record& r, std::vector<bool>& live) {
  const bool creates = r.type == emf::kCreatePen || r.type == emf::kCreateBrushIndirect ||
                       r.type == emf::kExtCreateFontIndirectW;
  if (!creates && r.type != emf::kSelectObject && r.type != emf::kDeleteObject) return {};
  const std::uint32_t h = r.U32(8);
  if (h & emf::kStockObject)
    return r.type == emf::kSelectObject && h <= emf::kLastStockObject
               ? std::string()
               : At(r) + " uses stock object " + std::to_string(h & ~emf::kStockObject);
  if (h == 0 || h >= live.size())
    return At(r) + " uses handle " + std::to_string(h) + " outside 1 to " +
           std::to_string(live.size() - 1);
  if (live[h] == creates)
    return At(r) + (creates ? " creates handle " : " uses handle ") + std::to_string(h) +
           (creates ? " while it is in use" : " before it is created");
  if (r.type != emf::kSelectObject) live[h] = creates;
  return {};
}

std::string CheckHeader(const Record& h, std::size_t fileSize) {
  if (h.type != emf::kHeader || h.size != emf::kHeaderSize)
    return "the file does not start with a header of " + std::to_string(emf::kHeaderSize) +
           " bytes";
  if (h.U32(40) != emf::kSignature || h.U32(44) != emf::kVersion)
    return "the header lacks the signature or version";
  if (h.U32(48) != fileSize)
    return "the header gives " + std::to_string(h.U32(48)) + " bytes but the file has " +
           std::to_string(fileSize);
  if (h.handles() == 0) return "the header's handle table has no reserved slot";
  return {};
}

struct Object {
  enum Kind { None, Pen, Brush, Font } kind = None;
  std::int32_t width = 0;  // a font's height
  TColor colour = 0;
};

// What text output depends on beyond the record.
struct TextState {
  std::int32_t height = 0;
  TColor colour = 0;
  TextAnchor anchor = TextAnchor::Left;
};

std::string Utf8(const Record& r, std::size_t at, std::size_t units) {
  std::string out;
  for (std::size_t i = 0; i < units; ++i) {
    std::uint32_t c = std::uint16_t(r.I16(at + 2 * i));
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < units) {
      c = 0x10000 + ((c - 0xD800) << 10) + (std::uint16_t(r.I16(at + 2 * ++i)) - 0xDC00);
    }
    // The lead byte marks the number of continuation bytes (6 bits each).
    const int more = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
    out += char(more == 0 ? c : ((0xFF << (7 - more)) & 0xFF) | (c >> (6 * more)));
    for (int k = more - 1; k >= 0; --k) out += char(0x80 | ((c >> (6 * k)) & 0x3F));
  }
  return out;
}

void Select(std::uint32_t h, const std::vector<Object>& objects, RecordingCanvas& canvas,
            TextState& text) {
  Object o;
  if (h == emf::kWhiteBrush) o = Object{Object::Brush, 0, Rgb(255, 255, 255)};
  if (h == emf::kBlackPen) o = Object{Object::Pen, 1, Rgb(0, 0, 0)};
  if (!(h & emf::kStockObject)) o = objects[h];
  if (o.kind == Object::Pen) {
    canvas.SetPenWidth(o.width);
    canvas.SetPenColour(o.colour);
  } else if (o.kind == Object::Brush) {
    canvas.SetBrushColour(o.colour);
  } else if (o.kind == Object::Font) {
    text.height = o.width;
  }
}

// Draws one record of a file that passed CheckEmfStructure.
void Replay(const Record& r, std::vector<Object>& objects, RecordingCanvas& canvas,
            TextState& text) {
  switch (r.type) {
    case emf::kExtCreateFontIndirectW: objects[r.U32(8)] = Object{Object::Font, -r.I32(12), 0}; break;
    case emf::kSetTextColor: text.colour = r.U32(8); break;
    case emf::kSetTextAlign:
      text.anchor = (r.U32(8) & emf::kTextAlignCentre) == emf::kTextAlignCentre ? TextAnchor::Centre
                    : (r.U32(8) & emf::kTextAlignRight)                        ? TextAnchor::Right
                                                                               : TextAnchor::Left;
      break;
    case emf::kExtTextOutW: {
      const TColor pen = canvas.PenColour();
      canvas.SetPenColour(text.colour);
      canvas.Text(TPoint{r.I32(36), r.I32(40)},
                  TextItem{Utf8(r, emf::kTextOutFixedSize, r.U32(44)), text.height, text.anchor});
      canvas.SetPenColour(pen);
      break;
    }
    case emf::kCreatePen: objects[r.U32(8)] = Object{Object::Pen, r.I32(16), r.U32(24)}; break;
    case emf::kCreateBrushIndirect: objects[r.U32(8)] = Object{Object::Brush, 0, r.U32(16)}; break;
    case emf::kSelectObject: Select(r.U32(8), objects, canvas, text); break;
    case emf::kBitBlt:
      if (r.U32(40) == emf::kPatCopy)
        canvas.FillRect(r.I32(24), r.I32(28), std::int32_t(r.U32(24) + r.U32(32)),
                        std::int32_t(r.U32(28) + r.U32(36)));
      break;
    case emf::kEllipse: canvas.Ellipse(r.I32(8), r.I32(12), r.I32(16), r.I32(20)); break;
    case emf::kMoveToEx: canvas.MoveTo(TPoint{r.I32(8), r.I32(12)}); break;
    case emf::kLineTo: canvas.LineTo(TPoint{r.I32(8), r.I32(12)}); break;
    case emf::kPolyline16:
    case emf::kPolyline:
    case emf::kPolygon16:
    case emf::kPolygon: {
      const bool small = r.type == emf::kPolyline16 || r.type == emf::kPolygon16;
      std::vector<TPoint> points(r.U32(24));
      for (std::size_t i = 0; i < points.size(); ++i)
        points[i] = small ? TPoint{r.I16(28 + 4 * i), r.I16(30 + 4 * i)}
                          : TPoint{r.I32(28 + 8 * i), r.I32(32 + 8 * i)};
      if (r.type == emf::kPolygon16 || r.type == emf::kPolygon)
        canvas.Polygon(points.data(), points.size());
      else
        canvas.Polyline(points.data(), points.size());
      break;
    }
    default: break;
  }
}

}  // namespace

std::string CheckEmfStructure(const Bytes& bytes) {
  std::vector<Record> records;
  const std::string split = Split(bytes, records);
  if (records.empty()) return split.empty() ? "the file is empty" : split;
  std::string fault = CheckHeader(records.front(), bytes.size());
  if (!fault.empty() || !split.empty()) return fault.empty() ? split : fault;
  if (records.front().U32(52) != records.size())
    return "the header gives " + std::to_string(records.front().U32(52)) +
           " records but the file has " + std::to_string(records.size());
  std::vector<bool> live(records.front().handles(), false);
  for (std::size_t i = 1; i < records.size(); ++i) {
    const Record& r = records[i];
    if (SizeOf(r) == 0) return At(r) + " is of a type the writer does not use";
    if (r.size != SizeOf(r)) return At(r) + " has the wrong size " + std::to_string(r.size);
    if (r.type == emf::kEof && i + 1 != records.size())
      return At(r) + " ends the picture before the last record";
    fault = CheckHandle(r, live);
    if (!fault.empty()) return fault;
  }
  if (records.back().type != emf::kEof) return "the file does not end with an EOF record";
  return {};
}

void PrintTo(const EffectiveDraw& d, std::ostream* os) {
  *os << "{op " << int(d.op) << " " << d.a << "," << d.b << "," << d.c << "," << d.d << " points "
      << d.points.size() << " pen " << d.penWidth << "/" << d.penColour << " brush "
      << d.brushColour << "}";
}

std::vector<EffectiveDraw> EffectiveDrawing(const Picture& picture) {
  std::vector<EffectiveDraw> out;
  std::int32_t penWidth = 1;
  TColor penColour = Rgb(0, 0, 0), brushColour = Rgb(255, 255, 255);
  TPoint position;  // where the next line starts
  const std::vector<TPoint>& points = picture.points();
  for (const DrawRecord& r : picture.records()) {
    EffectiveDraw d{r.op, r.a, r.b, r.c, r.d, {}, penWidth, penColour, brushColour, {}};
    switch (r.op) {
      case DrawOp::PenWidth: penWidth = r.a; continue;
      case DrawOp::PenColour: penColour = TColor(r.a); continue;
      case DrawOp::BrushColour: brushColour = TColor(r.a); continue;
      case DrawOp::MoveTo: position = TPoint{r.a, r.b}; continue;
      case DrawOp::FillRect: d.penWidth = 0, d.penColour = 0; break;
      case DrawOp::Ellipse: break;
      case DrawOp::LineTo:
        d = EffectiveDraw{r.op, position.x, position.y, r.a, r.b, {}, penWidth, penColour, 0, {}};
        position = TPoint{r.a, r.b};
        break;
      case DrawOp::Text: {
        const TextItem none;
        const TextItem& item =
            r.a >= 0 && std::size_t(r.a) < picture.texts().size() ? picture.texts()[std::size_t(r.a)] : none;
        d = EffectiveDraw{r.op, r.b, r.c, item.height, std::int32_t(item.anchor), {}, 0, penColour, 0, {}};
        d.text = item.utf8;
        break;
      }
      case DrawOp::Polygon:
      case DrawOp::Polyline: {
        const std::size_t first = std::min(std::size_t(std::max(r.a, 0)), points.size());
        const std::size_t count = std::min(std::size_t(std::max(r.b, 0)), points.size() - first);
        d = EffectiveDraw{r.op, 0, 0, 0, 0, {}, penWidth, penColour,
                          r.op == DrawOp::Polygon ? brushColour : 0, {}};
        d.points.assign(points.begin() + std::ptrdiff_t(first),
                        points.begin() + std::ptrdiff_t(first + count));
        break;
      }
    }
    out.push_back(std::move(d));
  }
  return out;
}

std::vector<EffectiveDraw> EffectiveDrawingOfEmf(const Bytes& bytes, std::string& error) {
  error = CheckEmfStructure(bytes);
  if (!error.empty()) return {};
  std::vector<Record> records;
  Split(bytes, records);
  std::vector<Object> objects(records.front().handles());
  Picture picture;
  {
    RecordingCanvas canvas(picture);
    TextState text;
    for (const Record& r : records) Replay(r, objects, canvas, text);
  }
  return EffectiveDrawing(picture);
}

}  // namespace orniva
