// orniva-import's table: the conventions of a plain table, the field apps'
// sources and what their conversion takes, and the senses and decimals both
// share.
#include "app/program_tables.h"

namespace orniva::cli {

namespace {

using analysis::DeclareChoice;
using analysis::DeclareFlag;
using analysis::DeclareNumber;

// An option of a plain table: the field apps' sources name their columns.
OptionDeclaration TableOnly(OptionDeclaration declared) {
  declared.notWith = {"--from"};
  declared.notWithReason = "the source names its columns";
  return declared;
}

// An option of a field app's source (of `source` alone when given).
OptionDeclaration FieldOnly(OptionDeclaration declared, const std::string& source = {}) {
  declared.onlyWhile = {{"--from", {}, ""}};
  if (!source.empty()) declared.onlyWhile.push_back({"--from", {source}, ""});
  return declared;
}

std::vector<OptionDeclaration> TableOptions() {
  return {
      TableOnly(DeclareChoice("--plane", {"dip-direction", "strike-rhr", "strike-quadrant"},
                              "how the table writes a plane; default as the header row's names "
                              "say (strike, dip direction ...)")),
      TableOnly(DeclareChoice("--line",
                              {"trend-plunge", "pitch-quadrant", "rake", "rake-360", "rake-aki"},
                              "how it writes the striation; default as the header says (trend, "
                              "plunge, pitch, rake ...)")),
      TableOnly({"--columns",
                 "LIST",
                 ValueKind::Text,
                 {},
                 {},
                 "the 1-based columns that hold the fields in order (plane, line, sense), e.g. "
                 "2,3,5,6,7; default the columns the header names, else all"}),
      TableOnly(DeclareChoice("--header", {"auto", "yes", "no"},
                              "whether the first row names the columns (default auto)")),
      DeclareChoice("--delimiter", {"auto", "comma", "semicolon", "tab", "space"},
                    "what splits the fields (default auto)"),
  };
}

std::vector<OptionDeclaration> FieldOptions() {
  return {
      DeclareChoice("--from", {"strabo-json", "strabo-tsv", "tectostress", "fieldmove", "core"},
                    "IN is a field app's export: a StraboSpot project (JSON), its tab-separated "
                    "export, a TectoStress table, a FieldMove CSV project folder, or oriented "
                    "core (alpha, beta, gamma); planes and lines are paired into faults, and "
                    "each line's site, position, time and notes go to OUT.fdt.orniva.json"),
      FieldOnly(DeclareNumber("--misfit-limit", {"DEG", 0, 90},
                              "a paired striation further than DEG from its plane is left out "
                              "(default 10)")),
      FieldOnly(DeclareFlag("--keep-misfits", "keep such pairs, as measured")),
      FieldOnly(DeclareNumber("--hole-azimuth", {"DEG", -360, 360},
                              "the azimuth of the cored hole (default 0)"),
                "core"),
      FieldOnly(DeclareNumber("--hole-inclination", {"DEG", -90, 90},
                              "the inclination of the cored hole (default 90: vertical)"),
                "core"),
  };
}

std::vector<OptionDeclaration> SharedOptions() {
  return {
      {"--sense-map",
       "CODE=LETTER,...",
       ValueKind::Text,
       {},
       {},
       "more sense codes, e.g. U=R,1=N (N, R, S, D, TL, TR, NL or NR)"},
      {"--default-sense",
       "N|R|S|D|X|skip",
       ValueKind::Text,
       {},
       {},
       "the sense of a row without one (X); skip leaves such rows out"},
      DeclareChoice("--to", {"faults", "orientations"},
                    "what OUT holds: fault-slip data (the default) or an orientation table "
                    "(OUT.orient.csv) of planes (dip direction, or strike by --plane) and lines "
                    "(trend and plunge)"),
      DeclareChoice("--kind", {"plane", "line"},
                    "with --to orientations: every row's kind, where no kind column says it"),
      DeclareNumber("--decimals", {"N", 0, 9},
                    "round the values to N decimals; default as many as the reader needs to "
                    "read them back",
                    ValueKind::Whole),
  };
}

}  // namespace

const ProgramTable& ImportProgram() {
  static const ProgramTable program = [] {
    ProgramTable p;
    p.name = "orniva-import";
    p.operands = "IN OUT.fdt";
    p.description =
        "Converts the rows of the table IN to fault-slip data lines in OUT.fdt. IN may be CSV "
        "(quoted fields too) or text split by semicolons, tabs or blanks, in UTF-8, UTF-16 with "
        "a byte-order mark or Windows-1252; or, with --from, a field app's export.\n";
    p.minOperands = p.maxOperands = 2;
    for (const auto& options : {TableOptions(), FieldOptions(), SharedOptions()})
      for (const OptionDeclaration& declared : options) p.AddOption(declared);
    p.footer =
        "Problems go to standard error, one line each, with the input line, then \"k of n rows "
        "converted\". OUT is never written empty, nor over IN.\n"
        "Exit status: 0 when faults were written and no row failed, 1 when some rows failed "
        "(OUT still written with the others), 2 on bad arguments, an unreadable input, nothing "
        "to write or an output that cannot be written.\n";
    return p;
  }();
  return program;
}

}  // namespace orniva::cli
