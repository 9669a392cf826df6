// What a curation file beside the data costs: the data file's SHA-256 at a
// typical size and at the format's limit, and the curation file read by the
// program's JSON reader beside the JSON library's SAX parser
// (nlohmann-json3-dev) on the same text: bare (depth bounded, nothing
// kept) and keeping what the reader keeps, a tree of the values.
#include <benchmark/benchmark.h>

#include <nlohmann/json.hpp>

#include "bench/bench_data.h"
#include "data/curation.h"
#include "data/data_file_hash.h"
#include "data/json.h"

namespace orniva::bench {
namespace {

void BM_DataFileSha256(benchmark::State& state) {
  const std::string path = FaultFile(int(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(DataFileSha256(path));
}
BENCHMARK(BM_DataFileSha256)
    ->Arg(kTypical)
    ->Arg(kLargest)
    ->ArgName("lines")
    ->Unit(benchmark::kMicrosecond);

// The curation of the largest data file: every tenth line off, the rest in
// three phases (190 kB).
std::string LargestCuration() {
  Curation curation;
  curation.phases = {{"A", "#1f5fbf", {}, {}}, {"B", "#bf3f1f", {}, {}}, {"C", "#3fbf1f", {}, {}}};
  for (int line = 1; line <= kLargest; ++line) {
    if (line % 10 == 0)
      curation.off.push_back(line);
    else
      curation.phases[std::size_t(line % 3)].lines.push_back(line);
  }
  return CurationText(curation, "data.fdt", kLargest, std::string(64, '0'));
}

// 0: LargestCuration(); 1: the largest curation file read (16 MB), that
// curation repeated in a member the program does not know.
const std::string& CurationJson(std::int64_t kind) {
  static const std::string curation = LargestCuration();
  static const std::string largest = [] {
    std::string history = "[";
    while (history.size() + curation.size() + 64 < kMaxCurationBytes) history += curation + ",";
    history.back() = ']';
    return "{\"history\": " + history + ", " + curation.substr(1);
  }();
  return kind == 0 ? curation : largest;
}

void BM_CurationJsonReader(benchmark::State& state) {
  const std::string& text = CurationJson(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(JsonDocument(text).ok());
  state.SetBytesProcessed(std::int64_t(text.size()) * std::int64_t(state.iterations()));
}

// The library's events, nesting bounded as the reader bounds it; with
// `keep`, each value's type, its number of children and its text (a
// string decoded, a number as written), as a reader on the library would
// keep them for the program's use.
class Handler : public nlohmann::json_sax<nlohmann::json> {
 public:
  explicit Handler(bool keep) : keep_(keep) {}
  bool null() override { return Add(JsonType::Null, {}); }
  bool boolean(bool value) override { return Add(value ? JsonType::True : JsonType::False, {}); }
  bool number_integer(number_integer_t v) override { return Add(JsonType::Number, Text(v)); }
  bool number_unsigned(number_unsigned_t v) override { return Add(JsonType::Number, Text(v)); }
  bool number_float(number_float_t, const string_t& s) override { return Add(JsonType::Number, s); }
  bool string(string_t& s) override { return Add(JsonType::String, s); }
  bool binary(binary_t&) override { return false; }
  bool start_object(std::size_t) override { return Open(JsonType::Object); }
  bool key(string_t& s) override { return Add(JsonType::String, s); }
  bool end_object() override { return Close(); }
  bool start_array(std::size_t) override { return Open(JsonType::Array); }
  bool end_array() override { return Close(); }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
    return false;
  }

 private:
  template <class T>
  std::string Text(T value) const {
    return keep_ ? std::to_string(value) : std::string();
  }
  bool Add(JsonType type, const std::string& text) {
    if (!keep_) return true;
    if (!open_.empty()) ++children_[open_.back()];
    types_.push_back(type);
    children_.push_back(0);
    texts_.push_back(text);
    return true;
  }
  bool Open(JsonType type) {
    if (open_.size() >= std::size_t(kMaxJsonDepth)) return false;
    Add(type, {});
    open_.push_back(keep_ ? types_.size() - 1 : 0);
    return true;
  }
  bool Close() {
    open_.pop_back();
    return true;
  }

  bool keep_;
  std::vector<std::size_t> open_;
  std::vector<JsonType> types_;
  std::vector<std::uint32_t> children_;
  std::vector<std::string> texts_;
};

// range(1): 0 the events alone, 1 the values kept.
void BM_CurationJsonLibrary(benchmark::State& state) {
  const std::string& text = CurationJson(state.range(0));
  for (auto _ : state) {
    Handler handler(state.range(1) != 0);
    benchmark::DoNotOptimize(nlohmann::json::sax_parse(text, &handler));
  }
  state.SetBytesProcessed(std::int64_t(text.size()) * std::int64_t(state.iterations()));
}

BENCHMARK(BM_CurationJsonReader)->DenseRange(0, 1)->ArgName("kind")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CurationJsonLibrary)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"kind", "keep"})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orniva::bench
