#include "fuzz/fuzz_properties.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string_view>
#include <vector>

#include "data/fault_data.h"
#include "data/fault_reader.h"
#include "platform/emf.h"
#include "platform/emf_reader.h"
#include "platform/file_error.h"
#include "platform/messages.h"
#include "platform/picture.h"
#include "plot/fault_plane_diagram.h"
#include "plot/net.h"
#include "plot/tangent_lineation_diagram.h"

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
  return size == 0 ? std::string_view() : std::string_view(reinterpret_cast<const char*>(bytes), size);
}

// Counts the messages shown while it is alive.
class MessageCounter : public MessageSink {
 public:
  MessageCounter() : previous_(InstallMessageSink(this)) {}
  ~MessageCounter() override { InstallMessageSink(previous_); }
  MessageCounter(const MessageCounter&) = delete;
  MessageCounter& operator=(const MessageCounter&) = delete;
  void ShowMessage(const std::string&) override { ++count; }

  int count = 0;

 private:
  MessageSink* previous_;
};

struct CheckName {
  FaultCheck check;
  const char* name;
};
// In the order the fields are checked.
constexpr CheckName kChecks[] = {
    {kFazCheck, "faz"}, {kFplCheck, "fpl"}, {kSazCheck, "saz"},
    {kSplCheck, "spl"}, {kSenseCheck, "sense"},
};

bool ReadWholeFile(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool WriteWholeFile(const std::string& path, std::string_view text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(text.data(), std::streamsize(text.size()));
  return bool(out.flush());
}

// The log as CR LF terminated lines; false when the text has a bare CR or
// LF, or does not end in CR LF.
bool SplitLogLines(const std::string& text, std::vector<std::string>& lines) {
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t cr = text.find_first_of("\r\n", start);
    if (cr == std::string::npos || text[cr] != '\r' || cr + 1 >= text.size() ||
        text[cr + 1] != '\n')
      return false;
    lines.push_back(text.substr(start, cr - start));
    start = cr + 2;
  }
  return true;
}

// Plot limit plus what a symbol or an arrow adds to a projected point.
constexpr std::int64_t kCoordinateBound = (std::int64_t(1) << 29) + 100;

bool InBound(std::int64_t v) { return v >= -kCoordinateBound && v <= kCoordinateBound; }

std::string CheckCoordinates(const Picture& picture) {
  const std::vector<TPoint>& points = picture.points();
  for (std::size_t i = 0; i < points.size(); ++i)
    if (!InBound(points[i].x) || !InBound(points[i].y))
      return "point " + std::to_string(i) + " (" + std::to_string(points[i].x) + ", " +
             std::to_string(points[i].y) + ") is beyond the plot limit";
  const std::vector<DrawRecord>& records = picture.records();
  for (std::size_t i = 0; i < records.size(); ++i) {
    const DrawRecord& r = records[i];
    const std::string where = "record " + std::to_string(i);
    switch (r.op) {
      case DrawOp::PenWidth:
      case DrawOp::PenColour:
      case DrawOp::BrushColour:
        break;
      case DrawOp::FillRect:
      case DrawOp::Ellipse:
      case DrawOp::MoveTo:
      case DrawOp::LineTo:
        if (!InBound(r.a) || !InBound(r.b) || !InBound(r.c) || !InBound(r.d))
          return where + " (" + std::to_string(r.a) + ", " + std::to_string(r.b) + ", " +
                 std::to_string(r.c) + ", " + std::to_string(r.d) + ") is beyond the plot limit";
        break;
      case DrawOp::Polyline:
        if (r.a < 0 || r.b < 0 || std::size_t(r.a) + std::size_t(r.b) > points.size())
          return where + ": polyline " + std::to_string(r.a) + "+" + std::to_string(r.b) +
                 " outside the " + std::to_string(points.size()) + " points";
        break;
      default:
        return where + ": unknown operation " + std::to_string(int(r.op));
    }
  }
  return {};
}

std::string CheckPicture(const Picture& picture) {
  std::string fault = CheckCoordinates(picture);
  if (!fault.empty()) return fault;
  const std::vector<std::uint8_t> emf = EncodeEmf(picture);
  fault = CheckEmfStructure(emf);
  if (!fault.empty()) return "metafile: " + fault;
  std::string error;
  if (EffectiveDrawingOfEmf(emf, error) != EffectiveDrawing(picture))
    return "metafile decodes to another drawing" + (error.empty() ? "" : ": " + error);
  return {};
}

}  // namespace

std::string CheckReaderProperties(const std::uint8_t* bytes, std::size_t size,
                                  const std::string& folder) {
  const std::string_view text = AsText(bytes, size);
  const std::vector<std::string> lines = SplitDataLines(text);
  const std::string dataPath = folder + "/data.fdt";

  if (Hash(bytes, size) % 4 == 0) {
    if (!WriteWholeFile(dataPath, text)) return "cannot write " + dataPath;
    try {
      if (ReadDataLines(dataPath) != lines)
        return "ReadDataLines and SplitDataLines give different lines";
    } catch (const FileError& e) {
      return std::string("ReadDataLines failed: ") + e.what();
    }
  }
  if (lines.size() > std::size_t(FaultSet::kMaxCount)) return {};

  FaultSet data;
  data.Recreate(std::int16_t(lines.size()));
  MessageCounter messages;
  std::string logPath;
  try {
    logPath = ParseFaultLines(lines, dataPath, data);
  } catch (const FileError& e) {
    return std::string("log not written: ") + e.what();
  }
  if (logPath != folder + "/VORN.log") return "log written to " + logPath;
  if (data.count() != std::int16_t(lines.size()) || data.size() != lines.size() + 1)
    return "data count " + std::to_string(data.count()) + " for " + std::to_string(lines.size()) +
           " lines";

  std::vector<std::string> expected{"data.fdt"};
  for (std::size_t i = 1; i <= lines.size(); ++i) {
    const TFaultData& d = data[i];
    if (d.failedChecks & ~0x1F)
      return "datum " + std::to_string(i) + " has unknown failed checks";
    std::string last;
    for (const CheckName& c : kChecks) {
      if (!(d.failedChecks & c.check)) continue;
      last = std::string(c.name) + " invalid";
      expected.push_back("  " + last + " at line #" + std::to_string(i));
    }
    if (d.status != last)
      return "datum " + std::to_string(i) + " has status '" + d.status + "', expected '" + last +
             "'";
    if (d.sense.size() > 1) return "datum " + std::to_string(i) + " has a sense of several characters";
  }
  const bool anyFailed = expected.size() > 1;
  if (!anyFailed) expected.push_back("No error");

  std::string logText;
  if (!ReadWholeFile(logPath, logText)) return "cannot read " + logPath;
  std::vector<std::string> logLines;
  if (!SplitLogLines(logText, logLines)) return "a log line does not end in CR LF";
  if (logLines.size() != expected.size())
    return "log has " + std::to_string(logLines.size()) + " lines, expected " +
           std::to_string(expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i)
    if (logLines[i] != expected[i])
      return "log line " + std::to_string(i + 1) + " is '" + logLines[i] + "', expected '" +
             expected[i] + "'";

  if (messages.count != (anyFailed ? 1 : 0))
    return std::to_string(messages.count) + " messages shown, expected " +
           (anyFailed ? "1" : "0");
  return {};
}

std::string CheckRenderProperties(const std::uint8_t* bytes, std::size_t size) {
  const std::vector<std::string> lines = SplitDataLines(AsText(bytes, size));
  if (lines.size() > std::size_t(FaultSet::kMaxCount)) return {};
  FaultSet data;
  data.Recreate(std::int16_t(lines.size()));
  CheckFaultLines(lines, data);
  AssignColours(data);

  const std::uint32_t hash = Hash(bytes, size);
  constexpr SymbolSize kSizes[] = {SymbolSize::Large, SymbolSize::Medium, SymbolSize::Small};
  const SymbolSize symbolSize = kSizes[hash % 3];
  const std::int16_t highlights[] = {-1, 1, data.count(), std::int16_t(std::uint16_t(hash >> 16))};

  for (int diagram = 0; diagram < 2; ++diagram) {
    for (std::size_t h = 0; h < std::size(highlights); ++h) {
      bool repeated = false;
      for (std::size_t k = 0; k < h; ++k) repeated = repeated || highlights[k] == highlights[h];
      if (repeated) continue;
      // The picture as the window has it before the first plot: the empty net.
      Picture picture;
      PlotTarget target;
      target.picture = &picture;
      target.symbolSize = symbolSize;
      InitNetGeometry(target.geometry);
      RenderPlot(target, {});
      if (diagram == 0)
        PlotFaultPlanes(data, target, highlights[h]);
      else
        PlotTangentLineation(data, target, highlights[h]);
      const std::string fault = CheckPicture(picture);
      if (!fault.empty())
        return std::string(diagram == 0 ? "fault planes" : "tangent lineation") +
               ", highlight " + std::to_string(highlights[h]) + ": " + fault;
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
