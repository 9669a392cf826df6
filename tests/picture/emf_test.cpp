#include "picture/emf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <vector>

namespace orniva {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Ints = std::vector<std::int32_t>;
using Words = std::vector<std::uint32_t>;
using C = RecordingCanvas;

constexpr TColor kBlack = Rgb(0, 0, 0), kWhite = Rgb(255, 255, 255), kRed = Rgb(255, 0, 0),
                 kGreen = Rgb(0, 255, 0), kBlue = Rgb(0, 0, 255);

Picture Record(const std::function<void(C&)>& draw, std::int32_t width = 1000,
               std::int32_t height = 1000) {
  Picture picture;
  picture.SetSize(width, height);
  C canvas(picture);
  draw(canvas);
  canvas.Close();
  return picture;
}
void Poly(C& c, std::initializer_list<TPoint> points) { c.Polyline(points.begin(), points.size()); }

// The independent model of the file: each record as its type and 32-bit
// fields, laid out by hand from the format's record tables (type numbers,
// field order); its size field is 8 + 4 * fields.
struct Rec {
  std::uint32_t type;
  Words fields;
};
constexpr std::uint32_t kStockWhiteBrush = 0x80000000, kStockBlackPen = 0x80000007,
                        kStockNullPen = 0x80000008;
Rec Pen(std::uint32_t h, std::uint32_t width, TColor c) { return {38, {h, 0, width, 0, c}}; }
Rec Brush(std::uint32_t h, TColor c) { return {39, {h, 0, c, 0}}; }
Rec Sel(std::uint32_t h) { return {37, {h}}; }
Rec Del(std::uint32_t h) { return {40, {h}}; }
Rec Move(std::uint32_t x, std::uint32_t y) { return {27, {x, y}}; }
Rec Line(std::uint32_t x, std::uint32_t y) { return {54, {x, y}}; }
Rec Ell(const Words& box) { return {42, box}; }
// BITBLT without a source: inclusive bounds, destination x, y, cx, cy,
// PATCOPY, source x, y, identity transform (floats), then colour and bitmap 0.
Rec Fill(Ints box, Ints dest) {
  Words f(box.begin(), box.end());
  f.insert(f.end(), dest.begin(), dest.end());
  f.insert(f.end(), {0x00F00021, 0, 0, 0x3F800000, 0, 0, 0x3F800000, 0, 0, 0, 0, 0, 0, 0, 0});
  return {76, f};
}
// POLYLINE16 (x, y as two int16 in one field) or POLYLINE: bounds, count, points.
Rec Poly(bool wide, const std::vector<TPoint>& p) {
  const auto [x0, x1] =
      std::minmax_element(p.begin(), p.end(), [](TPoint a, TPoint b) { return a.x < b.x; });
  const auto [y0, y1] =
      std::minmax_element(p.begin(), p.end(), [](TPoint a, TPoint b) { return a.y < b.y; });
  Words f = {Words::value_type(x0->x), Words::value_type(y0->y), Words::value_type(x1->x),
             Words::value_type(y1->y), Words::value_type(p.size())};
  for (const TPoint q : p)
    if (wide)
      f.insert(f.end(), {std::uint32_t(q.x), std::uint32_t(q.y)});
    else
      f.push_back(std::uint16_t(q.x) | std::uint32_t(std::uint16_t(q.y)) << 16);
  return {wide ? 4u : 87u, f};
}
Rec Polygon16(const std::vector<TPoint>& p) { return {86, Poly(false, p).fields}; }
// EXTCREATEFONTINDIRECTW with a plain logical font: height -h, normal
// weight, default charset, Swiss variable pitch, face "Arial".
Rec Font(std::uint32_t handle, std::int32_t h) {
  Words f = {handle,   std::uint32_t(-h), 0,          0,          0,         400,
             1u << 24, 0x22u << 24,       0x00720041, 0x00610069, 0x0000006C};
  f.resize(24, 0);
  return {82, f};
}
// EXTTEXTOUTW: bounds, compatible mode, scales 0, reference, count, string
// at 76, no options or box, advances after the padded string.
Rec TextOut(Ints bounds, Ints at, Words chars, Words advances) {
  Words f(bounds.begin(), bounds.end());
  f.insert(f.end(),
           {1, 0, 0, std::uint32_t(at[0]), std::uint32_t(at[1]), Words::value_type(advances.size()),
            76, 0, 0, 0, 0xFFFFFFFF, 0xFFFFFFFF, Words::value_type(76 + 4 * chars.size())});
  f.insert(f.end(), chars.begin(), chars.end());
  f.insert(f.end(), advances.begin(), advances.end());
  return {84, f};
}

// Header (bounds, frame, " EMF", version 1.0, nBytes, nRecords, handles, no
// description or palette, a 1920 x 1440 pixel device of 508 x 381 mm, no
// pixel format or OpenGL, the device in micrometres), body, EOF.
Bytes File(const Ints& bounds, std::uint32_t handles, std::vector<Rec> body,
           const Ints& frame = {26458, 26458}) {
  std::size_t total = 128;
  for (const Rec& r : body) total += 8 + 4 * r.fields.size();
  Words h(bounds.begin(), bounds.end());
  h.insert(h.end(), {0,
                     0,
                     Words::value_type(frame[0]),
                     Words::value_type(frame[1]),
                     0x464D4520,
                     0x10000,
                     Words::value_type(total),
                     Words::value_type(body.size() + 2),
                     handles,
                     0,
                     0,
                     0,
                     1920,
                     1440,
                     508,
                     381,
                     0,
                     0,
                     0,
                     508000,
                     381000});
  body.insert(body.begin(), Rec{1, h});
  body.push_back(Rec{14, {0, 16, 20}});
  Bytes out;
  for (const Rec& r : body) {
    Words w = {r.type, Words::value_type(8 + 4 * r.fields.size())};
    w.insert(w.end(), r.fields.begin(), r.fields.end());
    for (const std::uint32_t v : w)
      out.insert(out.end(), {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16),
                             std::uint8_t(v >> 24)});
  }
  return out;
}

struct EmfCase {
  const char* name;
  std::function<void(C&)> draw;
  Bytes expected;
  Ints size = {1000, 1000};
};

const std::vector<TPoint> kA = {{0, 0}, {10, 10}}, kB = {{20, 30}, {40, 50}};
// clang-format off
const EmfCase kEmfCases[] = {
    {"pen brush and moves alone write nothing",
     [](C& c) { c.SetPenColour(kRed); c.SetBrushColour(kBlue); c.MoveTo({1, 2}); c.SetPenWidth(5); },
     File({0, 0, -1, -1}, 1, {})},
    // Frame in 0.01 mm, rounded (97 px: 2566.46, 1001 px: 26484.79); bounds end at width-1, height-1.
    {"frame from the picture size and bounds clipped to it", [](C& c) { Poly(c, {{0, 0}, {500, 2000}}); },
     File({0, 0, 96, 1000}, 2, {Pen(1, 1, kBlack), Sel(1), Poly(false, {{0, 0}, {500, 2000}}), Sel(kStockBlackPen), Del(1)}, {2566, 26485}),
     {97, 1001}},
    // Fill bounds inclusive; the ellipse's widened by half its pen; stock objects back before ours go.
    {"fill and outlined ellipse then objects released",
     [](C& c) { c.FillRect(10, 20, 30, 40); c.SetPenWidth(4); c.SetPenColour(kRed); c.Ellipse(100, 110, 200, 220); },
     File({10, 20, 201, 221}, 3, {Brush(1, kWhite), Sel(1), Fill({10, 20, 29, 39}, {10, 20, 20, 20}), Pen(2, 4, kRed), Sel(2),
                                  Ell({100, 110, 200, 220}), Sel(kStockBlackPen), Del(2), Sel(kStockWhiteBrush), Del(1)})},
    {"16-bit polyline at all four limits", [](C& c) { Poly(c, {{-32768, 32767}, {32767, -32768}, {0, 0}}); },
     File({0, 0, 999, 999}, 2, {Pen(1, 1, kBlack), Sel(1), Poly(false, {{-32768, 32767}, {32767, -32768}, {0, 0}}), Sel(kStockBlackPen), Del(1)})},
    {"32-bit polyline for a point beyond any one limit", [](C& c) {
       for (const TPoint p : {TPoint{32768, 0}, TPoint{-32769, 0}, TPoint{0, 32768}, TPoint{0, -32769}})
         Poly(c, {{0, 0}, p}); },
     File({0, 0, 999, 999}, 2, {Pen(1, 1, kBlack), Sel(1), Poly(true, {{0, 0}, {32768, 0}}), Poly(true, {{0, 0}, {-32769, 0}}),
                                Poly(true, {{0, 0}, {0, 32768}}), Poly(true, {{0, 0}, {0, -32769}}), Sel(kStockBlackPen), Del(1)})},
    // The line starts at the last move, which polylines leave alone.
    {"pen made only when it changes and is used", [](C& c) {
       c.SetPenColour(kRed); c.SetPenColour(kBlack); c.MoveTo({5, 5}); Poly(c, {{0, 0}, {10, 10}});
       c.SetPenWidth(1); c.SetPenColour(kBlack); Poly(c, {{0, 0}, {10, 10}});
       c.SetPenColour(kBlue); c.SetPenWidth(7); c.SetPenColour(kBlack); c.SetPenWidth(1); c.LineTo({20, 20}); },
     File({0, 0, 20, 20}, 2, {Pen(1, 1, kBlack), Sel(1), Poly(false, kA), Poly(false, kA), Move(5, 5), Line(20, 20), Sel(kStockBlackPen), Del(1)})},
    // Lowest free slot; the replaced object deleted once its successor is selected; fills
    // with the null pen, and the same pen selected again after.
    {"object slots and the null pen for fills", [](C& c) {
       c.SetPenColour(kRed); Poly(c, {{0, 0}, {10, 10}}); c.SetBrushColour(kBlue); c.FillRect(0, 0, 5, 5);
       c.SetPenColour(kGreen); Poly(c, {{20, 30}, {40, 50}}); c.SetBrushColour(kRed); c.FillRect(5, 5, 9, 9);
       Poly(c, {{20, 30}, {40, 50}}); },
     File({0, 0, 40, 50}, 4, {Pen(1, 1, kRed), Sel(1), Poly(false, kA), Brush(2, kBlue), Sel(2), Sel(kStockNullPen),
                              Fill({0, 0, 4, 4}, {0, 0, 5, 5}), Pen(3, 1, kGreen), Sel(3), Del(1), Poly(false, kB),
                              Brush(1, kRed), Sel(1), Del(2), Sel(kStockNullPen), Fill({5, 5, 8, 8}, {5, 5, 4, 4}),
                              Sel(3), Poly(false, kB), Sel(kStockBlackPen), Del(3), Sel(kStockWhiteBrush), Del(1)})},
    {"pen selected again after an ellipse filled in its colour", [](C& c) {
       c.SetBrushColour(kBlack); c.Ellipse(0, 0, 20, 20); Poly(c, {{0, 0}, {10, 10}});
       c.SetBrushColour(kRed); c.Ellipse(0, 0, 20, 20); Poly(c, {{0, 0}, {10, 10}}); },
     File({0, 0, 19, 19}, 4, {Pen(1, 1, kBlack), Sel(1), Brush(2, kBlack), Sel(2), Ell({0, 0, 20, 20}), Sel(1), Poly(false, kA),
                              Brush(3, kRed), Sel(3), Del(2), Ell({0, 0, 20, 20}), Poly(false, kA), Sel(kStockBlackPen),
                              Del(1), Sel(kStockWhiteBrush), Del(3)})},
    {"move written right before its line after any selection", [](C& c) {
       c.MoveTo({10, 10}); c.SetPenColour(kRed); c.LineTo({20, 10}); c.LineTo({20, 20});
       c.MoveTo({20, 20}); c.LineTo({30, 30}); c.MoveTo({50, 50}); c.LineTo({60, 60});
       c.SetPenColour(kBlue); c.LineTo({70, 60}); },
     File({10, 10, 70, 60}, 3, {Pen(1, 1, kRed), Sel(1), Move(10, 10), Line(20, 10), Line(20, 20), Line(30, 30), Move(50, 50),
                                Line(60, 60), Pen(2, 1, kBlue), Sel(2), Del(1), Move(60, 60), Line(70, 60), Sel(kStockBlackPen), Del(2)})},
    // Bounds widened by half the 3-pixel pen, then clipped at 0.
    {"line from the start position", [](C& c) { c.SetPenWidth(3); c.LineTo({5, 5}); },
     File({0, 0, 6, 6}, 2, {Pen(1, 3, kBlack), Sel(1), Move(0, 0), Line(5, 5), Sel(kStockBlackPen), Del(1)})},
    {"polygon filled in its outline's colour, then the pen selected again", [](C& c) {
       c.SetPenColour(kRed); c.SetBrushColour(kRed); const TPoint p[] = {{0, 0}, {10, 0}, {10, 10}};
       c.Polygon(p, 3); Poly(c, {{0, 0}, {10, 10}}); },
     File({0, 0, 10, 10}, 3, {Pen(1, 1, kRed), Sel(1), Brush(2, kRed), Sel(2), Polygon16({{0, 0}, {10, 0}, {10, 10}}), Sel(1),
                              Poly(false, kA), Sel(kStockBlackPen), Del(1), Sel(kStockWhiteBrush), Del(2)})},
    // One font for one height; the state written once and the alignment when it changes;
    // advances of sigma (600) and "1" (556), "N" (722) per mille of 30, rounded.
    {"texts in one font with their colour, alignment and advances", [](C& c) {
       c.SetPenColour(kBlue); c.Text({100, 200}, TextItem{"\u03C31", 30, TextAnchor::Centre});
       c.Text({300, 200}, TextItem{"N", 30, TextAnchor::Left}); },
     File({83, 170, 322, 207}, 2, {Font(1, 30), Sel(1), {18, {1}}, {24, {kBlue}}, {22, {30}},
                                   TextOut({83, 170, 118, 207}, {100, 200}, {0x003103C3}, {18, 17}), {22, {24}},
                                   TextOut({300, 170, 322, 207}, {300, 200}, {0x4E}, {22}), Sel(0x8000000D), Del(1)})},
    {"drawing outside the picture leaves empty bounds", [](C& c) { c.FillRect(2000, 2000, 2100, 2100); },
     File({0, 0, -1, -1}, 2, {Brush(1, kWhite), Sel(1), Fill({2000, 2000, 2099, 2099}, {2000, 2000, 100, 100}), Sel(kStockWhiteBrush), Del(1)})},
};
// clang-format on

TEST(EmfEncoding, MatchesTheModelByteForByte) {
  for (const EmfCase& c : kEmfCases) {
    const Bytes bytes = EncodeEmf(Record(c.draw, c.size[0], c.size[1]));
    const auto [got, want] =
        std::mismatch(bytes.begin(), bytes.end(), c.expected.begin(), c.expected.end());
    EXPECT_TRUE(got == bytes.end() && want == c.expected.end())
        << c.name << ": " << bytes.size() << " bytes, expected " << c.expected.size()
        << "; first difference at byte " << (got - bytes.begin());
  }
}

}  // namespace
}  // namespace orniva
