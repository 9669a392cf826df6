// Buffers of tens of megabytes filled at once: the points of thirty
// thousand great circles, and the recording that draws them. Touched page
// by page, such a buffer costs a page fault per 4 KB, and on a virtual
// machine those faults outweigh the work that fills it; large pages cut
// their number about five hundredfold.
#pragma once

#include <cstddef>
#include <vector>

namespace orniva {

// Asks the system to back the untouched pages of [data, data + bytes) with
// large pages where it can. Only a hint: nothing changes where it cannot.
void AdviseLargePages(const void* data, std::size_t bytes);

// Gives `buffer` room for `count` elements and advises large pages for the
// room not yet touched; what it holds stays.
template <typename T, typename Allocator>
void ReserveLarge(std::vector<T, Allocator>& buffer, std::size_t count) {
  if (buffer.capacity() >= count) return;
  buffer.reserve(count);
  AdviseLargePages(buffer.data() + buffer.size(), (buffer.capacity() - buffer.size()) * sizeof(T));
}

}  // namespace orniva
