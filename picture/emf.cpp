#include "picture/emf.h"

#include <algorithm>
#include <cassert>
#include <limits>
#include <string>

#include "platform/atomic_file.h"
#include "picture/emf_format.h"
#include "platform/file_error.h"

namespace orniva {
namespace {

// The reference device: a 96 dpi screen whose size in millimetres is whole,
// so that players deriving the resolution from it get 96 dpi exactly.
constexpr std::int32_t kDeviceWidth = 1920;   // 508 mm
constexpr std::int32_t kDeviceHeight = 1440;  // 381 mm

// Pixels at 96 per inch to 0.01 mm, rounded.
std::int32_t HundredthsOfMm(std::int32_t pixels) {
  const std::int64_t scaled = std::int64_t(pixels) * 2540;
  return std::int32_t(scaled >= 0 ? (scaled + 48) / 96 : (scaled - 48) / 96);
}
// Pixels at 96 per inch to micrometres, rounded.
std::int32_t Micrometres(std::int32_t pixels) {
  return std::int32_t((std::int64_t(pixels) * 25400 + 48) / 96);
}

std::int32_t Clamp32(std::int64_t v) {
  return std::int32_t(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                               std::numeric_limits<std::int32_t>::max()));
}

// An inclusive rectangle, empty while left > right.
struct Box {
  std::int64_t left = 0, top = 0, right = -1, bottom = -1;

  bool empty() const { return left > right || top > bottom; }
  void Add(const Box& o) {
    if (o.empty()) return;
    if (empty()) {
      *this = o;
      return;
    }
    left = std::min(left, o.left);
    top = std::min(top, o.top);
    right = std::max(right, o.right);
    bottom = std::max(bottom, o.bottom);
  }
  Box Inflated(std::int64_t by) const {
    return empty() ? *this : Box{left - by, top - by, right + by, bottom + by};
  }
};

Box PointsBox(const TPoint* points, std::size_t count) {
  if (count == 0) return Box{};
  std::int32_t minX = points[0].x, maxX = minX, minY = points[0].y, maxY = minY;
  for (std::size_t i = 1; i < count; ++i) {
    minX = std::min(minX, points[i].x);
    maxX = std::max(maxX, points[i].x);
    minY = std::min(minY, points[i].y);
    maxY = std::max(maxY, points[i].y);
  }
  return Box{minX, minY, maxX, maxY};
}

bool Fits16(const Box& box) {
  return box.empty() || (box.left >= std::numeric_limits<std::int16_t>::min() &&
                         box.top >= std::numeric_limits<std::int16_t>::min() &&
                         box.right <= std::numeric_limits<std::int16_t>::max() &&
                         box.bottom <= std::numeric_limits<std::int16_t>::max());
}

// First pass: counts the bytes and records the writer will emit.
class Measure {
 public:
  static constexpr bool kWrites = false;

  void Begin(std::uint32_t /*type*/, std::uint32_t size) {
    bytes += size;
    ++records;
  }
  void U32(std::uint32_t) {}
  void I32(std::int32_t) {}
  void Points16(const TPoint*, std::size_t) {}
  void Points32(const TPoint*, std::size_t) {}
  void Chars(const std::u16string&, std::size_t) {}

  std::size_t bytes = 0;
  std::uint32_t records = 0;
};

// Second pass: stores little-endian into a buffer sized by the first.
class Store {
 public:
  static constexpr bool kWrites = true;

  explicit Store(std::uint8_t* at) : at_(at) {}

  void Begin(std::uint32_t type, std::uint32_t size) {
    U32(type);
    U32(size);
  }
  void U32(std::uint32_t v) {
    at_[0] = std::uint8_t(v);
    at_[1] = std::uint8_t(v >> 8);
    at_[2] = std::uint8_t(v >> 16);
    at_[3] = std::uint8_t(v >> 24);
    at_ += 4;
  }
  void I32(std::int32_t v) { U32(std::uint32_t(v)); }
  void Points16(const TPoint* points, std::size_t count) {
    std::uint8_t* at = at_;
    for (std::size_t i = 0; i < count; ++i, at += 4) {
      const auto x = std::uint16_t(points[i].x), y = std::uint16_t(points[i].y);
      at[0] = std::uint8_t(x);
      at[1] = std::uint8_t(x >> 8);
      at[2] = std::uint8_t(y);
      at[3] = std::uint8_t(y >> 8);
    }
    at_ = at;
  }
  void Points32(const TPoint* points, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
      I32(points[i].x);
      I32(points[i].y);
    }
  }

  // The UTF-16 code units of `text`, then zeros up to `units` in all.
  void Chars(const std::u16string& text, std::size_t units) {
    for (std::size_t i = 0; i < units; ++i, at_ += 2) {
      const std::uint16_t c = i < text.size() ? std::uint16_t(text[i]) : 0;
      at_[0] = std::uint8_t(c);
      at_[1] = std::uint8_t(c >> 8);
    }
  }

  const std::uint8_t* at() const { return at_; }

 private:
  std::uint8_t* at_;
};

// UTF-8 to UTF-16; a malformed sequence becomes U+FFFD.
std::u16string Utf16(const std::string& utf8) {
  std::u16string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto c = std::uint8_t(utf8[i]);
    const int extra = c < 0x80         ? 0
                      : (c >> 5) == 6  ? 1
                      : (c >> 4) == 14 ? 2
                      : (c >> 3) == 30 ? 3
                                       : -1;
    std::uint32_t code = extra == 0 ? c : extra == 1 ? c & 0x1F : extra == 2 ? c & 0x0F : c & 0x07;
    bool ok = extra >= 0 && i + std::size_t(extra) < utf8.size();
    for (int k = 1; ok && k <= extra; ++k) {
      const auto next = std::uint8_t(utf8[i + std::size_t(k)]);
      ok = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3F);
    }
    if (!ok || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      out.push_back(u'\uFFFD');
      ++i;
      continue;
    }
    i += std::size_t(extra) + 1;
    if (code >= 0x10000) {
      code -= 0x10000;
      out.push_back(char16_t(0xD800 + (code >> 10)));
      out.push_back(char16_t(0xDC00 + (code & 0x3FF)));
    } else {
      out.push_back(char16_t(code));
    }
  }
  return out;
}

// The advance of a character in a sans-serif face, in thousandths of the
// font height: the common Helvetica-compatible widths for printable ASCII,
// 600 for everything else. Players that place each glyph by the record's
// advances then space the text as the face itself would.
std::int32_t Advance(char16_t c) {
  static constexpr std::int16_t kAscii[95] = {
      278,  278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,
      556,  556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,
      1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778,
      667,  778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,
      333,  556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,
      556,  556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};
  return c >= 32 && c <= 126 ? kAscii[c - 32] : 600;
}

struct Pen {
  std::int32_t width = 1;
  TColor colour = Rgb(0, 0, 0);
  bool operator!=(const Pen& o) const { return width != o.width || colour != o.colour; }
};

// Emits the records between the header and EOF.
//
// Pens, brushes and fonts are created lazily, right before the first record
// that draws with them, in the lowest free slot of the handle table; the
// object they replace is deleted once the new one is selected, so at most
// four objects live at a time.
//
// Some players treat the file as a sequence of paths and styles rather than
// as device-context state, and the writer keeps to what such players read
// the same way:
// - A pattern fill is drawn with the null pen selected, since some players
//   outline the filled rectangle with the current pen.
// - After an ellipse whose outline and fill have the same colour the pen is
//   selected again before it is next used, since some players then drop the
//   outline from their state for good.
// - A move is written right before the line that starts there, after any
//   object selection, since a selection ends the path some players are
//   collecting and a line without its move would be lost. Moves that no
//   line follows draw nothing and are left out.
template <class Out>
class Body {
 public:
  Body(const Picture& picture, Out& out) : picture_(picture), out_(out) {}

  void Run() {
    const std::vector<TPoint>& points = picture_.points();
    for (const DrawRecord& r : picture_.records()) {
      switch (r.op) {
        case DrawOp::PenWidth:
          pen_.width = r.a;
          break;
        case DrawOp::PenColour:
          pen_.colour = TColor(r.a);
          break;
        case DrawOp::BrushColour:
          brush_ = TColor(r.a);
          break;
        case DrawOp::FillRect:
          FillRect(r);
          break;
        case DrawOp::Ellipse:
          UsePen();
          UseBrush();
          Begin(emf::kEllipse, emf::kEllipseSize);
          Rect(r.a, r.b, r.c, r.d);
          Draw(Box{r.a, r.b, std::int64_t(r.c) - 1, std::int64_t(r.d) - 1}, true);
          if (selectedPen_.colour == selectedBrush_) penSelected_ = false;
          break;
        case DrawOp::MoveTo:
          position_ = TPoint{r.a, r.b};
          break;
        case DrawOp::LineTo: {
          UsePen();
          if (!lineRun_ || written_ != position_) {
            Begin(emf::kMoveToEx, emf::kPointRecordSize);
            out_.I32(position_.x);
            out_.I32(position_.y);
          }
          Begin(emf::kLineTo, emf::kPointRecordSize);
          out_.I32(r.a);
          out_.I32(r.b);
          const TPoint segment[2] = {position_, TPoint{r.a, r.b}};
          Draw(PointsBox(segment, 2), true);
          position_ = written_ = segment[1];
          break;
        }
        case DrawOp::Polyline:
        case DrawOp::Polygon: {
          // Clamped to the stored points; the canvas never records more.
          const std::size_t first =
              std::min<std::size_t>(std::size_t(std::max(r.a, 0)), points.size());
          const std::size_t count =
              std::min<std::size_t>(std::size_t(std::max(r.b, 0)), points.size() - first);
          Poly(points.data() + first, count, r.op == DrawOp::Polygon);
          break;
        }
        case DrawOp::Text:
          if (r.a >= 0 && std::size_t(r.a) < picture_.texts().size())
            Text(picture_.texts()[std::size_t(r.a)], TPoint{r.b, r.c});
          break;
      }
    }
    Release();
  }

  std::uint16_t handles() const { return std::uint16_t(highestHandle_ + 1); }
  const Box& bounds() const { return bounds_; }

 private:
  void Begin(std::uint32_t type, std::uint32_t size) {
    out_.Begin(type, size);
    lineRun_ = type == emf::kMoveToEx || type == emf::kLineTo;
  }

  void Rect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) {
    out_.I32(Clamp32(left));
    out_.I32(Clamp32(top));
    out_.I32(Clamp32(right));
    out_.I32(Clamp32(bottom));
  }

  // Adds what a drawing record covers to the header's bounds, widened by
  // half the pen for outlines.
  void Draw(const Box& box, bool outlined) {
    if constexpr (!Out::kWrites) {
      bounds_.Add(outlined ? box.Inflated(std::max(selectedPen_.width, 1) / 2) : box);
    } else {
      (void)box;
      (void)outlined;
    }
  }

  void FillRect(const DrawRecord& r) {
    UseBrush();
    if (penSelected_) {
      Select(emf::kNullPen);
      penSelected_ = false;
    }
    const Box box{r.a, r.b, std::int64_t(r.c) - 1, std::int64_t(r.d) - 1};
    Begin(emf::kBitBlt, emf::kBitBltSize);
    Rect(box.left, box.top, box.right, box.bottom);  // rclBounds
    out_.I32(r.a);                                   // xDest
    out_.I32(r.b);                                   // yDest
    out_.I32(Clamp32(std::int64_t(r.c) - r.a));      // cxDest
    out_.I32(Clamp32(std::int64_t(r.d) - r.b));      // cyDest
    out_.U32(emf::kPatCopy);
    out_.I32(0);  // xSrc
    out_.I32(0);  // ySrc
    // xformSrc: the identity, as IEEE floats eM11, eM12, eM21, eM22, eDx, eDy.
    constexpr std::uint32_t kOne = 0x3F800000;
    out_.U32(kOne);
    out_.U32(0);
    out_.U32(0);
    out_.U32(kOne);
    out_.U32(0);
    out_.U32(0);
    out_.U32(0);  // crBkColorSrc
    out_.U32(0);  // iUsageSrc
    out_.U32(0);  // offBmiSrc
    out_.U32(0);  // cbBmiSrc
    out_.U32(0);  // offBitsSrc
    out_.U32(0);  // cbBitsSrc
    Draw(box, false);
  }

  // A polyline, or a polygon outlined with the pen and filled with the brush.
  void Poly(const TPoint* points, std::size_t count, bool closed) {
    UsePen();
    if (closed) UseBrush();
    const Box box = PointsBox(points, count);
    const bool small = Fits16(box);
    const std::size_t size = emf::kPolylineFixedSize + count * (small ? 4 : 8);
    const std::uint32_t type = closed ? (small ? emf::kPolygon16 : emf::kPolygon)
                                      : (small ? emf::kPolyline16 : emf::kPolyline);
    Begin(type, std::uint32_t(size));
    if (box.empty())
      Rect(0, 0, -1, -1);
    else
      Rect(box.left, box.top, box.right, box.bottom);
    out_.U32(std::uint32_t(count));
    if (small)
      out_.Points16(points, count);
    else
      out_.Points32(points, count);
    Draw(box, true);
    if (closed && selectedPen_.colour == selectedBrush_) penSelected_ = false;
  }

  void State(std::uint32_t type, std::uint32_t value) {
    Begin(type, emf::kStateRecordSize);
    out_.U32(value);
  }

  // One line of text: the font of its height, the pen's colour, no
  // background, the anchor on the baseline, and the advance of every
  // character.
  void Text(const TextItem& item, TPoint anchor) {
    const std::u16string text = Utf16(item.utf8);
    if (text.empty()) return;
    UseFont(std::max(item.height, 1));
    if (!textStateSet_) State(emf::kSetBkMode, emf::kTransparent);
    if (!textStateSet_ || textColour_ != pen_.colour) State(emf::kSetTextColor, pen_.colour);
    const std::uint32_t align =
        emf::kTextAlignBaseline | (item.anchor == TextAnchor::Centre  ? emf::kTextAlignCentre
                                   : item.anchor == TextAnchor::Right ? emf::kTextAlignRight
                                                                      : 0);
    if (!textStateSet_ || align_ != align) State(emf::kSetTextAlign, align);
    textStateSet_ = true;
    textColour_ = pen_.colour;
    align_ = align;

    const std::int64_t height = fontHeight_;
    std::vector<std::int32_t> advances(text.size());
    std::int64_t width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      advances[i] = std::int32_t((Advance(text[i]) * height + 500) / 1000);
      width += advances[i];
    }
    const std::int64_t left = anchor.x - (item.anchor == TextAnchor::Centre  ? width / 2
                                          : item.anchor == TextAnchor::Right ? width
                                                                             : 0);
    const Box box{left, anchor.y - height, left + width, anchor.y + height / 4};
    const std::size_t units = (text.size() + 1) / 2 * 2;  // padded to 4 bytes
    const std::size_t size = emf::kTextOutFixedSize + 2 * units + 4 * text.size();
    Begin(emf::kExtTextOutW, std::uint32_t(size));
    Rect(box.left, box.top, box.right, box.bottom);  // rclBounds
    out_.U32(emf::kGmCompatible);
    out_.U32(0);  // exScale, eyScale: unused in the compatible mode
    out_.U32(0);
    out_.I32(anchor.x);  // ptlReference
    out_.I32(anchor.y);
    out_.U32(std::uint32_t(text.size()));
    out_.U32(emf::kTextOutFixedSize);                             // offString
    out_.U32(0);                                                  // fuOptions
    Rect(0, 0, -1, -1);                                           // rcl: no clipping or opaque box
    out_.U32(std::uint32_t(emf::kTextOutFixedSize + 2 * units));  // offDx
    out_.Chars(text, units);
    for (std::int32_t advance : advances) out_.I32(advance);
    Draw(box, false);
  }

  void UseFont(std::int32_t height) {
    if (fontHandle_ != 0 && fontHeight_ == height) return;
    const std::uint32_t h = NewHandle();
    Begin(emf::kExtCreateFontIndirectW, emf::kCreateFontSize);
    out_.U32(h);
    out_.I32(-height);  // lfHeight: the character (em) height
    out_.I32(0);        // lfWidth
    out_.I32(0);        // lfEscapement
    out_.I32(0);        // lfOrientation
    out_.U32(emf::kFontWeightNormal);
    // Italic, underline, strike-out, charset; precisions, quality, family.
    out_.U32(std::uint32_t(emf::kDefaultCharset) << 24);
    out_.U32(std::uint32_t(emf::kSwissVariablePitch) << 24);
    out_.Chars(u"Arial", emf::kFaceNameChars);
    Select(h);
    Delete(fontHandle_);
    fontHandle_ = h;
    fontHeight_ = height;
  }

  std::uint32_t NewHandle() {
    std::uint32_t h = 1;
    while (live_ & (1u << h)) ++h;
    live_ |= 1u << h;
    highestHandle_ = std::max(highestHandle_, h);
    return h;
  }

  void Select(std::uint32_t h) {
    Begin(emf::kSelectObject, emf::kObjectRecordSize);
    out_.U32(h);
  }

  // Deletes `h` (nothing for 0), which must no longer be selected.
  void Delete(std::uint32_t h) {
    if (h == 0) return;
    Begin(emf::kDeleteObject, emf::kObjectRecordSize);
    out_.U32(h);
    live_ &= ~(1u << h);
  }

  void UsePen() {
    if (penHandle_ != 0 && !(pen_ != selectedPen_)) {
      if (!penSelected_) Select(penHandle_);
      penSelected_ = true;
      return;
    }
    const std::uint32_t h = NewHandle();
    Begin(emf::kCreatePen, emf::kCreatePenSize);
    out_.U32(h);
    out_.U32(emf::kPenSolid);
    out_.I32(pen_.width);  // lopnWidth.x
    out_.I32(0);           // lopnWidth.y, unused
    out_.U32(pen_.colour);
    Select(h);
    Delete(penHandle_);
    penHandle_ = h;
    selectedPen_ = pen_;
    penSelected_ = true;
  }

  void UseBrush() {
    if (brushHandle_ != 0 && brush_ == selectedBrush_) return;
    const std::uint32_t h = NewHandle();
    Begin(emf::kCreateBrushIndirect, emf::kCreateBrushSize);
    out_.U32(h);
    out_.U32(emf::kBrushSolid);
    out_.U32(brush_);
    out_.U32(0);  // lbHatch
    Select(h);
    Delete(brushHandle_);
    brushHandle_ = h;
    selectedBrush_ = brush_;
  }

  // Puts the stock objects back and deletes ours.
  void Release() {
    if (penHandle_ != 0) {
      Select(emf::kBlackPen);
      Delete(penHandle_);
    }
    if (brushHandle_ != 0) {
      Select(emf::kWhiteBrush);
      Delete(brushHandle_);
    }
    if (fontHandle_ != 0) {
      Select(emf::kSystemFont);
      Delete(fontHandle_);
    }
    penHandle_ = brushHandle_ = fontHandle_ = 0;
    penSelected_ = false;
  }

  const Picture& picture_;
  Out& out_;
  Pen pen_;  // as recorded so far
  TColor brush_ = Rgb(255, 255, 255);
  Pen selectedPen_;                // our pen in the table
  TColor selectedBrush_ = 0;       // our brush in the table
  std::uint32_t penHandle_ = 0;    // 0 until a pen of ours exists
  std::uint32_t brushHandle_ = 0;  // 0 until a brush of ours exists
  bool penSelected_ = false;       // our pen is the selected one
  std::uint32_t fontHandle_ = 0;   // 0 until a font of ours exists
  std::int32_t fontHeight_ = 0;
  bool textStateSet_ = false;  // background mode, text colour and alignment written
  TColor textColour_ = 0;
  std::uint32_t align_ = 0;
  std::uint32_t live_ = 0;  // bit h set while slot h holds an object
  std::uint32_t highestHandle_ = 0;
  TPoint position_;       // current position as recorded
  TPoint written_;        // current position as written
  bool lineRun_ = false;  // the last record was a move or a line
  Box bounds_;
};

}  // namespace

std::vector<std::uint8_t> EncodeEmf(const Picture& picture) {
  Measure measure;
  Body<Measure> layout(picture, measure);
  layout.Run();
  const std::size_t total = emf::kHeaderSize + measure.bytes + emf::kEofSize;
  const std::uint32_t records = measure.records + 2;

  std::vector<std::uint8_t> bytes(total);
  Store out(bytes.data());

  out.Begin(emf::kHeader, emf::kHeaderSize);
  // What is drawn, within the picture: drawing outside it is not part of
  // the picture, and players that place the picture by these bounds then
  // keep its origin.
  Box bounds = layout.bounds();
  bounds.left = std::max<std::int64_t>(bounds.left, 0);
  bounds.top = std::max<std::int64_t>(bounds.top, 0);
  bounds.right = std::min<std::int64_t>(bounds.right, std::int64_t(picture.width()) - 1);
  bounds.bottom = std::min<std::int64_t>(bounds.bottom, std::int64_t(picture.height()) - 1);
  if (bounds.empty()) {
    out.I32(0);
    out.I32(0);
    out.I32(-1);
    out.I32(-1);
  } else {
    out.I32(Clamp32(bounds.left));
    out.I32(Clamp32(bounds.top));
    out.I32(Clamp32(bounds.right));
    out.I32(Clamp32(bounds.bottom));
  }
  out.I32(0);  // rclFrame
  out.I32(0);
  out.I32(HundredthsOfMm(picture.width()));
  out.I32(HundredthsOfMm(picture.height()));
  out.U32(emf::kSignature);
  out.U32(emf::kVersion);
  out.U32(std::uint32_t(total));
  out.U32(records);
  out.U32(layout.handles());  // nHandles, then sReserved 0
  out.U32(0);                 // nDescription
  out.U32(0);                 // offDescription
  out.U32(0);                 // nPalEntries
  out.I32(kDeviceWidth);
  out.I32(kDeviceHeight);
  out.I32(Clamp32((std::int64_t(kDeviceWidth) * 254 + 480) / 960));  // szlMillimeters
  out.I32(Clamp32((std::int64_t(kDeviceHeight) * 254 + 480) / 960));
  out.U32(0);  // cbPixelFormat
  out.U32(0);  // offPixelFormat
  out.U32(0);  // bOpenGL
  out.I32(Micrometres(kDeviceWidth));
  out.I32(Micrometres(kDeviceHeight));

  Body<Store> body(picture, out);
  body.Run();

  out.Begin(emf::kEof, emf::kEofSize);
  out.U32(0);   // nPalEntries
  out.U32(16);  // offPalEntries
  out.U32(emf::kEofSize);
  assert(out.at() == bytes.data() + bytes.size());
  return bytes;
}

void SaveEmf(const Picture& picture, const std::string& path) {
  const std::vector<std::uint8_t> bytes = EncodeEmf(picture);
  WriteFileAtomically(path,
                      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace orniva
