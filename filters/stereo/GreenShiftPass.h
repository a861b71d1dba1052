// The green shift pass: over a run of pixels (pixel 0 at the lowest address,
// continuing across row ends) every pixel takes the green of its left
// neighbour and pixel 0 gets no green; red and blue never change. Shared by
// the Green Shift and Stereo Display filters.
#pragma once

#include <cstddef>
#include <cstdint>

// RGB24: bytes blue, green, red; only the middle byte of each pixel moves.
void ShiftGreenRgb24(std::uint8_t* pixels, std::size_t count);
// RGB555: little-endian words; only bits 5 to 9 (0x03E0) move.
void ShiftGreenRgb555(std::uint8_t* pixels, std::size_t count);

// Runs the pass for 3 (RGB24) or 2 (RGB555) bytes per pixel over the whole
// pixels of `length` bytes; trailing bytes short of a pixel stay as they
// are. False, with nothing changed, for any other pixel size.
bool ShiftGreen(std::uint8_t* data, std::size_t length, unsigned bytesPerPixel);

// The picture ShiftGreen gives a bottom-up frame, for its top-down twin:
// `rows` rows of `rowBytes` bytes (a whole number of pixels) with the top
// row first in memory. The first pixel of each row takes the green of the
// last pixel of the row below it in the picture, the bottom row's first
// pixel none; every other pixel as in ShiftGreen. Rows are counted only as
// far as `length` holds them. Without whole pixels per row this is
// ShiftGreen itself.
bool ShiftGreenTopDown(std::uint8_t* data, std::size_t length, unsigned bytesPerPixel, std::size_t rowBytes,
                       std::size_t rows);
