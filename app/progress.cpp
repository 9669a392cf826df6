#include "app/progress.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>

namespace orniva::cli {

Progress::Progress(std::string label, bool shown, std::FILE* out, std::chrono::milliseconds delay)
    : label_(std::move(label)),
      shown_(shown),
      out_(out),
      start_(std::chrono::steady_clock::now()),
      delay_(delay) {}

Progress::~Progress() {
  if (written_ == 0) return;
  std::fprintf(out_, "\r%s\r", std::string(written_, ' ').c_str());
  std::fflush(out_);
}

void Progress::Update(double share) {
  if (!shown_ || std::chrono::steady_clock::now() - start_ < delay_) return;
  const int percent = int(std::floor(100 * std::clamp(share, 0.0, 1.0)));
  if (percent == percent_) return;
  percent_ = percent;
  const std::string line = label_ + " " + std::to_string(percent) + "%";
  std::fprintf(out_, "\r%s", line.c_str());
  std::fflush(out_);
  written_ = std::max(written_, line.size());
}

bool ShowsProgress(bool quiet) { return !quiet && ::isatty(STDERR_FILENO) == 1; }

}  // namespace orniva::cli
