// The window's colour key of each diagram: shown only for a field drawn in
// colours, its scale the field's colours with the highest values first, its
// title and notes the figure's own words, the right dihedra's ends named.
#include "plot/colour_key.h"

#include <gtest/gtest.h>

#include "data/fault_reader.h"
#include "tests/plot/plot_test_support.h"

namespace orniva {
namespace {

using analysis::DensityMethod;
using analysis::DensityOf;
using analysis::TendencyOf;

struct KeyCase {
  const char* name;
  PlotMode mode;
  bool example;  // the example file's data, else ten equal faults and a bad line
  analysis::AnalysisChoices choices;
  bool shown;
  std::string title;
  std::string top, bottom;  // the values of the first and the last row
  std::string topMeaning, bottomMeaning;
  std::size_t notes;
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

analysis::AnalysisChoices Choose(DensityMethod method, DensityOf of) {
  analysis::AnalysisChoices choices;
  choices.densityMethod = method;
  choices.densityOf = of;
  return choices;
}

analysis::AnalysisChoices Tendency(bool magnitudes, TendencyOf of) {
  analysis::AnalysisChoices choices;
  if (magnitudes) choices.tendency.magnitudes = analysis::StressMagnitudes{100, 60, 40, 0};
  choices.tendency.of = of;
  return choices;
}

const KeyCase kCases[] = {
    {"NoScaleForTheData", PlotMode::FaultPlaneAndStriation, true, {}, false, "", "", "", "", "", 0},
    {"NoScaleForTheAxes", PlotMode::KinematicAxes, true, {}, false, "", "", "", "", "", 0},
    {"KambOfPoles", PlotMode::Density, false, Choose(DensityMethod::Kamb, DensityOf::Poles), true,
     "Kamb (1959) contours of 10 poles, every 2\u03C3 (uniform: 3\u03C3)", "\u2265 ",
     "2\u03C3 \u2013 4\u03C3", "", "", 0},
    {"OnePerCentOfPAxes", PlotMode::Density, false,
     Choose(DensityMethod::OnePercent, DensityOf::PAxes), true,
     "One per cent counting (Schmidt) of 10 P axes, % per 1 % of the area", "\u2265 ",
     "1 % \u2013 2 %", "", "", 0},
    {"DihedraEndsNamed",
     PlotMode::RightDihedra,
     true,
     {},
     true,
     "Right dihedra of 34 faults (Angelier and Mechler 1977)",
     "100 %",
     "0 % \u2013 25 %",
     "compressional (P, \u03C31 side)",
     "extensional (T, \u03C33 side)",
     3},
    {"NoTendencyWithoutMagnitudes", PlotMode::Tendency, true, Tendency(false, TendencyOf::Slip),
     false, "", "", "", "", "", 0},
    {"SlipTendencyToOne", PlotMode::Tendency, true, Tendency(true, TendencyOf::Slip), true,
     "Slip tendency Ts\u2032", "0.8 \u2013 1", "0 \u2013 0.2", "", "", 0},
    {"DilationTendencyToOne", PlotMode::Tendency, true, Tendency(true, TendencyOf::Dilation), true,
     "Dilation tendency Td", "0.8 \u2013 1", "0 \u2013 0.2", "", "", 0},
};

class ColourKeyTest : public testing::TestWithParam<KeyCase> {};

TEST_P(ColourKeyTest, ShowsTheFieldsScale) {
  const KeyCase& c = GetParam();
  std::vector<std::string> lines(10, "90 45 90 45 N");
  lines.push_back("400 45 90 45 N");
  const FaultSet data =
      test::DataFromLines(c.example ? ReadDataFile(ORNIVA_EXAMPLE_FILE).lines : lines);
  const DiagramFigures figures = FiguresFor(c.mode, data, test::Net(), c.choices);
  const std::optional<ColourKey> key = ColourKeyOf(c.mode, figures, c.choices);
  ASSERT_EQ(key.has_value(), c.shown);
  if (!key) return;
  EXPECT_EQ(key->title, c.title);
  const std::vector<TColor>& colours = figures.field.levelColours;
  ASSERT_EQ(key->rows.size(), colours.size());
  for (std::size_t k = 0; k < colours.size(); ++k)
    EXPECT_EQ(key->rows[k].colour, colours[colours.size() - 1 - k]) << k;
  EXPECT_EQ(key->rows.front().values.rfind(c.top, 0), 0u) << key->rows.front().values;
  EXPECT_EQ(key->rows.back().values, c.bottom);
  EXPECT_EQ(key->rows.front().meaning, c.topMeaning);
  EXPECT_EQ(key->rows.back().meaning, c.bottomMeaning);
  EXPECT_EQ(key->notes.size(), c.notes);
}

INSTANTIATE_TEST_SUITE_P(Diagrams, ColourKeyTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Without data to count, the density and the right dihedra have no colours.
TEST(ColourKey, NoneForAFieldOfNoData) {
  const FaultSet none = test::DataFromLines({});
  for (const PlotMode mode : {PlotMode::Density, PlotMode::RightDihedra})
    EXPECT_FALSE(ColourKeyOf(mode, FiguresFor(mode, none, test::Net()), {}).has_value());
}

}  // namespace
}  // namespace orniva
