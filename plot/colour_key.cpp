#include "plot/colour_key.h"

#include <cstddef>

#include "plot/tendency_diagram.h"

namespace orniva {

namespace {

const char* const kTo = " \u2013 ";

// The rows of levels labelled `labels` (lowest first) in `colours`, the
// highest first; the top row reaches to `top` ("" : at least its level).
std::vector<ColourKeyRow> Rows(const std::vector<TColor>& colours,
                               const std::vector<std::string>& labels, const std::string& top) {
  std::vector<ColourKeyRow> rows;
  const std::size_t n = std::min(colours.size(), labels.size());
  for (std::size_t k = n; k-- > 0;) {
    const std::string& upper = k + 1 < n ? labels[k + 1] : top;
    rows.push_back({colours[k], upper.empty() ? "\u2265 " + labels[k] : labels[k] + kTo + upper,
                    std::string()});
  }
  return rows;
}

ColourKey TendencyKey(const FieldFigure& field, analysis::TendencyOf of) {
  std::vector<std::string> labels;
  for (double level : TendencyLevels()) labels.push_back(LevelLabel(level));
  const char* name = of == analysis::TendencyOf::Slip ? "Slip tendency " : "Dilation tendency ";
  return {name + TendencyName(of), Rows(field.levelColours, labels, LevelLabel(1)), {}};
}

// The share's rows, 100 % alone at the top; the compressional end (where
// sigma1 lies) and the extensional one named.
ColourKey DihedraKey(const FieldFigure& field) {
  ColourKey key{field.notes.empty() ? std::string() : field.notes.front(),
                Rows(field.levelColours, field.levelLabels, std::string()),
                {}};
  if (!key.rows.empty()) {
    key.rows.front().values = field.levelLabels.back();
    key.rows.front().meaning = "compressional (P, \u03C31 side)";
    key.rows.back().meaning = "extensional (T, \u03C33 side)";
  }
  if (field.notes.size() > 1) key.notes.assign(field.notes.begin() + 1, field.notes.end());
  return key;
}

}  // namespace

std::optional<ColourKey> ColourKeyOf(PlotMode mode, const DiagramFigures& figures,
                                     const analysis::AnalysisChoices& choices) {
  const FieldFigure& field = figures.field;
  if (!figures.hasField || field.levelColours.empty()) return std::nullopt;
  switch (mode) {
    case PlotMode::Density:
      return ColourKey{field.notes.empty() ? std::string() : field.notes.front(),
                       Rows(field.levelColours, field.levelLabels, std::string()),
                       {}};
    case PlotMode::RightDihedra:
      return DihedraKey(field);
    case PlotMode::Tendency:
      return TendencyKey(field, choices.tendency.of);
    default:
      return std::nullopt;
  }
}

}  // namespace orniva
