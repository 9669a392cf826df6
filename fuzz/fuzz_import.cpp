// libFuzzer target: any bytes as a table to import (see
// CheckImportProperties).
#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/support/fuzz_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string fault = orniva::fuzz::CheckImportProperties(data, size);
  if (!fault.empty()) orniva::fuzz::Fail("fuzz_import", fault);
  return 0;
}
