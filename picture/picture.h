// The recorded vector picture behind the plot: an ordered list of canvas
// operations in integer plot coordinates, 1000 x 1000 units. A
// RecordingCanvas records into it; separate sinks replay it (a QPainter in
// the window, an enhanced-metafile file on export).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/graphics.h"

namespace orniva {

enum class DrawOp : std::uint8_t {
  PenWidth,     // a = width
  PenColour,    // a = TColor
  BrushColour,  // a = TColor
  FillRect,     // a, b, c, d = left, top, right, bottom (right and bottom exclusive)
  Ellipse,      // a, b, c, d = bounding box left, top, right, bottom
  MoveTo,       // a, b = x, y
  LineTo,       // a, b = x, y
  Polyline,     // a = index of the first point in points(), b = number of points;
                // c = 1 + index of its first fine point in finePoints(), 0: none
  Polygon,      // as Polyline, closed, outlined with the pen and filled with the brush
  Text,         // a = index into texts(), b, c = x, y of the anchor on the baseline
};

// Where a text's anchor lies on its baseline.
enum class TextAnchor : std::uint8_t { Left = 0, Centre = 1, Right = 2 };

// A line of text, drawn in the pen's colour in a plain sans-serif face of
// `height` plot units (the em height, as the platform's font height).
struct TextItem {
  std::string utf8;
  std::int32_t height = 0;
  TextAnchor anchor = TextAnchor::Left;
  friend bool operator==(const TextItem& l, const TextItem& r) {
    return l.utf8 == r.utf8 && l.height == r.height && l.anchor == r.anchor;
  }
};

// A point of a curve in hundredths of a plot unit, kept beside the point
// rounded to the plot unit: a device that draws finer than a plot unit (a
// vector file, a large raster) draws the curve smooth, every other device
// and the metafile the rounded points.
struct FinePoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(FinePoint a, FinePoint b) { return a.x == b.x && a.y == b.y; }
};
constexpr std::int32_t kFineUnits = 100;  // fine units in a plot unit

struct DrawRecord {
  DrawOp op;
  std::int32_t a = 0, b = 0, c = 0, d = 0;

  friend bool operator==(const DrawRecord& l, const DrawRecord& r) {
    return l.op == r.op && l.a == r.a && l.b == r.b && l.c == r.c && l.d == r.d;
  }
};

// Records [begin, begin + length) are a copy of the records [source,
// source + length); begin == source for the run that is copied.
struct RepeatedRun {
  std::size_t begin = 0;
  std::size_t source = 0;
  std::size_t length = 0;
};

class Picture {
 public:
  static constexpr std::int32_t kDefaultSize = 1000;

  std::int32_t width() const { return width_; }
  std::int32_t height() const { return height_; }
  void SetSize(std::int32_t width, std::int32_t height);

  const std::vector<DrawRecord>& records() const { return records_; }
  const std::vector<TPoint>& points() const { return points_; }
  const std::vector<TextItem>& texts() const { return texts_; }
  // The points of a Polyline or Polygon record.
  const TPoint* PolylinePoints(const DrawRecord& polyline) const {
    return points_.data() + polyline.a;
  }
  // The fine points of a Polyline record, as many as its points; null when
  // it has none.
  const FinePoint* FinePointsOf(const DrawRecord& polyline) const {
    const bool fine = polyline.op == DrawOp::Polyline && polyline.c > 0 && polyline.b >= 0 &&
                      std::size_t(polyline.c - 1) + std::size_t(polyline.b) <= finePoints_.size();
    return fine ? finePoints_.data() + (polyline.c - 1) : nullptr;
  }
  const std::vector<FinePoint>& finePoints() const { return finePoints_; }
  bool empty() const { return records_.empty(); }
  void Clear();
  // Record `index`, a pen or brush colour, sets `colour` instead.
  void SetColourOf(std::size_t index, TColor colour);

  // The runs marked by MarkRun and recorded by RepeatRecords, in order.
  const std::vector<RepeatedRun>& repeats() const { return repeats_; }
  // Says what the drawing was made from: two pictures with the same key
  // other than 0 draw the same once their repeated runs and the runs they
  // repeat are left out. 0: unknown.
  std::uint64_t drawingKey() const { return drawingKey_; }

 private:
  friend class RecordingCanvas;
  std::int32_t width_ = kDefaultSize;
  std::int32_t height_ = kDefaultSize;
  std::vector<DrawRecord> records_;
  std::vector<TPoint> points_;
  std::vector<FinePoint> finePoints_;
  std::vector<TextItem> texts_;
  std::vector<RepeatedRun> repeats_;
  std::uint64_t drawingKey_ = 0;
};

// Records a new picture. The target is empty while the canvas is open;
// closing (explicitly or on destruction) gives it what was recorded.
class RecordingCanvas {
 public:
  explicit RecordingCanvas(Picture& target);
  // The same, keeping the target's first `keptPoints` points for records
  // appended with Append: a new version of the same drawing records only
  // what changed.
  RecordingCanvas(Picture& target, std::size_t keptPoints);
  ~RecordingCanvas();
  RecordingCanvas(const RecordingCanvas&) = delete;
  RecordingCanvas& operator=(const RecordingCanvas&) = delete;

  void SetPenWidth(std::int32_t width);
  void SetPenColour(TColor colour);
  TColor PenColour() const { return penColour_; }
  void SetBrushColour(TColor colour);
  TColor BrushColour() const { return brushColour_; }

  void FillRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
  void Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
  void MoveTo(TPoint p);
  void LineTo(TPoint p);
  void Polyline(const TPoint* points, std::size_t count);
  // The same with `fine`, `count` points of the same curve in fine units.
  void Polyline(const TPoint* points, std::size_t count, const FinePoint* fine);
  void Polygon(const TPoint* points, std::size_t count);
  void Text(TPoint anchor, TextItem text);
  // Records every record of `picture` moved by `offset`, with its repeated
  // runs. It draws as it would alone only from a fresh canvas's pen and
  // brush (see below).
  void Draw(const Picture& picture, TPoint offset);

  // Records [begin, end) as they are; their polylines' points are among the
  // kept ones. The pen and brush colours follow them.
  void Append(const DrawRecord* begin, const DrawRecord* end);

  // Room for `records` records and `points` points in all, so that a plot
  // of thousands of data grows its buffers once (platform/large_buffer.h).
  void Reserve(std::size_t records, std::size_t points);

  // The number of records so far: marks a run of records to repeat.
  std::size_t RecordCount() const { return recording_.records_.size(); }
  // Marks the records [begin, end) as a run that is drawn again later, and
  // records it again. Repeated polylines share the points recorded the
  // first time. A run that is repeated sets the pen width and colours it
  // draws with, and so does whatever is drawn after it: so each copy looks
  // the same wherever it stands.
  void MarkRun(std::size_t begin, std::size_t end);
  void RepeatRecords(std::size_t begin, std::size_t end);

  // Sets the picture's drawingKey (see Picture).
  void SetDrawingKey(std::uint64_t key) { recording_.drawingKey_ = key; }

  void Close();
  bool closed() const { return target_ == nullptr; }

 private:
  void Add(DrawOp op, std::int32_t a = 0, std::int32_t b = 0, std::int32_t c = 0,
           std::int32_t d = 0);

  Picture* target_;
  Picture recording_;
  // A fresh canvas draws with a black pen of width 1 and a white brush;
  // these follow the last pen and brush colours set, also when repeated.
  TColor penColour_ = Rgb(0, 0, 0);
  TColor brushColour_ = Rgb(255, 255, 255);
};

}  // namespace orniva
