// Pins the drawing of the example file and of many faults: every record of
// the picture in order (polylines by their points) and the bytes of its EMF
// file, in both diagrams, with and without a highlight and at every symbol
// size. Any change to what is drawn shows here first.
#include <cstdint>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "data/fault_reader.h"
#include "platform/emf.h"
#include "plot/diagram.h"
#include "tests/plot/plot_test_support.h"

namespace orniva::test {
namespace {

// FNV-1a, 64 bits; a 32-bit value goes in as its four bytes, low first.
struct Fnv1a {
  std::uint64_t value = 14695981039346656037ULL;
  void Byte(std::uint8_t b) { value = (value ^ b) * 1099511628211ULL; }
  void Add(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) Byte(std::uint8_t(v >> (8 * i)));
  }
};

std::uint64_t PictureDigest(const Picture& picture) {
  Fnv1a h;
  const std::vector<TPoint>& points = picture.points();
  for (const DrawRecord& r : picture.records()) {
    h.Add(std::uint32_t(r.op));
    if (r.op != DrawOp::Polyline) {
      for (std::int32_t v : {r.a, r.b, r.c, r.d}) h.Add(std::uint32_t(v));
      continue;
    }
    h.Add(std::uint32_t(r.b));
    for (std::int32_t i = 0; i < r.b && std::size_t(r.a + i) < points.size(); ++i) {
      h.Add(std::uint32_t(points[std::size_t(r.a + i)].x));
      h.Add(std::uint32_t(points[std::size_t(r.a + i)].y));
    }
  }
  return h.value;
}

std::uint64_t EmfDigest(const Picture& picture) {
  Fnv1a h;
  for (const std::uint8_t b : EncodeEmf(picture)) h.Byte(b);
  return h.value;
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
                    hundredths(i % 97 == 0 ? 100 : 90) + " " + senses[rng() % (i % 50 == 0 ? 5 : 4)]);
  return lines;
}

TEST(Drawing, OfTheExampleAndOfManyFaultsIsPinned) {
  struct Row { bool many; PlotMode mode; std::int16_t highlight; SymbolSize size; std::uint64_t picture, emf; };
  const PlotMode fps = PlotMode::FaultPlaneAndStriation, tld = PlotMode::TangentLineation;
  const SymbolSize medium = SymbolSize::Medium;
  const Row rows[] = {
      {false, fps, -1, medium, 0xfba89bb1f65a5854, 0xea941552eff56835},
      {false, fps, 7, medium, 0xdbdcbfd76aef4c8c, 0x5db670f6b31dfeb},
      {false, fps, 30, SymbolSize::Large, 0x329d6f64d4326ed3, 0xbd32995bc04846eb},
      {false, fps, -1, SymbolSize::Small, 0xd971eb180a23407f, 0xc35c5f740f2441ec},
      {false, tld, -1, medium, 0x330269aa7ac709b1, 0x82c7fb2a0536d12b},
      {false, tld, 7, medium, 0xdefbee59dd590a35, 0x219daca402f5bf58},
      {false, tld, 30, SymbolSize::Small, 0xb47fb3f494337a3b, 0x180f7e1d31dad9a4},
      {true, fps, 1234, medium, 0x7252e2cd105a8357, 0xb0c8931aa60ae1c3},
      {true, tld, 1234, medium, 0xc0dc611043dd4e7e, 0x1970ed2c6c8862b3},
  };
  const FaultSet example = DataFromLines(ReadDataFile(ORNIVA_EXAMPLE_FILE).lines);
  const FaultSet many = DataFromLines(PseudoRandomLines());
  ASSERT_GT(example.count(), 30);
  for (const Row& c : rows) {
    SCOPED_TRACE(testing::Message() << c.many << " " << PlotModeName(c.mode) << " " << c.highlight << " " << int(c.size));
    PlotFixture f;
    f.target.symbolSize = c.size;
    PlotDiagram(c.mode, c.many ? many : example, f.target, c.highlight);
    EXPECT_EQ(PictureDigest(f.picture), c.picture) << std::hex << PictureDigest(f.picture);
    EXPECT_EQ(EmfDigest(f.picture), c.emf) << std::hex << EmfDigest(f.picture);
  }
}

}  // namespace
}  // namespace orniva::test
