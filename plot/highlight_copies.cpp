#include "plot/highlight_copies.h"

#include "data/colours.h"
#include "plot/plot_cache.h"

namespace orniva {

namespace {
// Records the drawing; into `body`, when given, each datum's end and copy.
void RecordHighlighted(PlotTarget& target, const HighlightedData& data, bool highlight,
                       DrawingBody* body) {
  RenderPlot(target, [&](RecordingCanvas& canvas) {
    const PlotCanvas plot{canvas, target.geometry, SymbolRadius(target.geometry, target.symbolSize),
                          &target.zeroDivides, target.smoothCurves};
    if (data.records)
      canvas.Reserve(data.count * data.records * (highlight ? 2 : 1) + 64,
                     data.count * data.points + 64);
    HighlightCopies copies(canvas);
    if (body) {
      body->ends.assign(1, canvas.RecordCount());
      body->copied.assign(1, false);
      body->colours.assign(data.colourOf ? 1 : 0, TColor(0));
    }
    for (std::size_t i = 1; i <= data.count; ++i) {
      const bool copy = data.datum(plot, i);
      if (body) {
        body->ends.push_back(canvas.RecordCount());
        body->copied.push_back(copy);
        if (data.colourOf) body->colours.push_back(data.colourOf(i));
      }
      if (highlight && copy) copies.Draw([&] { data.highlighted(plot); });
    }
    canvas.SetDrawingKey(target.drawingKey);
  });
}

// The same drawing from the body of the picture's own: the body's records
// with the highlight's after each datum it follows. The highlight's points
// come after the body's, which the picture keeps.
void ComposeHighlighted(PlotTarget& target, const HighlightedData& data, const DrawingBody& body) {
  {
    RecordingCanvas canvas(*target.picture, body.points);
    const PlotCanvas plot{canvas, target.geometry, SymbolRadius(target.geometry, target.symbolSize),
                          &target.zeroDivides, target.smoothCurves};
    canvas.Reserve(body.records.size() * (data.highlight ? 2 : 1) + 64,
                   body.points + data.points + 64);
    const DrawRecord* records = body.records.data();
    HighlightCopies copies(canvas);
    canvas.Append(records, records + body.ends[0]);
    for (std::size_t i = 1; i <= data.count; ++i) {
      canvas.Append(records + body.ends[i - 1], records + body.ends[i]);
      if (data.highlight && body.copied[i]) copies.Draw([&] { data.highlighted(plot); });
    }
    canvas.Append(records + body.ends[data.count], records + body.records.size());
    canvas.SetDrawingKey(target.drawingKey);
  }
  if (target.show) target.show();
}
// The kept body in the colours `data` draws in now: each datum whose
// colour changed gets it in the pen and brush records that set the old
// one. False, with the body as it was, when that cannot tell them apart
// from the black a datum draws its striation in.
bool RecolourBody(const HighlightedData& data, DrawingBody& body) {
  if (!data.colourOf || body.colours.size() != data.count + 1) return false;
  std::vector<TColor> colours(data.count + 1);
  for (std::size_t i = 1; i <= data.count; ++i) {
    colours[i] = data.colourOf(i);
    if (colours[i] != body.colours[i] && body.colours[i] == clBlack) return false;
  }
  for (std::size_t i = 1; i <= data.count; ++i) {
    if (colours[i] == body.colours[i]) continue;
    for (std::size_t r = body.ends[i - 1]; r < body.ends[i]; ++r) {
      DrawRecord& record = body.records[r];
      if ((record.op == DrawOp::PenColour || record.op == DrawOp::BrushColour) &&
          TColor(record.a) == body.colours[i])
        record.a = std::int32_t(colours[i]);
    }
  }
  body.colours = std::move(colours);
  return true;
}
}  // namespace

void PlotHighlightedData(PlotTarget& target, const HighlightedData& data) {
  if (!target.cache || target.drawingKey == 0)
    return RecordHighlighted(target, data, data.highlight, nullptr);
  DrawingBody& body = target.cache->body;
  const Picture& picture = *target.picture;
  const bool kept = body.key == target.drawingKey && picture.drawingKey() == target.drawingKey &&
                    picture.points().size() >= body.points;
  const bool sameShapes = body.key != 0 && body.shapes == target.cache->shapesKey() &&
                          picture.drawingKey() == body.key &&
                          picture.points().size() >= body.points;
  if (!kept && sameShapes && RecolourBody(data, body)) {
    body.key = target.drawingKey;
  } else if (!kept) {
    body.key = 0;
    RecordHighlighted(target, data, false, &body);
    if (!picture.texts().empty() ||
        body.ends.size() != data.count + 1) {  // not one to compose from
      if (data.highlight) RecordHighlighted(target, data, true, nullptr);
      return;
    }
    body.records = picture.records();
    body.points = picture.points().size();
    body.key = target.drawingKey;
    body.shapes = target.cache->shapesKey();
    if (!data.highlight) return;
  }
  ComposeHighlighted(target, data, body);
}

}  // namespace orniva
