// The block part of the fused Stereo Display pass, shared by its portable
// and AVX2 versions. The run is cut into chunks of 96 bytes, a whole and
// even number of pixels of 2 or 3 bytes, so every chunk has the same pattern
// of odd pixels and green bits and one set of masks serves them all.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::size_t kStereoChunkBytes = 96;

struct StereoChunkMasks {
    std::uint8_t oddPixel[kStereoChunkBytes];  // 0xFF in the bytes of odd pixels
    std::uint8_t green[kStereoChunkBytes];     // the green bits of every pixel
};

// For each output byte: cur = (odd pixel ? right : left) at the byte,
// prev = the same choice for the pixel before, one pixel lower in memory,
// and the result takes the green bits from prev, the rest from cur. Chunk
// 0 is left to the caller: its first pixel has no pixel before it.
#if defined(__x86_64__)
void ComposeStereoChunksAvx2(std::uint8_t* out, const std::uint8_t* left, const std::uint8_t* right,
                             std::size_t firstChunk, std::size_t endChunk, unsigned bytesPerPixel,
                             const StereoChunkMasks& masks);
#endif
