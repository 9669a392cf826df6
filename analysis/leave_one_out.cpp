#include "analysis/leave_one_out.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>

#include "analysis/michael_terms.h"
#include "platform/threads.h"

namespace orniva::analysis {

namespace {

// The result of the data without one datum, by the setup's method.
class WithoutOne {
 public:
  explicit WithoutOne(const InversionSetup& setup) : setup_(setup) {
    if (!Summed()) return;
    terms_ = MichaelTerms(setup.faults);
    total_ = SumTerms(terms_, std::vector<double>(terms_.size(), 1.0));
  }

  // Michael's single pass: a downdate of the sums of all the data.
  bool Summed() const { return setup_.method == StressMethod::Michael && !setup_.iterate; }

  std::optional<StressTensor> Without(std::size_t left) const {
    if (Summed()) {
      MichaelTerm sums = total_;
      for (std::size_t j = 0; j < sums.h.size(); ++j) sums.h[j] -= terms_[left].h[j];
      for (std::size_t j = 0; j < sums.g.size(); ++j) sums.g[j] -= terms_[left].g[j];
      if (terms_.size() < 5) return std::nullopt;  // fewer than 4 faults remain
      return SolveMichael(sums, {}, {}, false).x;
    }
    std::vector<FaultSlip> others = setup_.faults;
    others.erase(others.begin() + std::ptrdiff_t(left));
    const StressResult result = InvertStress(others, setup_.method, setup_.iterate);
    if (!result.error.empty()) return std::nullopt;
    return result.tensor;
  }

 private:
  const InversionSetup& setup_;
  std::vector<MichaelTerm> terms_;
  MichaelTerm total_;
};

// Calls each(i) for i in [0, count) on two threads, `chunk` at a time;
// false when cancelled.
bool ShareOut(std::size_t count, std::size_t chunk, const std::function<void(std::size_t)>& each,
              const WorkControl& control) {
  std::atomic<std::size_t> next{0};
  std::atomic<int> done{0};
  auto cancelled = [&control] { return control.cancel && control.cancel->load(); };
  auto work = [&](bool caller) {
    while (!cancelled()) {
      const std::size_t begin = next.fetch_add(chunk);
      if (begin >= count) return;
      const std::size_t end = std::min(count, begin + chunk);
      for (std::size_t i = begin; i < end; ++i) each(i);
      done += int(end - begin);
      if (caller && control.report) control.report(done.load(), int(count));
    }
  };
  std::thread helper;
  if (count > chunk) helper = StartOrRun([&work] { work(false); });
  work(true);
  if (helper.joinable()) helper.join();
  return !cancelled();
}

}  // namespace

LeaveOneOut LeaveEachOut(const InversionSetup& setup, const WorkControl& control) {
  LeaveOneOut result;
  if (setup.faults.empty()) {
    result.error = kNoUsableData;
    return result;
  }
  const StressResult all = InvertStress(setup.faults, setup.method, setup.iterate);
  if (!all.error.empty()) {
    result.error = all.error;
    return result;
  }
  const WithoutOne without(setup);
  result.data.resize(setup.faults.size());
  const auto each = [&](std::size_t i) {
    LeftOut& out = result.data[i];
    out.line = setup.lines.empty() ? int(i + 1) : setup.lines[i];
    const std::optional<StressTensor> x = without.Without(i);
    if (!x) return;
    out.theta = StressDistance(*x, all.tensor);
    out.beta = math::AngleBetween(setup.faults[i].s, ShearTraction(*x, setup.faults[i].n));
  };
  if (!ShareOut(setup.faults.size(), without.Summed() ? 256 : 1, each, control)) {
    result.error = "cancelled";
    result.data.clear();
  }
  return result;
}

}  // namespace orniva::analysis
