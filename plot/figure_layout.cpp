#include "plot/figure_layout.h"

#include <algorithm>

#include "data/colours.h"

namespace orniva {

namespace {

constexpr std::int32_t kTitleText = 44;
constexpr std::int32_t kCaptionText = 30;
constexpr std::int32_t kLegendText = 26;
constexpr std::int32_t kMargin = 50;
constexpr std::int32_t kLeastSampleRoom = 70;  // a sample's room before its text
constexpr std::int32_t kSampleGap = 16;        // between a sample and its text
constexpr std::int32_t kRowGap = 12;           // between the samples of two rows

// A text's width, taken generously: half its height a character, wider
// than a sans-serif face sets a line of words.
std::int32_t TextWidth(const std::string& utf8, std::int32_t height) {
  const auto characters = std::count_if(utf8.begin(), utf8.end(),
                                        [](char c) { return (std::uint8_t(c) & 0xC0) != 0x80; });
  return std::int32_t(characters) * height / 2;
}

// Where the legend's entries go.
struct LegendGrid {
  std::size_t columns = 2;
  std::int32_t columnWidth = 0;
  std::int32_t sampleRoom = kLeastSampleRoom;
  std::vector<std::int32_t> rowHeights;

  std::int32_t Height() const {
    std::int32_t height = 0;
    for (std::int32_t h : rowHeights) height += h;
    return height;
  }
};

LegendGrid ArrangeLegend(const std::vector<LegendEntry>& legend, std::int32_t width) {
  LegendGrid grid;
  for (const LegendEntry& e : legend)
    grid.sampleRoom = std::max(grid.sampleRoom, SampleWidth(e) + kSampleGap);
  const std::int32_t half = width / 2 - kMargin;
  const bool twoColumns = std::all_of(legend.begin(), legend.end(), [&](const LegendEntry& e) {
    return grid.sampleRoom + TextWidth(e.text, kLegendText) <= half;
  });
  grid.columns = twoColumns ? 2 : 1;
  grid.columnWidth = twoColumns ? width / 2 - kMargin : width - 2 * kMargin;
  for (std::size_t k = 0; k < legend.size(); ++k) {
    if (k % grid.columns == 0) grid.rowHeights.push_back(kLegendRow);
    std::int32_t& row = grid.rowHeights.back();
    row = std::max(row, SampleHeight(legend[k]) + kRowGap);
  }
  return grid;
}

void DrawLegend(RecordingCanvas& canvas, const std::vector<LegendEntry>& legend,
                const LegendGrid& grid, std::int32_t top) {
  std::int32_t rowTop = top;
  for (std::size_t k = 0; k < legend.size(); ++k) {
    const std::int32_t rowHeight = grid.rowHeights[k / grid.columns];
    const std::int32_t x = kMargin + std::int32_t(k % grid.columns) * grid.columnWidth;
    const std::int32_t y = rowTop + rowHeight / 2;
    DrawSample(canvas, legend[k], {x, y});
    canvas.SetPenColour(clBlack);
    canvas.Text({x + grid.sampleRoom, y + kLegendText / 3}, TextItem{legend[k].text, kLegendText});
    if ((k + 1) % grid.columns == 0) rowTop += rowHeight;
  }
}

}  // namespace

std::string NetCaption(NetKind net, Hemisphere hemisphere) {
  return std::string(net == NetKind::EqualArea ? "Equal-area, " : "Equal-angle, ") +
         (hemisphere == Hemisphere::Upper ? "upper hemisphere" : "lower hemisphere");
}

Picture LayoutFigure(const Picture& diagram, const FigureCaption& caption,
                     const std::vector<LegendEntry>& legend) {
  const std::int32_t width = diagram.width();
  const LegendGrid grid = ArrangeLegend(legend, width);
  const std::int32_t top = caption.title.empty() ? kUntitledBand : kTitleBand;
  const std::int32_t captionTop = top + diagram.height();
  const std::int32_t notesTop = captionTop + kCaptionBand + grid.Height();
  const std::int32_t height =
      notesTop + kNoteRow * std::int32_t(caption.notes.size()) + kUntitledBand;

  Picture figure;
  figure.SetSize(width, height);
  RecordingCanvas canvas(figure);
  canvas.FillRect(0, 0, width, height);  // the fresh canvas's white brush
  canvas.Draw(diagram, {0, top});
  canvas.SetPenWidth(1);
  canvas.SetPenColour(clBlack);
  canvas.SetBrushColour(clWhite);
  if (caption.north)
    canvas.Text({caption.north->x, top + caption.north->y - 4},
                TextItem{"N", kCaptionText, TextAnchor::Centre});
  if (!caption.title.empty())
    canvas.Text({width / 2, 70}, TextItem{caption.title, kTitleText, TextAnchor::Centre});
  const std::int32_t captionLine = captionTop + 45;
  canvas.Text({kMargin, captionLine},
              TextItem{"N = " + std::to_string(caption.count) +
                           (caption.total > caption.count ? " of " + std::to_string(caption.total)
                                                          : std::string()),
                       kCaptionText});
  canvas.Text({width - kMargin, captionLine},
              TextItem{caption.netText.empty() ? NetCaption(caption.net, caption.hemisphere)
                                               : caption.netText,
                       kCaptionText, TextAnchor::Right});
  DrawLegend(canvas, legend, grid, captionTop + kCaptionBand);
  for (std::size_t k = 0; k < caption.notes.size(); ++k)
    canvas.Text({kMargin, notesTop + kNoteRow * std::int32_t(k) + kNoteRow / 2 + kLegendText / 3},
                TextItem{caption.notes[k], kLegendText});
  canvas.Close();
  return figure;
}

}  // namespace orniva
