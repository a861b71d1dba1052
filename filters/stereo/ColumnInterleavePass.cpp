#include "ColumnInterleavePass.h"

#include "PixelBlock.h"

#include <cstring>

namespace {

using pixel_block::Blend;
using pixel_block::Block;
using pixel_block::Load;
using pixel_block::Store;

// 48 bytes hold a whole, even number of pixels of 2, 3 or 4 bytes, so the
// pattern of odd positions is the same in every chunk.
constexpr std::size_t kChunk = 48;

struct OddMask {
    Block part[3];
};

OddMask MaskFor(unsigned bytesPerPixel)
{
    std::uint8_t bytes[kChunk];
    for (std::size_t i = 0; i < kChunk; ++i) bytes[i] = (i / bytesPerPixel) % 2 ? 0xFF : 0x00;
    return {{Load(bytes), Load(bytes + 16), Load(bytes + 32)}};
}

void InterleaveChunks(std::uint8_t* out, const std::uint8_t* left, const std::uint8_t* right, std::size_t chunks,
                      const OddMask& mask)
{
    for (std::size_t c = 0; c < chunks; ++c) {
        const std::size_t at = c * kChunk;
        for (int k = 0; k < 3; ++k) {
            const std::size_t offset = at + 16 * static_cast<std::size_t>(k);
            Store(out + offset, Blend(Load(left + offset), Load(right + offset), mask.part[k]));
        }
    }
}

} // namespace

void InterleaveColumns(std::uint8_t* out, const std::uint8_t* left, const std::uint8_t* right, std::size_t length,
                       unsigned bytesPerPixel)
{
    if (length == 0) return;
    if (bytesPerPixel == 0) {
        std::memcpy(out, left, length);
        return;
    }
    std::size_t done = 0;
    if (kChunk % (2 * bytesPerPixel) == 0) {
        const std::size_t chunks = length / kChunk;
        InterleaveChunks(out, left, right, chunks, MaskFor(bytesPerPixel));
        done = chunks * kChunk;
    }
    // Chunks end on an even pixel, so the rest starts on a left pixel.
    const std::size_t pixels = length / bytesPerPixel;
    for (std::size_t p = done / bytesPerPixel; p < pixels; ++p) {
        const std::uint8_t* from = p % 2 ? right : left;
        std::memcpy(out + p * bytesPerPixel, from + p * bytesPerPixel, bytesPerPixel);
    }
    const std::size_t whole = pixels * bytesPerPixel;
    if (whole < length) std::memcpy(out + whole, left + whole, length - whole);
}
