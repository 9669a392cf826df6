// libFuzzer target: any bytes as a field app's export, the first
// byte choosing the preset (see CheckFieldPresetProperties).
#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/support/fuzz_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string fault = orniva::fuzz::CheckFieldPresetProperties(data, size);
  if (!fault.empty()) orniva::fuzz::Fail("fuzz_field", fault);
  return 0;
}
