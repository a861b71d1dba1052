#include "StereoFramePass.h"

#include "ColumnInterleavePass.h"
#include "CpuDispatch.h"
#include "PixelBlock.h"
#include "StereoFrameChunks.h"

#include <cstring>

namespace {

using pixel_block::Blend;
using pixel_block::Block;
using pixel_block::Load;
using pixel_block::Store;

constexpr std::uint16_t kGreen555 = 0x03E0;

constexpr StereoChunkMasks MasksFor(unsigned bytesPerPixel)
{
    StereoChunkMasks masks{};
    for (std::size_t i = 0; i < kStereoChunkBytes; ++i) {
        const std::size_t pixel = i / bytesPerPixel, byte = i % bytesPerPixel;
        masks.oddPixel[i] = pixel % 2 ? 0xFF : 0x00;
        if (bytesPerPixel == 3) masks.green[i] = byte == 1 ? 0xFF : 0x00;
        else masks.green[i] = static_cast<std::uint8_t>(byte == 0 ? kGreen555 & 0xFF : kGreen555 >> 8);
    }
    return masks;
}

constexpr StereoChunkMasks kRgb24Masks = MasksFor(3);
constexpr StereoChunkMasks kRgb555Masks = MasksFor(2);

const std::uint8_t* SourceOf(std::size_t pixel, const std::uint8_t* left, const std::uint8_t* right)
{
    return pixel % 2 ? right : left;
}

void ComposePixelsRgb24(std::uint8_t* out, const std::uint8_t* left, const std::uint8_t* right, std::size_t first,
                        std::size_t end)
{
    for (std::size_t p = first; p < end; ++p) {
        std::memcpy(out + 3 * p, SourceOf(p, left, right) + 3 * p, 3);
        out[3 * p + 1] = p == 0 ? 0 : SourceOf(p - 1, left, right)[3 * p - 2];
    }
}

std::uint16_t WordAt(const std::uint8_t* p)
{
    std::uint16_t word;
    std::memcpy(&word, p, 2);
    return word;
}

void ComposePixelsRgb555(std::uint8_t* out, const std::uint8_t* left, const std::uint8_t* right, std::size_t first,
                         std::size_t end)
{
    for (std::size_t p = first; p < end; ++p) {
        const std::uint16_t own = WordAt(SourceOf(p, left, right) + 2 * p);
        const std::uint16_t before = p == 0 ? 0 : WordAt(SourceOf(p - 1, left, right) + 2 * p - 2);
        const auto word = static_cast<std::uint16_t>((own & ~kGreen555) | (before & kGreen555));
        std::memcpy(out + 2 * p, &word, 2);
    }
}

void ComposePixels(std::uint8_t* out, const std::uint8_t* left, const std::uint8_t* right, std::size_t first,
                   std::size_t end, unsigned bytesPerPixel)
{
    if (bytesPerPixel == 3) ComposePixelsRgb24(out, left, right, first, end);
    else ComposePixelsRgb555(out, left, right, first, end);
}

// Bytes from `at` interleaved: the odd pixels' bytes from the right picture.
Block Interleave(const std::uint8_t* left, const std::uint8_t* right, std::size_t at, Block odd)
{
    return Blend(Load(left + at), Load(right + at), odd);
}

// 48 bytes repeat the pattern of both pixel sizes, few enough masks to stay
// in registers. Each output byte's neighbour is the interleave one pixel
// lower in memory, read again at that offset.
void ComposeChunksPortable(std::uint8_t* out, const std::uint8_t* left, const std::uint8_t* right,
                           std::size_t firstChunk, std::size_t endChunk, unsigned bytesPerPixel,
                           const StereoChunkMasks& masks)
{
    constexpr std::size_t kPeriod = 48, kBlocks = kPeriod / 16;
    static_assert(kStereoChunkBytes % kPeriod == 0);
    Block odd[kBlocks], green[kBlocks];
    for (std::size_t k = 0; k < kBlocks; ++k) {
        odd[k] = Load(masks.oddPixel + 16 * k);
        green[k] = Load(masks.green + 16 * k);
    }
    const std::size_t end = endChunk * kStereoChunkBytes;
    for (std::size_t at = firstChunk * kStereoChunkBytes; at < end; at += kPeriod) {
        for (std::size_t k = 0; k < kBlocks; ++k) {
            const std::size_t here = at + 16 * k, lower = here - bytesPerPixel;
            // One pixel lower the parity flips: the odd mask picks the left.
            const Block current = Interleave(left, right, here, odd[k]);
            const Block neighbour = Interleave(right, left, lower, odd[k]);
            Store(out + here, Blend(current, neighbour, green[k]));
        }
    }
}

// SSSE3 adds only shuffles, which this pass does not need: it keeps the
// portable blocks.
void ComposeChunks(std::uint8_t* out, const std::uint8_t* left, const std::uint8_t* right, std::size_t firstChunk,
                   std::size_t endChunk, unsigned bytesPerPixel)
{
    const StereoChunkMasks& masks = bytesPerPixel == 3 ? kRgb24Masks : kRgb555Masks;
#if defined(__x86_64__)
    if (ActiveInstructionSet() >= InstructionSet::Avx2) {
        ComposeStereoChunksAvx2(out, left, right, firstChunk, endChunk, bytesPerPixel, masks);
        return;
    }
#endif
    ComposeChunksPortable(out, left, right, firstChunk, endChunk, bytesPerPixel, masks);
}

} // namespace

void ComposeStereoFrame(std::uint8_t* out, const std::uint8_t* left, const std::uint8_t* right, std::size_t length,
                        unsigned bytesPerPixel)
{
    if (bytesPerPixel != 2 && bytesPerPixel != 3) {
        InterleaveColumns(out, left, right, length, bytesPerPixel);
        return;
    }
    const std::size_t pixels = length / bytesPerPixel;
    const std::size_t chunks = length / kStereoChunkBytes;
    std::size_t done = 0;
    if (chunks >= 2) {
        ComposePixels(out, left, right, 0, kStereoChunkBytes / bytesPerPixel, bytesPerPixel);
        ComposeChunks(out, left, right, 1, chunks, bytesPerPixel);
        done = chunks * kStereoChunkBytes / bytesPerPixel;
    }
    ComposePixels(out, left, right, done, pixels, bytesPerPixel);
    // Bytes short of a whole pixel come from the left picture, as in the
    // interleave, and have no green to take.
    const std::size_t whole = pixels * bytesPerPixel;
    if (whole < length) std::memcpy(out + whole, left + whole, length - whole);
}
