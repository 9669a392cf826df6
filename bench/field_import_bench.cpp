// A StraboSpot project of 30,000 orientation records converted as
// orniva-import --from strabo-json does it: read and decoded, the records
// paired into faults, the data file's text and the attributes' curation
// text written.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "data/curation.h"
#include "data/field_presets.h"
#include "tests/support/test_support.h"

namespace orniva::bench {
namespace {

constexpr int kRecords = 30000;

// Spots of four records: a fault with a striation recorded on it, and a
// fault and a striation recorded apart a minute later.
std::string Project() {
  std::string text = "{\"spotsDb\": {";
  char spot[1024];
  for (int s = 0; s < kRecords / 4; ++s) {
    const int dd = (s * 37) % 360, dip = 20 + s % 60;
    std::snprintf(
        spot, sizeof spot,
        "%s\"%d\": {\"type\": \"Feature\", \"geometry\": {\"type\": \"Point\", "
        "\"coordinates\": [%.6f, %.6f]}, \"properties\": {\"id\": %d, \"name\": "
        "\"S%d\", \"altitude\": 512.5, \"gps_accuracy\": 4, \"date\": "
        "\"2024-06-11T09:12:00.000Z\", \"orientation_data\": ["
        "{\"id\": \"a%d\", \"type\": \"planar_orientation\", \"feature_type\": \"fault\", "
        "\"dip_direction\": %d, \"dip\": %d, \"fault_or_sz_type\": \"normal\", "
        "\"associated_orientation\": [{\"type\": \"linear_orientation\", "
        "\"feature_type\": \"slickenlines\", \"rake\": %d}]}, "
        "{\"type\": \"planar_orientation\", \"feature_type\": \"fault\", \"strike\": %d, "
        "\"dip\": %d, \"movement\": \"right_lateral\", \"unix_timestamp\": %d000}, "
        "{\"type\": \"linear_orientation\", \"feature_type\": \"striations\", "
        "\"trend\": %d, \"plunge\": 0, \"unix_timestamp\": %d000}]}}",
        s ? ", " : "", s, -3.7 + s * 1e-5, 40.4 + s * 1e-5, s, s, s, dd, dip, s % 180, dd, dip,
        1700000000 + s * 120, dd, 1700000000 + s * 120 + 60);
    text += spot;
  }
  return text + "}}\n";
}

void BM_StraboProject30000Records(benchmark::State& state) {
  test::TempDir dir;
  const std::string path = dir.File("project.json");
  test::WriteFile(path, Project());
  const FieldSettings settings = *FieldPreset("strabo-json");
  for (auto _ : state) {
    const FieldConversion conversion = ConvertFieldSource(path, settings);
    const std::string data = DataText(conversion, -1);
    Curation curation;
    curation.attributes = AttributesOf(conversion);
    benchmark::DoNotOptimize(
        CurationText(curation, "project.fdt", int(curation.attributes.size()), Sha256Hex(data)));
    state.counters["faults"] = double(Summarise(conversion).faults);
  }
}
BENCHMARK(BM_StraboProject30000Records)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orniva::bench
