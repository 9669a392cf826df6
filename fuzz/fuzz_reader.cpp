// libFuzzer target: any bytes as a data file through the reader and the
// error log (see CheckReaderProperties).
#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/support/fuzz_properties.h"
#include "tests/support/test_support.h"

namespace {

// A temporary folder for the data file and its log, made once per process
// and removed at exit.
const std::string& Folder() {
  static const orniva::test::TempDir folder;
  return folder.path();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string fault = orniva::fuzz::CheckReaderProperties(data, size, Folder());
  if (!fault.empty()) orniva::fuzz::Fail("fuzz_reader", fault);
  return 0;
}
