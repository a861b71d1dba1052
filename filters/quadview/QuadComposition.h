// The quad view frame: four pictures, each shrunk to half width and half
// height, in the quarters of one frame of their size, optionally with a cyan
// cross between them. Frames are packed rows of width x bytes per pixel.
//
// Quarter k shows input k: 0 upper left, 1 upper right, 2 lower left,
// 3 lower right. In a bottom-up frame the upper half of the picture is the
// upper half of memory. An odd width or height leaves one spare column at
// the right or one spare row at the top of the picture; it shows the
// background, and nothing is read or written outside a frame.
#pragma once

#include "QuarterAverage.h"

#include <cstddef>
#include <cstdint>

struct QuadGeometry {
    std::size_t width = 0;
    std::size_t height = 0;  // rows, whatever the row order
    QuadPixelFormat format = QuadPixelFormat::Rgb24;
    bool topDown = false;

    std::size_t RowBytes() const { return width * BytesPerPixel(format); }
    std::size_t FrameBytes() const { return height * RowBytes(); }
    std::size_t QuarterRowBytes() const { return width / 2 * BytesPerPixel(format); }
};

// Byte offset of the first (lowest in memory) row of quarter `quarter`.
std::size_t QuarterOffset(const QuadGeometry& geometry, int quarter);

// Shrinks the whole `source` frame into quarter `quarter` of `frame`.
void DrawQuarter(std::uint8_t* frame, const QuadGeometry& geometry, int quarter, const std::uint8_t* source);

// Fills quarter `quarter` from `background`, one row of the frame's width.
void PaintQuarter(std::uint8_t* frame, const QuadGeometry& geometry, int quarter, const std::uint8_t* background);

// The spare column and row of odd sizes, from `background`; nothing for even sizes.
void PaintSpareEdges(std::uint8_t* frame, const QuadGeometry& geometry, const std::uint8_t* background);

// The cyan cross: rows from picture row height / 2 - 1 upwards (three for
// RGB24, two for 16 bits) and three pixels from column width / 2 - 1 in
// every row, cut off at the frame's edges.
void DrawCross(std::uint8_t* frame, const QuadGeometry& geometry);

// Background colours by index: 1 red, 2 green, 3 blue, anything else black.
// Fills `bytes` with whole pixels of the colour; a partial pixel at the end
// is zeroed.
void FillBackground(std::uint8_t* row, std::size_t bytes, QuadPixelFormat format, int colour);
