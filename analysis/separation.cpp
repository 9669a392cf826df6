#include "analysis/separation.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <random>
#include <thread>

#include "analysis/candidate_scores.h"
#include "analysis/stress_methods.h"
#include "platform/threads.h"

namespace orniva::analysis {

namespace {

using Tensor = std::array<double, 5>;

constexpr int kMaxRounds = 100;
constexpr double kAxesSettled = 0.01;  // [deg]
// Candidates scored between two looks at the cancel flag.
constexpr std::size_t kChunk = 512;

// The data in use, as indices into `all`, in the order of their vectors.
std::vector<std::size_t> InUseByVectors(const std::vector<FaultSlip>& all,
                                        const StressResult& base) {
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < all.size(); ++i)
    if (base.faults[i].used) order.push_back(i);
  auto key = [&](std::size_t i) {
    const FaultSlip& f = all[i];
    return std::array<double, 6>{f.n.x, f.n.y, f.n.z, f.s.x, f.s.y, f.s.z};
  };
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return key(a) < key(b); });
  return order;
}

// The candidates and each one's score over the data not yet assigned:
// first over every datum in use, then less each phase's data as it is
// found, so that each datum is scored once or twice, not once per phase.
class Candidates {
 public:
  // Draws `count` candidates; fewer when `cancel` is set meanwhile.
  Candidates(std::int64_t count, std::uint64_t seed, const std::atomic<bool>* cancel);

  // Adds `sign` times each candidate's score over `faults`, the candidates
  // shared out to two threads in chunks; false when cancelled. `progress`
  // gets the share of the candidates done, on this thread.
  bool AddScores(const std::vector<FaultSlip>& faults, double sign, double width,
                 const std::atomic<bool>* cancel, const std::function<void(double)>& progress);
  // The highest score's tensor; of equal scores, the tensor first in order.
  const CandidateTensor& Best() const;

 private:
  std::vector<CandidateTensor> tensors_;
  std::vector<double> scores_;
};

Candidates::Candidates(std::int64_t count, std::uint64_t seed, const std::atomic<bool>* cancel) {
  tensors_.reserve(static_cast<std::size_t>(count));
  std::mt19937_64 random(seed);
  std::normal_distribution<double> normal;
  const double root2 = std::sqrt(2.0), root6 = std::sqrt(6.0);
  for (std::int64_t i = 0; i < count; ++i) {
    if (i % 65536 == 0 && cancel && cancel->load()) return;
    double c[5], length = 0;
    for (double& v : c) {
      v = normal(random);
      length += v * v;
    }
    const double scale = length > 0 ? 1 / std::sqrt(length) : 0;
    tensors_.push_back({float(scale * (c[0] / root2 + c[1] / root6)), float(scale * c[2] / root2),
                        float(scale * c[3] / root2), float(scale * (-c[0] / root2 + c[1] / root6)),
                        float(scale * c[4] / root2)});
  }
  scores_.assign(tensors_.size(), 0.0);
}

bool Candidates::AddScores(const std::vector<FaultSlip>& faults, double sign, double width,
                           const std::atomic<bool>* cancel,
                           const std::function<void(double)>& progress) {
  const CandidateScorer scorer(faults, width);
  std::atomic<std::size_t> next{0}, done{0};
  const auto cancelled = [cancel] { return cancel && cancel->load(); };
  const auto run = [&](bool reports) {
    std::vector<double> chunk(kChunk);
    while (!cancelled()) {
      const std::size_t first = next.fetch_add(kChunk);
      if (first >= tensors_.size()) break;
      const std::size_t count = std::min(kChunk, tensors_.size() - first);
      scorer.Score(&tensors_[first], count, chunk.data());
      for (std::size_t i = 0; i < count; ++i) scores_[first + i] += sign * chunk[i];
      done += count;
      if (reports && progress) progress(double(done) / double(tensors_.size()));
    }
  };
  std::thread helper = StartOrRun([&] { run(false); });
  run(true);
  if (helper.joinable()) helper.join();
  return !cancelled();
}

const CandidateTensor& Candidates::Best() const {
  std::size_t best = 0;
  for (std::size_t i = 1; i < tensors_.size(); ++i)
    if (scores_[i] > scores_[best] || (scores_[i] == scores_[best] && tensors_[i] < tensors_[best]))
      best = i;
  return tensors_[best];
}

double Weight(double beta, double width) { return std::exp(-beta * beta / (2 * width * width)); }

double MisfitOf(const Tensor& x, const FaultSlip& f) {
  return math::AngleBetween(f.s, ShearTraction(x, f.n));
}

// Michael's inversion from `start`, each fault weighted by its fit to the
// previous solution and, as in the iterative option, its slip scaled by the
// previous solution's shear traction on its plane, until the principal axes
// settle.
Tensor Refine(const CandidateTensor& start, const std::vector<FaultSlip>& faults, double width,
              int& rounds) {
  Tensor x;
  std::copy(start.begin(), start.end(), x.begin());
  std::vector<double> weights(faults.size()), magnitudes(faults.size());
  for (rounds = 0; rounds < kMaxRounds;) {
    for (std::size_t i = 0; i < faults.size(); ++i) {
      const math::Vector3d tau = ShearTraction(x, faults[i].n);
      weights[i] = Weight(math::AngleBetween(faults[i].s, tau), width);
      magnitudes[i] = math::Norm(tau);
    }
    const std::optional<Tensor> next = WeightedMichael(faults, weights, magnitudes);
    if (!next) break;
    ++rounds;
    const double moved = PrincipalAxesMoved(x, *next);
    x = *next;
    if (moved < kAxesSettled) break;
  }
  return x;
}

// The phase of stress `x`: the data of `pending` within `cut` of it.
StressResult PhaseOf(const Tensor& x, const std::vector<FaultSlip>& all, const StressResult& base,
                     const std::vector<std::size_t>& pending, double cut) {
  StressResult phase;
  phase.leftOut = base.leftOut;
  phase.faults = base.faults;
  for (FaultMisfit& f : phase.faults) f.used = false;
  for (std::size_t i : pending)
    if (MisfitOf(x, all[i]) < cut) {
      phase.faults[i].used = true;
      ++phase.used;
    }
  if (phase.used > 0) DescribeStress(x, all, phase);
  return phase;
}

// Every datum in use with its phase and the other phases within the cut.
std::vector<SeparatedFault> Assignments(const StressResult& base,
                                        const std::vector<StressResult>& phases, double cut) {
  std::vector<SeparatedFault> faults;
  for (std::size_t i = 0; i < base.faults.size(); ++i) {
    if (!base.faults[i].used) continue;
    SeparatedFault fault{base.faults[i].line, 0, {}};
    for (std::size_t p = 0; p < phases.size(); ++p)
      if (phases[p].faults[i].used) fault.phase = int(p + 1);
    for (std::size_t p = 0; p < phases.size(); ++p)
      if (int(p + 1) != fault.phase && phases[p].faults[i].beta < cut)
        fault.also.push_back(int(p + 1));
    faults.push_back(std::move(fault));
  }
  return faults;
}

std::string Refusal(const SeparationOptions& options, int used) {
  if (used == 0) return kNoUsableData;
  const std::string optionsError = SeparationOptionsError(options);
  if (!optionsError.empty()) return optionsError;
  if (used < kFewestToSeparate)
    return "separation needs at least " + std::to_string(kFewestToSeparate) + " faults; " +
           std::to_string(used) + " given";
  return {};
}

std::vector<FaultSlip> FaultsOf(const std::vector<FaultSlip>& all,
                                const std::vector<std::size_t>& indices) {
  std::vector<FaultSlip> faults;
  for (std::size_t i : indices) faults.push_back(all[i]);
  return faults;
}

// The phase of the best candidate among `pending`, which loses its data.
StressResult NextPhase(const std::vector<FaultSlip>& all, const StressResult& base,
                       std::vector<std::size_t>& pending, const Candidates& candidates,
                       const SeparationOptions& options) {
  int rounds = 0;
  const Tensor x = Refine(candidates.Best(), FaultsOf(all, pending), options.width, rounds);
  StressResult phase = PhaseOf(x, all, base, pending, options.cut);
  phase.rounds = rounds;
  pending.erase(std::remove_if(pending.begin(), pending.end(),
                               [&](std::size_t i) { return phase.faults[i].used; }),
                pending.end());
  return phase;
}

// The lines of `phase` as indices into `all`.
std::vector<std::size_t> IndicesOf(const StressResult& phase) {
  std::vector<std::size_t> indices;
  for (std::size_t i = 0; i < phase.faults.size(); ++i)
    if (phase.faults[i].used) indices.push_back(i);
  return indices;
}

const TColor kPhaseColours[] = {Rgb(0x1f, 0x5f, 0xbf), Rgb(0xbf, 0x3f, 0x1f),
                                Rgb(0x2f, 0x9f, 0x3f), Rgb(0x8f, 0x3f, 0xbf),
                                Rgb(0xcf, 0x9f, 0x1f), Rgb(0x1f, 0x9f, 0xaf)};

}  // namespace

std::string SeparationOptionsError(const SeparationOptions& options) {
  if (options.maxPhases < 1) return "the most phases must be at least 1";
  if (!(options.cut > 0 && options.cut <= 180))
    return "the cut must be above 0 and at most 180 degrees";
  if (!(options.width > 0 && options.width <= 180))
    return "the width must be above 0 and at most 180 degrees";
  if (options.candidates < 1 || options.candidates > kMaxCandidates)
    return "the candidates must number 1 to " + std::to_string(kMaxCandidates);
  return {};
}

SeparationResult SeparatePhases(const FaultSet& data, const SeparationOptions& options,
                                const std::vector<bool>* use, const SeparationControl& control) {
  SeparationResult result;
  StressResult base;
  const std::vector<FaultSlip> all = StartInversion(data, use, base).all;
  result.leftOut = base.leftOut;
  result.used = base.used;
  result.error = Refusal(options, base.used);
  if (!result.error.empty()) return result;
  std::vector<std::size_t> pending = InUseByVectors(all, base);
  Candidates candidates(options.candidates, options.seed, control.cancel);
  std::vector<FaultSlip> scored = FaultsOf(all, pending);
  for (double sign = 1;; sign = -1) {
    const auto progress = [&](double share) {
      if (control.progress)
        control.progress((double(result.phases.size()) + share) / options.maxPhases);
    };
    if (!candidates.AddScores(scored, sign, options.width, control.cancel, progress)) {
      result.phases.clear();
      result.cancelled = true;
      return result;
    }
    StressResult phase = NextPhase(all, base, pending, candidates, options);
    if (phase.used == 0) break;
    // A phase whose faults do not determine a stress is no phase.
    const std::string undetermined =
        InvertStress(FaultsOf(all, IndicesOf(phase)), StressMethod::Michael, false).error;
    if (!undetermined.empty()) {
      if (result.phases.empty()) result.error = undetermined;
      break;
    }
    result.phases.push_back(std::move(phase));
    if (int(pending.size()) < kFewestToSeparate || int(result.phases.size()) >= options.maxPhases)
      break;
    // The scores over the rest: less the data of the phase found.
    scored = FaultsOf(all, IndicesOf(result.phases.back()));
  }
  result.faults = Assignments(base, result.phases, options.cut);
  return result;
}

std::vector<ProposedPhase> ProposedPhases(const SeparationResult& result) {
  std::vector<ProposedPhase> proposals;
  for (std::size_t p = 0; p < result.phases.size(); ++p) {
    ProposedPhase proposal{"Phase " + std::to_string(p + 1),
                           kPhaseColours[p % std::size(kPhaseColours)],
                           {},
                           result.phases[p]};
    for (const FaultMisfit& f : proposal.result.faults)
      if (f.used) proposal.lines.push_back(f.line);
    proposals.push_back(std::move(proposal));
  }
  return proposals;
}

}  // namespace orniva::analysis
