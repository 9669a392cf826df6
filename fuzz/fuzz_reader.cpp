// libFuzzer target: any bytes as a data file through the reader and the
// error log (see CheckReaderProperties).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "fuzz/fuzz_properties.h"

namespace {

// A temporary folder for the data file and its log, made once per process
// and removed at exit.
const std::string& Folder() {
  static std::string folder;
  if (folder.empty()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "orniva-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
      orniva::fuzz::Fail("fuzz_reader", "cannot make a temporary folder");
    folder = pattern;
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(folder, ignored);
    });
  }
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string fault = orniva::fuzz::CheckReaderProperties(data, size, Folder());
  if (!fault.empty()) orniva::fuzz::Fail("fuzz_reader", fault);
  return 0;
}
