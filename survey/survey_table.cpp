#include "survey/survey_table.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <map>

#include "analysis/by_phase.h"
#include "analysis/report_format.h"
#include "analysis/stress_summary.h"

namespace orniva::survey {

namespace {

using Fields = std::map<std::string, std::string>;

// The fields of a one-row report by its header's names; none when refused.
Fields FieldsOf(const analysis::CsvReport& report) {
  Fields fields;
  if (!report.error.empty()) return fields;
  const std::size_t end = report.text.find('\n');
  const std::vector<std::string> names = analysis::CsvFields(report.text.substr(0, end));
  const std::vector<std::string> values =
      analysis::CsvFields(report.text.substr(end + 1, report.text.find('\n', end + 1) - end - 1));
  for (std::size_t i = 0; i < names.size() && i < values.size(); ++i) fields[names[i]] = values[i];
  return fields;
}

// The columns taken from the row's stress-summary report, by name there.
const std::pair<const char*, const char*> kSummaryColumns[] = {
    {"s1_trend", "s1_trend"}, {"s1_plunge", "s1_plunge"},
    {"s2_trend", "s2_trend"}, {"s2_plunge", "s2_plunge"},
    {"s3_trend", "s3_trend"}, {"s3_plunge", "s3_plunge"},
    {"phi", "phi"},           {"r_prime", "r_prime"},
    {"regime", "regime"},     {"wsm_regime", "wsm_regime"},
    {"shmax", "shmax"},       {"mean_beta", "mean_misfit"}};
// The columns taken from its stress-bootstrap report.
const char* const kBootstrapColumns[] = {"shmax_low", "shmax_high", "theta_radius"};

}  // namespace

const std::vector<TableColumn>& TableColumns() {
  static const std::vector<TableColumn> columns = {{"site", false},
                                                   {"phase", false},
                                                   {"n", true},
                                                   {"n_total", true},
                                                   {"lon", true},
                                                   {"lat", true},
                                                   {"s1_trend", true},
                                                   {"s1_plunge", true},
                                                   {"s2_trend", true},
                                                   {"s2_plunge", true},
                                                   {"s3_trend", true},
                                                   {"s3_plunge", true},
                                                   {"phi", true},
                                                   {"r_prime", true},
                                                   {"regime", false},
                                                   {"wsm_regime", false},
                                                   {"shmax", true},
                                                   {"shmax_low", true},
                                                   {"shmax_high", true},
                                                   {"mean_beta", true},
                                                   {"theta_radius", true},
                                                   {"accuracy_class", false},
                                                   {"frame", false},
                                                   {"note", false}};
  return columns;
}

std::size_t ColumnIndex(const char* name) {
  const std::vector<TableColumn>& columns = TableColumns();
  return std::size_t(
      std::find_if(columns.begin(), columns.end(),
                   [name](const TableColumn& c) { return std::strcmp(c.name, name) == 0; }) -
      columns.begin());
}

std::optional<double> HalfWidth(double low, double high) {
  if (!(high >= low && high - low < 180)) return std::nullopt;
  return (high - low) / 2;
}

char AccuracyClass(std::optional<double> w) {
  if (!w) return 'E';
  if (*w <= 15) return 'A';
  if (*w <= 20) return 'B';
  if (*w <= 25) return 'C';
  if (*w <= 40) return 'D';
  return 'E';
}

std::optional<double> CellNumber(const std::string& text) {
  double value = 0;
  const auto read = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || read.ec != std::errc() || read.ptr != text.data() + text.size())
    return std::nullopt;
  return value;
}

std::optional<double> ShMaxOf(const SurveyRow& row) {
  if (!row.inverted()) return std::nullopt;
  return analysis::ShMax(row.stress.tensor);
}

std::string FormatDegrees(double degrees) {
  std::string text = analysis::FormatFixed(degrees, 7);
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text == "-0" ? "0" : text;
}

std::vector<std::string> RowCells(const SurveyResult& result, const SurveyRow& row) {
  const SiteEntry& site = result.survey.sites[std::size_t(row.site)];
  std::vector<std::string> cells(TableColumns().size());
  auto set = [&cells](const char* name, std::string value) {
    cells[ColumnIndex(name)] = std::move(value);
  };
  set("site", site.name);
  set("phase", row.phase);
  set("n", std::to_string(row.stress.used));
  set("n_total", std::to_string(row.nTotal));
  if (site.position) {
    set("lon", FormatDegrees(site.position->lon));
    set("lat", FormatDegrees(site.position->lat));
  }
  if (row.inverted()) {
    Fields summary = FieldsOf(analysis::StressSummaryCsv(row.stress, result.survey.choices.method));
    for (const auto& [column, field] : kSummaryColumns) set(column, summary[field]);
  }
  Fields bootstrap;
  if (row.inverted()) bootstrap = FieldsOf(analysis::StressBootstrapCsv(row.bootstrap));
  for (const char* column : kBootstrapColumns) set(column, bootstrap[column]);
  const auto low = CellNumber(bootstrap["shmax_low"]), high = CellNumber(bootstrap["shmax_high"]);
  const bool defined = !cells[ColumnIndex("shmax")].empty() && low && high;
  set("accuracy_class",
      std::string(1, AccuracyClass(defined ? HalfWidth(*low, *high) : std::nullopt)));
  set("frame", row.backTilted ? "back-tilted" : "geographic");
  set("note", row.note);
  return cells;
}

std::string SurveyTableCsv(const SurveyResult& result) {
  std::string text;
  for (const TableColumn& column : TableColumns())
    text += std::string(text.empty() ? "" : ",") + column.name;
  text += '\n';
  for (const SurveyRow& row : result.rows) {
    const std::vector<std::string> cells = RowCells(result, row);
    for (std::size_t i = 0; i < cells.size(); ++i)
      text += (i ? "," : "") + analysis::CsvField(cells[i]);
    text += '\n';
  }
  return text;
}

}  // namespace orniva::survey
