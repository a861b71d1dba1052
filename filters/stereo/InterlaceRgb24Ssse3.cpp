#include "InterlaceRgb24Shuffle.h"

#if defined(__x86_64__)

#include "InterlaceRgb24ShuffleMasks.h"

#include <immintrin.h>

namespace {

__m128i LoadBlock(const std::uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }

__m128i LoadMask(const ShuffleMask& mask) { return LoadBlock(mask.bytes); }

} // namespace

std::size_t InterleaveRgb24PairsSsse3(const std::uint8_t* left, const std::uint8_t* right, std::uint8_t* out,
                                      std::size_t pairs)
{
    const __m128i leftMask[3] = {LoadMask(kLeftMask[0]), LoadMask(kLeftMask[1]), LoadMask(kLeftMask[2])};
    const __m128i rightMask[3] = {LoadMask(kRightMask[0]), LoadMask(kRightMask[1]), LoadMask(kRightMask[2])};
    const std::size_t blocks = pairs / kPairsPerBlock;
    for (std::size_t b = 0; b < blocks; ++b) {
        const std::uint8_t* l = left + 3 * kPairsPerBlock * b;
        const std::uint8_t* r = right + 3 * kPairsPerBlock * b;
        std::uint8_t* o = out + 6 * kPairsPerBlock * b;
        // Every load before the first store: `right` may lie under `out`.
        const __m128i leftLoads[2] = {LoadBlock(l), LoadBlock(l + 8)};
        const __m128i rightLoads[2] = {LoadBlock(r), LoadBlock(r + 8)};
        for (int k = 0; k < 3; ++k) {
            const __m128i block = _mm_or_si128(_mm_shuffle_epi8(leftLoads[kLeftLoad[k] / 8], leftMask[k]),
                                               _mm_shuffle_epi8(rightLoads[kRightLoad[k] / 8], rightMask[k]));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 16 * k), block);
        }
    }
    return blocks * kPairsPerBlock;
}

#endif
