// The interlace pass: every row of a side-by-side frame (left picture in the
// left half, right picture in the right half) becomes column-interleaved,
// output pixel 2j = input pixel j and 2j+1 = input pixel h+j with h = width/2.
// With an odd width the last pixel of each row stays where it is.
#pragma once

#include <cstddef>
#include <cstdint>

// Scratch bytes the pass needs for rows of `width` pixels.
std::size_t InterlaceScratchBytes(std::size_t width, unsigned bytesPerPixel);

// Interleaves one row of `width` pixels in place through `scratch`.
void InterleaveRow(std::uint8_t* row, std::size_t width, unsigned bytesPerPixel, std::uint8_t* scratch);

// Interleaves every whole row of `length` bytes (rows of width × bytes per
// pixel, no padding); bytes short of a whole row stay as they are. Nothing
// changes when the width or pixel size is zero.
void InterleaveRows(std::uint8_t* data, std::size_t length, std::size_t width, unsigned bytesPerPixel,
                    std::uint8_t* scratch);
