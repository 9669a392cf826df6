#include "platform/large_buffer.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace orniva {

void AdviseLargePages(const void* data, std::size_t bytes) {
#if defined(MADV_HUGEPAGE)
  // Below a few large pages the hint cannot pay.
  constexpr std::size_t kWorthwhile = std::size_t(8) << 20;
  if (!data || bytes < kWorthwhile) return;
  const auto page = std::uintptr_t(sysconf(_SC_PAGESIZE));
  const auto begin = (std::uintptr_t(data) + page - 1) / page * page;
  const auto end = (std::uintptr_t(data) + bytes) / page * page;
  if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
  (void)data;
  (void)bytes;
#endif
}

}  // namespace orniva
