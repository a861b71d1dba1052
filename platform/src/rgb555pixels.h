// RGB555 pixels to and from the display's 24-bit ones (blue, green, red).
// Widening repeats each five-bit component's top bits below it, so that
// narrowing, which keeps the top five bits, gives every RGB555 value back.
// Each runs in byte shuffles where the machine has them (SSSE3), so frames
// of this format cost about what a copy does.
#pragma once

#include <cstddef>
#include <cstdint>

// `count` little-endian RGB555 pixels of `in` widened into `out`.
void WidenRgb555(std::uint8_t* out, const std::uint8_t* in, std::size_t count);
// Pixels 0, 2, 4, … of `in` widened, `count` of them: the halving stretch of
// an RGB555 row. `in` holds at least 2 × count − 1 pixels.
void WidenEvenRgb555(std::uint8_t* out, const std::uint8_t* in, std::size_t count);
// `count` 24-bit pixels narrowed into RGB555, the top bit clear.
void NarrowToRgb555(std::uint8_t* out, const std::uint8_t* in, std::size_t count);
