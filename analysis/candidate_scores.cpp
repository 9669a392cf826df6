#include "analysis/candidate_scores.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace orniva::analysis {

namespace {

// Eight lanes of single precision, and their masks. Vectors of 32 bytes are
// passed by reference only: by value their calling convention depends on
// whether the processor's wide registers are enabled.
using Floats = float __attribute__((vector_size(32)));
using Ints = std::int32_t __attribute__((vector_size(32)));

constexpr float kPi = 3.14159265f;

// Every step is built into the scoring loop, whichever instructions it is
// compiled for.
#if defined(__GNUC__)
#define ORNIVA_INLINE inline __attribute__((always_inline))
#else
#define ORNIVA_INLINE inline
#endif
// exp(-87) is near the smallest normal float.
constexpr float kLowestExponent = -87;

ORNIVA_INLINE void Load(const float (&lanes)[8], Floats& out) {
  std::memcpy(&out, lanes, sizeof out);
}

ORNIVA_INLINE void Select(const Ints& mask, const Floats& yes, const Floats& no, Floats& out) {
  out = Floats(((Ints)yes & mask) | ((Ints)no & ~mask));
}

ORNIVA_INLINE void Absolute(const Floats& v, Floats& out) { out = Floats((Ints)v & 0x7fffffff); }

// atan(t) [rad] for 0 <= t <= 1: t times a polynomial in t^2, the
// Chebyshev series of atan(t) / t on that range truncated at degree 7
// (within 1.1e-7).
ORNIVA_INLINE void Arctangent(const Floats& t, Floats& out) {
  const Floats u = t * t;
  Floats p = -4.668773152e-03f * u + 2.416618913e-02f;
  p = p * u - 5.936710164e-02f;
  p = p * u + 9.906096756e-02f;
  p = p * u - 1.401658505e-01f;
  p = p * u + 1.996923536e-01f;
  p = p * u - 3.333196044e-01f;
  p = p * u + 9.999998808e-01f;
  out = t * p;
}

// exp(z) for kLowestExponent <= z <= 0: 2^k exp(f) with k the integer
// nearest z / ln 2 and |f| <= ln 2 / 2, exp(f) by its minimax polynomial.
ORNIVA_INLINE void Exponential(const Floats& z, Floats& out) {
  const Ints k = __builtin_convertvector(z * 1.44269504f - 0.5f, Ints);
  const Floats kf = __builtin_convertvector(k, Floats);
  const Floats f = z - kf * 0.693359375f + kf * 2.12194440e-4f;
  Floats p = 1.9875691500e-4f * f + 1.3981999507e-3f;
  p = p * f + 8.3334519073e-3f;
  p = p * f + 4.1665795894e-2f;
  p = p * f + 1.6666665459e-1f;
  p = p * f + 5.0000001201e-1f;
  out = (p * f * f + f + 1.0f) * Floats((k + 127) << 23);
}

// beta [rad] from the traction's parts along and across the slip: the
// arctangent of the smaller of their sizes over the larger, turned into
// the quadrant of (along, |across|).
ORNIVA_INLINE void MisfitAngle(const Floats& along, const Floats& across, Floats& out) {
  Floats x, y, low, high;
  Absolute(along, x);
  Absolute(across, y);
  const Ints steep = y > x;
  Select(steep, x, y, low);
  Select(steep, y, x, high);
  Arctangent(low / (high + 1e-30f), out);
  Select(steep, kPi / 2 - out, out, out);
  Select(along < 0, kPi - out, out, out);
}

// Adds each lane's weight exp(-beta^2 / (2 w^2)) over `block` to `sum`.
ORNIVA_INLINE void AddWeights(const CandidateScorer::Block& block, const Floats (&x)[5],
                              float factor, Floats& sum) {
  Floats along{}, across{}, a, b;
  for (int c = 0; c < 5; ++c) {
    Load(block.a[c], a);
    Load(block.b[c], b);
    along += a * x[c];
    across += b * x[c];
  }
  Floats beta, exponent, weight, valid;
  MisfitAngle(along, across, beta);
  exponent = beta * beta * factor;
  Select(exponent > kLowestExponent, exponent, Floats{} + kLowestExponent, exponent);
  Exponential(exponent, weight);
  Load(block.valid, valid);
  sum += weight * valid;
}

// The processor's wider instructions where it has them, chosen at load.
#if defined(__x86_64__) && defined(__GNUC__)
#define ORNIVA_WIDEST_INSTRUCTIONS __attribute__((target_clones("arch=x86-64-v3", "default")))
#else
#define ORNIVA_WIDEST_INSTRUCTIONS
#endif

// Blocks summed in single precision before their sums join the total.
constexpr std::size_t kBlocksPerSum = 64;

// The scores of `Count` candidates, block by block: each candidate's sum
// runs as it would alone, while their chains of arithmetic overlap.
template <std::size_t Count>
ORNIVA_INLINE void ScoreGroup(const CandidateScorer::Block* blocks, std::size_t blockCount,
                              float factor, const CandidateTensor* candidates, double* scores) {
  Floats x[Count][5];
  for (std::size_t i = 0; i < Count; ++i)
    for (std::size_t c = 0; c < 5; ++c) x[i][c] = Floats{} + candidates[i][c];
  double total[Count] = {};
  for (std::size_t first = 0; first < blockCount; first += kBlocksPerSum) {
    Floats sum[Count] = {};
    for (std::size_t k = first; k < std::min(blockCount, first + kBlocksPerSum); ++k)
      for (std::size_t i = 0; i < Count; ++i) AddWeights(blocks[k], x[i], factor, sum[i]);
    for (std::size_t i = 0; i < Count; ++i)
      for (int lane = 0; lane < 8; ++lane) total[i] += sum[i][lane];
  }
  for (std::size_t i = 0; i < Count; ++i) scores[i] = total[i];
}

constexpr std::size_t kGroup = 4;

ORNIVA_WIDEST_INSTRUCTIONS
void ScoreAll(const CandidateScorer::Block* blocks, std::size_t blockCount, float factor,
              const CandidateTensor* candidates, std::size_t count, double* scores) {
  std::size_t i = 0;
  for (; i + kGroup <= count; i += kGroup)
    ScoreGroup<kGroup>(blocks, blockCount, factor, candidates + i, scores + i);
  for (; i < count; ++i) ScoreGroup<1>(blocks, blockCount, factor, candidates + i, scores + i);
}

}  // namespace

CandidateScorer::CandidateScorer(const std::vector<FaultSlip>& faults, double width)
    : blocks_((faults.size() + 7) / 8),
      negativeHalfInverseWidthSquared_(float(-1 / (2 * std::pow(width * M_PI / 180, 2)))) {
  std::memset(blocks_.data(), 0, blocks_.size() * sizeof(Block));
  for (std::size_t i = 0; i < faults.size(); ++i) {
    Block& block = blocks_[i / 8];
    const std::size_t lane = i % 8;
    const math::Vector3d across = math::Cross(faults[i].n, faults[i].s);
    for (std::size_t c = 0; c < 5; ++c) {
      std::array<double, 5> unit{};
      unit[c] = 1;
      const math::Vector3d tau = ShearTraction(unit, faults[i].n);
      block.a[c][lane] = float(math::Dot(faults[i].s, tau));
      block.b[c][lane] = float(math::Dot(across, tau));
    }
    block.valid[lane] = 1;
  }
}

void CandidateScorer::Score(const CandidateTensor* candidates, std::size_t count,
                            double* scores) const {
  ScoreAll(blocks_.data(), blocks_.size(), negativeHalfInverseWidthSquared_, candidates, count,
           scores);
}

}  // namespace orniva::analysis
