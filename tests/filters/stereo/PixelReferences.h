// The stereo pixel passes as defined, pixel by pixel into a separate buffer:
// what the fast kernels are checked against.
#pragma once

#include "TestBytes.h"

#include <cstdint>

// The interleave: the whole left picture, then every odd whole pixel from
// the right one.
inline Bytes ReferenceInterleave(const Bytes& left, const Bytes& right, std::size_t length, unsigned bytesPerPixel)
{
    Bytes out(left.begin(), left.begin() + static_cast<std::ptrdiff_t>(length));
    for (std::size_t p = 1; (p + 1) * bytesPerPixel <= length; p += 2)
        for (unsigned b = 0; b < bytesPerPixel; ++b) out[p * bytesPerPixel + b] = right[p * bytesPerPixel + b];
    return out;
}

// The green shift: pixel i takes the original green of pixel i-1, pixel 0
// gets none; bytes short of a whole pixel stay.
inline Bytes ReferenceShiftRgb24(const Bytes& in)
{
    Bytes out = in;
    const std::size_t n = in.size() / 3;
    for (std::size_t i = 1; i < n; ++i) out[3 * i + 1] = in[3 * i - 2];
    if (n > 0) out[1] = 0;
    return out;
}

inline Bytes ReferenceShiftRgb555(const Bytes& in)
{
    Bytes out = in;
    const std::size_t n = in.size() / 2;
    auto word = [&](std::size_t i) { return static_cast<std::uint16_t>(in[2 * i] | in[2 * i + 1] << 8); };
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint16_t green = i == 0 ? 0 : word(i - 1) & 0x03E0;
        const std::uint16_t result = static_cast<std::uint16_t>((word(i) & 0xFC1F) | green);
        out[2 * i] = static_cast<std::uint8_t>(result);
        out[2 * i + 1] = static_cast<std::uint8_t>(result >> 8);
    }
    return out;
}
