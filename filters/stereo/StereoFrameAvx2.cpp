#include "StereoFrameChunks.h"

#if defined(__x86_64__)

#include <immintrin.h>

namespace {

constexpr std::size_t kLanes = kStereoChunkBytes / 32;

__m256i Load(const std::uint8_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }

} // namespace

void ComposeStereoChunksAvx2(std::uint8_t* out, const std::uint8_t* left, const std::uint8_t* right,
                             std::size_t firstChunk, std::size_t endChunk, unsigned bytesPerPixel,
                             const StereoChunkMasks& masks)
{
    __m256i odd[kLanes], green[kLanes];
    for (std::size_t k = 0; k < kLanes; ++k) {
        odd[k] = Load(masks.oddPixel + 32 * k);
        green[k] = Load(masks.green + 32 * k);
    }
    for (std::size_t c = firstChunk; c < endChunk; ++c) {
        for (std::size_t k = 0; k < kLanes; ++k) {
            const std::size_t at = c * kStereoChunkBytes + 32 * k;
            // Pixel boundaries are byte boundaries, so the odd mask is whole
            // bytes; green in RGB555 is not, hence the bitwise blend.
            const __m256i cur = _mm256_blendv_epi8(Load(left + at), Load(right + at), odd[k]);
            const __m256i prev =
                _mm256_blendv_epi8(Load(right + at - bytesPerPixel), Load(left + at - bytesPerPixel), odd[k]);
            const __m256i result = _mm256_xor_si256(cur, _mm256_and_si256(_mm256_xor_si256(cur, prev), green[k]));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + at), result);
        }
    }
}

#endif
