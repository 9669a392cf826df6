// The reports of the analyses, in one table: each report's name, the
// options it takes, its columns and how it is computed from a Study, as
// typed cells. orniva-analyse writes a report as CSV (ReportCsv); the
// window shows the cells (each number with its format, text as text).
//
// CSV: a header row, comma separated, LF line ends, '.' decimals; angles
// with 2 decimals, other values with 4, whole numbers as they are. A field
// is quoted (RFC 4180) when it holds a comma, a quote or a line break. Text
// that comes from the user (a phase's name) is also quoted when it holds a
// semicolon, and neutralised for spreadsheets as the OWASP guidance on
// CSV injection says: control characters (tab and carriage return among
// them) and the direction overrides become U+FFFD (PrintableText), then a
// leading '=', '+', '-' or '@' gets a "'" before it. A report with a
// number that is not finite is refused, never written.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "analysis/option_declaration.h"
#include "analysis/report_format.h"

namespace orniva {
struct OrientationRecord;
}

namespace orniva::analysis {

class Study;

// A cell: a number with its format, or text the table keeps (`text` is its
// place in the table's texts). Trivially copied: a report of many rows
// costs no more than its numbers.
struct ReportCell {
  enum class Kind : std::uint8_t {
    Empty,  // an undefined value: an empty field
    Whole,  // a line number or a count
    Angle,  // degrees, 2 decimals
    Trend,  // an azimuth, 2 decimals, 360.00 written 0.00
    Axial,  // an axial azimuth, 2 decimals, 180.00 written 0.00
    Value,  // any other number, 4 decimals
    Label,  // the program's own words (a method, a regime, a sense letter)
    Text,   // the user's text (a phase's name), neutralised in CSV
  };
  Kind kind = Kind::Empty;
  std::uint32_t text = 0;
  double number = 0;

  bool IsNumber() const { return kind >= Kind::Whole && kind <= Kind::Value; }
};

ReportCell EmptyCell();
ReportCell WholeCell(double value);
ReportCell AngleCell(double degrees);
ReportCell TrendCell(double degrees);
ReportCell AxialCell(double degrees);
ReportCell ValueCell(double value);

// A report's rows of cells under its columns, or why it could not be made.
struct ReportTable {
  std::vector<std::string> columns;
  std::vector<ReportCell> cells;   // row after row, columns.size() each
  std::vector<std::string> texts;  // of the Label and Text cells
  std::string error;               // empty when the report was made
  // Said besides the rows (a phase that gave no result, a disagreement).
  std::vector<std::string> notes;

  std::size_t rowCount() const { return columns.empty() ? 0 : cells.size() / columns.size(); }
  const ReportCell& at(std::size_t row, std::size_t column) const {
    return cells[row * columns.size() + column];
  }
  // Appends cells (a whole row, or part of one).
  template <class... Cells>
  void AddRow(Cells&&... row) {
    (cells.push_back(std::forward<Cells>(row)), ...);
  }
  // A cell of the program's words, or of the user's text, kept here.
  ReportCell Label(std::string text);
  ReportCell Text(std::string text);
  // `cell` of `from` as a cell of this table.
  ReportCell CopyOf(const ReportTable& from, const ReportCell& cell);
  // The text of a Label or Text cell; empty for the others.
  const std::string& TextOf(const ReportCell& cell) const;
  // The cell as its CSV field writes it.
  std::string Written(const ReportCell& cell) const;
};

// A refused report: `error` and nothing else.
ReportTable RefusedTable(std::string error);

// The table as CSV; refused when the table is, or when a number is not
// finite (naming its column and row).
CsvReport ReportCsv(const ReportTable& table);

// `text` as a CSV field of the user's text: neutralised and quoted.
std::string NeutralisedField(const std::string& text);
// `text` neutralised for spreadsheets but not quoted: what a table shown
// on screen and copied tab-separated holds of the user's text.
std::string NeutralisedText(const std::string& text);

// Why the table cannot be written: a number that is not finite (naming its
// column and row); empty when every number is finite.
std::string NonFiniteError(const ReportTable& table);

// What a run of a report is given besides the study: the values of its
// options (by name, "" for a flag; checked against their declarations),
// and, for long work, a flag that cancels it and a listener of its share
// done (0 to 1), called on the running thread.
struct ReportRequest {
  std::map<std::string, std::string> options;
  const std::atomic<bool>* cancel = nullptr;
  std::function<void(double)> progress;
  // The planes and lines of an orientation table that the orientation
  // reports read instead of the study's faults, and which of them are in
  // use (by record; null: all).
  const std::vector<OrientationRecord>* orientations = nullptr;
  const std::vector<bool>* orientationUse = nullptr;

  bool Has(const std::string& name) const { return options.count(name) > 0; }
  std::optional<std::string> Value(const std::string& name) const;
};

// What a report reads of the study, so that a title can name the choices.
enum class ReportReads { Data, Density, Inversion, EveryMethod, StressInView, Parameters };

// One report. Its options that are choices of the study (the method, the
// iterative option, what the density counts and how, the magnitudes, a
// given stress) are set on the study by ApplyReportChoices; `run` reads
// those from the study and the others from the request. A report whose
// columns depend on a flag (--solutions, --assignments) has them in
// `flagColumns` under that flag.
struct ReportKind {
  std::string name{};   // orniva-analyse's command
  std::string title{};  // the window's name for it
  std::string help{};
  std::vector<std::string> columns{};
  std::vector<OptionDeclaration> options{};
  ReportReads reads = ReportReads::Data;
  bool eachPhase = false;  // offered by Each Phase in Turn
  std::function<ReportTable(Study&, const ReportRequest&)> run{};
  std::string flag{};
  std::vector<std::string> flagColumns{};

  // The columns a run with `request` writes.
  const std::vector<std::string>& ColumnsFor(const ReportRequest& request) const {
    return !flag.empty() && request.Has(flag) ? flagColumns : columns;
  }
};

// Every report, in the order --help lists them.
const std::vector<ReportKind>& ReportKinds();
const ReportKind* ReportKindNamed(const std::string& name);

// Sets on `study` the choices that `request` gives; returns the refusal
// of a value (magnitudes out of order, a given stress not five numbers),
// empty when fine.
std::string ApplyReportChoices(Study& study, const ReportRequest& request);

// Runs `kind` on the study's data in scope; a scope with no data in use is
// refused with the true reason (no datum passed its checks, all are
// switched off, the phase holds none).
ReportTable RunReport(const ReportKind& kind, Study& study, const ReportRequest& request);

// Why no datum is in use in the study's scope; empty when some is.
std::string NoDataReason(const Study& study);

// The declarations of options that more than one report (and orniva-plot)
// take, so that each has one range and one help.
const OptionDeclaration& MethodOption();
const OptionDeclaration& IterateOption();
const OptionDeclaration& GivenStressOption();
// The declaration of `name` in report `report`; throws when there is none.
const OptionDeclaration& ReportOption(const std::string& report, const std::string& name);

}  // namespace orniva::analysis
