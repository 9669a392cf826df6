#include "tests/support/emf_check.h"

#include <algorithm>

namespace orniva {
namespace {

// One record, pointing into the file's bytes.
struct Record {
  const std::uint8_t* data = nullptr;
  std::uint32_t size = 8;  // the whole record, type and size fields included

  // Little-endian fields `at` bytes from the record's start; 0 beyond it.
  std::uint16_t U16(std::size_t at) const {
    return at + 2 <= size ? std::uint16_t(data[at] | data[at + 1] << 8) : 0;
  }
  std::uint32_t U32(std::size_t at) const {
    return at + 4 <= size ? U16(at) | std::uint32_t(U16(at + 2)) << 16 : 0;
  }
  std::int32_t I32(std::size_t at) const { return std::int32_t(U32(at)); }
  std::uint32_t type() const { return U32(0); }
};

// A slot of the handle table.
struct Object {
  enum Kind { None, Pen, Brush } kind = None;
  std::int32_t width = 0;
  TColor colour = 0;
};
using Objects = std::vector<Object>;

// Puts `object` in the handle table (an empty one deletes). A handle beyond
// the table is dropped: the drawing then differs from the picture's.
void Store(const Record& r, Objects& objects, Object object) {
  if (r.U32(8) < objects.size()) objects[r.U32(8)] = object;
}

void Select(const Record& r, const Objects& objects, RecordingCanvas& canvas) {
  const std::uint32_t h = r.U32(8);
  const Object o = h == emf::kWhiteBrush ? Object{Object::Brush, 0, Rgb(255, 255, 255)}
                   : h == emf::kBlackPen ? Object{Object::Pen, 1, Rgb(0, 0, 0)}
                   : h < objects.size()  ? objects[h]
                                         : Object();
  if (o.kind == Object::Pen) {
    canvas.SetPenWidth(o.width);
    canvas.SetPenColour(o.colour);
  } else if (o.kind == Object::Brush) {
    canvas.SetBrushColour(o.colour);
  }
}

// Draws one record after the header; returns the rule it breaks, or "". A
// record of fixed size is not measured: the writer's sizes are constants,
// which the byte-exact tests pin.
std::string Replay(const Record& r, Objects& objects, RecordingCanvas& canvas) {
  switch (r.type()) {
    case emf::kEof: break;
    case emf::kCreatePen: Store(r, objects, Object{Object::Pen, r.I32(16), r.U32(24)}); break;
    case emf::kCreateBrushIndirect: Store(r, objects, Object{Object::Brush, 0, r.U32(16)}); break;
    case emf::kSelectObject: Select(r, objects, canvas); break;
    case emf::kDeleteObject: Store(r, objects, Object()); break;
    case emf::kBitBlt:
      if (r.U32(40) == emf::kPatCopy)
        canvas.FillRect(r.I32(24), r.I32(28), std::int32_t(r.U32(24) + r.U32(32)),
                        std::int32_t(r.U32(28) + r.U32(36)));
      break;
    case emf::kEllipse: canvas.Ellipse(r.I32(8), r.I32(12), r.I32(16), r.I32(20)); break;
    case emf::kMoveToEx: canvas.MoveTo(TPoint{r.I32(8), r.I32(12)}); break;
    case emf::kLineTo: canvas.LineTo(TPoint{r.I32(8), r.I32(12)}); break;
    case emf::kPolyline16:
    case emf::kPolyline: {
      const bool small = r.type() == emf::kPolyline16;
      const std::uint64_t count = r.U32(24);
      if (r.size != emf::kPolylineFixedSize + (small ? 4 : 8) * count)
        return " has the wrong size " + std::to_string(r.size);
      std::vector<TPoint> points(count);
      for (std::size_t i = 0; i < points.size(); ++i)
        points[i] = small ? TPoint{std::int16_t(r.U16(28 + 4 * i)), std::int16_t(r.U16(30 + 4 * i))}
                          : TPoint{r.I32(28 + 8 * i), r.I32(32 + 8 * i)};
      canvas.Polyline(points.data(), points.size());
      break;
    }
    default: return " is of a type the diagrams under the fuzz targets do not draw";
  }
  return {};
}

// Replays the whole file; returns its first fault, or "". The header's
// counts of bytes and records are left to the byte-exact tests.
std::string ReplayFile(const std::vector<std::uint8_t>& bytes, Picture& picture) {
  if (bytes.size() < emf::kHeaderSize) return "the file is shorter than a header";
  const Record header{bytes.data(), emf::kHeaderSize};
  if (header.type() != emf::kHeader || header.U32(4) != emf::kHeaderSize)
    return "the file does not start with a header of " + std::to_string(emf::kHeaderSize) + " bytes";
  Objects objects(header.U32(56) & 0xFFFF);
  RecordingCanvas canvas(picture);
  std::uint32_t type = 0;
  for (std::size_t offset = emf::kHeaderSize; offset < bytes.size();) {
    const std::string at = "record at offset " + std::to_string(offset);
    if (type == emf::kEof) return at + " follows the EOF record";
    const std::size_t left = bytes.size() - offset;
    Record r{bytes.data() + offset, std::uint32_t(std::min<std::size_t>(left, 8))};
    r.size = r.U32(4);
    type = r.type();
    if (r.size < 8 || r.size % 4 != 0 || r.size > left)
      return at + " has size " + std::to_string(r.size) + " with " + std::to_string(left) + " bytes left";
    const std::string fault = Replay(r, objects, canvas);
    if (!fault.empty()) return at + " (type " + std::to_string(r.type()) + ")" + fault;
    offset += r.size;
  }
  return type == emf::kEof ? "" : "the file does not end with an EOF record";
}

}  // namespace

void PrintTo(const EffectiveDraw& d, std::ostream* os) {
  *os << "{op " << int(d.op) << " points";
  for (const TPoint& p : d.points) *os << " " << p.x << "," << p.y;
  *os << " pen " << d.penWidth << "/" << d.penColour << " brush " << d.brushColour << " " << d.text << "}";
}

std::vector<EffectiveDraw> EffectiveDrawing(const Picture& picture) {
  std::vector<EffectiveDraw> out;
  std::int32_t penWidth = 1;
  TColor penColour = Rgb(0, 0, 0), brushColour = Rgb(255, 255, 255);
  TPoint position;  // where the next line starts
  const std::vector<TPoint>& points = picture.points();
  const std::vector<TextItem>& texts = picture.texts();
  for (const DrawRecord& r : picture.records()) {
    EffectiveDraw d{r.op, {{r.a, r.b}, {r.c, r.d}}, penWidth, penColour, brushColour, {}};
    switch (r.op) {
      case DrawOp::PenWidth: penWidth = r.a; continue;
      case DrawOp::PenColour: penColour = TColor(r.a); continue;
      case DrawOp::BrushColour: brushColour = TColor(r.a); continue;
      case DrawOp::MoveTo: position = TPoint{r.a, r.b}; continue;
      case DrawOp::FillRect: d.penWidth = 0, d.penColour = 0; break;
      case DrawOp::Ellipse: break;
      case DrawOp::LineTo:
        d.points = {position, {r.a, r.b}}, d.brushColour = 0;
        position = TPoint{r.a, r.b};
        break;
      case DrawOp::Text: {
        const TextItem item =
            r.a >= 0 && std::size_t(r.a) < texts.size() ? texts[std::size_t(r.a)] : TextItem();
        d = EffectiveDraw{r.op, {{r.b, r.c}, {item.height, std::int32_t(item.anchor)}}, 0, penColour, 0,
                          item.utf8};
        break;
      }
      case DrawOp::Polygon:
      case DrawOp::Polyline: {
        const std::size_t first = std::min(std::size_t(std::max(r.a, 0)), points.size());
        const std::size_t count = std::min(std::size_t(std::max(r.b, 0)), points.size() - first);
        d.points.assign(points.begin() + std::ptrdiff_t(first),
                        points.begin() + std::ptrdiff_t(first + count));
        if (r.op == DrawOp::Polyline) d.brushColour = 0;
        break;
      }
    }
    out.push_back(std::move(d));
  }
  return out;
}

std::vector<EffectiveDraw> EffectiveDrawingOfEmf(const std::vector<std::uint8_t>& bytes,
                                                 std::string& error) {
  Picture picture;
  error = ReplayFile(bytes, picture);
  return error.empty() ? EffectiveDrawing(picture) : std::vector<EffectiveDraw>();
}

}  // namespace orniva
