#include "StereoFramePass.h"

#include "ColumnInterleavePass.h"
#include "CpuDispatch.h"
#include "GreenShiftPass.h"
#include "PixelGreen.h"
#include "StereoFrameBlocks.h"

#include <algorithm>
#include <cstring>

namespace {

#if defined(__x86_64__)

using pixel_green::kGreen555;

// The green bits of byte `byte` of a pixel.
std::uint8_t GreenBits(unsigned bytesPerPixel, std::size_t byte)
{
    if (bytesPerPixel == 3) return byte == 1 ? 0xFF : 0x00;
    return static_cast<std::uint8_t>(byte == 0 ? kGreen555 & 0xFF : kGreen555 >> 8);
}

StereoBlockMasks MasksFor(unsigned bytesPerPixel, std::size_t phase)
{
    StereoBlockMasks masks{};
    for (std::size_t i = 0; i < kStereoPeriodBytes; ++i) {
        const std::size_t at = phase + i;
        masks.oddPixel[i] = (at / bytesPerPixel) % 2 ? 0xFF : 0x00;
        masks.green[i] = GreenBits(bytesPerPixel, at % bytesPerPixel);
    }
    return masks;
}

// Byte by byte, for the few bytes around the blocks.
void ComposeBytes(std::uint8_t* out, const std::uint8_t* left, const std::uint8_t* right, std::size_t first,
                  std::size_t end, unsigned bytesPerPixel)
{
    std::size_t pixel = first / bytesPerPixel, byte = first % bytesPerPixel;
    for (std::size_t i = first; i < end; ++i) {
        const std::uint8_t own = (pixel % 2 ? right : left)[i];
        const std::uint8_t before = pixel == 0 ? 0 : (pixel % 2 ? left : right)[i - bytesPerPixel];
        const std::uint8_t green = GreenBits(bytesPerPixel, byte);
        out[i] = static_cast<std::uint8_t>((own & ~green) | (before & green));
        if (++byte == bytesPerPixel) byte = 0, ++pixel;
    }
}

struct BlockRange {
    std::size_t begin = 0, end = 0;
};

// Blocks start after the first period, where every byte has a pixel
// before it, on the 32-byte output boundary streaming stores need.
BlockRange BlocksWithin(const std::uint8_t* out, std::size_t whole)
{
    constexpr std::size_t kAlignment = 32;
    const auto address = reinterpret_cast<std::uintptr_t>(out) + kStereoPeriodBytes;
    const std::size_t begin = kStereoPeriodBytes + (kAlignment - address % kAlignment) % kAlignment;
    if (whole < begin + kStereoPeriodBytes) return {};
    return {begin, begin + (whole - begin) / kStereoPeriodBytes * kStereoPeriodBytes};
}

// Composes the blocks within the first `whole` bytes and returns where they
// lie. They stream their output past the caches when the two pictures and
// the output would not stay there anyway.
BlockRange ComposeBlocks(std::uint8_t* out, const std::uint8_t* left, const std::uint8_t* right, std::size_t whole,
                         unsigned bytesPerPixel)
{
    const BlockRange blocks = BlocksWithin(out, whole);
    if (blocks.end > blocks.begin)
        ComposeStereoBlocksAvx2(out, left, right, blocks.begin, blocks.end, bytesPerPixel,
                                MasksFor(bytesPerPixel, blocks.begin), StreamsPastCaches(3 * whole));
    return blocks;
}

void ComposeFused(std::uint8_t* out, const std::uint8_t* left, const std::uint8_t* right, std::size_t length,
                  unsigned bytesPerPixel)
{
    const std::size_t whole = length / bytesPerPixel * bytesPerPixel;
    const BlockRange blocks = ComposeBlocks(out, left, right, whole, bytesPerPixel);
    ComposeBytes(out, left, right, 0, blocks.begin, bytesPerPixel);
    ComposeBytes(out, left, right, blocks.end, whole, bytesPerPixel);
    // Bytes short of a whole pixel come from the left picture, as in the
    // interleave, and have no green to take.
    if (whole < length) std::memcpy(out + whole, left + whole, length - whole);
}

#endif

} // namespace

// Fused, the AVX2 blocks need about half the time of the two passes over a
// frame. Blocks of 16 bytes gain nothing from the fusion (they need twice the
// loads and more operations per byte), so other instruction sets keep the
// two passes.
void ComposeStereoFrame(std::uint8_t* out, const std::uint8_t* left, const std::uint8_t* right, std::size_t length,
                        unsigned bytesPerPixel)
{
#if defined(__x86_64__)
    if ((bytesPerPixel == 2 || bytesPerPixel == 3) && ActiveInstructionSet() >= InstructionSet::Avx2) {
        ComposeFused(out, left, right, length, bytesPerPixel);
        return;
    }
#endif
    InterleaveColumns(out, left, right, length, bytesPerPixel);
    ShiftGreen(out, length, bytesPerPixel);
}

// Counted from the bottom-left pixel, the parity of the pixel at run index i
// of a top-down frame is that of i + (rows - 1) * pixelsPerRow: with an odd
// number of pixels per row and an even number of rows the two pictures trade
// places. The first pixels of the rows are mended from the pictures
// afterwards: the green each needs is the interleave's at the end of the
// row below, which the pictures still hold.
void ComposeStereoFrameTopDown(std::uint8_t* out, const std::uint8_t* left, const std::uint8_t* right,
                               std::size_t length, unsigned bytesPerPixel, std::size_t rowBytes, std::size_t rows)
{
    if (bytesPerPixel == 0 || rowBytes == 0 || rowBytes % bytesPerPixel != 0) {
        ComposeStereoFrame(out, left, right, length, bytesPerPixel);
        return;
    }
    rows = std::min(rows, length / rowBytes);
    const std::size_t pixelsPerRow = rowBytes / bytesPerPixel;
    const bool traded = rows > 0 && (rows - 1) * pixelsPerRow % 2 == 1;
    const std::uint8_t* even = traded ? right : left;
    const std::uint8_t* odd = traded ? left : right;
    ComposeStereoFrame(out, even, odd, length, bytesPerPixel);
    if ((bytesPerPixel != 2 && bytesPerPixel != 3) || rows == 0) return;
    for (std::size_t row = 0; row + 1 < rows; ++row) {
        const std::size_t source = (row + 2) * pixelsPerRow - 1;  // last pixel of the row below
        const std::uint8_t* picture = source % 2 ? odd : even;
        pixel_green::Set(out + row * rowBytes, bytesPerPixel, pixel_green::Get(picture + source * bytesPerPixel, bytesPerPixel));
    }
    pixel_green::Set(out + (rows - 1) * rowBytes, bytesPerPixel, 0);
}
