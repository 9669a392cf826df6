#include "analysis/separation.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <thread>

#include "analysis/candidate_scores.h"
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

std::vector<CandidateTensor> DrawCandidates(std::int64_t count, std::uint64_t seed) {
  std::mt19937_64 random(seed);
  std::normal_distribution<double> normal;
  const double root2 = std::sqrt(2.0), root6 = std::sqrt(6.0);
  std::vector<CandidateTensor> candidates(static_cast<std::size_t>(count));
  for (CandidateTensor& candidate : candidates) {
    double c[5], length = 0;
    for (double& v : c) {
      v = normal(random);
      length += v * v;
    }
    const double scale = length > 0 ? 1 / std::sqrt(length) : 0;
    candidate = {float(scale * (c[0] / root2 + c[1] / root6)), float(scale * c[2] / root2),
                 float(scale * c[3] / root2), float(scale * (-c[0] / root2 + c[1] / root6)),
                 float(scale * c[4] / root2)};
  }
  return candidates;
}

struct Best {
  double score = -std::numeric_limits<double>::infinity();
  CandidateTensor tensor{};

  // The higher score; of equal scores, the tensor first in order.
  bool BeatenBy(double otherScore, const CandidateTensor& other) const {
    return otherScore > score || (otherScore == score && other < tensor);
  }
};

// What the threads of one search share.
struct Search {
  const CandidateScorer& scorer;
  const std::vector<CandidateTensor>& candidates;
  const std::atomic<bool>* cancel;
  std::atomic<std::size_t> next{0}, done{0};

  bool Cancelled() const { return cancel && cancel->load(); }

  // Scores chunks of candidates until none is left; `chunkDone` after each.
  Best Run(const std::function<void()>& chunkDone) {
    Best best;
    std::vector<double> scores(kChunk);
    while (!Cancelled()) {
      const std::size_t first = next.fetch_add(kChunk);
      if (first >= candidates.size()) break;
      const std::size_t count = std::min(kChunk, candidates.size() - first);
      scorer.Score(&candidates[first], count, scores.data());
      for (std::size_t i = 0; i < count; ++i)
        if (best.BeatenBy(scores[i], candidates[first + i]))
          best = {scores[i], candidates[first + i]};
      done += count;
      if (chunkDone) chunkDone();
    }
    return best;
  }
};

// The best-scoring candidate over `faults`; nullopt when cancelled.
// `progress` gets the share of the candidates scored.
std::optional<CandidateTensor> BestCandidate(const std::vector<FaultSlip>& faults,
                                             const std::vector<CandidateTensor>& candidates,
                                             double width, const std::atomic<bool>* cancel,
                                             const std::function<void(double)>& progress) {
  const CandidateScorer scorer(faults, width);
  Search search{scorer, candidates, cancel};
  Best other;
  std::thread helper = StartOrRun([&] { other = search.Run(nullptr); });
  Best best = search.Run([&] {
    if (progress) progress(double(search.done) / double(candidates.size()));
  });
  if (helper.joinable()) helper.join();
  if (search.Cancelled()) return std::nullopt;
  if (best.BeatenBy(other.score, other.tensor)) best = other;
  return best.tensor;
}

double Weight(double beta, double width) { return std::exp(-beta * beta / (2 * width * width)); }

double MisfitOf(const Tensor& x, const FaultSlip& f) {
  return math::AngleBetween(f.s, ShearTraction(x, f.n));
}

// Michael's inversion weighted by each fault's fit to the previous
// solution, from `start` until the principal axes settle.
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

// The search for the next phase among `pending`, which loses its data;
// nullopt when cancelled.
std::optional<StressResult> NextPhase(const std::vector<FaultSlip>& all, const StressResult& base,
                                      std::vector<std::size_t>& pending,
                                      const std::vector<CandidateTensor>& candidates,
                                      const SeparationOptions& options,
                                      const SeparationControl& control, int found) {
  std::vector<FaultSlip> faults;
  for (std::size_t i : pending) faults.push_back(all[i]);
  const auto progress = [&](double share) {
    if (control.progress) control.progress((found + share) / options.maxPhases);
  };
  const std::optional<CandidateTensor> best =
      BestCandidate(faults, candidates, options.width, control.cancel, progress);
  if (!best) return std::nullopt;
  int rounds = 0;
  const Tensor x = Refine(*best, faults, options.width, rounds);
  StressResult phase = PhaseOf(x, all, base, pending, options.cut);
  phase.rounds = rounds;
  pending.erase(std::remove_if(pending.begin(), pending.end(),
                               [&](std::size_t i) { return phase.faults[i].used; }),
                pending.end());
  return phase;
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
  const std::vector<CandidateTensor> candidates = DrawCandidates(options.candidates, options.seed);
  while (int(pending.size()) >= kFewestToSeparate &&
         int(result.phases.size()) < options.maxPhases) {
    std::optional<StressResult> phase =
        NextPhase(all, base, pending, candidates, options, control, int(result.phases.size()));
    if (!phase) {
      result.phases.clear();
      result.cancelled = true;
      return result;
    }
    if (phase->used == 0) break;
    result.phases.push_back(std::move(*phase));
  }
  result.faults = Assignments(base, result.phases, options.cut);
  return result;
}

namespace {

std::string RefusalOfReport(const SeparationResult& r) {
  if (!r.error.empty()) return r.error;
  if (r.cancelled) return "the separation was cancelled";
  return {};
}

}  // namespace

CsvReport SeparationCsv(const SeparationResult& r) {
  const std::string refusal = RefusalOfReport(r);
  if (!refusal.empty()) return {"", refusal};
  std::string text =
      "phase,n,s1_trend,s1_plunge,s2_trend,s2_plunge,s3_trend,s3_plunge,phi,mean_misfit\n";
  for (std::size_t p = 0; p < r.phases.size(); ++p) {
    const StressResult& phase = r.phases[p];
    text += std::to_string(p + 1) + "," + std::to_string(phase.used) + "," +
            FormatLine(phase.axes[0]) + "," + FormatLine(phase.axes[1]) + "," +
            FormatLine(phase.axes[2]) + "," + FormatValue(phase.phi) + "," +
            FormatAngle(phase.meanBeta) + "\n";
  }
  return {text, ""};
}

CsvReport SeparationAssignmentsCsv(const SeparationResult& r) {
  const std::string refusal = RefusalOfReport(r);
  if (!refusal.empty()) return {"", refusal};
  std::string text = "line,phase,also\n";
  for (const SeparatedFault& f : r.faults) {
    std::string also;
    for (int p : f.also) also += (also.empty() ? "" : ";") + std::to_string(p);
    text += std::to_string(f.line) + "," + std::to_string(f.phase) + "," + also + "\n";
  }
  return {text, ""};
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
