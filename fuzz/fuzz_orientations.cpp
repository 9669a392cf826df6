// libFuzzer target: any bytes as an orientation table (see
// CheckOrientationProperties).
#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/support/fuzz_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string fault = orniva::fuzz::CheckOrientationProperties(data, size);
  if (!fault.empty()) orniva::fuzz::Fail("fuzz_orientations", fault);
  return 0;
}
