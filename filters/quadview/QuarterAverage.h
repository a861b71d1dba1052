// The 2 x 2 averaging that shrinks one picture into a quarter of the quad
// view: every output pixel is the truncated mean of a 2 x 2 block of source
// pixels, taken per colour field.
#pragma once

#include <cstddef>
#include <cstdint>

enum class QuadPixelFormat {
    Rgb24,   // blue, green, red bytes
    Rgb565,  // little-endian words: red 11-15, green 5-10, blue 0-4
    Rgb555,  // little-endian words: red 10-14, green 5-9, blue 0-4, bit 15 zero
};

constexpr unsigned BytesPerPixel(QuadPixelFormat format) { return format == QuadPixelFormat::Rgb24 ? 3 : 2; }

// Writes `outPixels` pixels to `out`; output pixel x averages pixels 2x and
// 2x + 1 of both source rows, which must hold 2 * outPixels pixels each.
// Takes the fastest form the active instruction set runs (the 16-bit
// formats have vector forms from AVX2 on, RGB24 from SSSE3 on).
void AverageRowPair(std::uint8_t* out, const std::uint8_t* upper, const std::uint8_t* lower, std::size_t outPixels,
                    QuadPixelFormat format);

// The plain one-pixel-at-a-time form, which every faster form must match
// bit for bit.
void AverageRowPairReference(std::uint8_t* out, const std::uint8_t* upper, const std::uint8_t* lower,
                             std::size_t outPixels, QuadPixelFormat format);
