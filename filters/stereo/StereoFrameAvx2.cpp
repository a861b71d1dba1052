#include "StereoFrameBlocks.h"

#if defined(__x86_64__)

#include <immintrin.h>

namespace {

constexpr std::size_t kVectors = kStereoPeriodBytes / 32;

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

template <int kBytesPerPixel, bool kStream>
void ComposeBlocks(std::uint8_t* out, const std::uint8_t* left, const std::uint8_t* right, std::size_t begin,
                   std::size_t end, const StereoBlockMasks& masks)
{
    __m256i odd[kVectors], green[kVectors];
    for (std::size_t k = 0; k < kVectors; ++k) {
        odd[k] = Load(masks.oddPixel + 32 * k);
        green[k] = Load(masks.green + 32 * k);
    }
    // The 32 bytes before `begin` have the phase of the period's last vector.
    __m256i before = Interleave(left, right, begin - 32, odd[kVectors - 1]);
    for (std::size_t at = begin; at < end; at += kStereoPeriodBytes) {
        for (std::size_t k = 0; k < kVectors; ++k) {
            const std::size_t here = at + 32 * k;
            const __m256i current = Interleave(left, right, here, odd[k]);
            const __m256i lower = OnePixelLower<kBytesPerPixel>(before, current);
            // Green in RGB555 is not whole bytes: a bitwise blend.
            const __m256i result =
                _mm256_xor_si256(current, _mm256_and_si256(_mm256_xor_si256(current, lower), green[k]));
            if constexpr (kStream) _mm256_stream_si256(reinterpret_cast<__m256i*>(out + here), result);
            else _mm256_store_si256(reinterpret_cast<__m256i*>(out + here), result);
            before = current;
        }
    }
    // Streamed stores are not ordered with later ones: fence them before
    // the caller unlocks the frame for another thread.
    if constexpr (kStream) _mm_sfence();
}

} // namespace

void ComposeStereoBlocksAvx2(std::uint8_t* out, const std::uint8_t* left, const std::uint8_t* right,
                             std::size_t begin, std::size_t end, unsigned bytesPerPixel,
                             const StereoBlockMasks& masks, bool stream)
{
    if (bytesPerPixel == 3) {
        if (stream) ComposeBlocks<3, true>(out, left, right, begin, end, masks);
        else ComposeBlocks<3, false>(out, left, right, begin, end, masks);
    } else {
        if (stream) ComposeBlocks<2, true>(out, left, right, begin, end, masks);
        else ComposeBlocks<2, false>(out, left, right, begin, end, masks);
    }
}

#endif
