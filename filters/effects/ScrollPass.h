// The scroll pass: a frame rotated cyclically, each row by some pixels or the
// rows by some rows, what leaves one edge coming back at the other; and the
// scroll position that moves with the clock.
#pragma once

#include <cstddef>
#include <cstdint>

// Where the scroll stands and when it last moved (0: not since a pause).
struct ScrollMotion {
    float position = 0;
    std::int64_t lastTime = 0;
};

// Moves the position on to `now` (100-ns units) at `speed` pixels per 30 ms,
// a positive speed towards lower positions. `period` is a length after which
// the picture repeats in every direction (width × height); the position is
// kept below it, so its single precision never runs out on a long run.
void AdvanceScroll(ScrollMotion& motion, std::int64_t now, std::int32_t speed, std::int64_t period);

// The rotation for a position over `extent` pixels (or rows): the truncated
// position taken cyclically, 0 .. extent-1; 0 leaves the frame as it is.
std::size_t ScrollShift(float position, std::int64_t extent);

// Frame geometry: `rowBytes` of picture in each row of `stride` bytes.
struct ScrollFrame {
    std::size_t rowBytes;
    std::size_t stride;
    std::size_t rows;
};

// Every whole row inside `length` becomes new pixel x = old pixel
// (x + shift) mod width; padding after the picture bytes stays. `scratch`
// holds half a row.
void RotateRowPixels(std::uint8_t* data, std::size_t length, const ScrollFrame& frame, std::size_t shift,
                     std::uint8_t* scratch);
// New row y = old row (y + shift) mod rows, row 0 the first in memory; a
// sample shorter than the frame stays as it is. `scratch` holds one stride.
void RotateRows(std::uint8_t* data, std::size_t length, const ScrollFrame& frame, std::size_t shift,
                std::uint8_t* scratch);

// Scratch bytes the two rotations need for a frame.
inline std::size_t ScrollScratchBytes(const ScrollFrame& frame) { return frame.stride; }

constexpr std::int32_t kScrollHorizontal = 0;
constexpr std::int32_t kScrollVertical = 1;

// The frame rotated for the scroll standing at `position`: each row's pixels
// (horizontal) or the rows (vertical); any other direction changes nothing.
// A vertical scroll moves the picture the same way whichever way its rows
// run, so in a `topDown` frame the rows turn the other way through memory.
void ScrollFrameAt(std::uint8_t* data, std::size_t length, const ScrollFrame& frame, std::int32_t direction,
                   float position, bool topDown, std::uint8_t* scratch);
