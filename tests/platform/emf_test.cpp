#include "platform/emf.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/emf_reader.h"
#include "platform/file_error.h"
#include "tests/support/test_support.h"

namespace orniva {

// Readable failures for the effective-drawing comparisons.
void PrintTo(const EffectiveDraw& d, std::ostream* os) {
  *os << "{op " << int(d.op) << " (" << d.a << ", " << d.b << ", " << d.c << ", " << d.d
      << ") points " << d.points.size() << " pen " << d.penWidth << "/" << std::hex << d.penColour
      << " brush " << d.brushColour << std::dec << "}";
}

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr TColor kBlack = Rgb(0, 0, 0);
constexpr TColor kWhite = Rgb(255, 255, 255);
constexpr TColor kRed = Rgb(255, 0, 0);
constexpr TColor kBlue = Rgb(0, 0, 255);
constexpr TColor kSilver = Rgb(192, 192, 192);

Picture Record(const std::function<void(RecordingCanvas&)>& draw) {
  Picture picture;
  RecordingCanvas canvas(picture);
  draw(canvas);
  canvas.Close();
  return picture;
}

std::vector<std::uint32_t> Types(const Bytes& bytes) {
  std::vector<std::uint32_t> types;
  for (const EmfRecordView& r : SplitEmfRecords(bytes.data(), bytes.size()).records)
    types.push_back(r.type);
  return types;
}

std::vector<EmfRecordView> RecordsOfType(const Bytes& bytes, std::uint32_t type) {
  std::vector<EmfRecordView> out;
  for (const EmfRecordView& r : SplitEmfRecords(bytes.data(), bytes.size()).records)
    if (r.type == type) out.push_back(r);
  return out;
}

EmfHeader Header(const Bytes& bytes) {
  EmfHeader header;
  EXPECT_TRUE(ReadEmfHeader(bytes.data(), bytes.size(), header));
  return header;
}

void Put32(Bytes& bytes, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = std::uint8_t(v >> (8 * i));
}

// A small stereonet: background, primitive circle, ticks, great circles,
// poles and an arrow, with pen and brush changes between them, some of them
// redundant.
Picture Stereonet() {
  return Record([](RecordingCanvas& c) {
    c.SetBrushColour(kWhite);
    c.FillRect(0, 0, 1000, 1000);
    c.SetPenWidth(2);
    c.SetPenColour(kSilver);
    c.Ellipse(50, 50, 950, 950);
    c.SetPenColour(kBlack);
    c.SetPenWidth(1);
    for (const auto& tick : {std::pair<TPoint, TPoint>{{500, 50}, {500, 30}},
                             {{950, 500}, {970, 500}},
                             {{500, 950}, {500, 970}},
                             {{50, 500}, {30, 500}}}) {
      c.MoveTo(tick.first);
      c.LineTo(tick.second);
    }
    c.SetPenColour(kRed);  // overridden before anything is drawn
    c.SetPenColour(kBlue);
    c.SetPenWidth(4);
    const TPoint arc[] = {{500, 50}, {600, 300}, {620, 500}, {600, 700}, {500, 950}};
    c.Polyline(arc, 5);
    c.SetPenWidth(4);  // unchanged
    const TPoint arc2[] = {{50, 500}, {300, 420}, {950, 500}};
    c.Polyline(arc2, 3);
    c.SetBrushColour(kRed);
    c.Ellipse(290, 290, 310, 310);
    c.SetBrushColour(kBlue);
    c.SetPenColour(kBlack);
    c.SetPenWidth(1);
    c.Ellipse(690, 390, 710, 410);
    c.SetBrushColour(kBlack);
    c.FillRect(10, 10, 20, 20);
    const TPoint arrow[] = {{400, 600}, {450, 650}, {430, 600}, {450, 650}, {400, 630}};
    c.Polyline(arrow, 5);
  });
}

// ---------------------------------------------------------------- structure

TEST(EmfStructure, EmptyPictureIsHeaderAndEof) {
  const Bytes bytes = EncodeEmf(Picture());
  EXPECT_EQ(CheckEmfStructure(bytes), "");
  EXPECT_EQ(Types(bytes), (std::vector<std::uint32_t>{emf::kHeader, emf::kEof}));
  const EmfHeader header = Header(bytes);
  EXPECT_EQ(header.bytes, bytes.size());
  EXPECT_EQ(header.bytes, emf::kHeaderSize + emf::kEofSize);
  EXPECT_EQ(header.records, 2u);
  EXPECT_EQ(header.handles, 1u);
  // Nothing drawn: the empty bounds.
  EXPECT_EQ(std::vector<std::int32_t>(header.bounds, header.bounds + 4),
            (std::vector<std::int32_t>{0, 0, -1, -1}));
}

TEST(EmfStructure, StereonetPasses) {
  const Bytes bytes = EncodeEmf(Stereonet());
  EXPECT_EQ(CheckEmfStructure(bytes), "");
}

TEST(EmfStructure, SixteenBitPolylineWhenEveryPointFits) {
  const TPoint line[] = {{-32768, 32767}, {32767, -32768}, {0, 0}};
  const Bytes bytes = EncodeEmf(Record([&](RecordingCanvas& c) { c.Polyline(line, 3); }));
  EXPECT_EQ(CheckEmfStructure(bytes), "");
  const auto polylines = RecordsOfType(bytes, emf::kPolyline16);
  ASSERT_EQ(polylines.size(), 1u);
  EXPECT_TRUE(RecordsOfType(bytes, emf::kPolyline).empty());
  const EmfRecordView& r = polylines[0];
  EXPECT_EQ(r.size, emf::kPolylineFixedSize + 3 * 4);
  EXPECT_EQ(r.U32(24), 3u);
  EXPECT_EQ(r.I16(28), -32768);
  EXPECT_EQ(r.I16(30), 32767);
  // rclBounds of the points.
  EXPECT_EQ(r.I32(8), -32768);
  EXPECT_EQ(r.I32(12), -32768);
  EXPECT_EQ(r.I32(16), 32767);
  EXPECT_EQ(r.I32(20), 32767);
}

TEST(EmfStructure, ThirtyTwoBitPolylineWhenAPointDoesNotFit) {
  const TPoint line[] = {{10, 20}, {40000, -5}, {-3, -70000}};
  const Bytes bytes = EncodeEmf(Record([&](RecordingCanvas& c) { c.Polyline(line, 3); }));
  EXPECT_EQ(CheckEmfStructure(bytes), "");
  const auto polylines = RecordsOfType(bytes, emf::kPolyline);
  ASSERT_EQ(polylines.size(), 1u);
  EXPECT_TRUE(RecordsOfType(bytes, emf::kPolyline16).empty());
  const EmfRecordView& r = polylines[0];
  EXPECT_EQ(r.size, emf::kPolylineFixedSize + 3 * 8);
  EXPECT_EQ(r.U32(24), 3u);
  EXPECT_EQ(r.I32(36), 40000);
  EXPECT_EQ(r.I32(48), -70000);
  EXPECT_EQ(r.I32(8), -3);
  EXPECT_EQ(r.I32(12), -70000);
  EXPECT_EQ(r.I32(16), 40000);
  EXPECT_EQ(r.I32(20), 20);
}

TEST(EmfStructure, EveryRecordIsWordAligned) {
  const Bytes bytes = EncodeEmf(Stereonet());
  const EmfRecords split = SplitEmfRecords(bytes.data(), bytes.size());
  EXPECT_EQ(split.error, "");
  for (const EmfRecordView& r : split.records) {
    EXPECT_EQ(r.size % 4, 0u) << "record " << r.type;
    EXPECT_EQ(r.offset % 4, 0u) << "record " << r.type;
  }
}

// ------------------------------------------------------------------- header

TEST(EmfHeaderFields, ExactForASmallPicture) {
  const Bytes bytes = EncodeEmf(Record([](RecordingCanvas& c) {
    c.FillRect(10, 20, 30, 40);
    c.SetPenWidth(4);
    c.SetPenColour(kRed);
    c.Ellipse(100, 110, 200, 220);
  }));
  ASSERT_EQ(CheckEmfStructure(bytes), "");
  EXPECT_EQ(Types(bytes), (std::vector<std::uint32_t>{
                              emf::kHeader, emf::kCreateBrushIndirect, emf::kSelectObject,
                              emf::kBitBlt,                                        // white brush
                              emf::kCreatePen, emf::kSelectObject, emf::kEllipse,  // red pen
                              emf::kSelectObject, emf::kDeleteObject,              // release pen
                              emf::kSelectObject, emf::kDeleteObject,              // release brush
                              emf::kEof}));
  const EmfHeader h = Header(bytes);
  EXPECT_EQ(h.size, 108u);
  EXPECT_EQ(h.signature, 0x464D4520u);
  EXPECT_EQ(h.version, 0x10000u);
  EXPECT_EQ(h.bytes, 376u);
  EXPECT_EQ(bytes.size(), 376u);
  EXPECT_EQ(h.records, 12u);
  EXPECT_EQ(h.handles, 3u);  // reserved slot, brush, pen
  // The fill (10,20)-(29,39) and the ellipse (100,110)-(199,219) widened by
  // half its 4-pixel pen.
  EXPECT_EQ(std::vector<std::int32_t>(h.bounds, h.bounds + 4),
            (std::vector<std::int32_t>{10, 20, 201, 221}));
  // 1000 pixels at 96 dpi are 264.58 mm.
  EXPECT_EQ(std::vector<std::int32_t>(h.frame, h.frame + 4),
            (std::vector<std::int32_t>{0, 0, 26458, 26458}));
  EXPECT_EQ(h.descriptionLength, 0u);
  EXPECT_EQ(h.descriptionOffset, 0u);
  EXPECT_EQ(h.paletteEntries, 0u);
  // A 96 dpi reference device.
  EXPECT_EQ(h.device[0], 1920);
  EXPECT_EQ(h.device[1], 1440);
  EXPECT_EQ(h.millimetres[0], 508);
  EXPECT_EQ(h.millimetres[1], 381);
  EXPECT_EQ(h.micrometres[0], 508000);
  EXPECT_EQ(h.micrometres[1], 381000);

  const EmfRecordView eof = SplitEmfRecords(bytes.data(), bytes.size()).records.back();
  EXPECT_EQ(eof.size, 20u);
  EXPECT_EQ(eof.U32(8), 0u);
  EXPECT_EQ(eof.U32(12), 16u);
  EXPECT_EQ(eof.U32(16), 20u);
}

TEST(EmfHeaderFields, FrameFollowsThePictureSize) {
  Picture picture;
  picture.SetSize(96, 192);
  const EmfHeader h = Header(EncodeEmf(picture));
  EXPECT_EQ(h.frame[2], 2540);
  EXPECT_EQ(h.frame[3], 5080);
}

TEST(EmfHeaderFields, BoundsStopAtThePictureEdge) {
  const TPoint line[] = {{10, 20}, {40000, -5}, {-3, -70000}};
  const EmfHeader h = Header(EncodeEmf(Record([&](RecordingCanvas& c) { c.Polyline(line, 3); })));
  EXPECT_EQ(std::vector<std::int32_t>(h.bounds, h.bounds + 4),
            (std::vector<std::int32_t>{0, 0, 999, 20}));
  // Wholly outside: nothing of the picture is drawn.
  const EmfHeader outside =
      Header(EncodeEmf(Record([](RecordingCanvas& c) { c.FillRect(2000, 2000, 2100, 2100); })));
  EXPECT_EQ(std::vector<std::int32_t>(outside.bounds, outside.bounds + 4),
            (std::vector<std::int32_t>{0, 0, -1, -1}));
}

TEST(EmfHeaderFields, BoundsCoverLinesFromTheCurrentPosition) {
  const Bytes bytes = EncodeEmf(Record([](RecordingCanvas& c) {
    c.MoveTo(TPoint{300, 400});
    c.MoveTo(TPoint{100, 200});  // only the last move counts
    c.LineTo(TPoint{150, 120});
  }));
  const EmfHeader h = Header(bytes);
  EXPECT_EQ(std::vector<std::int32_t>(h.bounds, h.bounds + 4),
            (std::vector<std::int32_t>{100, 120, 150, 200}));
}

// ----------------------------------------------------------- pens & brushes

TEST(EmfObjects, PenCreatedOnlyWhenItChangesAndIsUsed) {
  const TPoint line[] = {{0, 0}, {10, 10}};
  const Bytes bytes = EncodeEmf(Record([&](RecordingCanvas& c) {
    c.SetPenColour(kRed);
    c.SetPenColour(kBlack);  // back to the fresh pen before anything is drawn
    c.MoveTo(TPoint{5, 5});  // draws nothing
    c.Polyline(line, 2);
    c.SetPenWidth(1);
    c.SetPenColour(kBlack);
    c.Polyline(line, 2);
    c.SetPenColour(kBlue);
    c.SetPenWidth(7);
    c.SetPenColour(kBlack);
    c.SetPenWidth(1);
    c.LineTo(TPoint{20, 20});
  }));
  ASSERT_EQ(CheckEmfStructure(bytes), "");
  const auto pens = RecordsOfType(bytes, emf::kCreatePen);
  ASSERT_EQ(pens.size(), 1u);
  EXPECT_EQ(pens[0].U32(12), emf::kPenSolid);
  EXPECT_EQ(pens[0].I32(16), 1);
  EXPECT_EQ(pens[0].U32(24), kBlack);
  EXPECT_TRUE(RecordsOfType(bytes, emf::kCreateBrushIndirect).empty());
}

TEST(EmfObjects, MoveAloneWritesNothing) {
  const Bytes bytes = EncodeEmf(Record([](RecordingCanvas& c) {
    c.SetPenColour(kRed);
    c.SetBrushColour(kBlue);
    c.MoveTo(TPoint{1, 2});
  }));
  EXPECT_EQ(Types(bytes), (std::vector<std::uint32_t>{emf::kHeader, emf::kEof}));
  EXPECT_EQ(Header(bytes).handles, 1u);
}

TEST(EmfObjects, ReplacedObjectsAreDeletedAndTheTableStaysSmall) {
  const TPoint line[] = {{0, 0}, {10, 10}};
  const Bytes bytes = EncodeEmf(Record([&](RecordingCanvas& c) {
    for (int i = 0; i < 50; ++i) {
      c.SetPenColour(Rgb(std::uint8_t(i), 0, 0));
      c.SetBrushColour(Rgb(0, std::uint8_t(i), 0));
      c.Polyline(line, 2);
      c.FillRect(0, 0, 5, 5);
    }
  }));
  ASSERT_EQ(CheckEmfStructure(bytes), "");
  EXPECT_EQ(RecordsOfType(bytes, emf::kCreatePen).size(), 50u);
  EXPECT_EQ(RecordsOfType(bytes, emf::kCreateBrushIndirect).size(), 50u);
  EXPECT_EQ(RecordsOfType(bytes, emf::kDeleteObject).size(), 100u);  // all, by the end
  EXPECT_EQ(Header(bytes).handles, 4u);  // reserved slot, pen, brush, the next one
  // Before each deletion the replacement is already selected.
  const auto records = SplitEmfRecords(bytes.data(), bytes.size()).records;
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (records[i].type != emf::kDeleteObject) continue;
    ASSERT_GT(i, 0u);
    EXPECT_EQ(records[i - 1].type, emf::kSelectObject);
    EXPECT_NE(records[i - 1].U32(8), records[i].U32(8));
  }
}

TEST(EmfObjects, StockObjectsAreSelectedBeforeOursAreDeleted) {
  const Bytes bytes = EncodeEmf(Record([](RecordingCanvas& c) { c.Ellipse(0, 0, 9, 9); }));
  const auto selects = RecordsOfType(bytes, emf::kSelectObject);
  ASSERT_EQ(selects.size(), 4u);
  EXPECT_EQ(selects[2].U32(8), emf::kBlackPen);
  EXPECT_EQ(selects[3].U32(8), emf::kWhiteBrush);
  EXPECT_EQ(emf::kBlackPen, 0x80000007u);
  EXPECT_EQ(emf::kWhiteBrush, 0x80000000u);
}

TEST(EmfObjects, FillIsAPatternCopyWithTheSelectedBrush) {
  const Bytes bytes = EncodeEmf(Record([](RecordingCanvas& c) {
    c.SetBrushColour(kBlue);
    c.FillRect(10, 20, 110, 70);
  }));
  ASSERT_EQ(CheckEmfStructure(bytes), "");
  EXPECT_EQ(Types(bytes), (std::vector<std::uint32_t>{
                              emf::kHeader, emf::kCreateBrushIndirect, emf::kSelectObject,
                              emf::kBitBlt, emf::kSelectObject, emf::kDeleteObject, emf::kEof}));
  const auto brushes = RecordsOfType(bytes, emf::kCreateBrushIndirect);
  EXPECT_EQ(brushes[0].U32(12), emf::kBrushSolid);
  EXPECT_EQ(brushes[0].U32(16), kBlue);

  const EmfRecordView b = RecordsOfType(bytes, emf::kBitBlt).at(0);
  EXPECT_EQ(b.size, 100u);
  // rclBounds, inclusive.
  EXPECT_EQ(b.I32(8), 10);
  EXPECT_EQ(b.I32(12), 20);
  EXPECT_EQ(b.I32(16), 109);
  EXPECT_EQ(b.I32(20), 69);
  // Destination.
  EXPECT_EQ(b.I32(24), 10);
  EXPECT_EQ(b.I32(28), 20);
  EXPECT_EQ(b.I32(32), 100);
  EXPECT_EQ(b.I32(36), 50);
  EXPECT_EQ(b.U32(40), 0x00F00021u);  // PATCOPY
  // No source: identity transform, no colour, no bitmap.
  EXPECT_EQ(b.U32(44), 0u);
  EXPECT_EQ(b.U32(48), 0u);
  const float identity[6] = {1, 0, 0, 1, 0, 0};
  for (int i = 0; i < 6; ++i) {
    float f;
    const std::uint32_t raw = b.U32(52 + 4 * i);
    std::memcpy(&f, &raw, 4);
    EXPECT_EQ(f, identity[i]) << "xformSrc element " << i;
  }
  for (std::size_t at = 76; at < 100; at += 4) EXPECT_EQ(b.U32(at), 0u) << "offset " << at;
}

// ------------------------------------------------------ player compatibility

TEST(EmfPlayers, MoveIsWrittenRightBeforeItsLineAfterAnySelection) {
  const Bytes bytes = EncodeEmf(Record([](RecordingCanvas& c) {
    c.MoveTo(TPoint{10, 10});
    c.SetPenColour(kRed);
    c.LineTo(TPoint{20, 10});
    c.LineTo(TPoint{20, 20});
    c.MoveTo(TPoint{20, 20});  // already there
    c.LineTo(TPoint{30, 30});
    c.MoveTo(TPoint{50, 50});
    c.LineTo(TPoint{60, 60});
    c.SetPenColour(kBlue);
    c.LineTo(TPoint{70, 60});  // from where the last line ended
  }));
  ASSERT_EQ(CheckEmfStructure(bytes), "");
  EXPECT_EQ(Types(bytes),
            (std::vector<std::uint32_t>{
                emf::kHeader, emf::kCreatePen, emf::kSelectObject, emf::kMoveToEx, emf::kLineTo,
                emf::kLineTo, emf::kLineTo, emf::kMoveToEx, emf::kLineTo, emf::kCreatePen,
                emf::kSelectObject, emf::kDeleteObject, emf::kMoveToEx, emf::kLineTo,
                emf::kSelectObject, emf::kDeleteObject, emf::kEof}));
  const auto moves = RecordsOfType(bytes, emf::kMoveToEx);
  EXPECT_EQ(moves[0].I32(8), 10);
  EXPECT_EQ(moves[1].I32(8), 50);
  EXPECT_EQ(moves[2].I32(8), 60);
  EXPECT_EQ(moves[2].I32(12), 60);
}

TEST(EmfPlayers, FillIsDrawnWithTheNullPenAndThePenComesBackAfter) {
  const TPoint line[] = {{0, 0}, {10, 10}};
  const Bytes bytes = EncodeEmf(Record([&](RecordingCanvas& c) {
    c.SetPenColour(kRed);
    c.Polyline(line, 2);
    c.FillRect(0, 0, 5, 5);
    c.FillRect(5, 5, 9, 9);
    c.Polyline(line, 2);
  }));
  ASSERT_EQ(CheckEmfStructure(bytes), "");
  EXPECT_EQ(Types(bytes),
            (std::vector<std::uint32_t>{
                emf::kHeader, emf::kCreatePen, emf::kSelectObject, emf::kPolyline16,
                emf::kCreateBrushIndirect, emf::kSelectObject, emf::kSelectObject, emf::kBitBlt,
                emf::kBitBlt, emf::kSelectObject, emf::kPolyline16, emf::kSelectObject,
                emf::kDeleteObject, emf::kSelectObject, emf::kDeleteObject, emf::kEof}));
  const auto selects = RecordsOfType(bytes, emf::kSelectObject);
  EXPECT_EQ(selects[2].U32(8), emf::kNullPen);
  EXPECT_EQ(selects[3].U32(8), selects[0].U32(8));  // the same pen, not a new one
}

TEST(EmfPlayers, PenIsSelectedAgainAfterAnEllipseFilledInItsColour) {
  const TPoint line[] = {{0, 0}, {10, 10}};
  const Bytes bytes = EncodeEmf(Record([&](RecordingCanvas& c) {
    c.SetBrushColour(kBlack);
    c.Ellipse(0, 0, 20, 20);
    c.Polyline(line, 2);
    c.SetBrushColour(kRed);
    c.Ellipse(0, 0, 20, 20);
    c.Polyline(line, 2);
  }));
  ASSERT_EQ(CheckEmfStructure(bytes), "");
  EXPECT_EQ(Types(bytes),
            (std::vector<std::uint32_t>{
                emf::kHeader, emf::kCreatePen, emf::kSelectObject, emf::kCreateBrushIndirect,
                emf::kSelectObject, emf::kEllipse, emf::kSelectObject, emf::kPolyline16,
                emf::kCreateBrushIndirect, emf::kSelectObject, emf::kDeleteObject, emf::kEllipse,
                emf::kPolyline16, emf::kSelectObject, emf::kDeleteObject, emf::kSelectObject,
                emf::kDeleteObject, emf::kEof}));
}

// ---------------------------------------------------------------- round trip

TEST(EmfRoundTrip, StereonetDrawsTheSame) {
  const Picture picture = Stereonet();
  const Bytes bytes = EncodeEmf(picture);
  std::string error;
  const std::vector<EffectiveDraw> decoded = EffectiveDrawingOfEmf(bytes, error);
  EXPECT_EQ(error, "");
  const std::vector<EffectiveDraw> recorded = EffectiveDrawing(picture);
  ASSERT_EQ(recorded.size(), 12u);
  EXPECT_EQ(decoded, recorded);
  // Spot checks that the comparison sees the attributes.
  EXPECT_EQ(recorded[1].op, DrawOp::Ellipse);
  EXPECT_EQ(recorded[1].penWidth, 2);
  EXPECT_EQ(recorded[1].penColour, kSilver);
  EXPECT_EQ(recorded[1].brushColour, kWhite);
  EXPECT_EQ(recorded[2].op, DrawOp::LineTo);
  EXPECT_EQ((std::vector<std::int32_t>{recorded[2].a, recorded[2].b, recorded[2].c, recorded[2].d}),
            (std::vector<std::int32_t>{500, 50, 500, 30}));
  EXPECT_EQ(recorded[7].op, DrawOp::Polyline);
  EXPECT_EQ(recorded[7].penColour, kBlue);
  EXPECT_EQ(recorded[7].penWidth, 4);
  EXPECT_EQ(recorded[7].points.size(), 3u);
}

TEST(EmfRoundTrip, FarPointsAndNegativeCoordinates) {
  const TPoint far[] = {{-100000, 5}, {100000, -5}, {7, 2000000000}};
  const TPoint near[] = {{-1, -1}, {1, 1}};
  const Picture picture = Record([&](RecordingCanvas& c) {
    c.Polyline(far, 3);
    c.SetPenWidth(3);
    c.Polyline(near, 2);
    c.Ellipse(-20, -20, 20, 20);
    c.FillRect(-5, -5, 5, 5);
  });
  std::string error;
  EXPECT_EQ(EffectiveDrawingOfEmf(EncodeEmf(picture), error), EffectiveDrawing(picture));
  EXPECT_EQ(error, "");
}

TEST(EmfRoundTrip, LinesAroundPenChangesAndFills) {
  const Picture picture = Record([](RecordingCanvas& c) {
    c.LineTo(TPoint{5, 5});  // from the start position
    c.MoveTo(TPoint{100, 100});
    c.SetPenColour(kRed);
    c.SetPenWidth(3);
    c.LineTo(TPoint{200, 100});
    c.FillRect(0, 0, 50, 50);
    c.LineTo(TPoint{200, 200});
    c.SetBrushColour(kRed);
    c.Ellipse(10, 10, 30, 30);
    c.MoveTo(TPoint{1, 1});
    c.MoveTo(TPoint{2, 2});
    c.LineTo(TPoint{3, 3});
    c.MoveTo(TPoint{9, 9});  // never used
  });
  std::string error;
  EXPECT_EQ(EffectiveDrawingOfEmf(EncodeEmf(picture), error), EffectiveDrawing(picture));
  EXPECT_EQ(error, "");
}

TEST(EmfRoundTrip, DecodedPictureTakesItsSizeFromTheFrame) {
  Picture picture;
  picture.SetSize(1000, 480);
  Picture decoded;
  EXPECT_EQ(DecodeEmf(EncodeEmf(picture), decoded), "");
  EXPECT_EQ(decoded.width(), 1000);
  EXPECT_EQ(decoded.height(), 480);
  EXPECT_TRUE(decoded.empty());
}

TEST(EmfRoundTrip, EffectiveDrawingIgnoresHowAttributesWereRecorded) {
  const TPoint line[] = {{0, 0}, {9, 9}};
  const Picture direct = Record([&](RecordingCanvas& c) {
    c.SetPenColour(kRed);
    c.Polyline(line, 2);
  });
  const Picture roundabout = Record([&](RecordingCanvas& c) {
    c.SetPenColour(kBlue);
    c.SetBrushColour(kBlue);  // a brush change means nothing to a line
    c.SetPenWidth(1);
    c.SetPenColour(kRed);
    c.Polyline(line, 2);
  });
  const Picture otherPen = Record([&](RecordingCanvas& c) {
    c.SetPenColour(kRed);
    c.SetPenWidth(2);
    c.Polyline(line, 2);
  });
  EXPECT_EQ(EffectiveDrawing(direct), EffectiveDrawing(roundabout));
  EXPECT_NE(EffectiveDrawing(direct), EffectiveDrawing(otherPen));
}

// ------------------------------------------------------------------ saving

TEST(SaveEmf, WritesTheEncodedBytesReplacingAnyFile) {
  test::TempDir dir;
  const std::string path = dir.File("net.emf");
  test::WriteFile(path, std::string(100000, 'x'));
  const Picture picture = Stereonet();
  SaveEmf(picture, path);
  const Bytes expected = EncodeEmf(picture);
  EXPECT_EQ(test::ReadFile(path), std::string(expected.begin(), expected.end()));
}

TEST(SaveEmf, UnwritablePathThrowsFileErrorNamingIt) {
  test::TempDir dir;
  for (const std::string& path : {dir.File("missing/net.emf"), dir.path()}) {
    SCOPED_TRACE(path);
    try {
      SaveEmf(Stereonet(), path);
      ADD_FAILURE() << "no FileError";
    } catch (const FileError& e) {
      EXPECT_EQ(e.action(), FileError::Action::Write);
      EXPECT_EQ(e.path(), path);
      EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
      EXPECT_FALSE(e.reason().empty());
    }
  }
}

// -------------------------------------------------------- corrupted files

struct Corruption {
  const char* name;
  std::function<void(Bytes&)> apply;
  const char* expected;  // part of the error
};

void FixCounts(Bytes& bytes, std::int32_t recordDelta) {
  Put32(bytes, 48, std::uint32_t(bytes.size()));
  EmfHeader h;
  ReadEmfHeader(bytes.data(), bytes.size(), h);
  Put32(bytes, 52, h.records + std::uint32_t(recordDelta));
}

TEST(EmfCheck, RejectsCorruptedFiles) {
  const Bytes good = EncodeEmf(Stereonet());
  ASSERT_EQ(CheckEmfStructure(good), "");
  const std::vector<EmfRecordView> records = SplitEmfRecords(good.data(), good.size()).records;
  // Offsets of records used below: the first selection and a polyline.
  std::size_t select = 0, polyline = 0;
  for (const EmfRecordView& r : records) {
    if (r.type == emf::kSelectObject && !select) select = r.offset;
    if (r.type == emf::kPolyline16 && !polyline) polyline = r.offset;
  }
  ASSERT_NE(select, 0u);
  ASSERT_NE(polyline, 0u);
  const std::size_t eof = records.back().offset;

  const std::vector<Corruption> corruptions = {
      {"truncated by a word", [](Bytes& b) { b.resize(b.size() - 4); }, "bytes"},
      {"truncated inside a record, nBytes adjusted",
       [&](Bytes& b) {
         b.resize(polyline + 20);
         FixCounts(b, 0);
       },
       "left in the file"},
      {"cut to a few stray bytes",
       [&](Bytes& b) {
         b.resize(eof + 4);
         FixCounts(b, 0);
       },
       "stray bytes"},
      {"nBytes too large", [](Bytes& b) { Put32(b, 48, std::uint32_t(b.size() + 4)); }, "bytes"},
      {"nRecords off by one", [&](Bytes& b) { Put32(b, 52, std::uint32_t(records.size() - 1)); },
       "records"},
      {"record size not a multiple of 4", [&](Bytes& b) { Put32(b, select + 4, 14); },
       "multiple of 4"},
      {"record size below 8", [&](Bytes& b) { Put32(b, select + 4, 4); }, "multiple of 4"},
      {"record size past the end", [&](Bytes& b) { Put32(b, select + 4, 0x7FFFFFF0); },
       "left in the file"},
      {"record too small for its fields", [&](Bytes& b) { Put32(b, select, emf::kCreatePen); },
       "too small"},
      {"polyline count disagrees with its size", [&](Bytes& b) { Put32(b, polyline + 24, 6); },
       "points"},
      {"missing EOF",
       [&](Bytes& b) {
         b.resize(eof);
         FixCounts(b, -1);
       },
       "EOF"},
      {"EOF twice",
       [&](Bytes& b) {
         b.insert(b.begin() + std::ptrdiff_t(eof), b.end() - 20, b.end());
         FixCounts(b, +1);
       },
       "before the last record"},
      {"wrong signature", [](Bytes& b) { b[40] ^= 1; }, "signature"},
      {"not starting with a header", [](Bytes& b) { Put32(b, 0, emf::kEof); }, "not the header"},
      {"handle selected before it is created", [&](Bytes& b) { Put32(b, select + 8, 2); },
       "before it is created"},
      {"handle outside the table", [&](Bytes& b) { Put32(b, select + 8, 200); },
       "outside the table"},
      {"stock object deleted",
       [&](Bytes& b) {
         Put32(b, select, emf::kDeleteObject);
         Put32(b, select + 8, emf::kWhiteBrush);
       },
       "stock"},
      {"empty file", [](Bytes& b) { b.clear(); }, "empty"},
  };
  for (const Corruption& c : corruptions) {
    SCOPED_TRACE(c.name);
    Bytes bytes = good;
    c.apply(bytes);
    const std::string error = CheckEmfStructure(bytes);
    EXPECT_NE(error.find(c.expected), std::string::npos) << "error: \"" << error << "\"";
    // The decoder refuses what the check rejects.
    Picture picture;
    EXPECT_EQ(DecodeEmf(bytes, picture), error);
  }
}

}  // namespace
}  // namespace orniva
