#include "survey/publication_table.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <cstdio>
#include <vector>

#include "analysis/report_format.h"
#include "survey/gis_layers.h"
#include "survey/survey_table.h"

namespace orniva::survey {

namespace {

constexpr const char* kDash = "\u2013";
constexpr const char* kUnits =
    "N: faults inverted (/ the site's data where fewer); \u03C3: trend/plunge (\u00B0); SHmax "
    "\u00B1 w: SHmax and the half-width of its bootstrap "
    "interval (\u00B0); mean \u03B2: mean misfit (\u00B0); azimuths from true north; class: "
    "accuracy class by World Stress Map bounds on w.";

struct PublishedRow {
  std::vector<std::string> cells;  // UTF-8, 13 of them
  std::string note;                // why values are missing
};

std::string Rounded(const std::string& cell, int decimals) {
  const std::optional<double> value = CellNumber(cell);
  return value ? analysis::FormatFixed(*value, decimals) : kDash;
}

std::string Axis(const std::string& trend, const std::string& plunge) {
  const std::optional<double> t = CellNumber(trend), p = CellNumber(plunge);
  if (!t || !p) return kDash;
  char text[16];
  std::snprintf(text, sizeof text, "%03ld/%02ld", std::lround(*t) % 360, std::lround(*p));
  return text;
}

// "n", or "n/total" where the row inverts fewer than the site's data.
std::string Count(const std::string& n, const std::string& total) {
  return n == total ? n : n + "/" + total;
}

std::string ShMaxText(const std::vector<std::string>& c) {
  const std::optional<double> shMax = CellNumber(c[ColumnIndex("shmax")]);
  if (!shMax) return kDash;
  const std::string text = analysis::FormatFixed(std::fmod(std::round(*shMax), 180), 0);
  const auto low = CellNumber(c[ColumnIndex("shmax_low")]);
  const auto high = CellNumber(c[ColumnIndex("shmax_high")]);
  const std::optional<double> w = low && high ? HalfWidth(*low, *high) : std::nullopt;
  return w ? text + " \u00B1 " + analysis::FormatFixed(*w, 0) : text;
}

std::vector<PublishedRow> PublishedRows(const SurveyResult& result) {
  std::vector<PublishedRow> rows;
  for (const SurveyRow& row : result.rows) {
    const std::vector<std::string> c = RowCells(result, row);
    const auto cell = [&c](const char* name) { return c[ColumnIndex(name)]; };
    rows.push_back(
        {{cell("site"), Rounded(cell("lon"), 4), Rounded(cell("lat"), 4), cell("phase"),
          Count(cell("n"), cell("n_total")), Axis(cell("s1_trend"), cell("s1_plunge")),
          Axis(cell("s2_trend"), cell("s2_plunge")), Axis(cell("s3_trend"), cell("s3_plunge")),
          Rounded(cell("phi"), 2), Rounded(cell("r_prime"), 2), ShMaxText(c),
          Rounded(cell("mean_beta"), 0), cell("accuracy_class")},
         cell("note")});
  }
  return rows;
}

// The notes of the rows that have one: "site phase: note".
std::vector<std::string> Notes(const std::vector<PublishedRow>& rows) {
  std::vector<std::string> notes;
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (!rows[i].note.empty())
      notes.push_back(rows[i].cells[0] + " " + rows[i].cells[3] + ": " + rows[i].note);
  return notes;
}

// The characters LaTeX reads otherwise, and the table's symbols, as
// LaTeX writes them.
const std::pair<const char*, const char*> kLatex[] = {{"\\", "\\textbackslash{}"},
                                                      {"~", "\\textasciitilde{}"},
                                                      {"^", "\\textasciicircum{}"},
                                                      {"&", "\\&"},
                                                      {"%", "\\%"},
                                                      {"$", "\\$"},
                                                      {"#", "\\#"},
                                                      {"_", "\\_"},
                                                      {"{", "\\{"},
                                                      {"}", "\\}"},
                                                      {"|", "\\textbar{}"},
                                                      {"\u2013", "--"},
                                                      {"\u00B1", "$\\pm$"},
                                                      {"\u00B0", "$^\\circ$"},
                                                      {"\u03C3", "$\\sigma$"},
                                                      {"\u03B2", "$\\beta$"}};

std::string LatexText(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto special = std::find_if(std::begin(kLatex), std::end(kLatex), [&](const auto& s) {
      return text.compare(i, std::strlen(s.first), s.first) == 0;
    });
    if (special == std::end(kLatex)) {
      out += text[i++];
      continue;
    }
    out += special->second;
    i += std::strlen(special->first);
  }
  return out;
}

std::string Latex(const SurveyResult& result) {
  const std::vector<PublishedRow> rows = PublishedRows(result);
  std::string text =
      "% Orniva survey table; needs \\usepackage{booktabs}\n"
      "\\begin{tabular}{lrrlrcccrrrrc}\n\\toprule\n"
      "Site & Long. & Lat. & Phase & $N$ & $\\sigma_1$ & $\\sigma_2$ & $\\sigma_3$ & $\\Phi$ & "
      "$R'$ & $S_{H\\mathrm{max}} \\pm w$ & mean $\\beta$ & Class \\\\\n\\midrule\n";
  for (const PublishedRow& row : rows) {
    for (std::size_t i = 0; i < row.cells.size(); ++i)
      text += (i ? " & " : "") + LatexText(row.cells[i]);
    text += " \\\\\n";
  }
  text += "\\bottomrule\n";
  std::vector<std::string> notes = Notes(rows);
  notes.insert(notes.begin(), kUnits);
  for (const std::string& note : notes)
    text += "\\multicolumn{13}{l}{\\footnotesize " + LatexText(note) + "} \\\\\n";
  return text + "\\end{tabular}\n";
}

std::string MarkdownText(const std::string& text) {
  std::string out;
  for (const char c : text) out += c == '|' ? std::string("\\|") : std::string(1, c);
  return out;
}

const char* const kHeader[] = {"Site",           "Long.",       "Lat.",    "Phase",  "N",
                               "\u03C31",        "\u03C32",     "\u03C33", "\u03A6", "R\u2032",
                               "SHmax \u00B1 w", "mean \u03B2", "Class"};

std::string Markdown(const SurveyResult& result) {
  const std::vector<PublishedRow> rows = PublishedRows(result);
  std::string text = "|", rule = "|";
  for (const char* name : kHeader) {
    text += " " + std::string(name) + " |";
    rule += "---|";
  }
  text += "\n" + rule + "\n";
  for (const PublishedRow& row : rows) {
    text += "|";
    for (const std::string& cell : row.cells) text += " " + MarkdownText(cell) + " |";
    text += "\n";
  }
  text += "\n" + std::string(kUnits) + "\n";
  for (const std::string& note : Notes(rows)) text += "\n- " + MarkdownText(note);
  return text + (Notes(rows).empty() ? "" : "\n");
}

}  // namespace

std::optional<TableFormat> TableFormatOf(std::string_view path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || path.find('/', dot) != std::string_view::npos)
    return std::nullopt;
  std::string ext(path.substr(dot + 1));
  for (char& c : ext) c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  if (ext == "tex") return TableFormat::Latex;
  if (ext == "html" || ext == "htm") return TableFormat::Html;
  if (ext == "md") return TableFormat::Markdown;
  return std::nullopt;
}

std::string PublicationTableHtml(const SurveyResult& result) {
  const std::vector<PublishedRow> rows = PublishedRows(result);
  std::string text = "<table class=\"survey\">\n<thead><tr>";
  for (const char* name : kHeader) text += "<th>" + std::string(name) + "</th>";
  text += "</tr></thead>\n<tbody>\n";
  for (const PublishedRow& row : rows) {
    text += "<tr>";
    for (const std::string& cell : row.cells) text += "<td>" + XmlEscaped(cell) + "</td>";
    text += "</tr>\n";
  }
  text += "</tbody>\n</table>\n<p class=\"notes\">" + XmlEscaped(kUnits) + "</p>\n";
  for (const std::string& note : Notes(rows))
    text += "<p class=\"notes\">" + XmlEscaped(note) + "</p>\n";
  return text;
}

std::string PublicationTable(const SurveyResult& result, TableFormat format) {
  switch (format) {
    case TableFormat::Latex:
      return Latex(result);
    case TableFormat::Markdown:
      return Markdown(result);
    case TableFormat::Html:
      break;
  }
  return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Survey table</title>\n"
         "<style>table.survey{border-collapse:collapse;border-top:2px solid;border-bottom:2px "
         "solid}table.survey th{border-bottom:1px solid}table.survey td,table.survey "
         "th{padding:2px 8px;text-align:right}p.notes{font-size:small}</style></head>\n<body>\n" +
         PublicationTableHtml(result) + "</body></html>\n";
}

}  // namespace orniva::survey
