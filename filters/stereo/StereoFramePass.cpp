#include "StereoFramePass.h"

#include "ColumnInterleavePass.h"
#include "CpuDispatch.h"
#include "PixelBlock.h"
#include "StereoFrameChunks.h"

#include <cstring>

namespace {

using pixel_block::Blend;
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

void ComposeChunksPortable(std::uint8_t* out, const std::uint8_t* left, const std::uint8_t* right,
                           std::size_t firstChunk, std::size_t endChunk, unsigned bytesPerPixel,
                           const StereoChunkMasks& masks)
{
    for (std::size_t c = firstChunk; c < endChunk; ++c) {
        for (std::size_t k = 0; k < kStereoChunkBytes; k += 16) {
            const std::size_t at = c * kStereoChunkBytes + k;
            const pixel_block::Block odd = Load(masks.oddPixel + k);
            const auto cur = Blend(Load(left + at), Load(right + at), odd);
            const auto prev = Blend(Load(right + at - bytesPerPixel), Load(left + at - bytesPerPixel), odd);
            Store(out + at, Blend(cur, prev, Load(masks.green + k)));
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
