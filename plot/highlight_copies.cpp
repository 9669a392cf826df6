#include "plot/highlight_copies.h"

#include "plot/plot_cache.h"

namespace orniva {

namespace {
// Records the drawing; into `body`, when given, each datum's end and copy.
void RecordHighlighted(PlotTarget& target, const HighlightedData& data, bool highlight,
                       DrawingBody* body) {
  RenderPlot(target, [&](RecordingCanvas& canvas) {
    const PlotCanvas plot{canvas, target.geometry, SymbolRadius(target.geometry, target.symbolSize),
                          &target.zeroDivides};
    if (data.records)
      canvas.Reserve(data.count * data.records * (highlight ? 2 : 1) + 64,
                     data.count * data.points + 64);
    HighlightCopies copies(canvas);
    if (body) {
      body->ends.assign(1, canvas.RecordCount());
      body->copied.assign(1, false);
    }
    for (std::size_t i = 1; i <= data.count; ++i) {
      const bool copy = data.datum(plot, i);
      if (body) {
        body->ends.push_back(canvas.RecordCount());
        body->copied.push_back(copy);
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
                          &target.zeroDivides};
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
}  // namespace

void PlotHighlightedData(PlotTarget& target, const HighlightedData& data) {
  if (!target.cache || target.drawingKey == 0)
    return RecordHighlighted(target, data, data.highlight, nullptr);
  DrawingBody& body = target.cache->body;
  const Picture& picture = *target.picture;
  const bool kept = body.key == target.drawingKey && picture.drawingKey() == target.drawingKey &&
                    picture.points().size() >= body.points;
  if (!kept) {
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
    if (!data.highlight) return;
  }
  ComposeHighlighted(target, data, body);
}

}  // namespace orniva
