#include "platform/picture.h"

#include <gtest/gtest.h>

#include <vector>

namespace orniva {
namespace {

constexpr TColor kRed = Rgb(255, 0, 0);
constexpr TColor kBlue = Rgb(0, 0, 255);

// A picture holding one recorded line, to be replaced by later recordings.
Picture PictureWithOneLine() {
  Picture picture;
  RecordingCanvas canvas(picture);
  canvas.MoveTo(TPoint{1, 2});
  canvas.LineTo(TPoint{3, 4});
  canvas.Close();
  return picture;
}

TEST(Picture, StartsEmptyAtTheDefaultSize) {
  Picture picture;
  EXPECT_TRUE(picture.empty());
  EXPECT_TRUE(picture.points().empty());
  EXPECT_EQ(picture.width(), Picture::kDefaultSize);
  EXPECT_EQ(picture.height(), Picture::kDefaultSize);
}

TEST(Picture, ClearDropsRecordsAndPointsButKeepsTheSize) {
  Picture picture;
  picture.SetSize(640, 480);
  {
    RecordingCanvas canvas(picture);
    const TPoint line[] = {{0, 0}, {5, 5}};
    canvas.Polyline(line, 2);
  }
  ASSERT_FALSE(picture.empty());
  picture.Clear();
  EXPECT_TRUE(picture.empty());
  EXPECT_TRUE(picture.points().empty());
  EXPECT_EQ(picture.width(), 640);
  EXPECT_EQ(picture.height(), 480);
}

TEST(RecordingCanvas, RecordsEveryOperationInOrder) {
  Picture picture;
  {
    RecordingCanvas canvas(picture);
    canvas.SetPenWidth(3);
    canvas.SetPenColour(kRed);
    canvas.SetBrushColour(kBlue);
    canvas.FillRect(0, 1, 1000, 999);
    canvas.Ellipse(50, 60, 950, 940);
    canvas.MoveTo(TPoint{10, 20});
    canvas.LineTo(TPoint{-30, 40});
    const TPoint line[] = {{1, 1}, {2, 2}};
    canvas.Polyline(line, 2);
    canvas.SetPenWidth(1);
  }
  const std::vector<DrawRecord> expected = {
      {DrawOp::PenWidth, 3},
      {DrawOp::PenColour, std::int32_t(kRed)},
      {DrawOp::BrushColour, std::int32_t(kBlue)},
      {DrawOp::FillRect, 0, 1, 1000, 999},
      {DrawOp::Ellipse, 50, 60, 950, 940},
      {DrawOp::MoveTo, 10, 20},
      {DrawOp::LineTo, -30, 40},
      {DrawOp::Polyline, 0, 2},
      {DrawOp::PenWidth, 1},
  };
  EXPECT_EQ(picture.records(), expected);
}

TEST(RecordingCanvas, StoresPolylinePointsInOrder) {
  Picture picture;
  const std::vector<TPoint> first = {{0, 0}, {10, 5}, {20, -7}};
  const std::vector<TPoint> second = {{100, 100}, {90, 80}, {70, 75}, {65, 40}};
  {
    RecordingCanvas canvas(picture);
    canvas.Polyline(first.data(), first.size());
    canvas.MoveTo(TPoint{0, 0});
    canvas.Polyline(second.data(), second.size());
  }
  ASSERT_EQ(picture.records().size(), 3u);
  const DrawRecord& a = picture.records()[0];
  const DrawRecord& b = picture.records()[2];
  EXPECT_EQ(a, (DrawRecord{DrawOp::Polyline, 0, 3}));
  EXPECT_EQ(b, (DrawRecord{DrawOp::Polyline, 3, 4}));
  EXPECT_EQ(std::vector<TPoint>(picture.PolylinePoints(a), picture.PolylinePoints(a) + a.b), first);
  EXPECT_EQ(std::vector<TPoint>(picture.PolylinePoints(b), picture.PolylinePoints(b) + b.b),
            second);
  std::vector<TPoint> all = first;
  all.insert(all.end(), second.begin(), second.end());
  EXPECT_EQ(picture.points(), all);
}

TEST(RecordingCanvas, FreshCanvasDrawsBlackOnWhiteAndRemembersColours) {
  Picture picture;
  RecordingCanvas canvas(picture);
  EXPECT_EQ(canvas.PenColour(), Rgb(0, 0, 0));
  EXPECT_EQ(canvas.BrushColour(), Rgb(255, 255, 255));
  canvas.SetPenColour(kRed);
  canvas.SetBrushColour(kBlue);
  EXPECT_EQ(canvas.PenColour(), kRed);
  EXPECT_EQ(canvas.BrushColour(), kBlue);
}

TEST(RecordingCanvas, CloseReplacesTheWholeContent) {
  Picture picture = PictureWithOneLine();
  const std::vector<TPoint> line = {{7, 8}, {9, 10}};
  {
    const TPoint old[] = {{1, 1}, {2, 2}, {3, 3}};
    RecordingCanvas canvas(picture);
    canvas.Polyline(old, 3);
    canvas.Close();
  }
  RecordingCanvas canvas(picture);
  canvas.Ellipse(1, 2, 3, 4);
  canvas.Polyline(line.data(), line.size());
  // Until it is closed the target keeps what it had.
  EXPECT_EQ(picture.records(), (std::vector<DrawRecord>{{DrawOp::Polyline, 0, 3}}));
  EXPECT_FALSE(canvas.closed());
  canvas.Close();
  EXPECT_TRUE(canvas.closed());
  EXPECT_EQ(picture.records(),
            (std::vector<DrawRecord>{{DrawOp::Ellipse, 1, 2, 3, 4}, {DrawOp::Polyline, 0, 2}}));
  EXPECT_EQ(picture.points(), line);
}

TEST(RecordingCanvas, ClosingAnEmptyRecordingEmptiesThePicture) {
  Picture picture = PictureWithOneLine();
  ASSERT_FALSE(picture.empty());
  RecordingCanvas(picture).Close();
  EXPECT_TRUE(picture.empty());
  EXPECT_TRUE(picture.points().empty());
}

TEST(RecordingCanvas, DestructorCloses) {
  Picture picture = PictureWithOneLine();
  {
    RecordingCanvas canvas(picture);
    canvas.FillRect(0, 0, 10, 10);
  }
  EXPECT_EQ(picture.records(), (std::vector<DrawRecord>{{DrawOp::FillRect, 0, 0, 10, 10}}));
}

TEST(RecordingCanvas, SecondCloseAndLaterDrawingLeaveTheTargetAlone) {
  Picture picture;
  RecordingCanvas canvas(picture);
  canvas.MoveTo(TPoint{5, 5});
  canvas.Close();
  canvas.LineTo(TPoint{6, 6});
  canvas.Close();
  EXPECT_EQ(picture.records(), (std::vector<DrawRecord>{{DrawOp::MoveTo, 5, 5}}));
}

TEST(RecordingCanvas, TwoRecordingsLeaveOnlyTheSecond) {
  Picture picture;
  const std::vector<TPoint> first = {{0, 0}, {1, 1}, {2, 2}};
  const std::vector<TPoint> second = {{50, 50}, {60, 60}};
  {
    RecordingCanvas canvas(picture);
    canvas.SetPenColour(kRed);
    canvas.Polyline(first.data(), first.size());
  }
  {
    RecordingCanvas canvas(picture);
    canvas.Polyline(second.data(), second.size());
  }
  EXPECT_EQ(picture.records(), (std::vector<DrawRecord>{{DrawOp::Polyline, 0, 2}}));
  EXPECT_EQ(picture.points(), second);
}

TEST(RecordingCanvas, RecordingKeepsTheTargetSize) {
  Picture picture;
  picture.SetSize(300, 200);
  {
    RecordingCanvas canvas(picture);
    canvas.MoveTo(TPoint{1, 1});
  }
  EXPECT_EQ(picture.width(), 300);
  EXPECT_EQ(picture.height(), 200);
}

}  // namespace
}  // namespace orniva

namespace orniva {
namespace {

TEST(RecordingCanvas, RepeatedRecordsShareTheirPoints) {
  Picture picture;
  {
    RecordingCanvas canvas(picture);
    canvas.SetPenColour(Rgb(0, 255, 255));
    const std::size_t begin = canvas.RecordCount();
    canvas.SetPenColour(Rgb(255, 0, 0));
    const TPoint line[] = {{1, 1}, {2, 2}, {3, 3}};
    canvas.Polyline(line, 3);
    const std::size_t end = canvas.RecordCount();
    canvas.SetPenColour(Rgb(0, 0, 255));
    canvas.RepeatRecords(begin, end);
    EXPECT_EQ(canvas.PenColour(), Rgb(255, 0, 0));
    canvas.RepeatRecords(end, begin);  // an empty run adds nothing
  }
  ASSERT_EQ(picture.records().size(), 6u);
  EXPECT_EQ(picture.points().size(), 3u);
  EXPECT_EQ(picture.records()[4], picture.records()[1]);
  EXPECT_EQ(picture.records()[5], picture.records()[2]);
  EXPECT_EQ(picture.PolylinePoints(picture.records()[5])[2], (TPoint{3, 3}));
}

}  // namespace
}  // namespace orniva
