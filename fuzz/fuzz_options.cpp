// libFuzzer target: any bytes as a program's arguments (see
// CheckOptionsProperties).
#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/support/fuzz_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string fault = orniva::fuzz::CheckOptionsProperties(data, size);
  if (!fault.empty()) orniva::fuzz::Fail("fuzz_options", fault);
  return 0;
}
