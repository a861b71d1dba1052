// The Quenza composition: pictures drawn onto a frame of another size over a
// background, each at its own place, at its own size or scaled to a drawn
// size with nearest pixels. Frames and pictures are packed bottom-up rows
// (row 0 is the bottom row in memory); places are given from the top-left
// corner, so a picture placed at y = 0 ends at the frame's top row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct QuenzaFrame {
    std::uint8_t* pixels;
    std::size_t bytes;
    int width;
    int height;
    unsigned bytesPerPixel;  // 2 (RGB555) or 3 (RGB24)
};

struct QuenzaPicture {
    const std::uint8_t* pixels;
    std::size_t bytes;
    int width;
    int height;
};

// Where a picture goes: its top-left corner in frame pixels and the size it
// is drawn at.
struct QuenzaPlacement {
    int x;
    int y;
    int width;
    int height;
};

// Frame columns [left, right) and rows [bottom, top), rows counted from the
// bottom as in memory.
struct QuenzaRect {
    int left;
    int right;
    int bottom;
    int top;
};

// What DrawPicture will cover wholly: the visible part of the placement,
// or an empty rectangle when the picture draws nothing or its buffer is
// too short to draw every visible row.
QuenzaRect CoveredRect(const QuenzaFrame& frame, const QuenzaPicture& picture, const QuenzaPlacement& placement);

// Copies `background` (the frame's size) into the frame except inside the
// `count` rectangles, which the pictures drawn next will cover anyway.
void CopyBackgroundAround(const QuenzaFrame& frame, const std::uint8_t* background, const QuenzaRect* covered,
                          std::size_t count);

// `bytes` of background: blue, green, red per pixel for 3 bytes per pixel,
// the RGB555 value for 2.
void BuildBackground(std::vector<std::uint8_t>& background, std::size_t bytes, unsigned bytesPerPixel,
                     std::uint8_t red, std::uint8_t green, std::uint8_t blue);

// Draws `picture` at `placement`: copied row by row when the drawn size is
// its own, else scaled (drawn column i shows source column
// i × width / drawn width, rows likewise). Whatever falls outside the frame
// is clipped on every side; nothing is read or written outside either
// buffer. `scratch` keeps the column map between calls.
void DrawPicture(const QuenzaFrame& frame, const QuenzaPicture& picture, const QuenzaPlacement& placement,
                 std::vector<std::size_t>& scratch);
