#include "GreenShiftPass.h"

#include "PixelBlock.h"
#include "PixelGreen.h"

#include <algorithm>

#include <cstring>

namespace {

using pixel_block::Blend;
using pixel_block::Block;
using pixel_block::Load;
using pixel_block::Store;

using pixel_green::kGreen555;

// Every pixel from `count`-1 down to `first` takes the green of its left
// neighbour, one pixel at a time.
void ShiftGreenRgb24Tail(std::uint8_t* pixels, std::size_t first, std::size_t count)
{
    for (std::size_t i = count; i-- > first;) pixels[3 * i + 1] = pixels[3 * i - 2];
}

void ShiftGreenRgb555Tail(std::uint8_t* pixels, std::size_t first, std::size_t count)
{
    for (std::size_t i = count; i-- > first;) {
        std::uint16_t word, left;
        std::memcpy(&word, pixels + 2 * i, 2);
        std::memcpy(&left, pixels + 2 * i - 2, 2);
        word = static_cast<std::uint16_t>((word & ~kGreen555) | (left & kGreen555));
        std::memcpy(pixels + 2 * i, &word, 2);
    }
}

} // namespace

// Blocks are handled from the top of the run down: each block reads its
// source one pixel lower, and that memory belongs to a block not yet written,
// so every pixel sees its neighbour's original green.
void ShiftGreenRgb24(std::uint8_t* pixels, std::size_t count)
{
    if (count == 0) return;
    constexpr std::size_t kPixels = 16;  // 48 bytes, three blocks
    static constexpr std::uint8_t kMaskBytes[48] = {
        0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0,
        0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0};
    const Block m0 = Load(kMaskBytes), m1 = Load(kMaskBytes + 16), m2 = Load(kMaskBytes + 32);
    std::size_t end = count;
    while (end >= kPixels + 1) {
        std::uint8_t* p = pixels + 3 * (end - kPixels);
        const Block c0 = Load(p), c1 = Load(p + 16), c2 = Load(p + 32);
        const Block s0 = Load(p - 3), s1 = Load(p + 13), s2 = Load(p + 29);
        Store(p, Blend(c0, s0, m0));
        Store(p + 16, Blend(c1, s1, m1));
        Store(p + 32, Blend(c2, s2, m2));
        end -= kPixels;
    }
    ShiftGreenRgb24Tail(pixels, 1, end);
    pixels[1] = 0;
}

void ShiftGreenRgb555(std::uint8_t* pixels, std::size_t count)
{
    if (count == 0) return;
    constexpr std::size_t kPixels = 16;  // 32 bytes, two blocks
    static constexpr std::uint8_t kMaskBytes[16] = {0xE0, 0x03, 0xE0, 0x03, 0xE0, 0x03, 0xE0, 0x03,
                                                    0xE0, 0x03, 0xE0, 0x03, 0xE0, 0x03, 0xE0, 0x03};
    const Block mask = Load(kMaskBytes);
    std::size_t end = count;
    while (end >= kPixels + 1) {
        std::uint8_t* p = pixels + 2 * (end - kPixels);
        const Block c0 = Load(p), c1 = Load(p + 16);
        const Block s0 = Load(p - 2), s1 = Load(p + 14);
        Store(p, Blend(c0, s0, mask));
        Store(p + 16, Blend(c1, s1, mask));
        end -= kPixels;
    }
    ShiftGreenRgb555Tail(pixels, 1, end);
    pixels[0] &= 0x1F;
    pixels[1] &= 0xFC;
}

bool ShiftGreen(std::uint8_t* data, std::size_t length, unsigned bytesPerPixel)
{
    switch (bytesPerPixel) {
    case 3: ShiftGreenRgb24(data, length / 3); return true;
    case 2: ShiftGreenRgb555(data, length / 2); return true;
    default: return false;
    }
}

// The linear pass hands each row's first pixel the green of the last pixel
// of the row before it in memory, the one above in a top-down picture. So
// before the pass, the last pixel of every row takes the green of the last
// pixel two rows further down: the pass then carries the green of the row
// below into each first pixel. Going down the rows reads each source before
// it is overwritten. The top-left pixel, which the pass leaves without
// green, gets its green afterwards. Only the last column and one pixel are
// touched outside the pass; its blocks stay as they are.
bool ShiftGreenTopDown(std::uint8_t* data, std::size_t length, unsigned bytesPerPixel, std::size_t rowBytes,
                       std::size_t rows)
{
    if (bytesPerPixel != 2 && bytesPerPixel != 3) return false;
    if (rowBytes == 0 || rowBytes % bytesPerPixel != 0) return ShiftGreen(data, length, bytesPerPixel);
    rows = std::min(rows, length / rowBytes);
    if (rows < 2) return ShiftGreen(data, length, bytesPerPixel);
    using pixel_green::Get;
    using pixel_green::Set;
    const auto lastOf = [&](std::size_t row) { return data + (row + 1) * rowBytes - bytesPerPixel; };
    const std::uint16_t topLeftGreen = Get(lastOf(1), bytesPerPixel);
    for (std::size_t row = 0; row + 2 < rows; ++row) Set(lastOf(row), bytesPerPixel, Get(lastOf(row + 2), bytesPerPixel));
    Set(lastOf(rows - 2), bytesPerPixel, 0);
    ShiftGreen(data, length, bytesPerPixel);
    Set(data, bytesPerPixel, topLeftGreen);
    return true;
}
