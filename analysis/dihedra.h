// Right dihedra (Angelier and Mechler 1977): the share of faults whose
// compressional dihedron holds a direction d,
//
//   x_i = (d . n_i)(d . s_i)
//   C(d) = 100 (#{i : x_i < -1e-9} + 1/2 #{i : |x_i| <= 1e-9}) / N   [%]
//
// 100 % marks directions compatible with sigma1 for every fault, 0 % with
// sigma3. A product within 1e-9 of zero lies on a dihedron's boundary and
// counts half. C(d) = C(-d).
#pragma once

#include <vector>

#include "analysis/fault_vectors.h"
#include "analysis/report_format.h"
#include "data/fault_data.h"
#include "math/vector3d.h"

namespace orniva::analysis {

constexpr double kDihedronBoundary = 1e-9;

// C at every node [%], in [0, 100]; no faults: every value NaN. Large
// problems are shared between two threads by ranges of nodes; the values
// do not depend on the split.
std::vector<double> DihedraValues(const std::vector<FaultVectors>& faults,
                                  const std::vector<math::Vector3d>& nodes);

// C over the data used, on the report grid (ReportGridLines). No usable
// datum: `error` says so and `text` is empty.
CsvReport DihedraCsv(const FaultSet& data, const std::vector<bool>* use = nullptr);

}  // namespace orniva::analysis
