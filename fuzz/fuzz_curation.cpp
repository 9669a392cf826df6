// libFuzzer target: any bytes as a curation file, read and written back
// (see CheckCurationProperties).
#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/support/fuzz_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string fault = orniva::fuzz::CheckCurationProperties(data, size);
  if (!fault.empty()) orniva::fuzz::Fail("fuzz_curation", fault);
  return 0;
}
