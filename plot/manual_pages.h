// The manual shipped with the program: which page of it tells of each
// diagram and of each orniva-analyse command, so that Help > Contents and
// every results window open the page that explains what they show. The
// pages are docs/manual/NAME.html, installed under share/doc/orniva/manual
// and listed in docs/manual/manual.qrc for the window's resources
// (":/manual/NAME.html").
#pragma once

#include <string_view>

#include "plot/plot_mode.h"

namespace orniva {

// The contents, and the pages of the window's parts that no command names.
inline constexpr std::string_view kManualIndex = "index.html";
inline constexpr std::string_view kManualConventions = "conventions.html";
inline constexpr std::string_view kManualDataFile = "datafile.html";
inline constexpr std::string_view kManualImport = "import.html";
inline constexpr std::string_view kManualCuration = "curation.html";  // the data table, phases
inline constexpr std::string_view kManualFigures = "figures.html";    // Save Figure As

// The page of diagram `mode`.
std::string_view ManualPageOfDiagram(PlotMode mode);

// The page of orniva-analyse's `command` ("stress-bootstrap" ...); empty
// for a name that is not a command.
std::string_view ManualPageOfCommand(std::string_view command);

}  // namespace orniva
