// The block part of the fused Stereo Display pass, done with AVX2. The
// pattern of odd pixels and green bits repeats every 96 bytes (a whole, even
// number of pixels of 2 or 3 bytes), so one set of masks, rotated to where
// the blocks start, serves a whole range.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::size_t kStereoPeriodBytes = 96;

// Masks for blocks starting at a byte offset `phase` (mod 96) of the run.
struct StereoBlockMasks {
    std::uint8_t oddPixel[kStereoPeriodBytes];  // 0xFF in the bytes of odd pixels
    std::uint8_t green[kStereoPeriodBytes];     // the green bits of every pixel
};

// For each output byte of [begin, end): cur = (odd pixel ? right : left) at
// the byte, prev = the same byte of the interleave one pixel lower in
// memory, and the result takes the green bits from prev, the rest from cur.
// The caller keeps begin >= 96 (so the pixel before exists) and end - begin
// a multiple of 96.
#if defined(__x86_64__)
// Needs out + begin on a 32-byte boundary; `stream` stores the output past
// the caches.
void ComposeStereoBlocksAvx2(std::uint8_t* out, const std::uint8_t* left, const std::uint8_t* right,
                             std::size_t begin, std::size_t end, unsigned bytesPerPixel,
                             const StereoBlockMasks& masks, bool stream);
#endif
