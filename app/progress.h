// Progress of a long command-line run (a bootstrap, a separation, the
// leave-one-out influence at their caps take minutes to hours) on standard
// error: "\r<program>: <file>: <what> 42%", rewritten as the share grows,
// once the run has lasted `delay` and only when standard error is a
// terminal and --quiet was not given; the line is cleared at the end. A
// short run prints nothing.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

namespace orniva::cli {

class Progress {
 public:
  // `shown`: whether to print at all (see ShowsProgress).
  Progress(std::string label, bool shown, std::FILE* out = stderr,
           std::chrono::milliseconds delay = std::chrono::milliseconds(1000));
  ~Progress();
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  // The share done, 0 to 1; printed when its whole per cent has changed.
  void Update(double share);

 private:
  std::string label_;
  bool shown_;
  std::FILE* out_;
  std::chrono::steady_clock::time_point start_;
  std::chrono::milliseconds delay_;
  int percent_ = -1;
  std::size_t written_ = 0;  // the length of the line on the terminal
};

// Whether a run shows its progress: standard error is a terminal and
// --quiet was not given.
bool ShowsProgress(bool quiet);

}  // namespace orniva::cli
