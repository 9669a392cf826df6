// Loops compiled twice, for processors with AVX2 and for any other, the copy
// chosen when the program starts (GCC on x86-64 ELF systems; one copy
// elsewhere). Only integer and separate multiply and add instructions are
// used in either copy (no fused multiply-add), so both give the same bits.
#pragma once

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__ELF__) && \
    !defined(__SANITIZE_ADDRESS__)
#define ORNIVA_AVX2_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define ORNIVA_AVX2_CLONES
#endif
