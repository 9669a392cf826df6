#include "plot/phase_axes_diagram.h"

#include <string>

#include "data/colours.h"
#include "plot/analysis_diagrams.h"

namespace orniva {

namespace {

constexpr std::int32_t kPoleRadius = 8, kAxisHalfSize = 24, kKeyHalfSize = 22;

// sigma1's and sigma3's symbols, each beside its name, in the top-left corner.
void DrawKey(RecordingCanvas& canvas) {
  canvas.SetPenWidth(4);
  canvas.SetPenColour(clBlack);
  canvas.SetBrushColour(clWhite);
  const std::size_t axes[] = {0, 2};
  for (std::size_t row = 0; row < 2; ++row) {
    const TPoint at{40, 50 + 70 * std::int32_t(row)};
    DrawStressSymbol(canvas, axes[row], at, kKeyHalfSize);
    canvas.Text({at.x + 40, at.y + kPhaseKeyText / 3},
                TextItem{"\u03C3" + std::to_string(axes[row] + 1), kPhaseKeyText});
  }
}

}  // namespace

void PlotPhaseAxes(const PhaseAxesFigure& figure, PlotTarget& target) {
  RenderPlot(target, [&](RecordingCanvas& canvas) {
    const NetGeometry& g = target.geometry;
    for (const PhaseAxesFigure::Phase& phase : figure.phases) {
      canvas.SetPenWidth(1);
      canvas.SetPenColour(phase.colour);
      canvas.SetBrushColour(phase.colour);
      for (const auto& pole : phase.poles) {
        const TPoint p = ProjectLine(g, pole);
        canvas.Ellipse(p.x - kPoleRadius, p.y - kPoleRadius, p.x + kPoleRadius, p.y + kPoleRadius);
      }
      canvas.SetPenWidth(5);
      canvas.SetBrushColour(clWhite);
      DrawStressSymbol(canvas, 0, ProjectLine(g, phase.sigma1), kAxisHalfSize);
      DrawStressSymbol(canvas, 2, ProjectLine(g, phase.sigma3), kAxisHalfSize);
    }
    DrawKey(canvas);
  });
}

}  // namespace orniva
