// Work handed to a second thread, where the system can start one.
#pragma once

#include <system_error>
#include <thread>

namespace orniva {

// Starts `work` on a thread of its own. Where no thread can be started,
// does the work here and returns a thread that is not joinable.
template <typename Work>
std::thread StartOrRun(const Work& work) {
  try {
    return std::thread(work);
  } catch (const std::system_error&) {
    work();
    return std::thread();
  }
}

}  // namespace orniva
