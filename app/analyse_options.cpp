// orniva-analyse's table: the report table's reports and their options,
// and the options of every command.
#include "analysis/report_table.h"
#include "app/program_tables.h"

namespace orniva::cli {

const ProgramTable& AnalyseProgram() {
  static const ProgramTable program = [] {
    ProgramTable p;
    p.name = "orniva-analyse";
    p.operands = "DATAFILE COMMAND";
    p.description =
        "Analyses the fault-slip data of DATAFILE and writes the report as CSV (a header row, "
        "'.' decimals, angles with 2 decimals, other values with 4) to standard output. The data "
        "file is checked as in the window: VORN.log is written beside it, and only data that "
        "passed every check are used. A curation file beside it is applied (and said so on "
        "standard error) unless --no-curation. An orientation table (NAME.orient.csv) is read the "
        "same way for fisher, fabric and fold-axis, its curation file too (rows switched off left "
        "out, its sets the ones --subset and --by-subset name; without one, the sets of its set "
        "column); --lines counts its file's lines.\n";
    p.minOperands = p.maxOperands = 2;
    p.commandOperand = 1;
    p.synopsisWithOptions = true;
    for (const analysis::ReportKind& kind : analysis::ReportKinds()) {
      p.commands.push_back({kind.name, kind.help});
      for (const OptionDeclaration& option : kind.options) p.AddOption(option, kind.name);
    }
    for (const OptionDeclaration& option : DataScopeOptions(
             "the report for each phase in turn, led by a subset column; a phase that cannot be "
             "analysed gets a row that says why"))
      p.AddOption(option);
    p.footer =
        "Every message on standard error names the data file it is about. Exit status: 0 when "
        "the report was written (with --by-subset, when at least one phase gave a result), 2 on "
        "bad arguments, an unreadable data file, more than 32760 lines or no usable data.\n";
    return p;
  }();
  return program;
}

}  // namespace orniva::cli
