#include "analysis/report_table.h"

#include <cmath>
#include <stdexcept>

#include "analysis/given_stress.h"
#include "analysis/report_kinds.h"
#include "analysis/study.h"
#include "data/utf8_text.h"

namespace orniva::analysis {

namespace {

ReportCell Cell(ReportCell::Kind kind, double number) { return {kind, number, {}}; }

void AppendCell(std::string& text, const ReportCell& cell) {
  using Kind = ReportCell::Kind;
  switch (cell.kind) {
    case Kind::Empty:
      return;
    case Kind::Whole:
      text += std::to_string(static_cast<long long>(cell.number));
      return;
    case Kind::Angle:
      AppendFixed(text, cell.number, 2);
      return;
    case Kind::Value:
      AppendFixed(text, cell.number, 4);
      return;
    case Kind::Trend:
    case Kind::Axial: {
      const std::string written = FormatAngle(cell.number);
      text += written == (cell.kind == Kind::Trend ? "360.00" : "180.00") ? "0.00" : written;
      return;
    }
    case Kind::Label:
      text += cell.text;
      return;
    case Kind::Text:
      text += NeutralisedField(cell.text);
      return;
  }
}

}  // namespace

std::string ReportCell::Written() const {
  std::string text;
  AppendCell(text, *this);
  return text;
}

ReportCell EmptyCell() { return {}; }
ReportCell WholeCell(double value) { return Cell(ReportCell::Kind::Whole, value); }
ReportCell AngleCell(double degrees) { return Cell(ReportCell::Kind::Angle, degrees); }
ReportCell TrendCell(double degrees) { return Cell(ReportCell::Kind::Trend, degrees); }
ReportCell AxialCell(double degrees) { return Cell(ReportCell::Kind::Axial, degrees); }
ReportCell ValueCell(double value) { return Cell(ReportCell::Kind::Value, value); }
ReportCell LabelCell(std::string text) { return {ReportCell::Kind::Label, 0, std::move(text)}; }
ReportCell TextCell(std::string text) { return {ReportCell::Kind::Text, 0, std::move(text)}; }

void ReportTable::AddRow(std::initializer_list<ReportCell> row) {
  cells.insert(cells.end(), row.begin(), row.end());
}

ReportTable RefusedTable(std::string error) {
  ReportTable table;
  table.error = std::move(error);
  return table;
}

CsvReport ReportCsv(const ReportTable& table) {
  if (!table.error.empty()) return {"", table.error};
  const std::size_t width = table.columns.size();
  for (std::size_t k = 0; k < table.cells.size(); ++k)
    if (table.cells[k].IsNumber() && !std::isfinite(table.cells[k].number))
      return {"", "the result is not a finite number (column " + table.columns[k % width] +
                      ", row " + std::to_string(k / width + 1) +
                      "): the values given are beyond what can be computed"};
  CsvReport report;
  std::string& text = report.text;
  text.reserve(16 * (table.cells.size() + width));
  for (std::size_t c = 0; c < width; ++c) text += (c ? "," : "") + table.columns[c];
  text += '\n';
  for (std::size_t k = 0; k < table.cells.size(); ++k) {
    if (k % width) text += ',';
    AppendCell(text, table.cells[k]);
    if (k % width == width - 1) text += '\n';
  }
  return report;
}

std::string NeutralisedField(const std::string& text) {
  std::string field = PrintableText(text);
  if (!field.empty() && std::string_view("=+-@").find(field[0]) != std::string_view::npos)
    field.insert(field.begin(), '\'');
  if (field.find_first_of(",\";") == std::string::npos) return field;
  std::string quoted = "\"";
  for (char c : field) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::optional<std::string> ReportRequest::Value(const std::string& name) const {
  const auto found = options.find(name);
  if (found == options.end()) return std::nullopt;
  return found->second;
}

const std::vector<ReportKind>& ReportKinds() {
  static const std::vector<ReportKind> kinds = [] {
    std::vector<ReportKind> all;
    for (auto family : {DataReports, StressReports, ConfidenceReports, GeometryReports})
      for (ReportKind& kind : family()) all.push_back(std::move(kind));
    return all;
  }();
  return kinds;
}

const ReportKind* ReportKindNamed(const std::string& name) {
  for (const ReportKind& kind : ReportKinds())
    if (kind.name == name) return &kind;
  return nullptr;
}

const OptionDeclaration& ReportOption(const std::string& report, const std::string& name) {
  if (const ReportKind* kind = ReportKindNamed(report))
    for (const OptionDeclaration& option : kind->options)
      if (option.name == name) return option;
  throw std::logic_error("no option " + name + " of report " + report);
}

std::string NoDataReason(const Study& study) {
  if (study.usedCount() > 0) return {};
  const FaultSet& data = study.data();
  if (data.count() == 0) return "the data file holds no data";
  bool anyPassed = false;
  for (int i = 1; i <= data.count() && !anyPassed; ++i)
    anyPassed = data[std::size_t(i)].failedChecks == 0;
  if (!anyPassed) return kNoUsableData;
  if (study.scope() > 0) return "the phase holds no data in use";
  return "no data in use: every datum that passed its checks is switched off";
}

ReportTable RunReport(const ReportKind& kind, Study& study, const ReportRequest& request) {
  if (std::string reason = NoDataReason(study); !reason.empty())
    return RefusedTable(std::move(reason));
  return kind.run(study, request);
}

}  // namespace orniva::analysis
