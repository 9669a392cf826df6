#include "analysis/stress_inversion.h"

#include <algorithm>
#include <cmath>

#include "analysis/fault_vectors.h"
#include "analysis/michael_terms.h"

namespace orniva::analysis {

using math::Vector3d;

namespace {

using Vector5 = std::array<double, 5>;

math::SymmetricEigen Principal(const Vector5& x) {
  const math::Matrix3d m = {{{x[0], x[1], x[2]}, {x[1], x[3], x[4]}, {x[2], x[4], -x[0] - x[3]}}};
  return math::EigenSymmetric(m);
}

}  // namespace

FaultSlip SlipOf(const FaultVectors& f) {
  return {f.n, math::Normalise(f.s - math::Dot(f.s, f.n) * f.n)};
}

InversionInput StartInversion(const FaultSet& data, const std::vector<bool>* use,
                              StressResult& result) {
  const UsedFaults collected = CollectUsedFaults(data);
  result.leftOut = collected.leftOut;
  InversionInput input;
  input.all.reserve(collected.faults.size());
  input.used.reserve(collected.faults.size());
  result.faults.reserve(collected.faults.size());
  for (const FaultVectors& f : collected.faults) {
    const bool on = !use || (std::size_t(f.line) < use->size() && (*use)[std::size_t(f.line)]);
    result.faults.push_back({f.line, 0, on});
    input.all.push_back(SlipOf(f));
    if (on) input.used.push_back(input.all.back());
  }
  result.used = int(input.used.size());
  return input;
}

void DescribeAxes(const Vector5& x, StressResult& result) {
  const math::SymmetricEigen e = Principal(x);
  result.tensor = x;
  for (std::size_t k = 0; k < 3; ++k) {
    result.axes[k] = math::LowerHemisphereLine(e.vectors[k]);
    result.eigenvalues[k] = e.values[k];
  }
  const double spread = e.values[0] - e.values[2];
  result.phi = spread != 0 ? (e.values[1] - e.values[2]) / spread : 0;
  result.r = 1 - result.phi;
}

void DescribeStress(const Vector5& x, const std::vector<FaultSlip>& all, StressResult& result) {
  DescribeAxes(x, result);
  double sum = 0;
  for (std::size_t i = 0; i < all.size(); ++i) {
    FaultMisfit& misfit = result.faults[i];
    misfit.beta = math::AngleBetween(all[i].s, ShearTraction(x, all[i].n));
    if (!misfit.used) continue;
    sum += misfit.beta;
    ++result.histogram[std::min<std::size_t>(17, std::size_t(misfit.beta / 10))];
  }
  result.meanBeta = sum / result.used;
}

Vector3d ShearTraction(const std::array<double, 5>& x, Vector3d n) {
  const double zz = -x[0] - x[3];
  const Vector3d sn{x[0] * n.x + x[1] * n.y + x[2] * n.z, x[1] * n.x + x[3] * n.y + x[4] * n.z,
                    x[2] * n.x + x[4] * n.y + zz * n.z};
  return sn - math::Dot(n, sn) * n;
}

InversionInput StartInversion(const std::vector<FaultSlip>& faults, StressResult& result) {
  for (std::size_t i = 0; i < faults.size(); ++i) result.faults.push_back({int(i + 1), 0, true});
  result.used = int(faults.size());
  return {faults, faults};
}

void InvertMichael(const InversionInput& input, bool iterate, StressResult& result) {
  const std::vector<FaultSlip>& used = input.used;
  if (used.size() < 4) {
    result.error =
        "stress inversion needs at least 4 faults; " + std::to_string(used.size()) + " given";
    return;
  }
  const std::vector<MichaelTerm> terms = MichaelTerms(used);
  const std::vector<double> once(used.size(), 1.0);
  const MichaelSolution solution = SolveMichael(
      SumTerms(terms, once), iterate ? SlipColumnsOf(used, terms) : SlipColumns(), once, iterate);
  result.rounds = solution.rounds;
  if (!solution.x) {
    result.error = "the fault planes do not determine the stress (rank below 5)";
    return;
  }
  DescribeStress(*solution.x, input.all, result);
}

std::optional<std::array<double, 5>> WeightedMichael(const std::vector<FaultSlip>& faults,
                                                     const std::vector<double>& weights,
                                                     const std::vector<double>& magnitudes) {
  const std::vector<MichaelTerm> terms = MichaelTerms(faults);
  std::vector<double> scaled(weights.size());
  for (std::size_t i = 0; i < weights.size(); ++i) scaled[i] = weights[i] * magnitudes[i];
  MichaelTerm sums = SumTerms(terms, weights);
  sums.g = SumTerms(terms, scaled).g;  // g is linear in the slip: its share scaled by |tau|
  return SolveMichael(sums, {}, weights, false).x;
}

StressResult InvertStress(const FaultSet& data, bool iterate, const std::vector<bool>* use) {
  StressResult result;
  InvertMichael(StartInversion(data, use, result), iterate, result);
  return result;
}

}  // namespace orniva::analysis
