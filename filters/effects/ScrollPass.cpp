#include "ScrollPass.h"

#include <cmath>
#include <cstring>
#include <numeric>

namespace {

// Pixels per 100-ns tick at speed 1: one pixel per 30 ms.
constexpr float kPixelsPerTick = 3.3333333e-6f;

// Rotates `size` bytes left by `by`, saving whichever end is smaller.
void RotateBytesLeft(std::uint8_t* bytes, std::size_t size, std::size_t by, std::uint8_t* scratch)
{
    if (by < size / 2) {
        std::memcpy(scratch, bytes, by);
        std::memmove(bytes, bytes + by, size - by);
        std::memcpy(bytes + size - by, scratch, by);
    } else {
        const std::size_t kept = size - by;
        std::memcpy(scratch, bytes + by, kept);
        std::memmove(bytes + kept, bytes, by);
        std::memcpy(bytes, scratch, kept);
    }
}

} // namespace

void AdvanceScroll(ScrollMotion& motion, std::int64_t now, std::int32_t speed, std::int64_t period)
{
    if (motion.lastTime != 0) {
        const double moved = static_cast<double>(now - motion.lastTime) * speed * kPixelsPerTick;
        motion.position = static_cast<float>(motion.position - moved);
        // fmod keeps the sign, so the truncated position keeps its shift.
        if (period > 0 && std::fabs(motion.position) >= static_cast<float>(period))
            motion.position = static_cast<float>(std::fmod(motion.position, static_cast<double>(period)));
    }
    motion.lastTime = now;
}

std::size_t ScrollShift(float position, std::int64_t extent)
{
    if (extent <= 0 || !std::isfinite(position)) return 0;
    const auto truncated = static_cast<std::int64_t>(std::fmod(position, static_cast<double>(extent)));
    const std::int64_t shift = truncated < 0 ? truncated + extent : truncated;
    return static_cast<std::size_t>(shift);
}

void RotateRowPixels(std::uint8_t* data, std::size_t length, const ScrollFrame& frame, std::size_t shift,
                     std::uint8_t* scratch)
{
    const std::size_t width = frame.rowBytes / 3;
    if (shift == 0 || shift >= width) return;
    for (std::size_t row = 0; row < frame.rows && row * frame.stride + frame.rowBytes <= length; ++row)
        RotateBytesLeft(data + row * frame.stride, frame.rowBytes, 3 * shift, scratch);
}

// Follows each cycle of the permutation, so every row is copied once.
void RotateRows(std::uint8_t* data, std::size_t length, const ScrollFrame& frame, std::size_t shift,
                std::uint8_t* scratch)
{
    if (shift == 0 || shift >= frame.rows || length < frame.rows * frame.stride) return;
    const auto row = [&](std::size_t index) { return data + index * frame.stride; };
    const std::size_t cycles = std::gcd(frame.rows, shift);
    for (std::size_t start = 0; start < cycles; ++start) {
        std::memcpy(scratch, row(start), frame.stride);
        std::size_t to = start;
        for (std::size_t from = (start + shift) % frame.rows; from != start; from = (from + shift) % frame.rows) {
            std::memcpy(row(to), row(from), frame.stride);
            to = from;
        }
        std::memcpy(row(to), scratch, frame.stride);
    }
}

void ScrollFrameAt(std::uint8_t* data, std::size_t length, const ScrollFrame& frame, std::int32_t direction,
                   float position, bool topDown, std::uint8_t* scratch)
{
    if (direction == kScrollHorizontal) {
        RotateRowPixels(data, length, frame, ScrollShift(position, static_cast<std::int64_t>(frame.rowBytes / 3)),
                        scratch);
    } else if (direction == kScrollVertical) {
        const std::size_t shift = ScrollShift(position, static_cast<std::int64_t>(frame.rows));
        RotateRows(data, length, frame, topDown && shift != 0 ? frame.rows - shift : shift, scratch);
    }
}
