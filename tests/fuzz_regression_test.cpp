// Runs the fuzz targets' property checks (fuzz/fuzz_properties.h) over the
// fuzzers' seed inputs and over every input a fuzzer has found a fault with
// (tests/fuzz_regressions/), so they hold in every build of the suite.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fuzz/fuzz_properties.h"
#include "tests/support/test_support.h"

namespace orniva {
namespace {

namespace fs = std::filesystem;

// The input files of `folder` (relative to the source tree), by name.
std::vector<fs::path> InputsIn(const std::string& folder) {
  std::vector<fs::path> inputs;
  for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(ORNIVA_SOURCE_DIR) / folder))
    if (entry.is_regular_file() && entry.path().filename() != "README.md")
      inputs.push_back(entry.path());
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

void CheckInputsIn(const std::string& folder) {
  const std::vector<fs::path> inputs = InputsIn(folder);
  for (const fs::path& input : inputs) {
    SCOPED_TRACE(input.string());
    const std::string bytes = test::ReadFile(input.string());
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    test::TempDir dir;
    EXPECT_EQ(fuzz::CheckReaderProperties(data, bytes.size(), dir.path()), "");
    EXPECT_EQ(fuzz::CheckRenderProperties(data, bytes.size()), "");
  }
}

TEST(FuzzRegressionTest, FoundInputsKeepTheProperties) { CheckInputsIn("tests/fuzz_regressions"); }

TEST(FuzzRegressionTest, ReaderSeedsKeepTheProperties) {
  ASSERT_FALSE(InputsIn("fuzz/corpus/reader").empty());
  CheckInputsIn("fuzz/corpus/reader");
}

TEST(FuzzRegressionTest, RenderSeedsKeepTheProperties) {
  ASSERT_FALSE(InputsIn("fuzz/corpus/render").empty());
  CheckInputsIn("fuzz/corpus/render");
}

// No bytes: no data, "No error" and the empty net.
TEST(FuzzRegressionTest, EmptyInputKeepsTheProperties) {
  test::TempDir dir;
  EXPECT_EQ(fuzz::CheckReaderProperties(nullptr, 0, dir.path()), "");
  EXPECT_EQ(fuzz::CheckRenderProperties(nullptr, 0), "");
}

}  // namespace
}  // namespace orniva
