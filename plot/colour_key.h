// The key of a diagram's colours as the main window shows it beside the
// picture: the colour scale of a density, right-dihedra or tendency field
// with the value each colour stands for, what was counted and how (the
// figure layout's own lines), and for the right dihedra which end is
// compressional and which extensional. It is drawn by the window, never
// into the picture.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/choices.h"
#include "platform/graphics.h"
#include "plot/figures.h"
#include "plot/plot_mode.h"

namespace orniva {

// One colour of the scale: its colour, the values it covers ("2σ – 4σ",
// "≥ 10σ", "0.8 – 1") and what that end of the scale means, if anything.
struct ColourKeyRow {
  TColor colour = 0;
  std::string values;
  std::string meaning;

  friend bool operator==(const ColourKeyRow& a, const ColourKeyRow& b) {
    return a.colour == b.colour && a.values == b.values && a.meaning == b.meaning;
  }
};

struct ColourKey {
  std::string title;               // what the colours show, and of how many data
  std::vector<ColourKeyRow> rows;  // the highest values first
  std::vector<std::string> notes;  // the lines below the scale
};

// The key of diagram `mode` as `figures` (FiguresFor the same mode) draw it
// under `choices`; none for a diagram without a colour scale, or a field
// drawn without its colours (no data, no stress magnitudes).
std::optional<ColourKey> ColourKeyOf(PlotMode mode, const DiagramFigures& figures,
                                     const analysis::AnalysisChoices& choices);

}  // namespace orniva
