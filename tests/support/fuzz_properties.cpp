#include "tests/support/fuzz_properties.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <cstdlib>
#include <iterator>
#include <string_view>
#include <utility>
#include <vector>

#include "data/curation.h"
#include "data/fault_data.h"
#include "data/fault_reader.h"
#include "picture/emf.h"
#include "platform/file_error.h"
#include "picture/picture.h"
#include "plot/diagram.h"
#include "plot/net.h"
#include "tests/support/effective_drawing.h"
#include "tests/support/test_support.h"

namespace orniva::fuzz {
namespace {

// FNV-1a of the input: the choices that are not part of the data file
// (symbol size, a highlight index, whether to go through a file) are taken
// from it, so the bytes stay a plain data file.
std::uint32_t Hash(const std::uint8_t* bytes, std::size_t size) {
  std::uint32_t h = 2166136261u;
  for (std::size_t i = 0; i < size; ++i) h = (h ^ bytes[i]) * 16777619u;
  return h;
}

std::string_view AsText(const std::uint8_t* bytes, std::size_t size) {
  return size == 0 ? std::string_view()
                   : std::string_view(reinterpret_cast<const char*>(bytes), size);
}

// In the order the fields are checked.
// clang-format off
constexpr std::pair<FaultCheck, const char*> kChecks[] = {
    {kFazCheck, "faz"}, {kFplCheck, "fpl"}, {kSazCheck, "saz"}, {kSplCheck, "spl"},
    {kSenseCheck, "sense"}};
// clang-format on

// Plot limit plus what a symbol or an arrow adds to a projected point.
constexpr std::int64_t kCoordinateBound = (std::int64_t(1) << 29) + 100;

bool InBound(std::int64_t v) { return v >= -kCoordinateBound && v <= kCoordinateBound; }

std::string CheckPicture(const Picture& picture) {
  for (const DrawRecord& r : picture.records())
    if ((r.op == DrawOp::Polyline || r.op == DrawOp::Polygon) &&
        (r.a < 0 || r.b < 0 || std::size_t(r.a) + std::size_t(r.b) > picture.points().size()))
      return "a polyline lies outside the points";
  // Every drawn point: corners, line ends, polyline points and text anchors.
  for (const EffectiveDraw& d : EffectiveDrawing(picture))
    for (const TPoint p : d.points)
      if (!InBound(p.x) || !InBound(p.y))
        return "(" + std::to_string(p.x) + ", " + std::to_string(p.y) +
               ") is beyond the plot limit";
  EncodeEmf(picture);  // under the sanitizers: the writer reads and writes within bounds
  return {};
}

// Lines ascending, each once, within 1 to `count`; none in two phases.
std::string CheckCuratedLines(const Curation& curation, int count) {
  const auto fine = [count](const std::vector<int>& lines) {
    return std::adjacent_find(lines.begin(), lines.end(), std::greater_equal<int>()) ==
               lines.end() &&
           (lines.empty() || (lines.front() >= 1 && lines.back() <= count));
  };
  if (!fine(curation.off)) return "the lines switched off are out of order or range";
  std::vector<int> phased;
  for (const Phase& phase : curation.phases) {
    if (!fine(phase.lines)) return "phase " + phase.name + "'s lines are out of order or range";
    phased.insert(phased.end(), phase.lines.begin(), phase.lines.end());
  }
  std::sort(phased.begin(), phased.end());
  return std::adjacent_find(phased.begin(), phased.end()) == phased.end() ? ""
                                                                          : "a line in two phases";
}

}  // namespace

std::string CheckCurationProperties(const std::uint8_t* bytes, std::size_t size) {
  const auto read = [](std::string_view text) {
    return ParseCuration(text, kFuzzCurationLines, kFuzzCurationSha256);
  };
  const auto write = [](const Curation& curation) {
    return CurationText(curation, "data.fdt", kFuzzCurationLines, kFuzzCurationSha256);
  };
  const CurationRead first = read(AsText(bytes, size));
  if (first.stale && first.error.empty()) return "stale without a reason";
  if (!first.error.empty() && !first.stale)
    return first.curation == Curation() ? "" : "refused (" + first.error + "), yet not empty";
  const std::string lines = CheckCuratedLines(first.curation, kFuzzCurationLines);
  if (!lines.empty()) return lines;
  const std::string text = write(first.curation);
  const CurationRead again = read(text);
  if (!again.error.empty()) return "the text written back is refused: " + again.error;
  if (!(again.curation == first.curation)) return "the text written back reads otherwise";
  return write(again.curation) == text ? "" : "written again, the text differs";
}

std::string CheckReaderProperties(const std::uint8_t* bytes, std::size_t size,
                                  const std::string& folder) {
  const std::string_view text = AsText(bytes, size);
  const std::vector<std::string> lines = SplitDataLines(text);
  const bool tooMany = lines.size() > std::size_t(FaultSet::kMaxCount);
  const std::string dataPath = folder + "/data.fdt";
  if (Hash(bytes, size) % 4 == 0) {
    test::WriteFile(dataPath, std::string(text));
    try {
      const DataFileLines file = ReadDataFile(dataPath);
      if (file.tooManyLines != tooMany || (!tooMany && file.lines != lines))
        return "ReadDataFile and SplitDataLines give different lines or line limits";
    } catch (const FileError& e) {
      return std::string("ReadDataFile failed: ") + e.what();
    }
  }
  if (tooMany) return {};

  FaultSet data;
  data.Recreate(std::int16_t(lines.size()));
  const std::vector<std::string> failures = CheckFaultLines(lines, data);
  std::vector<std::string> expected;  // one per failed check, in field order
  for (std::size_t i = 1; i <= lines.size(); ++i) {
    const TFaultData& d = data[i];
    std::string last;
    for (const auto& [check, name] : kChecks) {
      if (!(d.failedChecks & check)) continue;
      last = std::string(name) + " invalid";
      expected.push_back("  " + last + " at line #" + std::to_string(i));
    }
    if ((d.failedChecks & ~0x1F) || d.status != last || d.sense.size() > 1)
      return "datum " + std::to_string(i) + ": failed checks " + std::to_string(d.failedChecks) +
             ", status '" + d.status + "', sense '" + d.sense + "'";
  }
  return failures == expected ? "" : "the log lines are not one per failed check in order";
}

std::string CheckRenderProperties(const std::uint8_t* bytes, std::size_t size) {
  const std::vector<std::string> lines = SplitDataLines(AsText(bytes, size));
  if (lines.size() > std::size_t(FaultSet::kMaxCount)) return {};
  FaultSet data;
  LoadFaultLines(lines, data);

  const std::uint32_t hash = Hash(bytes, size);
  constexpr SymbolSize kSizes[] = {SymbolSize::Large, SymbolSize::Medium, SymbolSize::Small};
  const std::int16_t highlights[] = {-1, 1, data.count(), std::int16_t(std::uint16_t(hash >> 16))};
  for (const PlotMode mode : {PlotMode::FaultPlaneAndStriation, PlotMode::TangentLineation}) {
    PlotCache cache;  // shared by the plots of one diagram, as in the window
    for (std::size_t h = 0; h < std::size(highlights); ++h) {
      if (std::find(highlights, highlights + h, highlights[h]) != highlights + h) continue;
      Picture picture;
      PlotTarget target;
      target.picture = &picture;
      target.symbolSize = kSizes[hash % 3];
      target.cache = &cache;
      InitNetGeometry(target.geometry);
      PlotDiagram(mode, data, target, highlights[h]);
      const std::string fault = CheckPicture(picture);
      if (!fault.empty())
        return std::string(PlotModeName(mode)) + ", highlight " + std::to_string(highlights[h]) +
               ": " + fault;
    }
  }
  return {};
}

void Fail(const char* target, const std::string& what) {
  std::fprintf(stderr, "%s: property failed: %s\n", target, what.c_str());
  std::fflush(stderr);
  std::abort();
}

}  // namespace orniva::fuzz
