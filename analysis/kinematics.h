// Kinematic analysis of fault-slip data (Marrett and Allmendinger 1990):
// the misfit of each striation to its plane, the P, T and B axes of each
// fault, and the Linked Bingham summary of them all.
//
// Per fault, with n the normal into the hanging wall, l the striation and s
// the hanging wall's slip (see fault_vectors.h):
//   misfit  mu = asin(|n . l|)               [deg], 0 for a striation in its plane
//   P = normalise(n - s),  T = normalise(n + s),  B = normalise(n x s)
// Linked Bingham: M = sum 1/2 (n s^T + s n^T) over the faults used; the
// eigenvectors of its largest, middle and smallest eigenvalue are the
// summary T, B and P axes. Every axis is a lower-hemisphere line.
#pragma once

#include <array>
#include <vector>

#include "analysis/fault_vectors.h"
#include "analysis/report_format.h"
#include "data/fault_data.h"
#include "math/vector3d.h"

namespace orniva::analysis {

struct KinematicAxes {
  int line = 0;       // the datum's line in the data file
  double misfit = 0;  // [deg]
  math::TrendPlunge p, t, b;
  bool lateralOnDipSlip = false;  // see FaultVectors
};

struct BinghamAxes {
  // T, B, P: the eigenvectors of the largest, middle and smallest eigenvalue.
  std::array<math::TrendPlunge, 3> axes{};
  std::array<double, 3> eigenvalues{};  // in the same order, largest first
};

struct KinematicsResult {
  std::vector<KinematicAxes> faults;  // one per datum used, in line order
  BinghamAxes bingham;                // meaningful only when faults is not empty
  std::vector<int> leftOut;           // lines that failed a check
};

KinematicAxes AxesOf(const FaultVectors& fault);
std::vector<KinematicAxes> AxesOfEach(const std::vector<FaultVectors>& faults);
KinematicsResult ComputeKinematics(const FaultSet& data, const std::vector<bool>* use = nullptr);
// The same from every datum's vectors `all` and their axes (AxesOfEach),
// picking those in use: a change of the data in use computes no vector
// or axis again.
KinematicsResult KinematicsInUse(const UsedFaults& all, const std::vector<KinematicAxes>& axes,
                                 const std::vector<bool>* use);

// The reports of the command line: `kinematics` (one row per datum used:
// line,misfit,p_trend,p_plunge,t_trend,t_plunge,b_trend,b_plunge) and
// `bingham` (rows T, B, P: axis,trend,plunge,eigenvalue). No usable datum
// sets `error`.
CsvReport KinematicsCsv(const FaultSet& data);
CsvReport BinghamCsv(const FaultSet& data);
// The same reports of a result already computed.
CsvReport KinematicsCsv(const KinematicsResult& result);
CsvReport BinghamCsv(const KinematicsResult& result);

}  // namespace orniva::analysis
