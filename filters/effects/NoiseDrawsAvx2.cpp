#include "NoiseDraws.h"

#if defined(__x86_64__)

#include <immintrin.h>

namespace {

// The generator of NoiseRandom, stepped 1 .. 8 times at once: x_{n+k} =
// A_k x_n + C_k, with A_k = a^k and C_k = c (a^(k−1) + … + 1), modulo 2^32.
constexpr std::uint32_t kA = 1103515245u, kC = 12345u;

struct Jump {
    std::uint32_t a, c;
};

constexpr Jump JumpOf(int k)
{
    Jump j{1, 0};
    for (int i = 0; i < k; ++i) j = {j.a * kA, j.c * kA + kC};
    return j;
}

constexpr Jump kJump[9] = {JumpOf(0), JumpOf(1), JumpOf(2), JumpOf(3), JumpOf(4),
                           JumpOf(5), JumpOf(6), JumpOf(7), JumpOf(8)};

} // namespace

void DrawNoiseAvx2(NoiseDraws& draws, std::uint32_t state, const NoiseDrawing& drawing)
{
    // Lane k holds draw k + 1 of each eight.
    const __m256i firstA = _mm256_setr_epi32(
        static_cast<int>(kJump[1].a), static_cast<int>(kJump[2].a), static_cast<int>(kJump[3].a),
        static_cast<int>(kJump[4].a), static_cast<int>(kJump[5].a), static_cast<int>(kJump[6].a),
        static_cast<int>(kJump[7].a), static_cast<int>(kJump[8].a));
    const __m256i firstC = _mm256_setr_epi32(
        static_cast<int>(kJump[1].c), static_cast<int>(kJump[2].c), static_cast<int>(kJump[3].c),
        static_cast<int>(kJump[4].c), static_cast<int>(kJump[5].c), static_cast<int>(kJump[6].c),
        static_cast<int>(kJump[7].c), static_cast<int>(kJump[8].c));
    const __m256i eightA = _mm256_set1_epi32(static_cast<int>(kJump[8].a));
    const __m256i eightC = _mm256_set1_epi32(static_cast<int>(kJump[8].c));
    const __m256i valueMask = _mm256_set1_epi32(32767), one = _mm256_set1_epi32(1);
    const __m256 gapScale = _mm256_set1_ps(drawing.gapScale), unit = _mm256_set1_ps(drawing.unit);
    const __m256 depth = _mm256_set1_ps(drawing.depth), full = _mm256_set1_ps(1.0f);
    __m256i states = _mm256_add_epi32(_mm256_mullo_epi32(_mm256_set1_epi32(static_cast<int>(state)), firstA), firstC);
    for (std::size_t i = 0; i < NoiseDraws::kCount; i += 8) {
        const __m256i values = _mm256_and_si256(_mm256_srli_epi32(states, 16), valueMask);
        const __m256 real = _mm256_cvtepi32_ps(values);
        // Separate multiplications, never fused: the products must round as single ones do.
        const __m256i gaps = _mm256_max_epi32(_mm256_cvttps_epi32(_mm256_mul_ps(real, gapScale)), one);
        const __m256 factors = _mm256_sub_ps(full, _mm256_mul_ps(_mm256_mul_ps(real, unit), depth));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(draws.value + i), values);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(draws.gap + i), gaps);
        _mm256_storeu_ps(draws.factor + i, factors);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(draws.state + i), states);
        states = _mm256_add_epi32(_mm256_mullo_epi32(states, eightA), eightC);
    }
}

#else

void DrawNoiseAvx2(NoiseDraws&, std::uint32_t, const NoiseDrawing&) {}

#endif
