// The frame of the Stereo Display filter: the column interleave of a left
// and a right picture (even pixels from the left, odd ones from the right,
// counted through the whole run of pixels) followed by the green shift over
// the result (every pixel takes the green of its left neighbour, pixel 0
// none). With AVX2 both go in one pass over memory: each output byte is
// written once, and the green a pixel receives is read straight from the
// picture its neighbour came from.
#pragma once

#include <cstddef>
#include <cstdint>

// Writes `length` bytes to `out`, which must not overlap either picture.
// For 3 (RGB24) and 2 (RGB555) bytes per pixel the result equals
// InterleaveColumns then ShiftGreen over `length`; for other sizes, which
// have no green to shift, it is the interleave alone.
void ComposeStereoFrame(std::uint8_t* out, const std::uint8_t* left, const std::uint8_t* right, std::size_t length,
                        unsigned bytesPerPixel);

// The picture ComposeStereoFrame gives two bottom-up pictures, for their
// top-down twins of `rows` rows of `rowBytes` bytes (a whole number of
// pixels): the pixel parity still counts from the bottom-left pixel, and the
// first pixel of each row takes its green from the row below in the picture.
// Rows are counted only as far as `length` holds them; without whole pixels
// per row this is ComposeStereoFrame itself.
void ComposeStereoFrameTopDown(std::uint8_t* out, const std::uint8_t* left, const std::uint8_t* right,
                               std::size_t length, unsigned bytesPerPixel, std::size_t rowBytes, std::size_t rows);
