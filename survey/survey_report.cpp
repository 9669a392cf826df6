#include "survey/survey_report.h"

#include <cstdio>

#include "analysis/report_format.h"
#include "data/data_file_hash.h"
#include "data/fault_reader.h"
#include "orniva_version.h"
#include "platform/file_error.h"
#include "plot/figures.h"
#include "survey/gis_layers.h"
#include "survey/publication_table.h"
#include "survey/survey_map.h"
#include "survey/survey_table.h"

namespace orniva::survey {

namespace {

constexpr const char* kStyle =
    "body{font-family:sans-serif;max-width:1200px;margin:1em auto;padding:0 1em}"
    "table{border-collapse:collapse}th,td{padding:2px 8px;text-align:left;vertical-align:top}"
    "table.survey,table.rows{border-top:2px solid;border-bottom:2px solid}"
    "table.survey th,table.rows th{border-bottom:1px solid}"
    "figure{display:inline-block;width:48%;margin:0}svg{width:100%;height:auto}"
    "p.notes{font-size:small}code{font-size:small}";

std::string Page(const std::string& title, const std::string& body) {
  return "<!DOCTYPE html>\n<html lang=\"en\">\n<head><meta charset=\"utf-8\"><title>" +
         XmlEscaped(title) + "</title>\n<style>" + kStyle + "</style></head>\n<body>\n" + body +
         "</body>\n</html>\n";
}

// An SVG file's text from its <svg> element on, to stand in a page.
std::string InlineSvg(const std::string& svg) {
  const std::size_t at = svg.find("<svg");
  return at == std::string::npos ? std::string() : svg.substr(at);
}

std::string Item(const std::string& name, const std::string& html) {
  return "<tr><th>" + XmlEscaped(name) + "</th><td>" + html + "</td></tr>\n";
}

std::string Sha(const std::string& sha) { return "<code>" + XmlEscaped(sha) + "</code>"; }

std::string ChoicesTable(const SurveyChoices& c) {
  return "<table>\n" + Item("Method", analysis::StressMethodName(c.method)) +
         Item("Iterative option", c.iterate ? "on" : "off") +
         Item("Bootstrap resamples", std::to_string(c.samples)) +
         Item("Seed", std::to_string(c.seed)) + Item("Confidence", JsonNumber(c.confidence)) +
         Item("Back-tilt by the bedding", c.backTilt ? "on" : "off") +
         Item("Orniva", ORNIVA_VERSION) + "</table>\n";
}

// The site's rows of the survey table, every column.
std::string RowsTable(const SurveyResult& result, int site) {
  std::string html = "<table class=\"rows\">\n<tr>";
  for (const TableColumn& column : TableColumns())
    html += "<th>" + std::string(column.name) + "</th>";
  html += "</tr>\n";
  for (const SurveyRow& row : result.rows) {
    if (row.site != site) continue;
    html += "<tr>";
    for (const std::string& cell : RowCells(result, row))
      html += "<td>" + XmlEscaped(cell) + "</td>";
    html += "</tr>\n";
  }
  return html + "</table>\n";
}

// The fault-plane net with the stress axes and the Mohr diagram of the
// study's data in `scope`.
std::string RowFigures(analysis::Study& study, int scope, const std::string& title,
                       const SvgOfPicture& svgOf) {
  study.SetScope(scope);
  NetGeometry geometry;
  geometry.kind = NetKind::EqualArea;
  InitNetGeometry(geometry);
  std::string html;
  for (const PlotMode mode : {PlotMode::StressAxes, PlotMode::Mohr}) {
    FigureRequest request;
    request.mode = mode;
    request.geometry = geometry;
    request.layout = true;
    request.title = title;
    const DiagramFigures figures = FiguresFor(mode, study, geometry);
    html +=
        "<figure>" + InlineSvg(svgOf(DrawFigure(study.data(), request, figures))) + "</figure>\n";
  }
  return html;
}

// A row's heading and figures, or why it has none. The figures are drawn
// only where the study opened again still has the row's phase.
std::string RowSection(analysis::Study& study, const SurveyRow& row, const std::string& site,
                       const SvgOfPicture& svgOf) {
  const bool all = row.scope == 0;
  const std::string name = all ? "All data" : "Phase " + row.phase;
  const auto& phases = study.curation().phases;
  const bool same = all ? phases.empty()
                        : std::size_t(row.scope) <= phases.size() &&
                              phases[std::size_t(row.scope - 1)].name == row.phase;
  std::string html = "<h2>" + XmlEscaped(name) + "</h2>\n";
  if (!row.inverted()) return html + "<p>" + XmlEscaped(row.note) + "</p>\n";
  if (!same) return html + "<p>The curation file has changed since the survey was run.</p>\n";
  return html + RowFigures(study, row.scope, site + ", " + name, svgOf);
}

std::string SiteDescription(const SiteEntry& site) {
  std::string html = "<table>\n";
  if (site.position)
    html += Item("Longitude, latitude (WGS 84)",
                 FormatDegrees(site.position->lon) + ", " + FormatDegrees(site.position->lat));
  if (site.elevation) html += Item("Elevation (m)", JsonNumber(*site.elevation));
  if (site.bedding)
    html += Item("Bedding (dip direction/dip)",
                 JsonNumber(site.bedding->dipDirection) + "/" + JsonNumber(site.bedding->dip));
  for (const auto& [name, text] :
       {std::pair<const char*, const std::string*>{"Locality", &site.locality},
        {"Date", &site.date},
        {"Notes", &site.notes}})
    if (!text->empty()) html += Item(name, XmlEscaped(*text));
  return html + "</table>\n";
}

std::string PhasesText(const analysis::Study& study, const OpenedSite& site) {
  const analysis::CurationState& curation = study.curation();
  std::string html;
  for (std::size_t k = 0; k < curation.phases.size(); ++k) {
    std::vector<int> lines;
    for (std::size_t i = 0; i < site.lines.size(); ++i)
      if (curation.phase[i + 1] == int(k) + 1) lines.push_back(site.lines[i]);
    html += "<span style=\"color:" + XmlEscaped(curation.phases[k].colour) + "\">&#9632;</span> " +
            XmlEscaped(curation.phases[k].name) + ": lines " + LineRanges(lines) + "<br>";
  }
  return html.empty() ? "none" : html;
}

// What the site's files are and what was made of them.
std::string FilesTable(const SiteEntry& entry, const OpenedSite& site, const SurveySite& run) {
  std::string html =
      "<table>\n" + Item("Data file", XmlEscaped(entry.data)) +
      Item("Its SHA-256", Sha(site.dataSha256)) +
      Item("The site's lines",
           entry.lines ? LineRanges(site.lines) : "all " + std::to_string(site.lines.size())) +
      Item("Lines that failed a check", LineRanges(site.failed));
  html += Item("Curation file", site.curationPath.empty()
                                    ? "none"
                                    : XmlEscaped(FileNameOf(site.curationPath)) +
                                          (site.curationApplied ? "" : " (not applied)"));
  if (!site.curationPath.empty()) html += Item("Its SHA-256", Sha(site.curationSha256));
  html += Item("Lines switched off", LineRanges(site.off)) +
          Item("Phases", PhasesText(*site.study, site));
  html += Item("Frame",
               run.backTilted ? "back-tilted: the bedding restored to horizontal" : "geographic");
  for (const std::string& warning : site.warnings) html += Item("Warning", XmlEscaped(warning));
  if (site.dataSha256 != run.opened.dataSha256)
    html += Item("Warning", "the data file has changed since the survey was run");
  return html + "</table>\n";
}

std::string SitePage(const SurveyResult& result, int index, const SvgOfPicture& svgOf,
                     std::shared_ptr<const SiteFile>& file) {
  const SiteEntry& entry = result.survey.sites[std::size_t(index)];
  bool backTilted = false;
  OpenedSite site = OpenSurveySite(result.survey, result.surveyPath, index, backTilted, &file);
  std::string body = "<p><a href=\"index.html\">Survey</a></p>\n<h1>Site " +
                     XmlEscaped(entry.name) + "</h1>\n" + SiteDescription(entry);
  if (!site.error.empty()) {
    body += "<p>" + XmlEscaped(site.error) + "</p>\n";
  } else {
    body += "<h2>Data</h2>\n" + FilesTable(entry, site, result.sites[std::size_t(index)]);
    body += "<h2>Inversion</h2>\n" + ChoicesTable(result.survey.choices);
    site.study->SetMethod(result.survey.choices.method);
    site.study->SetIterate(result.survey.choices.iterate);
    for (const SurveyRow& row : result.rows)
      if (row.site == index) body += RowSection(*site.study, row, entry.name, svgOf);
  }
  body += "<h2>Table</h2>\n" + RowsTable(result, index);
  return Page("Site " + entry.name, body);
}

std::string SurveyFileLine(const std::string& path) {
  std::string sha;
  try {
    sha = Sha(DataFileSha256(path));
  } catch (const FileError&) {
    sha = "not saved";
  }
  return Item("Survey file", XmlEscaped(FileNameOf(path))) + Item("Its SHA-256", sha);
}

std::string IndexPage(const SurveyResult& result, const SvgOfPicture& svgOf,
                      const std::string& date) {
  const std::string title = "Survey " + FileNameOf(result.surveyPath);
  std::string body = "<h1>" + XmlEscaped(title) + "</h1>\n<p class=\"date\">Made on " +
                     XmlEscaped(date) + ".</p>\n<table>\n" + SurveyFileLine(result.surveyPath) +
                     "</table>\n" + ChoicesTable(result.survey.choices);
  body += "<h2>Map</h2>\n<div>" + InlineSvg(svgOf(DrawStressMap(StressMapOf(result, title)))) +
          "</div>\n<h2>Table</h2>\n" + PublicationTableHtml(result) + "<h2>Sites</h2>\n<ul>\n";
  for (std::size_t i = 0; i < result.survey.sites.size(); ++i)
    body += "<li><a href=\"" + SitePageName(int(i)) + "\">" +
            XmlEscaped(result.survey.sites[i].name) + "</a></li>\n";
  return Page(title, body + "</ul>\n<p><a href=\"survey.csv\">The survey table as CSV</a></p>\n");
}

}  // namespace

std::string SitePageName(int index) {
  char name[32];
  std::snprintf(name, sizeof name, "site-%03d.html", index + 1);
  return name;
}

std::string LineRanges(const std::vector<int>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size();) {
    std::size_t j = i;
    while (j + 1 < lines.size() && lines[j + 1] == lines[j] + 1) ++j;
    text += (text.empty() ? "" : ", ") + std::to_string(lines[i]) +
            (j > i ? "-" + std::to_string(lines[j]) : "");
    i = j + 1;
  }
  return text.empty() ? "none" : text;
}

std::vector<ReportFile> SurveyReport(const SurveyResult& result, const SvgOfPicture& svgOf,
                                     const std::string& date) {
  std::vector<ReportFile> files = {{"index.html", IndexPage(result, svgOf, date)},
                                   {"survey.csv", SurveyTableCsv(result)}};
  std::shared_ptr<const SiteFile> file;
  for (std::size_t i = 0; i < result.survey.sites.size(); ++i)
    files.push_back({SitePageName(int(i)), SitePage(result, int(i), svgOf, file)});
  return files;
}

}  // namespace orniva::survey
