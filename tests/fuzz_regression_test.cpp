// Runs the fuzz targets' property checks (tests/support/fuzz_properties.h)
// over every fuzzer's seed inputs and over every input a fuzzer has found a
// fault with (tests/fuzz_regressions/), so they hold in every build of the
// suite. The seeds include an empty file: no data, "No error" and the empty
// net.
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "tests/support/fuzz_properties.h"
#include "tests/support/test_support.h"

namespace orniva {
namespace {

namespace fs = std::filesystem;

TEST(FuzzRegressionTest, SeedsAndFoundInputsKeepTheProperties) {
  const std::pair<const char*, bool> folders[] = {
      // relative to the source tree; holding seeds
      {"fuzz/corpus/reader", true},   {"fuzz/corpus/render", true},
      {"fuzz/corpus/curation", true}, {"fuzz/corpus/import", true},
      {"fuzz/corpus/options", true},  {"fuzz/corpus/orientations", true},
      {"fuzz/corpus/field", true},    {"tests/fuzz_regressions", false}};
  for (const auto& [folder, seeds] : folders) {
    int inputs = 0;
    for (const fs::directory_entry& entry :
         fs::directory_iterator(fs::path(ORNIVA_SOURCE_DIR) / folder)) {
      if (!entry.is_regular_file() || entry.path().filename() == "README.md") continue;
      SCOPED_TRACE(entry.path().string());
      ++inputs;
      const std::string bytes = test::ReadFile(entry.path().string());
      const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
      test::TempDir dir;
      EXPECT_EQ(fuzz::CheckReaderProperties(data, bytes.size(), dir.path()), "");
      EXPECT_EQ(fuzz::CheckRenderProperties(data, bytes.size()), "");
      EXPECT_EQ(fuzz::CheckCurationProperties(data, bytes.size()), "");
      EXPECT_EQ(fuzz::CheckImportProperties(data, bytes.size()), "");
      EXPECT_EQ(fuzz::CheckOptionsProperties(data, bytes.size()), "");
      EXPECT_EQ(fuzz::CheckOrientationProperties(data, bytes.size()), "");
      EXPECT_EQ(fuzz::CheckFieldPresetProperties(data, bytes.size()), "");
    }
    EXPECT_TRUE(inputs > 0 || !seeds) << "no seeds in " << folder;
  }
}

}  // namespace
}  // namespace orniva
