// The table of orniva-survey's options: a survey made from one data file,
// the survey's outputs and the map's size.
#include "app/program_tables.h"

namespace orniva::cli {

namespace {

using analysis::DeclareFlag;
using analysis::DeclareNumber;

OptionDeclaration DeclareFile(const std::string& name, const std::string& value,
                              const std::string& help) {
  return {name, value, ValueKind::Text, {}, {}, help};
}

}  // namespace

const ProgramTable& SurveyProgram() {
  static const ProgramTable program = [] {
    ProgramTable p;
    p.name = "orniva-survey";
    p.operands = "SURVEY";
    p.description =
        "Inverts every site x phase of the survey file SURVEY (NAME.orniva-survey.json) with its "
        "method and bootstraps it with its seed, as orniva-analyse's stress-summary and "
        "stress-bootstrap do on that site's data, and writes the survey table as CSV to standard "
        "output: site, phase, n, n_total, lon, lat, s1_trend, s1_plunge, s2_trend, s2_plunge, "
        "s3_trend, s3_plunge, phi, r_prime, regime, wsm_regime, shmax, shmax_low, shmax_high, "
        "mean_beta, theta_radius, accuracy_class, frame, note. Azimuths are from true north. The "
        "accuracy class (A-E) bounds the SHmax interval's half-width as the World Stress Map "
        "does; it is not the World Stress Map's own quality ranking of fault-slip inversions.\n"
        "With --from-data, SURVEY is a data file whose lines carry sites (the site names of its "
        "curation file's line attributes): the survey is one site per site name, at the "
        "spherical mean of its lines' positions (the whole file one site when no line names "
        "one), with the default choices. It is written only to the file --save-survey names.\n";
    p.minOperands = p.maxOperands = 1;
    OptionDeclaration saveSurvey = DeclareFile(
        "--save-survey", "FILE", "write the survey made of the data file's sites to FILE");
    saveSurvey.onlyWhile = {{"--from-data", {}, ""}};
    for (const OptionDeclaration& option : {
             DeclareFlag("--from-data",
                         "SURVEY is a data file: make the survey of the sites its lines name"),
             saveSurvey,
             DeclareFile("--geojson", "FILE",
                         "the rows as GeoJSON (RFC 7946): a point per site and phase, a line per "
                         "SHmax bar"),
             DeclareFile("--kml", "FILE",
                         "the same as KML 2.2: a placemark per row with a position"),
             DeclareFile("--wsm-csv", "FILE",
                         "the rows with a position in the World Stress Map's CSV columns"),
             DeclareNumber("--bar-km", {"L", 0, 1000, true},
                           "the SHmax bars' length in km (default 2)"),
             DeclareFile("--map", "FILE",
                         "the map of SHmax (local equirectangular projection) as .svg, .pdf, "
                         ".png or .emf"),
             DeclareNumber("--width-mm", {"W", 10, 1000},
                           "the width of an SVG, PDF or PNG map in mm (default 160)"),
             DeclareNumber("--dpi", {"N", 72, 2400}, "the resolution of a PNG map (default 300)",
                           ValueKind::Whole),
             DeclareFile("--table", "FILE",
                         "the table for publication as .tex (LaTeX, booktabs), .html or .md"),
             DeclareFile("--report", "DIR",
                         "the reproducible report: index.html, survey.csv and a page per site"),
         })
      p.AddOption(option);
    p.footer =
        "Every message on standard error names the file or site it is about. Exit status: 0 when "
        "everything asked for was written (also when some sites could not be inverted: their "
        "rows say why), 2 on bad arguments, a survey file that cannot be used or an output that "
        "cannot be written.\n";
    return p;
  }();
  return program;
}

}  // namespace orniva::cli
