// The column interleave of the Stereo Display filter: even pixel positions
// from the left picture, odd ones from the right, counted through the whole
// run of pixels (pixel 0 at the lowest address, continuing across row ends).
#pragma once

#include <cstddef>
#include <cstdint>

// Writes `length` bytes to `out`: whole pixels alternate left, right, left,
// …; bytes after the last whole pixel come from `left`. `out` must not
// overlap either picture.
void InterleaveColumns(std::uint8_t* out, const std::uint8_t* left, const std::uint8_t* right, std::size_t length,
                       unsigned bytesPerPixel);
