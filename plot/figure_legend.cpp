#include "plot/figure_legend.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

#include "data/colours.h"
#include "plot/tangent_lineation_diagram.h"

namespace orniva {

namespace {

using Shape = LegendMark::Shape;

constexpr std::int32_t kLineLength = 50;
constexpr std::int32_t kMarkGap = 8;

// How a plane's striation dot is outlined: none drawn, in its own colour,
// or in black after its arrow (the arrow's pen).
enum class DotDrawn : std::uint8_t { None, Own, AfterArrow };

// The colours drawn, each with the most a dot of it was drawn with, listed
// in the legend's order: the senses, black, then the switched-out grey.
class ColoursDrawn {
 public:
  void Note(TColor colour, DotDrawn dot = DotDrawn::None) {
    for (auto& [seen, most] : seen_)
      if (seen == colour) {
        most = std::max(most, dot);
        return;
      }
    seen_.emplace_back(colour, dot);
  }
  std::vector<std::pair<TColor, DotDrawn>> InOrder() const {
    static constexpr TColor kOrder[] = {clBlue, clRed, clSilver, clBlack, kSwitchedOutGrey};
    std::vector<std::pair<TColor, DotDrawn>> ordered = seen_;
    auto rank = [](const std::pair<TColor, DotDrawn>& c) {
      return std::find(std::begin(kOrder), std::end(kOrder), c.first) - std::begin(kOrder);
    };
    std::stable_sort(ordered.begin(), ordered.end(),
                     [&](const auto& a, const auto& b) { return rank(a) < rank(b); });
    return ordered;
  }

  std::vector<TColor> Colours() const {
    std::vector<TColor> colours;
    for (const auto& seen : InOrder()) colours.push_back(seen.first);
    return colours;
  }

 private:
  std::vector<std::pair<TColor, DotDrawn>> seen_;
};

DotDrawn DotOf(const TFaultData& datum) {
  if (!StriationDrawable(datum)) return DotDrawn::None;
  return SlipDrawable(datum) ? DotDrawn::AfterArrow : DotDrawn::Own;
}

// The colour datum i is drawn in: its own, or the one the curation gives.
TColor ShownOrOwn(const LegendSource& source, std::size_t i, TColor own) {
  return ShownColour(source.inputs.dataColours, i).value_or(own);
}

// The legend's words for a colour the curation gave, none for a sense colour.
std::optional<std::string> CurationText(const LegendSource& source, TColor colour) {
  if (!source.inputs.colourNames) return std::nullopt;
  for (const auto& [named, text] : *source.inputs.colourNames)
    if (named == colour) return text;
  return std::nullopt;
}

std::string SenseText(TColor colour) {
  if (colour == clBlue) return "Normal or extensional";
  if (colour == clRed) return "Reverse or contractional";
  return "Sense unknown";
}

LegendMark Mark(Shape shape, TColor pen, TColor brush, std::int32_t width, std::int32_t size) {
  LegendMark m;
  m.shape = shape;
  m.pen = pen;
  m.brush = brush;
  m.width = width;
  m.size = size;
  return m;
}

// A plane as the fault-plane diagram draws it, with the dot of its striation.
LegendMark LineMark(TColor colour, std::int32_t width, DotDrawn dot = DotDrawn::None,
                    std::int32_t r = 0) {
  LegendMark m = Mark(Shape::Line, colour, colour, width, 0);
  m.dot = dot == DotDrawn::None ? 0 : r;
  m.outline = dot == DotDrawn::AfterArrow ? clBlack : colour;
  return m;
}

LegendMark ArrowMark(ArrowKind kind, std::int32_t s) {
  LegendMark m = Mark(Shape::Arrow, clBlack, 0, 2, s);
  m.arrow = kind;
  return m;
}

// A P axis (filled), a T axis (open) and a B axis (cross) in `colour`.
std::vector<LegendMark> AxesMarks(TColor colour, std::int32_t width, std::int32_t r) {
  return {Mark(Shape::Dot, colour, colour, width, r), Mark(Shape::Dot, colour, clWhite, width, r),
          Mark(Shape::Cross, colour, 0, width, r)};
}

using Entries = std::vector<LegendEntry>;

// The fault planes, grey when switched out of the inversion, and their arrows.
void AddPlanes(const LegendSource& source, Entries& entries) {
  const FaultSet& data = *source.data;
  const std::vector<bool>* out = source.mode == PlotMode::StressAxes && source.inputs.stressAxes
                                     ? &source.inputs.stressAxes->switchedOut
                                     : nullptr;
  ColoursDrawn colours;
  bool arrows[5] = {};
  for (std::size_t i = 1; i <= std::size_t(data.count()); ++i) {
    const TFaultData& d = data[i];
    if (!PlaneDrawable(d)) continue;
    const bool left = out && i < out->size() && (*out)[i];
    colours.Note(left ? kSwitchedOutGrey : ShownOrOwn(source, i, FaultPlaneColour(d)), DotOf(d));
    if (SlipDrawable(d)) arrows[std::size_t(ArrowKindOf(d))] = true;
  }
  const std::int32_t r = source.symbolRadius;
  for (const auto& [colour, dot] : colours.InOrder()) {
    const std::string text = colour == clBlack ? "Striation plunging under 1\u00B0"
                             : colour == kSwitchedOutGrey && out
                                 ? "Excluded from the inversion"
                                 : CurationText(source, colour).value_or(SenseText(colour));
    entries.push_back({{LineMark(colour, 2, dot, r)}, text});
  }
  static const char* const kArrowTexts[] = {"", "Dip slip, hanging wall down",
                                            "Dip slip, hanging wall up", "Sinistral", "Dextral"};
  for (std::size_t k = 1; k < 5; ++k)
    if (arrows[k]) entries.push_back({{ArrowMark(ArrowKind(k), r)}, kArrowTexts[k]});
  if (source.highlight)
    entries.push_back(
        {{LineMark(clAqua, 4, DotOf(data[source.highlight]), r)}, "Highlighted fault"});
}

void AddTangentLineation(const LegendSource& source, Entries& entries) {
  const FaultSet& data = *source.data;
  ColoursDrawn fills;
  bool arrow = false;
  for (std::size_t i = 1; i <= std::size_t(data.count()); ++i) {
    if (!PlaneDrawable(data[i])) continue;
    fills.Note(TangentDotColour(data[i]));
    arrow = arrow || SlipDrawable(data[i]);
  }
  const std::int32_t r = source.symbolRadius;
  for (TColor fill : fills.Colours())
    entries.push_back({{Mark(Shape::Dot, clBlack, fill, 2, r)},
                       fill == clBlack ? "Horizontal striation" : SenseText(fill)});
  if (arrow) entries.push_back({{ArrowMark(ArrowKind::Straight, r)}, "Tangent lineation"});
  if (source.highlight)
    entries.push_back({{Mark(Shape::Dot, clAqua, TangentDotColour(data[source.highlight]), 4, r)},
                       "Highlighted fault"});
}

void AddPoles(const LegendSource& source, Entries& entries) {
  const FaultSet& data = *source.data;
  ColoursDrawn poles, striations;
  for (std::size_t i = 1; i <= std::size_t(data.count()); ++i) {
    if (!PlaneDrawable(data[i])) continue;
    const TColor colour = ShownOrOwn(source, i, data[i].colour);
    poles.Note(colour);
    if (StriationDrawable(data[i])) striations.Note(colour);
  }
  const std::int32_t r = source.symbolRadius;
  for (TColor colour : poles.Colours())
    entries.push_back({{Mark(Shape::Dot, clBlack, colour, 2, r)},
                       CurationText(source, colour).value_or(SenseText(colour))});
  LegendEntry striation{{}, "Striation"};
  for (TColor colour : striations.Colours())
    striation.marks.push_back(Mark(Shape::Dot, clBlack, colour, 2, SmallDotRadius(r)));
  if (!striation.marks.empty()) entries.push_back(striation);
  if (source.highlight)
    entries.push_back(
        {{Mark(Shape::Dot, clAqua, data[source.highlight].colour, 4, r)}, "Highlighted fault"});
}

void AddKinematicAxes(const LegendSource& source, Entries& entries) {
  const KinematicAxesFigure* axes = source.inputs.kinematicAxes;
  if (!axes) return;
  const FaultSet& data = *source.data;
  ColoursDrawn colours;
  for (std::size_t i = 1; i <= std::size_t(data.count()) && i < axes->perDatum.size(); ++i)
    if (axes->perDatum[i]) colours.Note(ShownOrOwn(source, i, data[i].colour));
  const std::int32_t r = source.symbolRadius;
  for (TColor colour : colours.Colours())
    entries.push_back({AxesMarks(colour, 2, r),
                       CurationText(source, colour).value_or(SenseText(colour)) + " (P, T, B)"});
  if (axes->summary)
    entries.push_back({AxesMarks(clBlack, 3, 2 * r), "Linked Bingham axes (P, T, B)"});
  if (source.highlight) entries.push_back({AxesMarks(clAqua, 4, r), "Highlighted fault"});
}

// Each stress method's sigma1 and sigma3 symbols, as drawn beside the axes.
void AddMethods(const LegendSource& source, Entries& entries) {
  if (!source.inputs.stressAxes) return;
  for (const StressAxesFigure::MethodAxes& axes : source.inputs.stressAxes->methods) {
    LegendEntry entry{{}, std::string(MethodKeyName(axes.method)) + " (\u03C31, \u03C33)"};
    for (const bool sigma1 : {true, false}) {
      const MethodSymbolStyle style = MethodStyle(axes.method, sigma1);
      LegendMark m = Mark(Shape::Method, style.pen, style.brush, style.width, source.symbolRadius);
      m.method = std::uint8_t(axes.method);
      entry.marks.push_back(m);
    }
    entries.push_back(std::move(entry));
  }
}

// The bootstrap's region: each axis's small symbol or line in its colour
// (the notes say how it was made).
void AddConfidence(const LegendSource& source, Entries& entries) {
  const StressAxesFigure* figure = source.inputs.stressAxes;
  if (!figure || figure->confidence.empty()) return;
  const bool lines = !figure->confidenceLines.empty();
  LegendEntry entry{{}, "Bootstrap \u03C31, \u03C32, \u03C33"};
  for (std::size_t k = 0; k < 3; ++k) {
    const TColor colour = ConfidenceColour(k);
    LegendMark m =
        lines ? LineMark(colour, 3)
              : Mark(Shape::StressAxis, colour, colour, 1, SmallDotRadius(source.symbolRadius));
    m.method = std::uint8_t(k);
    entry.marks.push_back(m);
  }
  entries.push_back(std::move(entry));
}

std::string PointText(analysis::DensityOf of) {
  switch (of) {
    case analysis::DensityOf::Poles:
      return "Pole";
    case analysis::DensityOf::PAxes:
      return "P axis";
    case analysis::DensityOf::TAxes:
      return "T axis";
    case analysis::DensityOf::Striations:
      break;
  }
  return "Striation";
}

// The data over a field: planes, or points; the field's levels have their own legend.
void AddFieldData(const LegendSource& source, Entries& entries) {
  const FieldFigure* field = source.inputs.field;
  if (!field) return;
  const FaultSet& data = *source.data;
  bool drawn = false;
  for (std::size_t i = 1; i <= std::size_t(data.count()); ++i)
    drawn = drawn || (field->planes ? PlaneDrawable(data[i])
                                    : i < field->points.size() && field->points[i].has_value());
  const std::int32_t r = source.symbolRadius;
  if (field->planes) {
    if (drawn) entries.push_back({{LineMark(clBlack, 1)}, "Fault plane"});
    if (source.highlight) entries.push_back({{LineMark(clAqua, 4)}, "Highlighted fault"});
    return;
  }
  if (drawn)
    entries.push_back(
        {{Mark(Shape::Dot, clBlack, clBlack, 1, SmallDotRadius(r))}, PointText(source.densityOf)});
  if (source.highlight)
    entries.push_back({{Mark(Shape::Dot, clAqua, clAqua, 4, r)}, "Highlighted datum"});
}

// The Mohr diagram's dots in the colours drawn, grey for data switched out.
void AddMohr(const LegendSource& source, Entries& entries) {
  const MohrFigure* mohr = source.inputs.mohr;
  if (!mohr) return;
  const FaultSet& data = *source.data;
  ColoursDrawn colours;
  for (std::size_t i = 1; i <= std::size_t(data.count()) && i < mohr->points.size(); ++i) {
    if (!mohr->points[i]) continue;
    const bool out = i < mohr->switchedOut.size() && mohr->switchedOut[i];
    colours.Note(out ? kSwitchedOutGrey : data[i].colour);
  }
  const std::int32_t r = source.symbolRadius;
  for (TColor colour : colours.Colours())
    entries.push_back(
        {{Mark(Shape::Dot, clBlack, colour, 1, r)},
         colour == kSwitchedOutGrey ? "Excluded from the inversion" : SenseText(colour)});
  if (source.highlight)
    entries.push_back(
        {{Mark(Shape::Dot, clAqua, data[source.highlight].colour, 4, r)}, "Highlighted fault"});
}

// The arrow's points lying across the row, centred on the origin.
ArrowShape LyingArrow(const LegendMark& mark) {
  ArrowShape shape;
  ArrowShapeOf(mark.arrow, std::int16_t(mark.size), shape);
  PlaceShape(shape, 90, {0, 0});
  TPoint low = shape[0], high = shape[0];
  for (TPoint p : shape) {
    low = {std::min(low.x, p.x), std::min(low.y, p.y)};
    high = {std::max(high.x, p.x), std::max(high.y, p.y)};
  }
  for (TPoint& p : shape) p = {p.x - (low.x + high.x) / 2, p.y - (low.y + high.y) / 2};
  return shape;
}

// The mark's extent about its centre: half its width and half its height.
TPoint HalfExtent(const LegendMark& m) {
  switch (m.shape) {
    case Shape::Line:
      return {std::max(kLineLength / 2, m.dot + m.width / 2), m.dot + m.width / 2};
    case Shape::Dot:
    case Shape::Cross:
    case Shape::Method:
      return {m.size + m.width / 2, m.size + m.width / 2};
    case Shape::StressAxis:  // the triangle reaches 1.25 times its half-size
      return {m.size * 5 / 4 + m.width / 2, m.size * 5 / 4 + m.width / 2};
    case Shape::Arrow:
      break;
  }
  TPoint half{0, 0};
  for (TPoint p : LyingArrow(m))
    half = {std::max(half.x, std::abs(p.x)), std::max(half.y, std::abs(p.y))};
  return {half.x + m.width / 2, half.y + m.width / 2};
}

void DrawMark(RecordingCanvas& canvas, const LegendMark& m, TPoint c) {
  canvas.SetPenWidth(m.width);
  canvas.SetPenColour(m.pen);
  canvas.SetBrushColour(m.brush);
  const std::int32_t r = m.shape == Shape::Line ? m.dot : m.size;
  switch (m.shape) {
    case Shape::Line:
      canvas.MoveTo({c.x - kLineLength / 2, c.y});
      canvas.LineTo({c.x + kLineLength / 2, c.y});
      if (r == 0) break;
      canvas.SetPenColour(m.outline);
      canvas.Ellipse(c.x - r, c.y - r, c.x + r, c.y + r);
      break;
    case Shape::Dot:
      canvas.Ellipse(c.x - r, c.y - r, c.x + r, c.y + r);
      break;
    case Shape::Cross:
      canvas.MoveTo({c.x - r, c.y});
      canvas.LineTo({c.x + r, c.y});
      canvas.MoveTo({c.x, c.y - r});
      canvas.LineTo({c.x, c.y + r});
      break;
    case Shape::Method: {
      const std::vector<TPoint> outline = MethodSymbolOutline(m.method, c, r);
      canvas.Polygon(outline.data(), outline.size());
      break;
    }
    case Shape::StressAxis:
      DrawStressSymbol(canvas, m.method, c, r);
      break;
    case Shape::Arrow: {
      ArrowShape shape = LyingArrow(m);
      for (TPoint& p : shape) p = AddPoints(p, c);
      canvas.Polyline(shape.data(), shape.size());
      break;
    }
  }
}

}  // namespace

std::vector<LegendEntry> LegendOf(const LegendSource& source) {
  Entries entries;
  switch (source.mode) {
    case PlotMode::FaultPlaneAndStriation:
      AddPlanes(source, entries);
      break;
    case PlotMode::StressAxes:
      AddPlanes(source, entries);
      AddMethods(source, entries);
      AddConfidence(source, entries);
      break;
    case PlotMode::TangentLineation:
      AddTangentLineation(source, entries);
      break;
    case PlotMode::Poles:
      AddPoles(source, entries);
      break;
    case PlotMode::KinematicAxes:
      AddKinematicAxes(source, entries);
      break;
    case PlotMode::Density:
    case PlotMode::RightDihedra:
    case PlotMode::Tendency:
      AddFieldData(source, entries);
      break;
    case PlotMode::Mohr:
      AddMohr(source, entries);
      break;
    case PlotMode::Rose:  // the caption says what the petals count
      break;
  }
  return entries;
}

std::int32_t SampleWidth(const LegendEntry& entry) {
  std::int32_t width = 0;
  for (const LegendMark& m : entry.marks) width += 2 * HalfExtent(m).x + kMarkGap;
  return std::max<std::int32_t>(0, width - kMarkGap);
}

std::int32_t SampleHeight(const LegendEntry& entry) {
  std::int32_t height = 0;
  for (const LegendMark& m : entry.marks) height = std::max(height, 2 * HalfExtent(m).y);
  return height;
}

void DrawSample(RecordingCanvas& canvas, const LegendEntry& entry, TPoint left) {
  std::int32_t x = left.x;
  for (const LegendMark& m : entry.marks) {
    const std::int32_t half = HalfExtent(m).x;
    DrawMark(canvas, m, {x + half, left.y});
    x += 2 * half + kMarkGap;
  }
}

}  // namespace orniva
