#include "StereoFramePass.h"

#include "ColumnInterleavePass.h"
#include "CpuDispatch.h"
#include "PixelBlock.h"
#include "StereoFrameBlocks.h"

#include <cstring>

namespace {

using pixel_block::Block;
using pixel_block::Load;
using pixel_block::Store;

constexpr std::uint16_t kGreen555 = 0x03E0;

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

// 48 bytes repeat the pattern of both pixel sizes. Each output byte comes
// from one of four places: its own byte of the left or right picture, or
// for green bits the byte one pixel lower of the other picture (one pixel
// lower the parity flips). Four disjoint masks pick it in seven operations.
void ComposeBlocksPortable(std::uint8_t* out, const std::uint8_t* left, const std::uint8_t* right,
                           std::size_t begin, std::size_t end, unsigned bytesPerPixel, const StereoBlockMasks& masks)
{
    constexpr std::size_t kPeriod = 48, kBlocks = kPeriod / 16;
    static_assert(kStereoPeriodBytes % kPeriod == 0);
    struct Picks {
        Block ownLeft, ownRight, lowerRight, lowerLeft;
    } picks[kBlocks];
    for (std::size_t k = 0; k < kBlocks; ++k) {
        const Block odd = Load(masks.oddPixel + 16 * k), green = Load(masks.green + 16 * k);
        picks[k] = {~green & ~odd, ~green & odd, green & ~odd, green & odd};
    }
    for (std::size_t at = begin; at < end; at += kPeriod) {
        for (std::size_t k = 0; k < kBlocks; ++k) {
            const std::size_t here = at + 16 * k, lower = here - bytesPerPixel;
            const Picks& p = picks[k];
            Store(out + here, (Load(left + here) & p.ownLeft) | (Load(right + here) & p.ownRight) |
                                  (Load(right + lower) & p.lowerRight) | (Load(left + lower) & p.lowerLeft));
        }
    }
}

struct BlockRange {
    std::size_t begin = 0, end = 0;
};

// Blocks start after the first period, where every byte has a pixel
// before it, on the store alignment the version wants.
BlockRange BlocksWithin(const std::uint8_t* out, std::size_t whole, std::size_t alignment)
{
    const auto address = reinterpret_cast<std::uintptr_t>(out) + kStereoPeriodBytes;
    const std::size_t begin = kStereoPeriodBytes + (alignment - address % alignment) % alignment;
    if (whole < begin + kStereoPeriodBytes) return {};
    return {begin, begin + (whole - begin) / kStereoPeriodBytes * kStereoPeriodBytes};
}

// SSSE3 adds only shuffles, which this pass does not need: it keeps the
// portable blocks. The AVX2 blocks stream their output past the caches when
// the two pictures and the output would not stay there anyway.
BlockRange ComposeBlocks(std::uint8_t* out, const std::uint8_t* left, const std::uint8_t* right, std::size_t whole,
                         unsigned bytesPerPixel)
{
#if defined(__x86_64__)
    if (ActiveInstructionSet() >= InstructionSet::Avx2) {
        const BlockRange blocks = BlocksWithin(out, whole, 32);
        if (blocks.end > blocks.begin)
            ComposeStereoBlocksAvx2(out, left, right, blocks.begin, blocks.end, bytesPerPixel,
                                    MasksFor(bytesPerPixel, blocks.begin), StreamsPastCaches(3 * whole));
        return blocks;
    }
#endif
    const BlockRange blocks = BlocksWithin(out, whole, 1);
    if (blocks.end > blocks.begin)
        ComposeBlocksPortable(out, left, right, blocks.begin, blocks.end, bytesPerPixel,
                              MasksFor(bytesPerPixel, blocks.begin));
    return blocks;
}

} // namespace

void ComposeStereoFrame(std::uint8_t* out, const std::uint8_t* left, const std::uint8_t* right, std::size_t length,
                        unsigned bytesPerPixel)
{
    if (bytesPerPixel != 2 && bytesPerPixel != 3) {
        InterleaveColumns(out, left, right, length, bytesPerPixel);
        return;
    }
    const std::size_t whole = length / bytesPerPixel * bytesPerPixel;
    const BlockRange blocks = ComposeBlocks(out, left, right, whole, bytesPerPixel);
    ComposeBytes(out, left, right, 0, blocks.begin, bytesPerPixel);
    ComposeBytes(out, left, right, blocks.end, whole, bytesPerPixel);
    // Bytes short of a whole pixel come from the left picture, as in the
    // interleave, and have no green to take.
    if (whole < length) std::memcpy(out + whole, left + whole, length - whole);
}
