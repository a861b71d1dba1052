#include "QuarterAverageSimd.h"

#if defined(OSTREL_QUAD_X86)

#include <immintrin.h>

// Both paths work on pixel pairs: a shuffle puts the same colour byte of
// the two pixels of a pair side by side, a multiply-add by ones sums each
// pair into 16 bits, the two rows are added and the sums divided by 4.
// A 16-byte lane holds two pairs (12 source bytes) and gives six output
// bytes in eight 16-bit sums, the last two of them zero.

namespace {

// Source bytes of two pixel pairs as (byte of pixel 2p, same byte of
// pixel 2p + 1) side by side; -1 gives 0.
#define OSTREL_PAIR_BYTES 0, 3, 1, 4, 2, 5, 6, 9, 7, 10, 8, 11, -1, -1, -1, -1
// The six output bytes of each half of a lane, packed to the front.
#define OSTREL_PACKED_BYTES 0, 1, 2, 3, 4, 5, 8, 9, 10, 11, 12, 13, -1, -1, -1, -1

__attribute__((target("ssse3"))) __m128i PairSums(const std::uint8_t* p, __m128i pairs, __m128i ones)
{
    return _mm_maddubs_epi16(_mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), pairs), ones);
}

// Lane 0 from `p`, lane 1 from 24 bytes (two pairs of pairs) further.
__attribute__((target("avx2"))) __m256i PairSums(const std::uint8_t* p, __m256i pairs, __m256i ones)
{
    const __m256i lanes =
        _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))),
                                _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 24)), 1);
    return _mm256_maddubs_epi16(_mm256_shuffle_epi8(lanes, pairs), ones);
}

} // namespace

// Four output pixels a step: source pixels 0-3 and 4-7 of each row.
__attribute__((target("ssse3"))) std::size_t AverageRgb24Ssse3(std::uint8_t* out, const std::uint8_t* upper,
                                                                 const std::uint8_t* lower, std::size_t outPixels)
{
    const __m128i pairs = _mm_setr_epi8(OSTREL_PAIR_BYTES);
    const __m128i packed = _mm_setr_epi8(OSTREL_PACKED_BYTES);
    const __m128i ones = _mm_set1_epi8(1);
    std::size_t x = 0;
    // A step reads 28 source bytes of each row and stores 16 output bytes.
    for (; x + 6 <= outPixels; x += 4) {
        const std::uint8_t* u = upper + 6 * x;
        const std::uint8_t* l = lower + 6 * x;
        const __m128i first = _mm_srli_epi16(_mm_add_epi16(PairSums(u, pairs, ones), PairSums(l, pairs, ones)), 2);
        const __m128i second = _mm_srli_epi16(_mm_add_epi16(PairSums(u + 12, pairs, ones), PairSums(l + 12, pairs, ones)), 2);
        const __m128i bytes = _mm_shuffle_epi8(_mm_packus_epi16(first, second), packed);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 3 * x), bytes);
    }
    return x;
}

// Eight output pixels a step. The lanes of one register take source pixels
// 0-3 and 8-11, of the other 4-7 and 12-15, so that after packing each lane
// holds four consecutive output pixels.
__attribute__((target("avx2"))) std::size_t AverageRgb24Avx2(std::uint8_t* out, const std::uint8_t* upper,
                                                               const std::uint8_t* lower, std::size_t outPixels)
{
    const __m256i pairs = _mm256_setr_epi8(OSTREL_PAIR_BYTES, OSTREL_PAIR_BYTES);
    const __m256i packed = _mm256_setr_epi8(OSTREL_PACKED_BYTES, OSTREL_PACKED_BYTES);
    const __m256i order = _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 3, 7);
    const __m256i ones = _mm256_set1_epi8(1);
    std::size_t x = 0;
    // A step reads 52 source bytes of each row and stores 32 output bytes.
    for (; x + 11 <= outPixels; x += 8) {
        const std::uint8_t* u = upper + 6 * x;
        const std::uint8_t* l = lower + 6 * x;
        const __m256i first = _mm256_srli_epi16(_mm256_add_epi16(PairSums(u, pairs, ones), PairSums(l, pairs, ones)), 2);
        const __m256i second = _mm256_srli_epi16(_mm256_add_epi16(PairSums(u + 12, pairs, ones), PairSums(l + 12, pairs, ones)), 2);
        const __m256i bytes = _mm256_shuffle_epi8(_mm256_packus_epi16(first, second), packed);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 3 * x), _mm256_permutevar8x32_epi32(bytes, order));
    }
    return x;
}

#undef OSTREL_PAIR_BYTES
#undef OSTREL_PACKED_BYTES

#endif
