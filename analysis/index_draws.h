// Indices drawn at random the way the bootstrap fixes them, fast: the draws
// of std::uniform_int_distribution<std::size_t>(0, count - 1) from a
// std::mt19937_64 seeded by the seed, in order, the same numbers to the bit.
//
// The engine's state is twisted a whole block of 312 words at a time and
// tempered in bulk (loops the compiler runs several words to an
// instruction), then handed word by word to the library's own
// distribution, so its mapping to indices (and its rare rejections) is the
// library's.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <random>

namespace orniva::analysis {

// The outputs of std::mt19937_64(seed), made a block at a time.
class BlockedMt64 {
 public:
  using result_type = std::uint64_t;
  static constexpr result_type min() { return 0; }
  static constexpr result_type max() { return ~result_type(0); }

  explicit BlockedMt64(std::uint64_t seed);
  result_type operator()() {
    if (next_ == kWords) Refill();
    return outputs_[next_++];
  }

 private:
  static constexpr std::size_t kWords = 312;
  void Refill();

  std::array<std::uint64_t, kWords> state_{};
  std::array<std::uint64_t, kWords> outputs_{};
  std::size_t next_ = kWords;
};

class IndexDraws {
 public:
  IndexDraws(std::uint64_t seed, std::size_t count) : engine_(seed), pick_(0, count - 1) {}
  // The next `size` indices, in order.
  void Draw(std::uint32_t* out, std::size_t size) {
    for (std::size_t d = 0; d < size; ++d) out[d] = std::uint32_t(pick_(engine_));
  }

 private:
  BlockedMt64 engine_;
  std::uniform_int_distribution<std::size_t> pick_;
};

}  // namespace orniva::analysis
