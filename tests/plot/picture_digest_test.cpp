// Pins the drawing of the example file and of many faults by the bytes of
// its EMF file, in both diagrams, with and without a highlight and at every
// symbol size. The file holds every drawing operation in order (an outside
// renderer draws it in figure_output_test), so any change to what is drawn
// shows here first.
#include <cstdint>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "data/fault_reader.h"
#include "picture/emf.h"
#include "plot/diagram.h"
#include "plot/figures.h"
#include "tests/plot/plot_test_support.h"

namespace orniva::test {
namespace {

// FNV-1a, 64 bits, of the picture's metafile.
std::uint64_t EmfDigest(const Picture& picture) {
  std::uint64_t h = 14695981039346656037ULL;
  for (const std::uint8_t b : EncodeEmf(picture)) h = (h ^ b) * 1099511628211ULL;
  return h;
}

// 3000 faults of every attitude, two decimals, all four senses and some
// bad fields: pins the rounding of great circles, arrows and colours over
// far more cases than the example.
std::vector<std::string> PseudoRandomLines() {
  std::mt19937 rng(20261206);
  auto hundredths = [&rng](std::uint32_t range) {
    const std::uint32_t v = rng() % (range * 100 + 1);
    return std::to_string(v / 100) + "." + std::to_string(v % 100 / 10) + std::to_string(v % 10);
  };
  const char* senses[] = {"N", "R", "S", "D", "X"};
  std::vector<std::string> lines;
  for (int i = 0; i < 3000; ++i)
    lines.push_back(hundredths(360) + " " + hundredths(90) + " " + hundredths(360) + " " +
                    hundredths(i % 97 == 0 ? 100 : 90) + " " +
                    senses[rng() % (i % 50 == 0 ? 5 : 4)]);
  return lines;
}

// The highlight may be the last datum; one beyond the data, like none, draws
// no highlight; no data draws the empty net in either diagram.
TEST(Drawing, OfTheExampleAndOfManyFaultsIsPinned) {
  enum Data { kExample, kMany, kNone };
  struct Row {
    Data data;
    PlotMode mode;
    std::int16_t highlight;
    SymbolSize size;
    std::uint64_t emf;
  };
  const PlotMode fps = PlotMode::FaultPlaneAndStriation, tld = PlotMode::TangentLineation;
  const SymbolSize medium = SymbolSize::Medium;
  // clang-format off
  const Row rows[] = {
      {kExample, fps, -1, medium, 0xea941552eff56835},
      {kExample, fps, 0, medium, 0xea941552eff56835},
      {kExample, fps, 35, medium, 0xea941552eff56835},
      {kExample, fps, 7, medium, 0x5db670f6b31dfeb},
      {kExample, fps, 34, medium, 0x88b557e1ff97654b},
      {kExample, fps, 30, SymbolSize::Large, 0xbd32995bc04846eb},
      {kExample, fps, -1, SymbolSize::Small, 0xc35c5f740f2441ec},
      {kExample, tld, -1, medium, 0x82c7fb2a0536d12b},
      {kExample, tld, 7, medium, 0x219daca402f5bf58},
      {kExample, tld, 30, SymbolSize::Small, 0x180f7e1d31dad9a4},
      {kMany, fps, 1234, medium, 0xb0c8931aa60ae1c3},
      {kMany, tld, 1234, medium, 0x1970ed2c6c8862b3},
      {kNone, fps, 1, medium, 0x715c097c9cc59407},
      {kNone, tld, 1, medium, 0x715c097c9cc59407},
  };
  // clang-format on
  const FaultSet data[] = {DataFromLines(ReadDataFile(ORNIVA_EXAMPLE_FILE).lines),
                           DataFromLines(PseudoRandomLines()), FaultSet()};
  ASSERT_EQ(data[kExample].count(), 34);
  for (const Row& c : rows) {
    SCOPED_TRACE(testing::Message() << "data " << c.data << " " << PlotModeName(c.mode) << " "
                                    << c.highlight << " " << int(c.size));
    PlotFixture f;
    f.target.symbolSize = c.size;
    PlotDiagram(c.mode, data[c.data], f.target, c.highlight);
    EXPECT_EQ(EmfDigest(f.picture), c.emf) << std::hex << EmfDigest(f.picture);
  }
}

// The stress axes of the example by the default choices (its labels on
// halos; with the layout "N" at the north tick), every method's
// axes left out, bare and in the layout.
TEST(Drawing, OfTheStressAxesIsPinned) {
  const FaultSet data = DataFromLines(ReadDataFile(ORNIVA_EXAMPLE_FILE).lines);
  const struct {
    bool layout;
    std::uint64_t emf;
  } rows[] = {{false, 0xe268a830bb06c447}, {true, 0x11952710266ba5a2}};
  for (const auto& row : rows) {
    FigureRequest request{PlotMode::StressAxes, Net(),        SymbolSize::Medium, -1,
                          row.layout,           "example.fdt"};
    const Picture picture =
        DrawFigure(data, request, FiguresFor(PlotMode::StressAxes, data, request.geometry));
    EXPECT_EQ(EmfDigest(picture), row.emf) << std::hex << EmfDigest(picture);
  }
}

}  // namespace
}  // namespace orniva::test
