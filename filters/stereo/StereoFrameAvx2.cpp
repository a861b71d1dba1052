#include "StereoFrameChunks.h"

#if defined(__x86_64__)

#include <immintrin.h>

namespace {

constexpr std::size_t kVectors = kStereoChunkBytes / 32;

__m256i Load(const std::uint8_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }

// Pixel boundaries are byte boundaries, so the odd-pixel mask is whole bytes.
__m256i Interleave(const std::uint8_t* left, const std::uint8_t* right, std::size_t at, __m256i odd)
{
    return _mm256_blendv_epi8(Load(left + at), Load(right + at), odd);
}

// The interleaved bytes one pixel lower in memory: the last pixel of
// `before` followed by all of `current` but its last pixel. Each output
// byte's neighbour is in there, which saves loading both pictures again at
// an offset.
template <int kBytesPerPixel>
__m256i OnePixelLower(__m256i before, __m256i current)
{
    const __m256i straddle = _mm256_permute2x128_si256(before, current, 0x21);
    return _mm256_alignr_epi8(current, straddle, 16 - kBytesPerPixel);
}

template <int kBytesPerPixel>
void ComposeChunks(std::uint8_t* out, const std::uint8_t* left, const std::uint8_t* right, std::size_t firstChunk,
                   std::size_t endChunk, const StereoChunkMasks& masks)
{
    __m256i odd[kVectors], green[kVectors];
    for (std::size_t k = 0; k < kVectors; ++k) {
        odd[k] = Load(masks.oddPixel + 32 * k);
        green[k] = Load(masks.green + 32 * k);
    }
    // The chunk before the first ends like every chunk.
    __m256i before = Interleave(left, right, firstChunk * kStereoChunkBytes - 32, odd[kVectors - 1]);
    for (std::size_t c = firstChunk; c < endChunk; ++c) {
        for (std::size_t k = 0; k < kVectors; ++k) {
            const std::size_t at = c * kStereoChunkBytes + 32 * k;
            const __m256i current = Interleave(left, right, at, odd[k]);
            const __m256i lower = OnePixelLower<kBytesPerPixel>(before, current);
            // Green in RGB555 is not whole bytes: a bitwise blend.
            const __m256i result =
                _mm256_xor_si256(current, _mm256_and_si256(_mm256_xor_si256(current, lower), green[k]));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + at), result);
            before = current;
        }
    }
}

} // namespace

void ComposeStereoChunksAvx2(std::uint8_t* out, const std::uint8_t* left, const std::uint8_t* right,
                             std::size_t firstChunk, std::size_t endChunk, unsigned bytesPerPixel,
                             const StereoChunkMasks& masks)
{
    if (bytesPerPixel == 3) ComposeChunks<3>(out, left, right, firstChunk, endChunk, masks);
    else ComposeChunks<2>(out, left, right, firstChunk, endChunk, masks);
}

#endif
