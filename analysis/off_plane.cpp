#include "analysis/off_plane.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "analysis/fault_vectors.h"
#include "analysis/report_format.h"

namespace orniva::analysis {

std::vector<OffPlaneStriation> StriationsOffPlane(const FaultSet& data, double limit,
                                                  const std::vector<bool>* use) {
  std::vector<OffPlaneStriation> found;
  for (const FaultVectors& f : CollectUsedFaults(data, use).faults) {
    const double misfit =
        std::asin(std::min(1.0, std::fabs(math::Dot(f.n, f.l)))) * numeric::kRadToDeg;
    if (misfit > limit) found.push_back({f.line, misfit});
  }
  return found;
}

std::string OffPlaneWarning(const std::vector<OffPlaneStriation>& found, double limit,
                            std::size_t listed) {
  if (found.empty()) return {};
  const bool one = found.size() == 1;
  char degrees[32];
  std::snprintf(degrees, sizeof degrees, "%g", limit);
  std::string text = std::string(one ? "striation" : "striations") + " more than " + degrees +
                     "\u00B0 off " + (one ? "its plane" : "their planes") + " at " +
                     (one ? "line " : "lines ");
  const std::size_t shown = std::min(found.size(), std::max<std::size_t>(listed, 1));
  for (std::size_t k = 0; k < shown; ++k)
    text += (k ? ", " : "") + std::to_string(found[k].line) + " (" + FormatAngle(found[k].misfit) +
            "\u00B0)";
  if (shown < found.size()) text += " and " + std::to_string(found.size() - shown) + " more";
  return text;
}

}  // namespace orniva::analysis
