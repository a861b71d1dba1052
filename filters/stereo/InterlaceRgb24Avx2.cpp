#include "InterlaceRgb24Shuffle.h"

#if defined(__x86_64__)

#include "InterlaceRgb24ShuffleMasks.h"

#include <immintrin.h>

namespace {

// vpshufb shuffles within each 16-byte lane, so a 32-byte register does two
// 8-pair blocks side by side: the low lane pairs 0-7, the high lane 8-15.
constexpr std::size_t kLaneStride = 3 * kPairsPerBlock;

__m256i LoadLanes(const std::uint8_t* p)
{
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + kLaneStride));
    return _mm256_inserti128_si256(_mm256_castsi128_si256(low), high, 1);
}

__m256i LoadMask(const ShuffleMask& mask)
{
    return _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(mask.bytes)));
}

void Store(std::uint8_t* p, __m256i value) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), value); }

} // namespace

std::size_t InterleaveRgb24PairsAvx2(const std::uint8_t* left, const std::uint8_t* right, std::uint8_t* out,
                                     std::size_t pairs)
{
    const __m256i leftMask[3] = {LoadMask(kLeftMask[0]), LoadMask(kLeftMask[1]), LoadMask(kLeftMask[2])};
    const __m256i rightMask[3] = {LoadMask(kRightMask[0]), LoadMask(kRightMask[1]), LoadMask(kRightMask[2])};
    constexpr std::size_t kPairs = 2 * kPairsPerBlock;
    const std::size_t blocks = pairs / kPairs;
    for (std::size_t b = 0; b < blocks; ++b) {
        const std::uint8_t* l = left + 3 * kPairs * b;
        const std::uint8_t* r = right + 3 * kPairs * b;
        std::uint8_t* o = out + 6 * kPairs * b;
        // Every load before the first store: `right` may lie under `out`.
        const __m256i leftLoads[2] = {LoadLanes(l), LoadLanes(l + 8)};
        const __m256i rightLoads[2] = {LoadLanes(r), LoadLanes(r + 8)};
        __m256i part[3];  // output bytes 16k… in the low lane, 48+16k… in the high one
        for (int k = 0; k < 3; ++k)
            part[k] = _mm256_or_si256(_mm256_shuffle_epi8(leftLoads[kLeftLoad[k] / 8], leftMask[k]),
                                      _mm256_shuffle_epi8(rightLoads[kRightLoad[k] / 8], rightMask[k]));
        Store(o, _mm256_permute2x128_si256(part[0], part[1], 0x20));
        Store(o + 32, _mm256_permute2x128_si256(part[2], part[0], 0x30));
        Store(o + 64, _mm256_permute2x128_si256(part[1], part[2], 0x31));
    }
    return blocks * kPairs;
}

#endif
