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
