#include "analysis/index_draws.h"

#include "math/simd_clones.h"

namespace orniva::analysis {

namespace {

constexpr std::size_t kShift = 156;  // the recurrence's middle word
constexpr std::uint64_t kUpper = 0xFFFFFFFF80000000ULL, kLower = 0x7FFFFFFFULL;
constexpr std::uint64_t kTwist = 0xB5026F5AA96619E9ULL;

// The recurrence's next word from word k (`word`), word k + 1 (`next`) and
// the word kShift on (`middle`).
inline std::uint64_t Twisted(std::uint64_t word, std::uint64_t next, std::uint64_t middle) {
  const std::uint64_t joined = (word & kUpper) | (next & kLower);
  return middle ^ (joined >> 1) ^ ((std::uint64_t(0) - (next & 1)) & kTwist);
}

inline std::uint64_t Tempered(std::uint64_t z) {
  z ^= (z >> 29) & 0x5555555555555555ULL;
  z ^= (z << 17) & 0x71D67FFFEDA60000ULL;
  z ^= (z << 37) & 0xFFF7EEE000000000ULL;
  return z ^ (z >> 43);
}

}  // namespace

BlockedMt64::BlockedMt64(std::uint64_t seed) {
  state_[0] = seed;
  for (std::size_t i = 1; i < kWords; ++i)
    state_[i] = 6364136223846793005ULL * (state_[i - 1] ^ (state_[i - 1] >> 62)) + i;
}

ORNIVA_AVX2_CLONES void BlockedMt64::Refill() {
  std::uint64_t* x = state_.data();
  for (std::size_t k = 0; k < kWords - kShift; ++k) x[k] = Twisted(x[k], x[k + 1], x[k + kShift]);
  for (std::size_t k = kWords - kShift; k < kWords - 1; ++k)
    x[k] = Twisted(x[k], x[k + 1], x[k + kShift - kWords]);
  x[kWords - 1] = Twisted(x[kWords - 1], x[0], x[kShift - 1]);
  for (std::size_t k = 0; k < kWords; ++k) outputs_[k] = Tempered(x[k]);
  next_ = 0;
}

}  // namespace orniva::analysis
