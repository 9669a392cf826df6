// libFuzzer target: any bytes as a data file through both diagrams and the
// metafile writer (see CheckRenderProperties).
#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/support/fuzz_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string fault = orniva::fuzz::CheckRenderProperties(data, size);
  if (!fault.empty()) orniva::fuzz::Fail("fuzz_render", fault);
  return 0;
}
