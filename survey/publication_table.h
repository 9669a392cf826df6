// The survey table for publication: Site, Long., Lat., Phase, N, sigma1,
// sigma2, sigma3 (trend/plunge), Phi, R', SHmax +- w, mean beta and the
// accuracy class, as a LaTeX tabular (booktabs), an HTML table or a
// Markdown table. A row that was not inverted shows dashes and its note
// below the table.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "survey/survey_run.h"

namespace orniva::survey {

enum class TableFormat { Latex, Html, Markdown };

// The format of a file name's extension: .tex, .html (.htm) or .md.
std::optional<TableFormat> TableFormatOf(std::string_view path);

// The whole file: a LaTeX tabular to \input, a standalone HTML page, or
// Markdown.
std::string PublicationTable(const SurveyResult& result, TableFormat format);

// The HTML table alone, for a page that holds it.
std::string PublicationTableHtml(const SurveyResult& result);

}  // namespace orniva::survey
