#include "plot/figure_layout.h"

#include <algorithm>

#include "data/colours.h"
#include "plot/analysis_diagrams.h"
#include "plot/arrows.h"

namespace orniva {

namespace {

using Symbol = LegendEntry::Symbol;

constexpr std::int32_t kTitleText = 44;
constexpr std::int32_t kCaptionText = 30;
constexpr std::int32_t kLegendText = 26;
constexpr std::int32_t kMargin = 50;
constexpr std::int32_t kSampleWidth = 70;  // the symbol's room before its text

LegendEntry Entry(Symbol symbol, TColor colour, std::string text, std::int32_t width = 2) {
  LegendEntry e;
  e.symbol = symbol;
  e.colour = colour;
  e.outline = clBlack;
  e.width = width;
  e.text = std::move(text);
  return e;
}

// Blue, red and silver: every diagram that colours the data by their sense.
void AddSenseColours(std::vector<LegendEntry>& entries, Symbol symbol) {
  entries.push_back(Entry(symbol, clBlue, "Normal or extensional"));
  entries.push_back(Entry(symbol, clRed, "Reverse or contractional"));
  entries.push_back(Entry(symbol, clSilver, "Sense unknown"));
}

void AddPlaneSymbols(std::vector<LegendEntry>& entries) {
  AddSenseColours(entries, Symbol::Line);
  entries.push_back(Entry(Symbol::Line, clBlack, "Striation plunging under 1\u00B0"));
  entries.push_back(Entry(Symbol::StraightArrow, clBlack, "Dip slip of the hanging wall"));
  entries.push_back(Entry(Symbol::ShearArrow, clBlack, "Sinistral"));
  entries.push_back(Entry(Symbol::MirroredShearArrow, clBlack, "Dextral"));
}

void DrawArrow(RecordingCanvas& canvas, Symbol symbol, TPoint centre) {
  const std::int16_t s = symbol == Symbol::StraightArrow ? 8 : 6;
  ArrowShape shape;
  if (symbol == Symbol::StraightArrow)
    StraightArrowShape(s, shape);
  else if (symbol == Symbol::ShearArrow)
    ShearArrowShape(s, shape);
  else
    MirroredShearArrowShape(s, shape);
  // Lying across the row, the shaft's middle on the centre.
  const TPoint anchor =
      symbol == Symbol::StraightArrow ? TPoint{centre.x - 2 * s, centre.y} : centre;
  PlaceShape(shape, 90, anchor);
  canvas.Polyline(shape.data(), shape.size());
}

void DrawSample(RecordingCanvas& canvas, const LegendEntry& e, TPoint centre) {
  constexpr std::int32_t r = 9;
  canvas.SetPenWidth(e.width);
  switch (e.symbol) {
    case Symbol::Line:
      canvas.SetPenColour(e.colour);
      canvas.MoveTo({centre.x - 25, centre.y});
      canvas.LineTo({centre.x + 25, centre.y});
      break;
    case Symbol::Dot:
    case Symbol::OpenCircle:
      canvas.SetPenColour(e.symbol == Symbol::Dot ? e.outline : e.colour);
      canvas.SetBrushColour(e.symbol == Symbol::Dot ? e.colour : clWhite);
      canvas.Ellipse(centre.x - r, centre.y - r, centre.x + r, centre.y + r);
      break;
    case Symbol::Cross:
      canvas.SetPenColour(e.colour);
      canvas.MoveTo({centre.x - r, centre.y});
      canvas.LineTo({centre.x + r, centre.y});
      canvas.MoveTo({centre.x, centre.y - r});
      canvas.LineTo({centre.x, centre.y + r});
      break;
    default:
      canvas.SetPenColour(e.colour);
      DrawArrow(canvas, e.symbol, centre);
      break;
  }
}

}  // namespace

std::string NetCaption(NetKind net) {
  return net == NetKind::EqualArea ? "Equal-area, lower hemisphere"
                                   : "Equal-angle, lower hemisphere";
}

std::vector<LegendEntry> LegendOf(PlotMode mode, bool planes, bool highlighted) {
  std::vector<LegendEntry> entries;
  switch (mode) {
    case PlotMode::FaultPlaneAndStriation:
      AddPlaneSymbols(entries);
      if (highlighted) entries.push_back(Entry(Symbol::Line, clAqua, "Highlighted fault", 4));
      break;
    case PlotMode::StressAxes:
      AddPlaneSymbols(entries);
      entries.push_back(Entry(Symbol::Line, kSwitchedOutGrey, "Left out of the inversion"));
      if (highlighted) entries.push_back(Entry(Symbol::Line, clAqua, "Highlighted fault", 4));
      break;
    case PlotMode::RightDihedra:
      if (!planes) break;
      entries.push_back(Entry(Symbol::Line, clBlack, "Fault plane", 1));
      if (highlighted) entries.push_back(Entry(Symbol::Line, clAqua, "Highlighted fault", 4));
      break;
    case PlotMode::TangentLineation:
      AddSenseColours(entries, Symbol::Dot);
      entries.push_back(Entry(Symbol::Dot, clBlack, "Horizontal striation"));
      entries.push_back(Entry(Symbol::StraightArrow, clBlack, "Tangent lineation"));
      if (highlighted) entries.push_back(Entry(Symbol::OpenCircle, clAqua, "Highlighted fault", 4));
      break;
    case PlotMode::Poles:
      AddSenseColours(entries, Symbol::Dot);
      entries.push_back(Entry(Symbol::OpenCircle, clBlack, "Striation"));
      if (highlighted) entries.push_back(Entry(Symbol::OpenCircle, clAqua, "Highlighted fault", 4));
      break;
    case PlotMode::KinematicAxes:
      entries.push_back(Entry(Symbol::Dot, clBlack, "P axis"));
      entries.push_back(Entry(Symbol::OpenCircle, clBlack, "T axis"));
      entries.push_back(Entry(Symbol::Cross, clBlack, "B axis"));
      entries.push_back(Entry(Symbol::OpenCircle, clBlack, "Mean axes (Bingham)", 3));
      AddSenseColours(entries, Symbol::Line);
      if (highlighted) entries.push_back(Entry(Symbol::OpenCircle, clAqua, "Highlighted fault", 4));
      break;
    case PlotMode::Density:
      entries.push_back(Entry(Symbol::Dot, clBlack, "Datum"));
      if (highlighted) entries.push_back(Entry(Symbol::Dot, clAqua, "Highlighted datum"));
      break;
  }
  return entries;
}

Picture LayoutFigure(const Picture& diagram, PlotMode mode, const FigureCaption& caption) {
  const std::vector<LegendEntry> legend =
      LegendOf(mode, caption.planes, !diagram.repeats().empty());
  const std::int32_t width = diagram.width();
  const std::int32_t top = caption.title.empty() ? kUntitledBand : kTitleBand;
  const std::int32_t captionTop = top + diagram.height();
  const auto rows = std::int32_t((legend.size() + 1) / 2);
  const std::int32_t height = captionTop + kCaptionBand + rows * kLegendRow + kUntitledBand;

  Picture figure;
  figure.SetSize(width, height);
  RecordingCanvas canvas(figure);
  canvas.FillRect(0, 0, width, height);  // the fresh canvas's white brush
  canvas.Draw(diagram, {0, top});
  canvas.SetPenWidth(1);
  canvas.SetPenColour(clBlack);
  canvas.SetBrushColour(clWhite);
  if (!caption.title.empty())
    canvas.Text({width / 2, 70}, TextItem{caption.title, kTitleText, TextAnchor::Centre});
  const std::int32_t captionLine = captionTop + 45;
  canvas.Text({kMargin, captionLine},
              TextItem{"N = " + std::to_string(caption.count), kCaptionText});
  canvas.Text({width - kMargin, captionLine},
              TextItem{NetCaption(caption.net), kCaptionText, TextAnchor::Right});
  for (std::size_t k = 0; k < legend.size(); ++k) {
    const std::int32_t x = kMargin + (k % 2 == 0 ? 0 : width / 2);
    const std::int32_t y =
        captionTop + kCaptionBand + std::int32_t(k / 2) * kLegendRow + kLegendRow / 2;
    DrawSample(canvas, legend[k], {x + kSampleWidth / 2 - 5, y});
    canvas.SetPenColour(clBlack);
    canvas.Text({x + kSampleWidth + 10, y + kLegendText / 3},
                TextItem{legend[k].text, kLegendText});
  }
  canvas.Close();
  return figure;
}

}  // namespace orniva
