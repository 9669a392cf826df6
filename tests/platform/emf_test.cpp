#include "platform/emf.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <iterator>
#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "platform/emf_reader.h"
#include "platform/file_error.h"
#include "tests/support/test_support.h"

namespace orniva {

// Readable failures for the effective-drawing comparisons.
void PrintTo(const EffectiveDraw& d, std::ostream* os) {
  *os << "{op " << int(d.op) << " " << d.a << "," << d.b << "," << d.c << "," << d.d << " points "
      << d.points.size() << " pen " << d.penWidth << "/" << d.penColour << " brush "
      << d.brushColour << "}";
}

namespace {

using Bytes = std::vector<std::uint8_t>;
using Ints = std::vector<std::int32_t>;
using Words = std::vector<std::uint32_t>;
using C = RecordingCanvas;

constexpr TColor kBlack = Rgb(0, 0, 0), kWhite = Rgb(255, 255, 255), kRed = Rgb(255, 0, 0),
                 kBlue = Rgb(0, 0, 255), kSilver = Rgb(192, 192, 192);

Picture Record(const std::function<void(C&)>& draw) {
  Picture picture;
  C canvas(picture);
  draw(canvas);
  canvas.Close();
  return picture;
}

Bytes Emf(const std::function<void(C&)>& draw) { return EncodeEmf(Record(draw)); }

void Poly(C& c, std::initializer_list<TPoint> points) { c.Polyline(points.begin(), points.size()); }

std::vector<EmfRecordView> Records(const Bytes& bytes, std::uint32_t type = 0) {
  std::vector<EmfRecordView> out;
  for (const EmfRecordView& r : SplitEmfRecords(bytes.data(), bytes.size()).records)
    if (!type || r.type == type) out.push_back(r);
  return out;
}

// The record types as letters: H header, P create pen, B create brush, S select, D delete,
// M move, L line, p polyline16, Y polyline, E ellipse, F fill (BITBLT), Z EOF.
std::string TypesOf(const Bytes& bytes) {
  const std::map<std::uint32_t, char> letters = {
      {emf::kHeader, 'H'}, {emf::kCreatePen, 'P'}, {emf::kCreateBrushIndirect, 'B'},
      {emf::kSelectObject, 'S'}, {emf::kDeleteObject, 'D'}, {emf::kMoveToEx, 'M'},
      {emf::kLineTo, 'L'}, {emf::kPolyline16, 'p'}, {emf::kPolyline, 'Y'}, {emf::kEllipse, 'E'},
      {emf::kBitBlt, 'F'}, {emf::kEof, 'Z'}};
  std::string out;
  for (const EmfRecordView& r : Records(bytes))
    out += letters.count(r.type) ? letters.at(r.type) : '?';
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

// A small stereonet: background, primitive circle, ticks, great circles, poles and an
// arrow, with pen and brush changes between them, some of them redundant.
Picture Stereonet() {
  return Record([](C& c) {
    c.SetBrushColour(kWhite); c.FillRect(0, 0, 1000, 1000);
    c.SetPenWidth(2); c.SetPenColour(kSilver); c.Ellipse(50, 50, 950, 950);
    c.SetPenColour(kBlack); c.SetPenWidth(1);
    c.MoveTo({500, 50}); c.LineTo({500, 30}); c.MoveTo({950, 500}); c.LineTo({970, 500});
    c.MoveTo({500, 950}); c.LineTo({500, 970}); c.MoveTo({50, 500}); c.LineTo({30, 500});
    c.SetPenColour(kRed); c.SetPenColour(kBlue);  // red is overridden before anything is drawn
    c.SetPenWidth(4); Poly(c, {{500, 50}, {600, 300}, {620, 500}, {600, 700}, {500, 950}});
    c.SetPenWidth(4); Poly(c, {{50, 500}, {300, 420}, {950, 500}});  // width unchanged
    c.SetBrushColour(kRed); c.Ellipse(290, 290, 310, 310);
    c.SetBrushColour(kBlue); c.SetPenColour(kBlack); c.SetPenWidth(1);
    c.Ellipse(690, 390, 710, 410);
    c.SetBrushColour(kBlack); c.FillRect(10, 10, 20, 20);
    Poly(c, {{400, 600}, {450, 650}, {430, 600}, {450, 650}, {400, 630}});
  });
}

TEST(EmfStructure, EmptyPictureIsHeaderAndEof) {
  const Bytes bytes = EncodeEmf(Picture());
  EXPECT_EQ(CheckEmfStructure(bytes), "");
  EXPECT_EQ(TypesOf(bytes), "HZ");
  const EmfHeader h = Header(bytes);
  EXPECT_EQ((Words{h.bytes, h.records, h.handles}), (Words{128, 2, 1}));
  EXPECT_EQ(Ints(h.bounds, h.bounds + 4), (Ints{0, 0, -1, -1}));  // nothing drawn
  // Pen, brush and position changes alone write nothing.
  EXPECT_EQ(Emf([](C& c) { c.SetPenColour(kRed); c.SetBrushColour(kBlue); c.MoveTo({1, 2}); }),
            bytes);
  // The frame follows the picture size, and the decoded picture takes its size from it.
  Picture sized, decoded;
  sized.SetSize(96, 192);
  const EmfHeader s = Header(EncodeEmf(sized));
  EXPECT_EQ(Ints(s.frame, s.frame + 4), (Ints{0, 0, 2540, 5080}));
  EXPECT_EQ(DecodeEmf(EncodeEmf(sized), decoded), "");
  EXPECT_EQ((Ints{decoded.width(), decoded.height()}), (Ints{96, 192}));
  EXPECT_TRUE(decoded.empty());
}

TEST(EmfStructure, PolylineIs16BitWhenEveryPointFitsElse32Bit) {
  const std::pair<std::vector<TPoint>, Ints> rows[] = {  // points, rclBounds
      {{{-32768, 32767}, {32767, -32768}, {0, 0}}, {-32768, -32768, 32767, 32767}},
      {{{10, 20}, {40000, -5}, {-3, -70000}}, {-3, -70000, 40000, 20}},
  };
  for (const bool wide : {false, true}) {
    const auto& [points, bounds] = rows[wide];
    const std::size_t pointSize = wide ? 8 : 4;
    const Bytes bytes = Emf([&](C& c) { c.Polyline(points.data(), 3); });
    EXPECT_EQ(CheckEmfStructure(bytes), "");
    ASSERT_EQ(TypesOf(bytes), wide ? "HPSYSDZ" : "HPSpSDZ");
    const EmfRecordView r = Records(bytes)[3];
    EXPECT_EQ(r.size, 28 + 3 * pointSize);
    EXPECT_EQ(Ints({r.I32(8), r.I32(12), r.I32(16), r.I32(20)}), bounds);
    EXPECT_EQ(r.U32(24), 3u);
    for (std::size_t k = 0, at = 28; k < 3; ++k, at += pointSize) {
      EXPECT_EQ(wide ? (TPoint{r.I32(at), r.I32(at + 4)}) : (TPoint{r.I16(at), r.I16(at + 2)}),
                points[k]) << k;
    }
  }
}

TEST(EmfHeaderFields, ExactForASmallPicture) {
  const Bytes bytes = Emf([](C& c) {
    c.FillRect(10, 20, 30, 40);
    c.SetPenWidth(4); c.SetPenColour(kRed); c.Ellipse(100, 110, 200, 220);
  });
  ASSERT_EQ(CheckEmfStructure(bytes), "");
  EXPECT_EQ(TypesOf(bytes), "HBSFPSESDSDZ");  // white brush, red pen, then both released
  const auto selects = Records(bytes, emf::kSelectObject);
  ASSERT_EQ(selects.size(), 4u);  // stock objects are selected before ours are deleted
  EXPECT_EQ(selects[2].U32(8), 0x80000007u);  // BLACK_PEN
  EXPECT_EQ(selects[3].U32(8), 0x80000000u);  // WHITE_BRUSH
  const EmfHeader h = Header(bytes);
  EXPECT_EQ((Words{h.size, h.signature, h.version, h.bytes, h.records, h.handles}),
            (Words{108, 0x464D4520, 0x10000, 376, 12, 3}));  // handles: reserved, brush, pen
  // The fill (10,20)-(29,39) and the ellipse widened by half its 4-pixel pen.
  EXPECT_EQ(Ints(h.bounds, h.bounds + 4), (Ints{10, 20, 201, 221}));
  EXPECT_EQ(Ints(h.frame, h.frame + 4), (Ints{0, 0, 26458, 26458}));  // 1000 px at 96 dpi
  EXPECT_EQ((Words{h.descriptionLength, h.descriptionOffset, h.paletteEntries}), (Words{0, 0, 0}));
  // A 96 dpi reference device: pixels, millimetres, micrometres.
  EXPECT_EQ((Ints{h.device[0], h.device[1], h.millimetres[0], h.millimetres[1], h.micrometres[0],
                  h.micrometres[1]}),
            (Ints{1920, 1440, 508, 381, 508000, 381000}));
  const EmfRecordView eof = Records(bytes).back();
  EXPECT_EQ((Words{eof.size, eof.U32(8), eof.U32(12), eof.U32(16)}), (Words{20, 0, 16, 20}));
}

TEST(EmfHeaderFields, BoundsStopAtThePictureEdgeAndCoverLinesFromTheCurrentPosition) {
  const auto bounds = [](const std::function<void(C&)>& draw) {
    const EmfHeader h = Header(Emf(draw));
    return Ints(h.bounds, h.bounds + 4);
  };
  EXPECT_EQ(bounds([](C& c) { Poly(c, {{10, 20}, {40000, -5}, {-3, -70000}}); }),
            (Ints{0, 0, 999, 20}));
  EXPECT_EQ(bounds([](C& c) { c.FillRect(2000, 2000, 2100, 2100); }), (Ints{0, 0, -1, -1}));
  // Only the last move counts.
  EXPECT_EQ(bounds([](C& c) { c.MoveTo({300, 400}); c.MoveTo({100, 200}); c.LineTo({150, 120}); }),
            (Ints{100, 120, 150, 200}));
}

TEST(EmfObjects, PenCreatedOnlyWhenItChangesAndIsUsed) {
  const Bytes bytes = Emf([](C& c) {
    c.SetPenColour(kRed); c.SetPenColour(kBlack);  // back to the fresh pen before drawing
    c.MoveTo({5, 5}); Poly(c, {{0, 0}, {10, 10}});  // the move draws nothing
    c.SetPenWidth(1); c.SetPenColour(kBlack); Poly(c, {{0, 0}, {10, 10}});
    c.SetPenColour(kBlue); c.SetPenWidth(7); c.SetPenColour(kBlack); c.SetPenWidth(1);
    c.LineTo({20, 20});
  });
  ASSERT_EQ(CheckEmfStructure(bytes), "");
  const auto pens = Records(bytes, emf::kCreatePen);
  ASSERT_EQ(pens.size(), 1u);
  EXPECT_EQ((Words{pens[0].U32(12), pens[0].U32(16), pens[0].U32(24)}),
            (Words{emf::kPenSolid, 1, kBlack}));
  EXPECT_TRUE(Records(bytes, emf::kCreateBrushIndirect).empty());
}

TEST(EmfObjects, ReplacedObjectsAreDeletedAfterTheirReplacementIsSelected) {
  const Bytes bytes = Emf([](C& c) {
    for (int i = 0; i < 50; ++i) {
      c.SetPenColour(Rgb(std::uint8_t(i), 0, 0)); c.SetBrushColour(Rgb(0, std::uint8_t(i), 0));
      Poly(c, {{0, 0}, {10, 10}}); c.FillRect(0, 0, 5, 5);
    }
  });
  ASSERT_EQ(CheckEmfStructure(bytes), "");
  EXPECT_EQ(Records(bytes, emf::kCreatePen).size(), 50u);
  EXPECT_EQ(Records(bytes, emf::kCreateBrushIndirect).size(), 50u);
  EXPECT_EQ(Records(bytes, emf::kDeleteObject).size(), 100u);  // all, by the end
  EXPECT_EQ(Header(bytes).handles, 4u);  // reserved slot, pen, brush, the next one
  const auto records = Records(bytes);
  for (std::size_t i = 1; i < records.size(); ++i) {
    if (records[i].type != emf::kDeleteObject) continue;
    EXPECT_EQ(records[i - 1].type, emf::kSelectObject) << "record " << i;
    EXPECT_NE(records[i - 1].U32(8), records[i].U32(8)) << "record " << i;
  }
}

TEST(EmfObjects, FillIsAPatternCopyWithTheSelectedBrushAndNoSource) {
  const Bytes bytes = Emf([](C& c) { c.SetBrushColour(kBlue); c.FillRect(10, 20, 110, 70); });
  ASSERT_EQ(CheckEmfStructure(bytes), "");
  EXPECT_EQ(TypesOf(bytes), "HBSFSDZ");
  const EmfRecordView brush = Records(bytes, emf::kCreateBrushIndirect).at(0);
  EXPECT_EQ((Words{brush.U32(12), brush.U32(16)}), (Words{emf::kBrushSolid, kBlue}));
  const EmfRecordView b = Records(bytes, emf::kBitBlt).at(0);
  ASSERT_EQ(b.size, 100u);
  Words fields;
  for (std::size_t at = 8; at < 100; at += 4) fields.push_back(b.U32(at));
  EXPECT_EQ(fields, (Words{10, 20, 109, 69,  // rclBounds, inclusive
                           10, 20, 100, 50,  // destination
                           0x00F00021,       // PATCOPY
                           0, 0,             // no source position
                           0x3F800000, 0, 0, 0x3F800000, 0, 0,  // identity xformSrc
                           0, 0, 0, 0, 0, 0}));                 // no colour, no bitmap
}

TEST(EmfPlayers, MoveIsWrittenRightBeforeItsLineAfterAnySelection) {
  const Bytes bytes = Emf([](C& c) {
    c.MoveTo({10, 10}); c.SetPenColour(kRed); c.LineTo({20, 10}); c.LineTo({20, 20});
    c.MoveTo({20, 20}); c.LineTo({30, 30});  // already there
    c.MoveTo({50, 50}); c.LineTo({60, 60});
    c.SetPenColour(kBlue); c.LineTo({70, 60});  // from where the last line ended
  });
  ASSERT_EQ(CheckEmfStructure(bytes), "");
  EXPECT_EQ(TypesOf(bytes), "HPSMLLLMLPSDMLSDZ");
  const auto moves = Records(bytes, emf::kMoveToEx);
  EXPECT_EQ((Ints{moves[0].I32(8), moves[1].I32(8), moves[2].I32(8), moves[2].I32(12)}),
            (Ints{10, 50, 60, 60}));
}

TEST(EmfPlayers, FillIsDrawnWithTheNullPenAndThePenComesBackAfter) {
  const Bytes bytes = Emf([](C& c) {
    c.SetPenColour(kRed); Poly(c, {{0, 0}, {10, 10}});
    c.FillRect(0, 0, 5, 5); c.FillRect(5, 5, 9, 9); Poly(c, {{0, 0}, {10, 10}});
  });
  ASSERT_EQ(CheckEmfStructure(bytes), "");
  EXPECT_EQ(TypesOf(bytes), "HPSpBSSFFSpSDSDZ");
  const auto selects = Records(bytes, emf::kSelectObject);
  EXPECT_EQ(selects[2].U32(8), 0x80000008u);        // NULL_PEN
  EXPECT_EQ(selects[3].U32(8), selects[0].U32(8));  // the same pen, not a new one
}

TEST(EmfPlayers, PenIsSelectedAgainAfterAnEllipseFilledInItsColour) {
  const Bytes bytes = Emf([](C& c) {
    c.SetBrushColour(kBlack); c.Ellipse(0, 0, 20, 20); Poly(c, {{0, 0}, {10, 10}});
    c.SetBrushColour(kRed); c.Ellipse(0, 0, 20, 20); Poly(c, {{0, 0}, {10, 10}});
  });
  ASSERT_EQ(CheckEmfStructure(bytes), "");
  EXPECT_EQ(TypesOf(bytes), "HPSBSESpBSDEpSDSDZ");
}

TEST(EmfRoundTrip, DecodedFileDrawsTheSame) {
  const Picture pictures[] = {
      Stereonet(),
      Record([](C& c) {  // far points and negative coordinates
        Poly(c, {{-100000, 5}, {100000, -5}, {7, 2000000000}});
        c.SetPenWidth(3); Poly(c, {{-1, -1}, {1, 1}});
        c.Ellipse(-20, -20, 20, 20); c.FillRect(-5, -5, 5, 5);
      }),
      Record([](C& c) {  // lines around pen changes and fills
        c.LineTo({5, 5});  // from the start position
        c.MoveTo({100, 100}); c.SetPenColour(kRed); c.SetPenWidth(3); c.LineTo({200, 100});
        c.FillRect(0, 0, 50, 50); c.LineTo({200, 200});
        c.SetBrushColour(kRed); c.Ellipse(10, 10, 30, 30);
        c.MoveTo({1, 1}); c.MoveTo({2, 2}); c.LineTo({3, 3});
        c.MoveTo({9, 9});  // never used
      }),
  };
  for (const Picture& picture : pictures) {
    const Bytes bytes = EncodeEmf(picture);
    EXPECT_EQ(CheckEmfStructure(bytes), "");
    std::string error;
    EXPECT_EQ(EffectiveDrawingOfEmf(bytes, error), EffectiveDrawing(picture));
    EXPECT_EQ(error, "");
  }
  // The comparison sees the operations and their attributes.
  const std::vector<EffectiveDraw> net = EffectiveDrawing(pictures[0]);
  ASSERT_EQ(net.size(), 12u);
  EXPECT_EQ(net[1].op, DrawOp::Ellipse);
  EXPECT_EQ((Words{Words::value_type(net[1].penWidth), net[1].penColour, net[1].brushColour}),
            (Words{2, kSilver, kWhite}));
  EXPECT_EQ(net[2].op, DrawOp::LineTo);
  EXPECT_EQ((Ints{net[2].a, net[2].b, net[2].c, net[2].d}), (Ints{500, 50, 500, 30}));
}

TEST(EmfRoundTrip, EffectiveDrawingIgnoresHowAttributesWereRecorded) {
  const auto line = [](const std::function<void(C&)>& setUp) {
    return EffectiveDrawing(Record([&](C& c) { setUp(c); Poly(c, {{0, 0}, {9, 9}}); }));
  };
  const auto direct = line([](C& c) { c.SetPenColour(kRed); });
  EXPECT_EQ(direct, line([](C& c) {
              c.SetPenColour(kBlue); c.SetBrushColour(kBlue);  // a brush means nothing to a line
              c.SetPenWidth(1); c.SetPenColour(kRed);
            }));
  EXPECT_NE(direct, line([](C& c) { c.SetPenColour(kRed); c.SetPenWidth(2); }));
}

TEST(SaveEmf, ReplacesAnyFileAndThrowsFileErrorNamingAnUnwritablePath) {
  test::TempDir dir;
  const std::string path = dir.File("net.emf");
  test::WriteFile(path, std::string(100000, 'x'));
  SaveEmf(Stereonet(), path);
  const Bytes expected = EncodeEmf(Stereonet());
  EXPECT_EQ(test::ReadFile(path), std::string(expected.begin(), expected.end()));

  const std::string bad = dir.File("missing/net.emf");
  try {
    SaveEmf(Stereonet(), bad);
    ADD_FAILURE() << "no FileError";
  } catch (const FileError& e) {
    EXPECT_EQ(e.action(), FileError::Action::Write);
    EXPECT_EQ(e.path(), bad);
    EXPECT_NE(std::string(e.what()).find(bad), std::string::npos) << e.what();
    EXPECT_FALSE(e.reason().empty());
  }
}

// Sets nBytes to the file's size and nRecords off by `recordDelta`.
void FixCounts(Bytes& bytes, std::int32_t recordDelta) {
  Put32(bytes, 48, std::uint32_t(bytes.size()));
  Put32(bytes, 52, Header(bytes).records + std::uint32_t(recordDelta));
}

TEST(EmfCheck, RejectsCorruptedFiles) {
  const Bytes good = EncodeEmf(Stereonet());
  const std::size_t select = Records(good, emf::kSelectObject).at(0).offset;
  const std::size_t polyline = Records(good, emf::kPolyline16).at(0).offset;
  const std::size_t eof = Records(good).back().offset, count = Records(good).size();
  const std::pair<std::function<void(Bytes&)>, const char*> corruptions[] = {  // how, error
      {[](Bytes& b) { b.resize(b.size() - 4); }, "bytes"},
      {[&](Bytes& b) { b.resize(polyline + 20), FixCounts(b, 0); }, "left in the file"},
      {[&](Bytes& b) { b.resize(eof + 4), FixCounts(b, 0); }, "stray bytes"},
      {[&](Bytes& b) { Put32(b, 52, std::uint32_t(count - 1)); }, "records"},
      {[&](Bytes& b) { Put32(b, select + 4, 14); }, "multiple of 4"},
      {[&](Bytes& b) { Put32(b, select, emf::kCreatePen); }, "too small"},
      {[&](Bytes& b) { Put32(b, polyline + 24, 6); }, "points"},
      {[&](Bytes& b) { b.resize(eof), FixCounts(b, -1); }, "EOF"},
      {[&](Bytes& b) { b.insert(b.begin() + long(eof), b.end() - 20, b.end()), FixCounts(b, 1); },
       "before the last record"},
      {[](Bytes& b) { b[40] ^= 1; }, "signature"},
      {[](Bytes& b) { Put32(b, 0, emf::kEof); }, "not the header"},
      {[&](Bytes& b) { Put32(b, select + 8, 2); }, "before it is created"},
      {[&](Bytes& b) { Put32(b, select + 8, 200); }, "outside the table"},
      {[&](Bytes& b) { Put32(b, select, emf::kDeleteObject), Put32(b, select + 8, 0x80000000); },
       "stock"},
      {[](Bytes& b) { b.clear(); }, "empty"},
  };
  for (const auto& [corrupt, expected] : corruptions) {
    SCOPED_TRACE(expected);
    Bytes bytes = good;
    corrupt(bytes);
    const std::string error = CheckEmfStructure(bytes);
    EXPECT_NE(error.find(expected), std::string::npos) << "error: \"" << error << "\"";
    Picture picture;
    EXPECT_EQ(DecodeEmf(bytes, picture), error);  // the decoder refuses what the check rejects
  }
}

}  // namespace
}  // namespace orniva
