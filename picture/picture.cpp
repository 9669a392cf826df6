#include "picture/picture.h"

#include <algorithm>
#include <utility>

#include "platform/large_buffer.h"

namespace orniva {

void Picture::SetSize(std::int32_t width, std::int32_t height) {
  width_ = width;
  height_ = height;
}

void Picture::SetColourOf(std::size_t index, TColor colour) {
  DrawRecord& record = records_.at(index);
  if (record.op == DrawOp::PenColour || record.op == DrawOp::BrushColour)
    record.a = std::int32_t(colour);
}

void Picture::Clear() {
  records_.clear();
  points_.clear();
  finePoints_.clear();
  texts_.clear();
  repeats_.clear();
  drawingKey_ = 0;
}

// The recording takes over the target's buffers, emptied: a new plot of
// tens of thousands of great circles then writes into memory the last one
// already touched, instead of growing fresh buffers page by page.
RecordingCanvas::RecordingCanvas(Picture& target) : RecordingCanvas(target, 0) {}

RecordingCanvas::RecordingCanvas(Picture& target, std::size_t keptPoints) : target_(&target) {
  recording_.SetSize(target.width(), target.height());
  recording_.records_.swap(target.records_);
  recording_.points_.swap(target.points_);
  recording_.records_.clear();
  recording_.points_.resize(std::min(keptPoints, recording_.points_.size()));
  // The kept records' fine points stay with them.
  if (keptPoints > 0) recording_.finePoints_.swap(target.finePoints_);
  target.Clear();
}

RecordingCanvas::~RecordingCanvas() { Close(); }

void RecordingCanvas::Close() {
  if (!target_) return;
  target_->records_ = std::move(recording_.records_);
  target_->points_ = std::move(recording_.points_);
  target_->finePoints_ = std::move(recording_.finePoints_);
  target_->texts_ = std::move(recording_.texts_);
  target_->repeats_ = std::move(recording_.repeats_);
  target_->drawingKey_ = recording_.drawingKey_;
  target_ = nullptr;
}

void RecordingCanvas::Reserve(std::size_t records, std::size_t points) {
  ReserveLarge(recording_.records_, records);
  ReserveLarge(recording_.points_, points);
}

void RecordingCanvas::Add(DrawOp op, std::int32_t a, std::int32_t b, std::int32_t c,
                          std::int32_t d) {
  recording_.records_.push_back(DrawRecord{op, a, b, c, d});
}

void RecordingCanvas::SetPenWidth(std::int32_t width) { Add(DrawOp::PenWidth, width); }

void RecordingCanvas::SetPenColour(TColor colour) {
  penColour_ = colour;
  Add(DrawOp::PenColour, std::int32_t(colour));
}

void RecordingCanvas::SetBrushColour(TColor colour) {
  brushColour_ = colour;
  Add(DrawOp::BrushColour, std::int32_t(colour));
}

void RecordingCanvas::FillRect(std::int32_t left, std::int32_t top, std::int32_t right,
                               std::int32_t bottom) {
  Add(DrawOp::FillRect, left, top, right, bottom);
}

void RecordingCanvas::Ellipse(std::int32_t left, std::int32_t top, std::int32_t right,
                              std::int32_t bottom) {
  Add(DrawOp::Ellipse, left, top, right, bottom);
}

void RecordingCanvas::MoveTo(TPoint p) { Add(DrawOp::MoveTo, p.x, p.y); }

void RecordingCanvas::LineTo(TPoint p) { Add(DrawOp::LineTo, p.x, p.y); }

void RecordingCanvas::Polyline(const TPoint* points, std::size_t count) {
  const auto first = std::int32_t(recording_.points_.size());
  recording_.points_.insert(recording_.points_.end(), points, points + count);
  Add(DrawOp::Polyline, first, std::int32_t(count));
}

void RecordingCanvas::Polyline(const TPoint* points, std::size_t count, const FinePoint* fine) {
  Polyline(points, count);
  recording_.records_.back().c = std::int32_t(recording_.finePoints_.size() + 1);
  recording_.finePoints_.insert(recording_.finePoints_.end(), fine, fine + count);
}

void RecordingCanvas::Polygon(const TPoint* points, std::size_t count) {
  const auto first = std::int32_t(recording_.points_.size());
  recording_.points_.insert(recording_.points_.end(), points, points + count);
  Add(DrawOp::Polygon, first, std::int32_t(count));
}
void RecordingCanvas::Text(TPoint anchor, TextItem text) {
  recording_.texts_.push_back(std::move(text));
  Add(DrawOp::Text, std::int32_t(recording_.texts_.size() - 1), anchor.x, anchor.y);
}
void RecordingCanvas::Draw(const Picture& picture, TPoint offset) {
  const auto firstPoint = std::int32_t(recording_.points_.size());
  const auto firstText = std::int32_t(recording_.texts_.size());
  const std::size_t firstRecord = recording_.records_.size();
  const auto firstFine = std::int32_t(recording_.finePoints_.size());
  for (TPoint p : picture.points()) recording_.points_.push_back({p.x + offset.x, p.y + offset.y});
  for (FinePoint p : picture.finePoints())
    recording_.finePoints_.push_back({p.x + offset.x * kFineUnits, p.y + offset.y * kFineUnits});
  recording_.texts_.insert(recording_.texts_.end(), picture.texts().begin(), picture.texts().end());
  for (DrawRecord r : picture.records()) {
    switch (r.op) {
      case DrawOp::PenColour:
        penColour_ = TColor(r.a);
        break;
      case DrawOp::BrushColour:
        brushColour_ = TColor(r.a);
        break;
      case DrawOp::FillRect:
      case DrawOp::Ellipse:
        r.a += offset.x, r.b += offset.y, r.c += offset.x, r.d += offset.y;
        break;
      case DrawOp::MoveTo:
      case DrawOp::LineTo:
        r.a += offset.x, r.b += offset.y;
        break;
      case DrawOp::Polyline:
      case DrawOp::Polygon:
        r.a += firstPoint;
        if (r.c > 0) r.c += firstFine;
        break;
      case DrawOp::Text:
        r.a += firstText, r.b += offset.x, r.c += offset.y;
        break;
      case DrawOp::PenWidth:
        break;
    }
    recording_.records_.push_back(r);
  }
  for (RepeatedRun run : picture.repeats()) {
    run.begin += firstRecord;
    run.source += firstRecord;
    recording_.repeats_.push_back(run);
  }
}

void RecordingCanvas::Append(const DrawRecord* begin, const DrawRecord* end) {
  recording_.records_.insert(recording_.records_.end(), begin, end);
  for (const DrawRecord* r = begin; r != end; ++r) {
    if (r->op == DrawOp::PenColour) penColour_ = TColor(r->a);
    if (r->op == DrawOp::BrushColour) brushColour_ = TColor(r->a);
  }
}

void RecordingCanvas::MarkRun(std::size_t begin, std::size_t end) {
  end = std::min(end, recording_.records_.size());
  if (begin < end) recording_.repeats_.push_back(RepeatedRun{begin, begin, end - begin});
}

void RecordingCanvas::RepeatRecords(std::size_t begin, std::size_t end) {
  std::vector<DrawRecord>& records = recording_.records_;
  end = std::min(end, records.size());
  if (begin >= end) return;
  recording_.repeats_.push_back(RepeatedRun{records.size(), begin, end - begin});
  records.reserve(records.size() + (end - begin));
  for (std::size_t i = begin; i < end; ++i) {
    const DrawRecord r = records[i];
    if (r.op == DrawOp::PenColour) penColour_ = TColor(r.a);
    if (r.op == DrawOp::BrushColour) brushColour_ = TColor(r.a);
    records.push_back(r);
  }
}

}  // namespace orniva
