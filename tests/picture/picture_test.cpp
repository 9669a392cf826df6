#include "picture/picture.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <vector>

namespace orniva {
namespace {

using Records = std::vector<DrawRecord>;
using Points = std::vector<TPoint>;
using C = RecordingCanvas;

constexpr TColor kRed = Rgb(255, 0, 0), kGreen = Rgb(0, 255, 0), kBlue = Rgb(0, 0, 255),
                 kCyan = Rgb(0, 255, 255), kBlack = Rgb(0, 0, 0), kWhite = Rgb(255, 255, 255);

using Runs = std::vector<std::array<std::size_t, 3>>;  // begin, source, length
Runs RunsOf(const Picture& picture) {
  Runs runs;
  for (const RepeatedRun& r : picture.repeats()) runs.push_back({r.begin, r.source, r.length});
  return runs;
}

// A picture of 300 x 200 already holding a recording (closed by the
// canvas's destructor), which every later recording replaces in whole.
Picture OldPicture() {
  Picture picture;
  picture.SetSize(300, 200);
  C canvas(picture);
  const TPoint old[] = {{1, 1}, {2, 2}, {3, 3}};
  canvas.Polyline(old, 3);
  canvas.RepeatRecords(0, 1);
  canvas.Text({1, 1}, TextItem{"old", 10});
  canvas.SetDrawingKey(7);
  return picture;
}

struct CanvasCase {
  const char* name;
  std::function<void(C&)> draw;
  Records records;
  Points points;
  Runs repeats;
  std::uint64_t key;
  TColor pen, brush;  // the canvas's colours after drawing
};

// clang-format off
const CanvasCase kCanvasCases[] = {
    {"EveryOperationInOrder",
     [](C& c) {
       c.SetPenWidth(3), c.SetPenColour(kRed), c.SetBrushColour(kBlue);
       c.FillRect(0, 1, 1000, 999), c.Ellipse(50, 60, 950, 940);
       c.MoveTo({10, 20}), c.LineTo({-30, 40});
       const TPoint a[] = {{1, 1}, {2, 2}}, b[] = {{9, 8}, {7, 6}, {5, 4}};
       c.Polyline(a, 2), c.Polyline(b, 3), c.SetDrawingKey(42);
     },
     {{DrawOp::PenWidth, 3}, {DrawOp::PenColour, std::int32_t(kRed)},
      {DrawOp::BrushColour, std::int32_t(kBlue)}, {DrawOp::FillRect, 0, 1, 1000, 999},
      {DrawOp::Ellipse, 50, 60, 950, 940}, {DrawOp::MoveTo, 10, 20}, {DrawOp::LineTo, -30, 40},
      {DrawOp::Polyline, 0, 2}, {DrawOp::Polyline, 2, 3}},
     {{1, 1}, {2, 2}, {9, 8}, {7, 6}, {5, 4}}, {}, 42, kRed, kBlue},
    // A fresh canvas draws black on white; closing an empty recording empties the picture.
    {"NothingEmptiesThePicture", [](C&) {}, {}, {}, {}, 0, kBlack, kWhite},
    // A copy shares the first points and sets the colours it copies; runs clamp to the
    // records, empty runs add nothing.
    {"RepeatedRuns",
     [](C& c) {
       c.SetPenColour(kCyan), c.SetPenColour(kRed), c.SetBrushColour(kGreen);
       const TPoint line[] = {{1, 1}, {2, 2}, {3, 3}};
       c.Polyline(line, 3), c.SetPenColour(kBlue), c.SetBrushColour(kWhite);
       c.RepeatRecords(1, 4), c.RepeatRecords(4, 2), c.MarkRun(7, 100), c.MarkRun(5, 5);
     },
     {{DrawOp::PenColour, std::int32_t(kCyan)}, {DrawOp::PenColour, std::int32_t(kRed)},
      {DrawOp::BrushColour, std::int32_t(kGreen)}, {DrawOp::Polyline, 0, 3},
      {DrawOp::PenColour, std::int32_t(kBlue)}, {DrawOp::BrushColour, std::int32_t(kWhite)},
      {DrawOp::PenColour, std::int32_t(kRed)}, {DrawOp::BrushColour, std::int32_t(kGreen)},
      {DrawOp::Polyline, 0, 3}},
     {{1, 1}, {2, 2}, {3, 3}}, {{6, 1, 3}, {7, 7, 2}}, 0, kRed, kGreen},
};
// clang-format on

TEST(Recording, ReplacesTheTargetsContentOnClose) {
  for (const CanvasCase& t : kCanvasCases) {
    SCOPED_TRACE(t.name);
    Picture picture = OldPicture();
    ASSERT_EQ(picture.records().size(), 3u);
    C canvas(picture);
    t.draw(canvas);
    EXPECT_EQ(canvas.RecordCount(), t.records.size());
    EXPECT_EQ((std::vector<TColor>{canvas.PenColour(), canvas.BrushColour()}),
              (std::vector<TColor>{t.pen, t.brush}));
    // Cleared but for its size, its buffers lent to the recording until closed.
    EXPECT_TRUE(picture.empty() && picture.points().empty() && picture.texts().empty() &&
                picture.repeats().empty() && picture.drawingKey() == 0);
    EXPECT_FALSE(canvas.closed());
    canvas.Close();
    EXPECT_TRUE(canvas.closed());
    canvas.LineTo({6, 6});  // after closing: neither recorded nor replacing again
    canvas.Close();
    EXPECT_EQ(picture.records(), t.records);
    EXPECT_EQ(picture.points(), t.points);
    EXPECT_TRUE(picture.texts().empty());  // the old picture's text gone
    EXPECT_EQ(RunsOf(picture), t.repeats);
    EXPECT_EQ(picture.drawingKey(), t.key);
    EXPECT_EQ((std::vector<int>{picture.width(), picture.height()}), (std::vector<int>{300, 200}));
  }
}

// A curve's fine points follow it when its picture is drawn into another:
// moved with it (in fine units) and found from the moved record; a polyline
// without them has none.
TEST(Recording, FinePointsFollowTheirCurve) {
  const TPoint plain[] = {{1, 1}, {2, 2}}, curve[] = {{10, 20}, {11, 21}};
  const FinePoint fine[] = {{1004, 1996}, {1051, 2102}};
  Picture part;
  {
    C canvas(part);
    canvas.Polyline(curve, 2, fine);
  }
  Picture whole;
  {
    C canvas(whole);
    canvas.Polyline(plain, 2, fine);
    canvas.Polyline(plain, 2);
    canvas.Draw(part, {5, -3});
  }
  ASSERT_EQ(whole.records().size(), 3u);
  EXPECT_EQ(whole.FinePointsOf(whole.records()[1]), nullptr);
  const FinePoint* moved = whole.FinePointsOf(whole.records()[2]);
  ASSERT_NE(moved, nullptr);
  EXPECT_EQ((std::vector<FinePoint>(moved, moved + 2)),
            (std::vector<FinePoint>{{1504, 1696}, {1551, 1802}}));
  EXPECT_EQ(whole.PolylinePoints(whole.records()[2])[1], (TPoint{16, 18}));
}

}  // namespace
}  // namespace orniva
