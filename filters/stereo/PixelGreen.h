// The green of one pixel of the two video formats, read and written alone:
// the middle byte of an RGB24 pixel, bits 5 to 9 of an RGB555 word. Used
// where a pass mends single pixels beside its blocks.
#pragma once

#include <cstdint>
#include <cstring>

namespace pixel_green {

constexpr std::uint16_t kGreen555 = 0x03E0;

// The pixel's green bits in place (other bits 0); bytesPerPixel is 2 or 3.
inline std::uint16_t Get(const std::uint8_t* pixel, unsigned bytesPerPixel)
{
    if (bytesPerPixel == 3) return pixel[1];
    std::uint16_t word;
    std::memcpy(&word, pixel, 2);
    return static_cast<std::uint16_t>(word & kGreen555);
}

// Replaces the pixel's green bits by `green` as Get returns them.
inline void Set(std::uint8_t* pixel, unsigned bytesPerPixel, std::uint16_t green)
{
    if (bytesPerPixel == 3) {
        pixel[1] = static_cast<std::uint8_t>(green);
        return;
    }
    std::uint16_t word;
    std::memcpy(&word, pixel, 2);
    word = static_cast<std::uint16_t>((word & ~kGreen555) | (green & kGreen555));
    std::memcpy(pixel, &word, 2);
}

} // namespace pixel_green
