#include "ScrollPass.h"

#include "TestBytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr std::int64_t kMillisecond = 10'000;

Bytes ReferenceRotateRowPixels(const Bytes& in, const ScrollFrame& frame, std::size_t shift)
{
    Bytes out = in;
    const std::size_t width = frame.rowBytes / 3;
    for (std::size_t row = 0; row < frame.rows; ++row)
        for (std::size_t x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                out[row * frame.stride + 3 * x + c] = in[row * frame.stride + 3 * ((x + shift) % width) + c];
    return out;
}

Bytes ReferenceRotateRows(const Bytes& in, const ScrollFrame& frame, std::size_t shift)
{
    Bytes out = in;
    for (std::size_t y = 0; y < frame.rows; ++y)
        std::copy_n(in.begin() + static_cast<std::ptrdiff_t>(((y + shift) % frame.rows) * frame.stride), frame.stride,
                    out.begin() + static_cast<std::ptrdiff_t>(y * frame.stride));
    return out;
}

// Every shift of an even and an odd extent, half and beyond half included,
// packed and with rows padded to whole words (the padding stays).
TEST(ScrollPass, EveryShiftIsACleanCyclicRotation)
{
    const ScrollFrame frames[] = {{8 * 3, 8 * 3, 6}, {7 * 3, 7 * 3, 5}, {7 * 3, 24, 4}};
    for (const ScrollFrame& frame : frames) {
        const Bytes in = RandomBytes(frame.stride * frame.rows, static_cast<unsigned>(frame.stride));
        std::vector<std::uint8_t> scratch(ScrollScratchBytes(frame));
        for (std::size_t shift = 0; shift < frame.rowBytes / 3; ++shift) {
            Bytes out = in;
            RotateRowPixels(out.data(), out.size(), frame, shift, scratch.data());
            ASSERT_EQ(out, ReferenceRotateRowPixels(in, frame, shift)) << frame.rowBytes << " shift " << shift;
        }
        for (std::size_t shift = 0; shift < frame.rows; ++shift) {
            Bytes out = in;
            RotateRows(out.data(), out.size(), frame, shift, scratch.data());
            ASSERT_EQ(out, ReferenceRotateRows(in, frame, shift)) << frame.rows << " rows, shift " << shift;
        }
    }
}

// Horizontally whole rows are rotated as far as the sample goes; vertically
// a short sample is not a frame and stays as it is.
TEST(ScrollPass, ShortSamplesStayInsideThemselves)
{
    const ScrollFrame frame{4 * 3, 4 * 3, 3};
    const Bytes in = RandomBytes(12 * 2 + 5, 3);
    std::vector<std::uint8_t> scratch(ScrollScratchBytes(frame));
    Bytes out = in;
    RotateRowPixels(out.data(), out.size(), frame, 1, scratch.data());
    Bytes expected = ReferenceRotateRowPixels(Bytes(in.begin(), in.begin() + 24), ScrollFrame{12, 12, 2}, 1);
    expected.insert(expected.end(), in.begin() + 24, in.end());
    EXPECT_EQ(out, expected);
    out = in;
    RotateRows(out.data(), out.size(), frame, 1, scratch.data());
    EXPECT_EQ(out, in);
}

TEST(ScrollPass, ShiftIsTheTruncatedPositionTakenCyclically)
{
    struct Case {
        float position;
        std::int64_t extent;
        std::size_t shift;
    };
    const Case cases[] = {
        {0.9f, 10, 0}, {-0.9f, 10, 0}, {1.5f, 10, 1}, {-1.5f, 10, 9},  {5.0f, 10, 5},  {12.7f, 10, 2},
        {-12.7f, 10, 8}, {-10.5f, 10, 0}, {10.0f, 10, 0}, {3.0f, 0, 0},
        {1e30f, 7, static_cast<std::size_t>(std::fmod(static_cast<double>(1e30f), 7.0))},
    };
    for (const Case& c : cases) EXPECT_EQ(ScrollShift(c.position, c.extent), c.shift) << c.position << " " << c.extent;
}

TEST(ScrollPass, PositionMovesWithTheClockAndNotAcrossPauses)
{
    ScrollMotion motion;
    const std::int64_t start = 1'000'000'000'000;
    AdvanceScroll(motion, start, 10, 0);  // the first frame only notes the time
    EXPECT_EQ(motion.position, 0.0f);
    AdvanceScroll(motion, start + 300 * kMillisecond, 10, 0);  // 10 pixels per 30 ms
    EXPECT_NEAR(motion.position, -100.0f, 0.01f);
    AdvanceScroll(motion, start + 360 * kMillisecond, -10, 0);
    EXPECT_NEAR(motion.position, -80.0f, 0.01f);
    AdvanceScroll(motion, start + 960 * kMillisecond, 0, 0);
    EXPECT_NEAR(motion.position, -80.0f, 0.01f);

    motion.lastTime = 0;  // what a pause does
    AdvanceScroll(motion, start + 3'600'000 * kMillisecond, 10, 0);
    EXPECT_NEAR(motion.position, -80.0f, 0.01f);
}

// After two weeks at the slowest speed an unbounded single-precision
// position would no longer take a frame's step; kept within the picture's
// period it goes on moving one pixel per 30 ms.
TEST(ScrollPass, PositionKeepsMovingAfterWeeks)
{
    const std::int64_t period = 1920 * 1080;
    ScrollMotion motion;
    motion.position = -40'000'000.0f;  // speed 1 for two weeks
    motion.lastTime = 1'000'000'000'000;
    const std::size_t before = ScrollShift(motion.position, 1920);
    for (int frame = 1; frame <= 30; ++frame) AdvanceScroll(motion, motion.lastTime + 333'333, 1, period);
    EXPECT_LT(motion.position, 0.0f);
    const std::size_t moved = (before + 1920 - ScrollShift(motion.position, 1920)) % 1920;
    EXPECT_NEAR(static_cast<double>(moved), 33.3, 1.5);
}

// A top-down frame comes out as the row-reversed picture of its bottom-up
// twin, frame after frame as the position moves on: both directions, both
// ways of moving, padded and packed rows, odd widths and one-pixel rows.
TEST(ScrollPass, TopDownFramesGetTheirBottomUpTwinsPicture)
{
    struct Case {
        std::size_t width, stride, rows;
    };
    const Case cases[] = {{5, 16, 7}, {97, 291, 3}, {97, 292, 4}, {8, 24, 6}, {1, 4, 5}, {3, 9, 2}};
    unsigned seed = 1;
    for (const Case& c : cases)
        for (std::int32_t direction : {kScrollHorizontal, kScrollVertical})
            for (std::int32_t speed : {-2500, 1100}) {
                const ScrollFrame frame{3 * c.width, c.stride, c.rows};
                std::vector<std::uint8_t> scratch(ScrollScratchBytes(frame));
                ScrollMotion motion;
                bool moved = false;
                for (int k = 0; k < 5; ++k) {
                    AdvanceScroll(motion, (1000 + 7 * k) * kMillisecond, speed,
                                  static_cast<std::int64_t>(c.width * c.rows));
                    const Bytes bottomUp = RandomBytes(c.stride * c.rows, seed++);
                    Bytes expected = bottomUp;
                    ScrollFrameAt(expected.data(), expected.size(), frame, direction, motion.position, false,
                                  scratch.data());
                    Bytes topDown = RowsReversed(bottomUp, c.stride);
                    ScrollFrameAt(topDown.data(), topDown.size(), frame, direction, motion.position, true,
                                  scratch.data());
                    ASSERT_EQ(topDown, RowsReversed(expected, c.stride))
                        << c.width << " x " << c.rows << ", direction " << direction << ", speed " << speed
                        << ", frame " << k;
                    moved = moved || expected != bottomUp;
                }
                EXPECT_TRUE(moved || (direction == kScrollHorizontal ? c.width : c.rows) == 1)
                    << c.width << " x " << c.rows << ", direction " << direction;
            }
}

} // namespace
