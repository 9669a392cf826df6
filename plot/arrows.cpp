#include "plot/arrows.h"

#include <cmath>

#include "math/numeric.h"
#include "plot/diagram.h"

namespace orniva {

using numeric::Real;

void StraightArrowShape(std::int16_t s, ArrowShape& shape) {
  const std::int32_t u = s;
  shape = {{{0, 0}, {0, -4 * u}, {u, -3 * u}, {0, -4 * u}, {-u, -3 * u}, {0, -4 * u}}};
}

void ReversedArrowShape(std::int16_t s, ArrowShape& shape) {
  StraightArrowShape(s, shape);
  for (TPoint& p : shape) p = RotatePoint(p, 180);
}

void ShearArrowShape(std::int16_t s, ArrowShape& shape) {
  const std::int32_t u = s;
  shape = {{{2 * u, -3 * u}, {u, -4 * u}, {u, 0}, {-u, 0}, {-u, 4 * u}, {-2 * u, 3 * u}}};
}

void MirroredShearArrowShape(std::int16_t s, ArrowShape& shape) {
  ShearArrowShape(s, shape);
  for (TPoint& p : shape) p.x = -p.x;
}

TPoint RotatePoint(TPoint p, float angle) {
  const Real r = numeric::StoredRadians(angle);
  const Real c = std::cos(r), s = std::sin(r);
  return {numeric::RoundToPlot(c * p.x - s * p.y), numeric::RoundToPlot(s * p.x + c * p.y)};
}

TPoint AddPoints(TPoint a, TPoint b) { return {a.x + b.x, a.y + b.y}; }

TPoint SubtractPoints(TPoint a, TPoint b) { return {a.x - b.x, a.y - b.y}; }

void DrawSymbolDot(const PlotCanvas& plot, directional_operations::Orientation line) {
  const std::int32_t r = plot.symbolRadius;
  const TPoint p = ProjectLine(plot.geometry, line);
  plot.canvas.Ellipse(p.x - r, p.y - r, p.x + r, p.y + r);
}

void PlaceShape(ArrowShape& shape, float angle, TPoint anchor) {
  for (TPoint& p : shape) p = AddPoints(RotatePoint(p, angle), anchor);
}

namespace {
// Records the drawing; into `body`, when given, each datum's end and copy.
void RecordHighlighted(PlotTarget& target, const HighlightedData& data, bool highlight,
                       DrawingBody* body) {
  RenderPlot(target, [&](RecordingCanvas& canvas) {
    const PlotCanvas plot{canvas, target.geometry,
                          SymbolRadius(target.geometry, target.symbolSize)};
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
    const PlotCanvas plot{canvas, target.geometry,
                          SymbolRadius(target.geometry, target.symbolSize)};
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
