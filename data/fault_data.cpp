#include "data/fault_data.h"

#include "data/colours.h"
#include "math/directional_operations.h"

namespace orniva {

std::uint64_t FaultSet::NextGeneration() {
  static std::uint64_t last = 0;
  return ++last;
}

void FaultSet::Recreate(std::int16_t count) {
  std::vector<TFaultData>(std::size_t(count) + 1).swap(data_);
  count_ = count;
  generation_ = NextGeneration();
}

void AssignColours(FaultSet& data) {
  using directional_operations::AzimuthAngle;
  for (std::size_t i = 1; i <= std::size_t(data.count()); ++i) {
    TFaultData& d = data[i];
    const char c = d.sense.empty() ? '\0' : d.sense[0];
    switch (c) {
      case 'N':
        d.colour = clBlue;
        break;
      case 'R':
        d.colour = clRed;
        break;
      case 'S':
        d.colour = AzimuthAngle(d.faz, d.saz) < 0 ? clBlue : clRed;
        break;
      case 'D':
        d.colour = AzimuthAngle(d.faz, d.saz) < 0 ? clRed : clBlue;
        break;
      default:
        d.colour = clSilver;
        break;
    }
  }
}

}  // namespace orniva
