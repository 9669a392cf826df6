// The vectors every analysis starts from, one set per usable datum.
//
// Frame: x east, y north, z up. For a datum with plane (dip direction d,
// dip delta) and striation (trend, plunge):
//   n = (sin delta sin d, sin delta cos d, cos delta)  normal into the hanging wall
//   l = L(saz, spl)                                  the striation, pointing down
//   h = L(d - 90, 0)                                 strike by the right-hand rule
//   s                                                slip of the hanging wall:
//     N: l;  R: -l;  S: +-l with s.h > 0;  D: +-l with s.h < 0;
//     S or D on a pure dip-slip striation (s.h = 0): l, and the datum is flagged.
#pragma once

#include <cstdint>
#include <vector>

#include "data/fault_data.h"
#include "math/numeric.h"
#include "math/vector3d.h"

namespace orniva::analysis {

struct FaultVectors {
  int line = 0;  // the datum's line in the data file (1-based)
  math::Vector3d n, l, s;
  // A lateral sense (S or D) given on a pure dip-slip striation.
  bool lateralOnDipSlip = false;
};

// |s.h| at or below this counts as a pure dip-slip striation: the stored
// angles are 32-bit floats, so a striation down the dip line leaves a
// product of rounding size, never a geological one.
constexpr double kDipSlipTolerance = 1e-9;

// The vectors of one datum. `datum` must have passed all five checks.
FaultVectors VectorsOf(const TFaultData& datum, int line);
// Its normal n alone, for the analyses that read nothing else.
math::Vector3d NormalOf(const TFaultData& datum);

// The data an analysis uses (those whose five checks all passed and, when
// `use` is given, by line with index 0 unused, that it leaves in), in line
// order, and the lines that failed a check.
struct UsedFaults {
  std::vector<FaultVectors> faults;
  std::vector<int> leftOut;
};
UsedFaults CollectUsedFaults(const FaultSet& data, const std::vector<bool>* use = nullptr);

}  // namespace orniva::analysis
