// orniva-plot's table: the diagrams and the options each one takes, those
// of the analyses declared once in the report table.
#include "analysis/report_table.h"
#include "analysis/stress_bootstrap.h"
#include "app/program_tables.h"

namespace orniva::cli {

namespace {

using analysis::DeclareChoice;
using analysis::DeclareFlag;

using Names = std::vector<std::string>;

const Names kNets = {"fault-planes",   "tangent-lineation", "poles",
                     "kinematic-axes", "stress-axes",       "density",
                     "dihedra",        "tendency",          "orientations"};
const Names kFabricDiagrams = {"vollmer", "woodcock"};
const Names kSymbols = {"fault-planes",   "tangent-lineation", "poles",
                        "kinematic-axes", "stress-axes",       "density",
                        "dihedra",        "tendency",          "mohr"};
const Names kInversions = {"stress-axes", "mohr", "tendency", "tilt-test"};

// A report's option for the diagrams, optional there, with `help`.
OptionDeclaration FromReport(const std::string& report, const std::string& name, std::string help) {
  OptionDeclaration declared = analysis::ReportOption(report, name);
  declared.required = false;
  if (!help.empty()) declared.help = std::move(help);
  return declared;
}

void AddEach(ProgramTable& p, const OptionDeclaration& declared, const Names& diagrams) {
  for (const std::string& diagram : diagrams) p.AddOption(declared, diagram);
}

std::vector<CommandEntry> Diagrams() {
  return {
      {"fault-planes", "fault planes with striation arrows (the default)"},
      {"tangent-lineation", "the tangent-lineation diagram at the poles"},
      {"poles", "the poles with their striations"},
      {"kinematic-axes", "the P, T and B axes"},
      {"stress-axes", "the stress axes of the inversion over the planes"},
      {"density", "density contours"},
      {"dihedra", "right dihedra"},
      {"rose", "a rose diagram"},
      {"mohr", "the Mohr diagram of the inversion: normal and shear stress on each plane"},
      {"tendency", "slip or dilation tendency of every plane, contoured at its pole"},
      {"tilt-test",
       "the tilt test's chart (1400 x 940 units): the plunge of the steepest stress axis and the "
       "mean misfit against the back-tilt fraction, 0 to 1.25"},
      {"orientations",
       "an orientation table's planes (great circles or poles) and lines, coloured by set"},
      {"vollmer", "Vollmer's triangle of an orientation table's fabric, a point per set"},
      {"woodcock", "Woodcock's plot of an orientation table's fabric, a point per set"},
  };
}

void AddNetOptions(ProgramTable& p) {
  AddEach(p,
          DeclareChoice("--net", {"equal-angle", "equal-area"},
                        "the stereographic net (the default) or the Lambert equal-area net"),
          Names{"fault-planes", "tangent-lineation", "poles", "kinematic-axes", "stress-axes",
                "density", "dihedra", "tendency", "rose", "orientations"});
  AddEach(p,
          DeclareChoice("--hemisphere", {"lower", "upper"}, "the hemisphere shown (default lower)"),
          kNets);
  AddEach(p, DeclareFlag("--grid", "the 10-degree net grid under the data"),
          Names{"fault-planes", "tangent-lineation", "poles", "kinematic-axes", "stress-axes",
                "density", "dihedra", "tendency", "rose", "orientations"});
  AddEach(p,
          {"--highlight",
           "N",
           ValueKind::Whole,
           {},
           {{"N", 1, 32760}},
           "draw datum N (line N of the data file) highlighted; N at most the data's count"},
          kSymbols);
  Names sized = kSymbols;
  sized.push_back("orientations");
  AddEach(p,
          DeclareChoice("--symbol-size", {"large", "medium", "small"},
                        "the size of arrows and dots (default medium)"),
          sized);
  AddEach(p,
          DeclareChoice("--colour-by", {"sense", "phase"},
                        "the data in their sense's colours (default) or their phase's colours"),
          Names{"fault-planes", "poles", "kinematic-axes", "stress-axes"});
}

void AddLayoutOptions(ProgramTable& p) {
  Names laidOut;
  for (const CommandEntry& diagram : p.commands)
    if (diagram.name != "tilt-test" && diagram.name != "vollmer" && diagram.name != "woodcock")
      laidOut.push_back(diagram.name);
  AddEach(p,
          DeclareFlag("--layout",
                      "the figure layout: a title, the number of data, the net and "
                      "hemisphere, and a legend of the symbols"),
          laidOut);
  OptionDeclaration title{"--title", "TEXT", ValueKind::Text,
                          {},        {},     "the layout's title (default: the data file's name)"};
  title.emptyAllowed = true;
  title.onlyWhile = {{"--layout", {}, ""}};
  AddEach(p, title, laidOut);
  title.onlyWhile.clear();
  title.help = "the chart's title (default: the bedding and the data file's name)";
  p.AddOption(title, "tilt-test");
  title.help = "the diagram's title (default: the orientation table's name)";
  AddEach(p, title, kFabricDiagrams);
  p.AddOption({"--width-mm",
               "W",
               ValueKind::Number,
               {},
               {{"W", 10, 1000}},
               "the width of an SVG, PDF or PNG in mm (default 80)"});
  p.AddOption({"--dpi",
               "N",
               ValueKind::Whole,
               {},
               {{"N", 72, 2400}},
               "the resolution of a PNG (default 300)"});
}

void AddAnalysisOptions(ProgramTable& p) {
  p.AddOption(FromReport("density", "--of", "what the density counts (default poles)"), "density");
  p.AddOption(FromReport("density", "--method", "how it counts (default kamb)"), "density");
  p.AddOption(FromReport("rose", "--of",
                         "what the rose counts (default strike); petals by the square root of "
                         "the count on the equal-area net"),
              "rose");
  p.AddOption(FromReport("rose", "--bin", ""), "rose");
  p.AddOption(FromReport("tendency-grid", "--of", "the field shown (default slip)"), "tendency");
  OptionDeclaration magnitudes = analysis::ReportOption("tendency", "--magnitudes");
  p.AddOption(magnitudes, "tendency");
  p.AddOption(FromReport("tendency", "--pore-pressure", ""), "tendency");
  AddEach(p, analysis::MethodOption(), kInversions);
  AddEach(p, analysis::IterateOption(), kInversions);
  p.AddOption(DeclareFlag("--every-method",
                          "the stress axes also show every method's sigma1 and "
                          "sigma3, each in its own symbol"),
              "stress-axes");
  for (const char* name : {"--bedding", "--bedding-from", "--bedding-set"})
    p.AddOption(analysis::ReportOption("tilt-test", name), "tilt-test");
}

void AddBootstrapOptions(ProgramTable& p) {
  p.AddOption(DeclareFlag("--bootstrap",
                          "the stress axes also show the bootstrap confidence region of "
                          "the inversion (as orniva-analyse's stress-bootstrap)"),
              "stress-axes");
  for (const char* name : {"--samples", "--seed", "--confidence"}) {
    OptionDeclaration declared = analysis::ReportOption("stress-bootstrap", name);
    declared.help += "; implies --bootstrap";
    p.AddOption(declared, "stress-axes");
  }
  p.AddOption(
      DeclareChoice("--bootstrap-region", {"symbols", "contours"},
                    "the region as each kept resample's axes in small symbols (default), or "
                    "as density contours of each axis in its colour: a thick line round 90% "
                    "of the kept axes, a thin one round the densest half; implies --bootstrap"),
      "stress-axes");
}

void AddOrientationOptions(ProgramTable& p) {
  AddEach(p,
          DeclareChoice("--of", {"poles", "lines"},
                        "what the mean and the fabric are of: the planes' poles (default) or "
                        "the lines"),
          Names{"orientations", "vollmer", "woodcock"});
  p.AddOption(DeclareChoice("--planes", {"great-circles", "poles"},
                            "the planes as great circles (default) or as their poles"),
              "orientations");
  p.AddOption(DeclareFlag("--mean", "Fisher's mean (of --of) and its 95 % cone of confidence"),
              "orientations");
  p.AddOption(DeclareFlag("--girdle", "the best-fit girdle of the planes' poles and its fold axis"),
              "orientations");
}

}  // namespace

const ProgramTable& PlotProgram() {
  static const ProgramTable program = [] {
    ProgramTable p;
    p.name = "orniva-plot";
    p.operands = "DATAFILE OUTFILE.emf|.svg|.pdf|.png";
    p.description =
        "Draws the fault-slip data of DATAFILE on a lower-hemisphere net and writes the picture "
        "(1000 x 1000 units) as an enhanced metafile, SVG, PDF or PNG, as the output's extension "
        "says. The data file is checked as in the window: VORN.log is written beside it, and a "
        "file with bad fields is reported here and still drawn. OUTFILE may not be the data file "
        "or its curation file. An orientation table (NAME.orient.csv) is drawn by the diagrams "
        "orientations, vollmer and woodcock, its curation file applied as a data file's is.\n";
    p.minOperands = p.maxOperands = 2;
    p.commandOption = "--diagram";
    p.defaultCommand = "fault-planes";
    p.commandsTitle = "Diagrams (--diagram NAME)";
    p.commandPhrase = "the {} diagram";
    p.commands = Diagrams();
    Names all;
    for (const CommandEntry& diagram : p.commands) all.push_back(diagram.name);
    p.AddOption(DeclareChoice("--diagram", all, "the diagram drawn (default fault-planes)"));
    p.options.back().declaration.value = "NAME";
    AddNetOptions(p);
    AddLayoutOptions(p);
    AddAnalysisOptions(p);
    AddBootstrapOptions(p);
    AddOrientationOptions(p);
    for (const OptionDeclaration& option :
         DataScopeOptions("one figure per phase, OUTFILE's name followed by '-' and the phase's "
                          "name (a character unsafe in a file name written %XX), at most 100; "
                          "a phase that cannot be drawn is named on standard error"))
      p.AddOption(option);
    p.footer =
        "Every message on standard error names the file it is about. A data file of zero lines "
        "gives the empty net. Exit status: 0 when the picture was written (with --by-subset, at "
        "least one), 2 on bad arguments, an unreadable data file, more than 32760 lines, data "
        "whose stress cannot be determined for a diagram that draws it, or an output file that "
        "cannot be written.\n";
    return p;
  }();
  return program;
}

}  // namespace orniva::cli
