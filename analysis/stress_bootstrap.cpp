#include "analysis/stress_bootstrap.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <locale>
#include <mutex>
#include <sstream>
#include <thread>
#include <utility>

#include "analysis/index_draws.h"
#include "analysis/michael_terms.h"
#include "analysis/study.h"
#include "math/simd_clones.h"
#include "platform/threads.h"

namespace orniva::analysis {

namespace {

// Resamples drawn and solved together: each fault's share is read once for
// all of them.
constexpr std::size_t kBatch = 8;
// Batches of counts in flight: one being drawn, one or two being solved.
constexpr std::size_t kSlots = 3;
// Faults whose shares are summed for every resample of a batch in turn
// (80 kB of shares, within a core's cache).
constexpr std::size_t kFaultBlock = 512;

bool AllDigits(const std::string& text) {
  return !text.empty() && text.size() <= 20 &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<std::uint64_t> ReadUnsigned(const std::string& text) {
  if (!AllDigits(text)) return std::nullopt;
  errno = 0;
  const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
  if (errno == ERANGE) return std::nullopt;
  return std::uint64_t(value);
}

std::optional<double> ReadNumber(const std::string& text) {
  std::istringstream in(text);
  in.imbue(std::locale::classic());
  double value = 0;
  if (!(in >> value) || in.peek() != std::char_traits<char>::eof()) return std::nullopt;
  return value;
}

// Adds count[i] times fault i's share to `sum`, for i from `first` to
// `end`, the sum held in registers.
ORNIVA_AVX2_CLONES void AddShares(const double* shares, const std::uint32_t* count,
                                  std::size_t first, std::size_t end, double* sum) {
  double held[kTermSize];
  std::copy_n(sum, kTermSize, held);
  for (std::size_t i = first; i < end; ++i) {
    const double c = count[i];
    const double* share = shares + i * kTermSize;
    for (std::size_t j = 0; j < kTermSize; ++j) held[j] += c * share[j];
  }
  std::copy_n(held, kTermSize, sum);
}

// The resamples' inversion by the setup's method: Michael's summed from the
// faults' shares, the others from the resample's faults.
class ResampleSolver {
 public:
  explicit ResampleSolver(const InversionSetup& setup) : setup_(setup) {
    if (setup.method != StressMethod::Michael) return;
    const std::vector<MichaelTerm> terms = MichaelTerms(setup.faults);
    if (setup.iterate) slips_ = SlipColumnsOf(setup.faults, terms);
    flat_.reserve(terms.size() * kTermSize);
    for (const MichaelTerm& t : terms) {
      flat_.insert(flat_.end(), t.h.begin(), t.h.end());
      flat_.insert(flat_.end(), t.g.begin(), t.g.end());
    }
  }

  // Solves `size` resamples; counts[k * N + i] is how often resample k drew
  // fault i.
  void SolveBatch(const std::uint32_t* counts, std::size_t size,
                  std::optional<StressTensor>* out) const {
    const std::size_t n = setup_.faults.size();
    if (setup_.method != StressMethod::Michael) {
      for (std::size_t k = 0; k < size; ++k) out[k] = InvertFaults(counts + k * n);
      return;
    }
    const std::vector<double> sums = SumShares(counts, size);
    for (std::size_t k = 0; k < size; ++k) {
      MichaelTerm sum;
      const double* from = sums.data() + k * kTermSize;
      std::copy_n(from, sum.h.size(), sum.h.begin());
      std::copy_n(from + sum.h.size(), sum.g.size(), sum.g.begin());
      std::vector<double> counted;
      if (setup_.iterate) counted.assign(counts + k * n, counts + (k + 1) * n);
      out[k] = SolveMichael(sum, slips_, counted, setup_.iterate).x;
    }
  }

 private:
  // Per resample, sum count * share over the faults in their order (as
  // SumTerms adds them; a count of 0 adds nothing), a block of the faults'
  // shares at a time so that it is read from the cache for every resample.
  std::vector<double> SumShares(const std::uint32_t* counts, std::size_t size) const {
    const std::size_t n = setup_.faults.size();
    std::vector<double> sums(size * kTermSize, 0.0);
    for (std::size_t first = 0; first < n; first += kFaultBlock) {
      const std::size_t end = std::min(n, first + kFaultBlock);
      for (std::size_t k = 0; k < size; ++k)
        AddShares(flat_.data(), counts + k * n, first, end, sums.data() + k * kTermSize);
    }
    return sums;
  }

  std::optional<StressTensor> InvertFaults(const std::uint32_t* counts) const {
    std::vector<FaultSlip> faults;
    faults.reserve(setup_.faults.size());
    for (std::size_t i = 0; i < setup_.faults.size(); ++i)
      faults.insert(faults.end(), counts[i], setup_.faults[i]);
    const StressResult result = InvertStress(faults, setup_.method, setup_.iterate);
    if (!result.error.empty()) return std::nullopt;
    return result.tensor;
  }

  const InversionSetup& setup_;
  std::vector<double> flat_;  // each fault's MichaelTerm as 20 numbers
  SlipColumns slips_;
};

// Draws the resamples in batches and solves them on two threads: whichever
// thread is free draws the next batch while the engine is idle (the draws
// must be made in order), otherwise counts and solves a batch drawn.
class Pipeline {
 public:
  Pipeline(const ResampleSolver& solver, std::size_t faults, const BootstrapSettings& settings,
           const WorkControl& control)
      : solver_(solver),
        faults_(faults),
        samples_(std::size_t(settings.samples)),
        batches_((samples_ + kBatch - 1) / kBatch),
        control_(control),
        draws_(settings.seed, faults),
        slots_(kSlots, std::vector<std::uint32_t>(faults * kBatch)),
        results_(samples_) {
    for (std::size_t s = 0; s < kSlots; ++s) free_.push_back(s);
  }

  // False when cancelled.
  bool Run() {
    std::thread helper = StartOrRun([this] { Work(false); });
    Work(true);
    if (helper.joinable()) helper.join();
    return !Cancelled();
  }
  // The tensor of every resample, none where its planes do not fix it.
  const std::vector<std::optional<StressTensor>>& results() const { return results_; }

 private:
  bool Cancelled() const { return control_.cancel && control_.cancel->load(); }

  void Work(bool caller) {
    std::vector<std::uint32_t> counts(faults_ * kBatch);
    std::unique_lock<std::mutex> lock(mutex_);
    while (!Cancelled()) {
      if (!drawing_ && next_ < batches_ && !free_.empty()) {
        const std::size_t slot = free_.back(), batch = next_++;
        free_.pop_back();
        drawing_ = true;
        lock.unlock();
        Draw(batch, slots_[slot]);
        lock.lock();
        drawing_ = false;
        ready_.emplace_back(batch, slot);
      } else if (!ready_.empty()) {
        const auto [batch, slot] = ready_.front();
        ready_.pop_front();
        lock.unlock();
        Solve(batch, slots_[slot], counts);
        if (caller) Report();
        lock.lock();
        free_.push_back(slot);
      } else if (next_ == batches_ && !drawing_) {
        break;
      } else {
        changed_.wait(lock);
        if (caller) {
          lock.unlock();
          Report();
          lock.lock();
        }
        continue;
      }
      changed_.notify_all();
    }
    changed_.notify_all();
  }

  std::size_t SizeOf(std::size_t batch) const {
    return std::min(kBatch, samples_ - batch * kBatch);
  }

  // The indices drawn, resample after resample.
  void Draw(std::size_t batch, std::vector<std::uint32_t>& drawn) {
    draws_.Draw(drawn.data(), SizeOf(batch) * faults_);
  }

  void Solve(std::size_t batch, const std::vector<std::uint32_t>& drawn,
             std::vector<std::uint32_t>& counts) {
    const std::size_t size = SizeOf(batch);
    std::fill(counts.begin(), counts.end(), 0u);
    for (std::size_t k = 0; k < size; ++k) {
      std::uint32_t* count = counts.data() + k * faults_;
      for (std::size_t d = k * faults_; d < (k + 1) * faults_; ++d) ++count[drawn[d]];
    }
    solver_.SolveBatch(counts.data(), size, &results_[batch * kBatch]);
    solved_ += int(size);
  }

  void Report() const {
    if (control_.report) control_.report(solved_.load(), int(samples_));
  }

  const ResampleSolver& solver_;
  const std::size_t faults_, samples_, batches_;
  const WorkControl& control_;
  IndexDraws draws_;
  std::vector<std::vector<std::uint32_t>> slots_;  // indices drawn, a batch each
  std::vector<std::optional<StressTensor>> results_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::size_t> free_;
  std::deque<std::pair<std::size_t, std::size_t>> ready_;  // batch, slot
  std::size_t next_ = 0;                                   // the next batch to draw
  bool drawing_ = false;
  std::atomic<int> solved_{0};
};

BootstrapSolution SolutionOf(const StressTensor& x, const StressTensor& all, int sample) {
  StressResult r;
  DescribeAxes(x, r);
  const StressCharacter character = CharacterOf(r);
  return {x, r.axes, r.phi, character.rPrime, character.shMax, StressDistance(x, all), sample};
}

void Summarise(StressBootstrap& b) {
  std::vector<double> shMax;
  b.phi = {b.kept.front().phi, b.kept.front().phi};
  b.rPrime = {b.kept.front().rPrime, b.kept.front().rPrime};
  for (const BootstrapSolution& s : b.kept) {
    b.thetaRadius = std::max(b.thetaRadius, s.theta);
    b.phi = {std::min(b.phi.low, s.phi), std::max(b.phi.high, s.phi)};
    b.rPrime = {std::min(b.rPrime.low, s.rPrime), std::max(b.rPrime.high, s.rPrime)};
    if (s.shMax) shMax.push_back(*s.shMax);
  }
  b.shMax = AxialRange(std::move(shMax));
}

// Ranks the solved resamples by Theta to `all` and keeps the nearest.
void Keep(const std::vector<std::optional<StressTensor>>& results, const StressTensor& all,
          StressBootstrap& b) {
  std::vector<BootstrapSolution> solved;
  for (std::size_t s = 0; s < results.size(); ++s)
    if (results[s])
      solved.push_back(SolutionOf(*results[s], all, int(s)));
    else
      ++b.rankDeficient;
  if (solved.empty()) {
    b.error = "no resample determines the stress (every one of rank below 5)";
    return;
  }
  std::sort(solved.begin(), solved.end(), [](const auto& x, const auto& y) {
    return x.theta != y.theta ? x.theta < y.theta : x.sample < y.sample;
  });
  const double wanted = std::ceil(b.settings.confidence * double(solved.size()) - 1e-9);
  solved.resize(std::clamp<std::size_t>(std::size_t(wanted), 1, solved.size()));
  b.kept = std::move(solved);
  Summarise(b);
}

}  // namespace

std::optional<BootstrapRegion> BootstrapRegionNamed(std::string_view name) {
  if (name == "symbols") return BootstrapRegion::Symbols;
  if (name == "contours") return BootstrapRegion::Contours;
  return std::nullopt;
}

std::optional<ValueRange> AxialRange(std::vector<double> azimuths) {
  if (azimuths.empty()) return std::nullopt;
  std::sort(azimuths.begin(), azimuths.end());
  double widest = azimuths.front() + 180 - azimuths.back();  // across 0
  ValueRange range{azimuths.front(), azimuths.back()};
  for (std::size_t i = 0; i + 1 < azimuths.size(); ++i) {
    const double gap = azimuths[i + 1] - azimuths[i];
    if (gap > widest) {
      widest = gap;
      range = {azimuths[i + 1], azimuths[i] + 180};
    }
  }
  return range;
}

InversionSetup SetupOf(const FaultSet& data, const std::vector<bool>* use, StressMethod method,
                       bool iterate) {
  StressResult started;
  InversionSetup setup;
  setup.faults = StartInversion(data, use, started).used;
  for (const FaultMisfit& f : started.faults)
    if (f.used) setup.lines.push_back(f.line);
  setup.method = method;
  setup.iterate = iterate;
  return setup;
}

InversionSetup SetupOf(const Study& study) {
  return SetupOf(study.data(), study.InUse(), study.choices().method, study.choices().iterate);
}

std::string ReadBootstrapSettings(const std::string* samples, const std::string* confidence,
                                  const std::string* seed, BootstrapSettings& settings) {
  if (samples) {
    const std::optional<std::uint64_t> b = ReadUnsigned(*samples);
    if (!b || *b < 1 || *b > std::uint64_t(kMaxResamples))
      return "the number of resamples must be a whole number from 1 to " +
             std::to_string(kMaxResamples) + ", not '" + *samples + "'";
    settings.samples = int(*b);
  }
  if (confidence) {
    const std::optional<double> c = ReadNumber(*confidence);
    if (!c || !(*c > 0 && *c <= 1))
      return "the confidence must be a number above 0 and at most 1, not '" + *confidence + "'";
    settings.confidence = *c;
  }
  if (seed) {
    const std::optional<std::uint64_t> s = ReadUnsigned(*seed);
    if (!s) return "the seed must be an unsigned 64-bit integer, not '" + *seed + "'";
    settings.seed = *s;
  }
  return {};
}

StressBootstrap BootstrapStress(const InversionSetup& setup, const BootstrapSettings& settings,
                                const WorkControl& control) {
  StressBootstrap b;
  b.settings = settings;
  b.method = setup.method;
  b.iterate = setup.iterate;
  if (setup.faults.empty()) {
    b.error = kNoUsableData;
    return b;
  }
  const StressResult all = InvertStress(setup.faults, setup.method, setup.iterate);
  if (!all.error.empty()) {
    b.error = all.error;
    return b;
  }
  const ResampleSolver solver(setup);
  Pipeline pipeline(solver, setup.faults.size(), settings, control);
  if (!pipeline.Run()) {
    b.error = "cancelled";
    return b;
  }
  Keep(pipeline.results(), all.tensor, b);
  return b;
}

std::optional<StressTensor> InvertResample(const InversionSetup& setup,
                                           const std::vector<std::uint32_t>& counts) {
  std::optional<StressTensor> x;
  ResampleSolver(setup).SolveBatch(counts.data(), 1, &x);
  return x;
}

}  // namespace orniva::analysis
