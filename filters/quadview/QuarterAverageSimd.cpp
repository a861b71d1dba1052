#include "QuarterAverageSimd.h"

#include "QuarterAverage.h"

#if defined(OSTREL_QUAD_X86)

#include <algorithm>
#include <cstring>

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

// A 32-byte load from 4 bytes before pair `k` holds pair k in lane 0
// (bytes 4-15) and pair k + 1 in lane 1 (bytes 0-11).
__attribute__((target("avx2"))) __m256i PairSums(const std::uint8_t* p, __m256i pairs, __m256i ones)
{
    return _mm256_maddubs_epi16(_mm256_shuffle_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)), pairs),
                                ones);
}

} // namespace

// Output pixels per run of the forms below: a run first sums the pixel
// pairs of its stretch of the upper row into words, then those of the lower
// row, so each row is read front to back in one sweep. Reading both rows
// side by side instead runs at a third of the speed on large frames, whose
// rows then come from memory in two interleaved streams.
constexpr std::size_t kRunPixels = 2400;

// Four output pixels a step: source pixels 0-3 and 4-7 of each row.
__attribute__((target("ssse3"))) std::size_t AverageRgb24Ssse3(std::uint8_t* out, const std::uint8_t* upper,
                                                                 const std::uint8_t* lower, std::size_t outPixels)
{
    const __m128i pairs = _mm_setr_epi8(OSTREL_PAIR_BYTES);
    const __m128i packed = _mm_setr_epi8(OSTREL_PACKED_BYTES);
    const __m128i ones = _mm_set1_epi8(1);
    // A step at x reads source bytes 6x to 6x + 27 of each row and stores
    // output bytes 3x to 3x + 15; x = 4k with x + 6 <= outPixels.
    const std::size_t steps = outPixels < 6 ? 0 : (outPixels - 6) / 4 + 1;
    constexpr std::size_t kRunSteps = kRunPixels / 4;
    alignas(16) __m128i sums[2 * kRunSteps];
    for (std::size_t run = 0; run < steps; run += kRunSteps) {
        const std::size_t end = std::min(steps, run + kRunSteps);
        for (std::size_t k = run; k < end; ++k) {
            const std::uint8_t* u = upper + 24 * k;
            sums[2 * (k - run)] = PairSums(u, pairs, ones);
            sums[2 * (k - run) + 1] = PairSums(u + 12, pairs, ones);
        }
        for (std::size_t k = run; k < end; ++k) {
            const std::uint8_t* l = lower + 24 * k;
            const __m128i first = _mm_srli_epi16(_mm_add_epi16(sums[2 * (k - run)], PairSums(l, pairs, ones)), 2);
            const __m128i second =
                _mm_srli_epi16(_mm_add_epi16(sums[2 * (k - run) + 1], PairSums(l + 12, pairs, ones)), 2);
            const __m128i bytes = _mm_shuffle_epi8(_mm_packus_epi16(first, second), packed);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 12 * k), bytes);
        }
    }
    return 4 * steps;
}

// Eight output pixels a step, from two 32-byte loads per row. The loads
// start 4 bytes before their first pair, so the first two output pixels of
// a row come from the reference.
__attribute__((target("avx2"))) std::size_t AverageRgb24Avx2(std::uint8_t* out, const std::uint8_t* upper,
                                                               const std::uint8_t* lower, std::size_t outPixels)
{
    const __m256i pairs = _mm256_setr_epi8(4, 7, 5, 8, 6, 9, 10, 13, 11, 14, 12, 15, -1, -1, -1, -1, OSTREL_PAIR_BYTES);
    const __m256i packed = _mm256_setr_epi8(OSTREL_PACKED_BYTES, OSTREL_PACKED_BYTES);
    const __m256i order = _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 3, 7);
    const __m256i ones = _mm256_set1_epi8(1);
    // A step at x reads source bytes 6x - 4 to 6x + 51 of each row and
    // stores output bytes 3x to 3x + 31.
    if (outPixels < 13) return 0;
    AverageRowPairReference(out, upper, lower, 2, QuadPixelFormat::Rgb24);
    const std::size_t steps = (outPixels - 5) / 8;  // x = 2 + 8k with x + 11 <= outPixels
    alignas(32) __m256i sums[2 * (kRunPixels / 8)];
    for (std::size_t run = 0; run < steps; run += kRunPixels / 8) {
        const std::size_t end = std::min(steps, run + kRunPixels / 8);
        for (std::size_t k = run; k < end; ++k) {
            const std::uint8_t* u = upper + 6 * (2 + 8 * k) - 4;
            sums[2 * (k - run)] = PairSums(u, pairs, ones);
            sums[2 * (k - run) + 1] = PairSums(u + 24, pairs, ones);
        }
        for (std::size_t k = run; k < end; ++k) {
            const std::size_t x = 2 + 8 * k;
            const std::uint8_t* l = lower + 6 * x - 4;
            // Pairs x/2 and x/2 + 1, then x/2 + 2 and x/2 + 3.
            const __m256i first = _mm256_srli_epi16(_mm256_add_epi16(sums[2 * (k - run)], PairSums(l, pairs, ones)), 2);
            const __m256i second =
                _mm256_srli_epi16(_mm256_add_epi16(sums[2 * (k - run) + 1], PairSums(l + 24, pairs, ones)), 2);
            // Lanes in pixel order: pairs 0 and 1 in lane 0, 2 and 3 in lane 1.
            const __m256i low = _mm256_permute2x128_si256(first, second, 0x20);
            const __m256i high = _mm256_permute2x128_si256(first, second, 0x31);
            const __m256i bytes = _mm256_shuffle_epi8(_mm256_packus_epi16(low, high), packed);
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 3 * x), _mm256_permutevar8x32_epi32(bytes, order));
        }
    }
    return 2 + 8 * steps;
}

#define OSTREL_AVX512 __attribute__((target("avx512f,avx512bw,avx512vl,avx512vbmi")))

namespace {

// Ten output pixels take 60 source bytes of a row, so one 64-byte load at a
// pixel boundary holds a whole block: a byte permute puts the two bytes of
// each pair side by side and a multiply-add by ones sums them into 30 of
// the 32 words. Masked loads and stores keep every access inside the rows,
// so a row needs no scalar tail.
constexpr std::size_t kBlockPixels = 10;

OSTREL_AVX512 __m512i PairWords()
{
    alignas(64) std::uint8_t index[64];
    for (unsigned word = 0; word < 32; ++word) {
        const unsigned pixel = word / 3 % kBlockPixels, colour = word % 3;
        index[2 * word] = static_cast<std::uint8_t>(6 * pixel + colour);
        index[2 * word + 1] = static_cast<std::uint8_t>(6 * pixel + colour + 3);
    }
    return _mm512_load_si512(index);
}

// The low bytes of the 30 words of two blocks, one after the other.
OSTREL_AVX512 __m512i TwoBlocksLowBytes()
{
    alignas(64) std::uint8_t index[64];
    for (unsigned byte = 0; byte < 64; ++byte)
        index[byte] = static_cast<std::uint8_t>(byte < 30 ? 2 * byte : 64 + 2 * std::min(byte - 30, 29u));
    return _mm512_load_si512(index);
}

// Source bytes of the first `pixels` (at most 10) pixels of a block.
OSTREL_AVX512 __mmask64 SourceMask(std::size_t pixels)
{
    return _cvtu64_mask64((std::uint64_t{1} << (6 * pixels)) - 1);
}

OSTREL_AVX512 __m512i BlockSums(const std::uint8_t* row, std::size_t pixels, __m512i pairs, __m512i ones)
{
    const __m512i bytes = _mm512_maskz_loadu_epi8(SourceMask(pixels), row);
    return _mm512_maddubs_epi16(_mm512_maskz_permutexvar_epi8(~std::uint64_t{0}, pairs, bytes), ones);
}

// Output pixels of block `block` of a row of `outPixels`.
std::size_t PixelsOf(std::size_t block, std::size_t outPixels)
{
    return std::min(kBlockPixels, outPixels - kBlockPixels * block);
}

// Divides the sums of blocks `block` and `block` + 1 by 4 and stores their
// bytes, as far as the row goes.
OSTREL_AVX512 void StoreTwoBlocks(std::uint8_t* out, std::size_t block, std::size_t outPixels, __m512i first,
                                  __m512i second, __m512i lowBytes)
{
    const std::size_t pixels = std::min(2 * kBlockPixels, outPixels - kBlockPixels * block);
    const __m512i bytes =
        _mm512_permutex2var_epi8(_mm512_srli_epi16(first, 2), lowBytes, _mm512_srli_epi16(second, 2));
    _mm512_mask_storeu_epi8(out + 3 * kBlockPixels * block, _cvtu64_mask64((std::uint64_t{1} << (3 * pixels)) - 1),
                            bytes);
}

} // namespace

// Twenty output pixels a step, from two blocks of each row, in runs like
// the forms above: the measured cost of reading the rows side by side is
// the same here.
OSTREL_AVX512 std::size_t AverageRgb24Avx512(std::uint8_t* out, const std::uint8_t* upper, const std::uint8_t* lower,
                                              std::size_t outPixels)
{
    const __m512i pairs = PairWords();
    const __m512i lowBytes = TwoBlocksLowBytes();
    const __m512i ones = _mm512_set1_epi8(1);
    constexpr std::size_t kRunBlocks = kRunPixels / kBlockPixels;
    static_assert(kRunBlocks % 2 == 0, "a run holds whole steps");
    constexpr std::size_t kBlockBytes = 6 * kBlockPixels;
    alignas(64) __m512i sums[kRunBlocks];
    const std::size_t blocks = (outPixels + kBlockPixels - 1) / kBlockPixels;
    for (std::size_t run = 0; run < blocks; run += kRunBlocks) {
        const std::size_t end = std::min(blocks, run + kRunBlocks);
        for (std::size_t b = run; b < end; ++b)
            sums[b - run] = BlockSums(upper + kBlockBytes * b, PixelsOf(b, outPixels), pairs, ones);
        for (std::size_t b = run; b < end; b += 2) {
            const __m512i lowerSums = BlockSums(lower + kBlockBytes * b, PixelsOf(b, outPixels), pairs, ones);
            const __m512i first = _mm512_add_epi16(sums[b - run], lowerSums);
            const __m512i second =
                b + 1 < end ? _mm512_add_epi16(sums[b + 1 - run], BlockSums(lower + kBlockBytes * (b + 1),
                                                                              PixelsOf(b + 1, outPixels), pairs, ones))
                            : _mm512_setzero_si512();
            StoreTwoBlocks(out, b, outPixels, first, second, lowBytes);
        }
    }
    return outPixels;
}

#undef OSTREL_AVX512

// One field of every word of both rows, summed over the 2 x 2 block into
// the low word of each pixel pair's 32-bit lane (the sums fit 16 bits).
__attribute__((target("avx2"))) __m256i FieldSums(__m256i upper, __m256i lower)
{
    const __m256i rows = _mm256_add_epi16(upper, lower);
    return _mm256_add_epi16(rows, _mm256_srli_epi32(rows, 16));
}

namespace {

// Sixteen output pixels a step: the fields are taken apart in place (green
// stays at its position, its sum shifts back into it), summed, divided by
// 4 and put together again.
__attribute__((target("avx2"))) std::size_t AverageWordsSideBySide(std::uint8_t* out, const std::uint8_t* upper,
                                                                     const std::uint8_t* lower, std::size_t outPixels,
                                                                     bool rgb565)
{
    const int redShift = rgb565 ? 11 : 10;
    const __m128i redCount = _mm_cvtsi32_si128(redShift);
    const __m256i green = _mm256_set1_epi16(static_cast<short>(rgb565 ? 0x07E0 : 0x03E0));
    const __m256i fiveBits = _mm256_set1_epi16(0x1F);
    const __m256i lowWords = _mm256_set1_epi32(0xFFFF);
    std::size_t x = 0;
    // A step reads source bytes 4x to 4x + 63 of each row and stores output bytes 2x to 2x + 31.
    for (; x + 16 <= outPixels; x += 16) {
        __m256i halves[2];
        for (std::size_t h = 0; h < 2; ++h) {
            const __m256i u = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(upper + 4 * x + 32 * h));
            const __m256i l = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lower + 4 * x + 32 * h));
            const __m256i red = FieldSums(_mm256_and_si256(_mm256_srl_epi16(u, redCount), fiveBits),
                                          _mm256_and_si256(_mm256_srl_epi16(l, redCount), fiveBits));
            const __m256i greens = FieldSums(_mm256_and_si256(u, green), _mm256_and_si256(l, green));
            const __m256i blue = FieldSums(_mm256_and_si256(u, fiveBits), _mm256_and_si256(l, fiveBits));
            const __m256i word = _mm256_or_si256(
                _mm256_or_si256(_mm256_sll_epi16(_mm256_srli_epi16(red, 2), redCount),
                                _mm256_and_si256(_mm256_srli_epi16(greens, 2), green)),
                _mm256_srli_epi16(blue, 2));
            halves[h] = _mm256_and_si256(word, lowWords);
        }
        // Packing works per lane: pixels 0-3, 8-11 | 4-7, 12-15, put in order.
        const __m256i packed = _mm256_packus_epi32(halves[0], halves[1]);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 2 * x), _mm256_permute4x64_epi64(packed, 0xD8));
    }
    return x;
}

} // namespace

// The upper row's run is first copied into a buffer that stays in the
// first-level cache, so that the rows again come from memory one after the
// other (side by side, this form ran at two thirds of the RGB24 speed on
// 1080p frames of two thirds the size).
__attribute__((target("avx2"))) std::size_t AverageWordsAvx2(std::uint8_t* out, const std::uint8_t* upper,
                                                               const std::uint8_t* lower, std::size_t outPixels,
                                                               bool rgb565)
{
    static_assert(kRunPixels % 16 == 0, "a run holds whole steps");
    alignas(32) std::uint8_t staged[4 * kRunPixels];
    const std::size_t whole = outPixels / 16 * 16;
    for (std::size_t run = 0; run < whole; run += kRunPixels) {
        const std::size_t pixels = std::min(kRunPixels, whole - run);
        std::memcpy(staged, upper + 4 * run, 4 * pixels);
        AverageWordsSideBySide(out + 2 * run, staged, lower + 4 * run, pixels, rgb565);
    }
    return whole;
}

#undef OSTREL_PAIR_BYTES
#undef OSTREL_PACKED_BYTES

#endif
