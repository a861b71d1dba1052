// The rows of an RGB24 frame as the effect passes see them: the picture
// bytes of a row, the stride from one row to the next, and the row count.
// Rows padded to whole 32-bit words are recognised by the sample length, as
// some sources send them packed.
#pragma once

#include "VideoColour.h"

#include <cstddef>

struct Rgb24Rows {
    std::size_t rowBytes = 0;
    std::size_t stride = 0;
    std::size_t rows = 0;
};

// Counted without products that could wrap: the most negative height and
// the widest row still give their true sizes.
inline Rgb24Rows Rgb24RowsOf(const VideoFrameLayout& layout, std::size_t length)
{
    Rgb24Rows frame;
    if (layout.width <= 0) return frame;
    frame.rowBytes = static_cast<std::size_t>(layout.width) * 3;
    frame.rows = layout.Rows();
    const std::size_t padded = (frame.rowBytes + 3) & ~std::size_t{3};
    const bool paddedRows = padded != frame.rowBytes && frame.rows > 0 && length / padded >= frame.rows;
    frame.stride = paddedRows ? padded : frame.rowBytes;
    return frame;
}
