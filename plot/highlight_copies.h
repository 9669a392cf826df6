// The highlight of a plot: the highlighted datum drawn again after every
// datum as repeats of one recorded run, and a new highlight of a drawing
// composed from the records of that drawing kept without one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "data/fault_data.h"
#include "picture/picture.h"
#include "plot/net.h"

namespace orniva {

// Draws a plot's highlighted datum again after every datum: in full the
// first time, afterwards as a repeat of those records, so that every copy
// shares one set of points and the picture knows them for copies.
class HighlightCopies {
 public:
  explicit HighlightCopies(RecordingCanvas& canvas) : canvas_(canvas) {}

  template <typename DrawCopy>
  void Draw(DrawCopy&& drawCopy) {
    if (drawn_) {
      canvas_.RepeatRecords(begin_, end_);
      return;
    }
    begin_ = canvas_.RecordCount();
    drawCopy();
    end_ = canvas_.RecordCount();
    canvas_.MarkRun(begin_, end_);
    drawn_ = true;
  }

 private:
  RecordingCanvas& canvas_;
  bool drawn_ = false;
  std::size_t begin_ = 0, end_ = 0;
};

// Whether datum `index` exists and its plane can be drawn: the highlight
// rule of every diagram but the fault-plane one.
inline bool HighlightsDrawablePlane(const FaultSet& data, std::int16_t index) {
  return index > 0 && index <= data.count() && PlaneDrawable(data[std::size_t(index)]);
}

// The records of one drawing recorded without its highlight, kept in the
// window's PlotCache: where each datum's records end, whether a copy of the
// highlight follows it, and how many points they use. A new highlight of
// the same drawing is then composed from them, keeping the picture's points.
struct DrawingBody {
  std::uint64_t key = 0;  // the drawing's key; 0: none kept
  std::vector<DrawRecord> records;
  std::vector<std::size_t> ends;  // ends[i]: the records up to datum i (ends[0]: the net frame)
  std::vector<bool> copied;       // copied[i]: a copy of the highlight follows datum i
  std::size_t points = 0;
  // The cache's shapes key it was drawn under, and the colour each datum
  // was drawn in (HighlightedData::colourOf; empty without).
  std::uint64_t shapes = 0;
  std::vector<TColor> colours;
};

// Data drawn one by one, the highlighted datum again after each (as
// HighlightCopies). Each datum sets the pen and brush it draws with, as
// whatever follows a repeated run must: a composed drawing puts records
// made with no highlight after copies of one.
struct HighlightedData {
  std::size_t count = 0;
  bool highlight = false;
  // Draws datum i (1 to count); true when a copy of the highlight follows.
  std::function<bool(const PlotCanvas&, std::size_t)> datum;
  std::function<void(const PlotCanvas&)> highlighted;
  // At most this many records and points a datum (0: unknown), reserved.
  std::size_t records = 0, points = 0;
  // The colour datum i is drawn in, where every pen and brush it sets is
  // that colour or black: a drawing of the same shapes in other colours is
  // then made from the kept one by changing its colours.
  std::function<TColor(std::size_t)> colourOf;
};

// Records the net frame and the data into target.picture. With the
// window's cache and a drawing key, the drawing is recorded without its
// highlight once per key and kept (DrawingBody); every highlight of it is
// then composed from those records: the same picture for a fraction of the
// work (1.4 ms instead of 18 at 32760 fault planes).
void PlotHighlightedData(PlotTarget& target, const HighlightedData& data);

// Records a plot of every datum whose plane can be drawn, each by
// `draw(plot, datum, highlighted)`, with the highlighted datum (when its
// plane can be drawn) again after every datum as HighlightCopies.
template <typename DrawDatum>
void PlotDrawablePlanes(const FaultSet& data, PlotTarget& target, std::int16_t highlightIndex,
                        DrawDatum&& draw) {
  HighlightedData plot;
  plot.count = std::size_t(data.count());
  plot.highlight = HighlightsDrawablePlane(data, highlightIndex);
  const TFaultData& highlighted = data[plot.highlight ? std::size_t(highlightIndex) : 0];
  plot.datum = [&](const PlotCanvas& canvas, std::size_t i) {
    if (!PlaneDrawable(data[i])) return false;
    draw(canvas, data[i], false);
    return true;
  };
  plot.highlighted = [&](const PlotCanvas& canvas) { draw(canvas, highlighted, true); };
  PlotHighlightedData(target, plot);
}

}  // namespace orniva
