#include "analysis/report_table.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <string_view>
#include <stdexcept>

#include "analysis/given_stress.h"
#include "analysis/report_kinds.h"
#include "analysis/study.h"
#include "data/utf8_text.h"

namespace orniva::analysis {

namespace {

ReportCell Cell(ReportCell::Kind kind, double number) { return {kind, 0, number}; }

const std::string kNoText;

// The fields of a report written into a buffer that goes into the text
// whenever it fills (and on Flush(), which ends the writing): a report of
// many rows is written without a string of its own per field.
class FieldWriter {
 public:
  explicit FieldWriter(std::string& text) : text_(text) {}
  FieldWriter(const FieldWriter&) = delete;
  FieldWriter& operator=(const FieldWriter&) = delete;

  void Char(char c) {
    Room(1);
    *at_++ = c;
  }
  void Text(std::string_view text) {
    Flush();
    text_.append(text);
  }
  void Cell(const ReportTable& table, const ReportCell& cell);
  void Flush() {
    text_.append(buffer_, at_);
    at_ = buffer_;
  }

 private:
  static constexpr std::size_t kLongestNumber = 400;  // a double in fixed notation
  void Room(std::size_t size) {
    if (std::size_t(std::end(buffer_) - at_) < size) Flush();
  }
  // `value` with `decimals` decimals, no minus sign on a zero, and
  // `wrapped` (360.00 or 180.00) written 0.00.
  void Fixed(double value, int decimals, std::string_view wrapped);

  std::string& text_;
  char buffer_[8192];
  char* at_ = buffer_;
};

void FieldWriter::Fixed(double value, int decimals, std::string_view wrapped) {
  Room(kLongestNumber);
  char* const start = at_;
  at_ = std::to_chars(start, std::end(buffer_), value, std::chars_format::fixed, decimals).ptr;
  if (*start == '-' && std::all_of(start + 1, at_, [](char c) { return c == '0' || c == '.'; })) {
    std::copy(start + 1, at_, start);
    --at_;
  }
  if (std::string_view(start, std::size_t(at_ - start)) == wrapped) {
    std::copy_n("0.00", 4, start);
    at_ = start + 4;
  }
}

void FieldWriter::Cell(const ReportTable& table, const ReportCell& cell) {
  using Kind = ReportCell::Kind;
  switch (cell.kind) {
    case Kind::Empty:
      return;
    case Kind::Whole:
      Room(24);
      at_ = std::to_chars(at_, std::end(buffer_), static_cast<long long>(cell.number)).ptr;
      return;
    case Kind::Angle:
    case Kind::Value:
      return Fixed(cell.number, cell.kind == Kind::Value ? 4 : 2, {});
    case Kind::Trend:
      return Fixed(cell.number, 2, "360.00");
    case Kind::Axial:
      return Fixed(cell.number, 2, "180.00");
    case Kind::Label:
      return Text(table.TextOf(cell));
    case Kind::Text:
      return Text(NeutralisedField(table.TextOf(cell)));
  }
}

}  // namespace

std::string ReportTable::Written(const ReportCell& cell) const {
  std::string text;
  FieldWriter writer(text);
  writer.Cell(*this, cell);
  writer.Flush();
  return text;
}

ReportCell ReportTable::Label(std::string text) {
  texts.push_back(std::move(text));
  return {ReportCell::Kind::Label, std::uint32_t(texts.size() - 1), 0};
}

ReportCell ReportTable::Text(std::string text) {
  texts.push_back(std::move(text));
  return {ReportCell::Kind::Text, std::uint32_t(texts.size() - 1), 0};
}

ReportCell ReportTable::CopyOf(const ReportTable& from, const ReportCell& cell) {
  if (cell.kind == ReportCell::Kind::Label) return Label(from.TextOf(cell));
  if (cell.kind == ReportCell::Kind::Text) return Text(from.TextOf(cell));
  return cell;
}

const std::string& ReportTable::TextOf(const ReportCell& cell) const {
  const bool text = cell.kind == ReportCell::Kind::Label || cell.kind == ReportCell::Kind::Text;
  return text && cell.text < texts.size() ? texts[cell.text] : kNoText;
}

ReportCell EmptyCell() { return {}; }
ReportCell WholeCell(double value) { return Cell(ReportCell::Kind::Whole, value); }
ReportCell AngleCell(double degrees) { return Cell(ReportCell::Kind::Angle, degrees); }
ReportCell TrendCell(double degrees) { return Cell(ReportCell::Kind::Trend, degrees); }
ReportCell AxialCell(double degrees) { return Cell(ReportCell::Kind::Axial, degrees); }
ReportCell ValueCell(double value) { return Cell(ReportCell::Kind::Value, value); }

ReportTable RefusedTable(std::string error) {
  ReportTable table;
  table.error = std::move(error);
  return table;
}

std::string NonFiniteError(const ReportTable& table) {
  const std::size_t width = table.columns.size();
  for (std::size_t k = 0; k < table.cells.size(); ++k)
    if (table.cells[k].IsNumber() && !std::isfinite(table.cells[k].number))
      return "the result is not a finite number (column " + table.columns[k % width] + ", row " +
             std::to_string(k / width + 1) + "): the values given are beyond what can be computed";
  return {};
}

CsvReport ReportCsv(const ReportTable& table) {
  if (!table.error.empty()) return {"", table.error};
  if (std::string error = NonFiniteError(table); !error.empty()) return {"", std::move(error)};
  const std::size_t width = table.columns.size();
  CsvReport report;
  report.text.reserve(8 * (table.cells.size() + width));
  FieldWriter writer(report.text);
  for (std::size_t c = 0; c < width; ++c) {
    if (c) writer.Char(',');
    writer.Text(table.columns[c]);
  }
  writer.Char('\n');
  for (std::size_t k = 0; k < table.cells.size(); ++k) {
    if (k % width) writer.Char(',');
    writer.Cell(table, table.cells[k]);
    if (k % width == width - 1) writer.Char('\n');
  }
  writer.Flush();
  return report;
}

std::string NeutralisedText(const std::string& text) {
  std::string field = PrintableText(text);
  if (!field.empty() && std::string_view("=+-@").find(field[0]) != std::string_view::npos)
    field.insert(field.begin(), '\'');
  return field;
}

std::string NeutralisedField(const std::string& text) {
  std::string field = NeutralisedText(text);
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
    for (auto family :
         {DataReports, StressReports, ConfidenceReports, GeometryReports, OrientationReports})
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
