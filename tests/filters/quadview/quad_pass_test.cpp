// The quad view's pixel passes and frame clock, on plain buffers.
#include "EveryInstructionSet.h"
#include "OwnFrameClock.h"
#include "QuadComposition.h"
#include "QuarterAverage.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes RandomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
    return bytes;
}

Bytes Word(std::uint16_t w) { return {static_cast<std::uint8_t>(w), static_cast<std::uint8_t>(w >> 8)}; }

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// Each colour field is averaged on its own and truncated: a plain average
// of the words would carry between the fields.
TEST(QuarterAverage, AveragesEachFieldOfTwoByTwoPixelsTruncating)
{
    struct Case {
        QuadPixelFormat format;
        Bytes upper, lower, expected;
    };
    const Case cases[] = {
        {QuadPixelFormat::Rgb24, {0, 10, 255, 1, 11, 255}, {3, 12, 255, 0, 10, 254}, {1, 10, 254}},
        // red 31+31+0+0, green 63+0+1+1, blue 1+1+1+0
        {QuadPixelFormat::Rgb565, Concat({Word(0xFFE1), Word(0xF801)}), Concat({Word(0x0021), Word(0x0020)}),
         Word(15 << 11 | 16 << 5 | 0)},
        // red 31+30+0+1, green 31+0+0+2, blue 3+3+3+3; bit 15 of a source is ignored
        {QuadPixelFormat::Rgb555, Concat({Word(0xFFE3), Word(0x7803)}), Concat({Word(0x0003), Word(0x0443)}),
         Word(15 << 10 | 8 << 5 | 3)},
    };
    for (const Case& c : cases) {
        Bytes out(c.expected.size(), 0xAA);
        AverageRowPair(out.data(), c.upper.data(), c.lower.data(), 1, c.format);
        EXPECT_EQ(out, c.expected) << static_cast<int>(c.format);
    }
}

using QuarterAverageOn = EveryInstructionSet;

// Every form must match the reference bit for bit, with the source rows
// ending at their buffers' ends, and write nothing past its row: a quarter's
// row ends where the next quarter's begins. The lengths: every short run,
// then row ends around the vector forms' runs of a few thousand pixels
// (the upper row's run is taken before the lower row's).
TEST_P(QuarterAverageOn, MatchesTheReferenceAndLeavesTheBytesAfterItsRowAlone)
{
    constexpr std::size_t kGuard = 64;
    std::vector<std::size_t> lengths(70);
    for (std::size_t i = 0; i < lengths.size(); ++i) lengths[i] = i;
    lengths.insert(lengths.end(), {959u, 960u, 2399u, 2400u, 2401u, 2409u, 2411u, 2416u, 4813u});
    for (QuadPixelFormat format : {QuadPixelFormat::Rgb24, QuadPixelFormat::Rgb565, QuadPixelFormat::Rgb555}) {
        const unsigned bpp = BytesPerPixel(format);
        for (std::size_t pixels : lengths) {
            const Bytes upper = RandomBytes(2 * pixels * bpp, static_cast<unsigned>(pixels));
            const Bytes lower = RandomBytes(2 * pixels * bpp, static_cast<unsigned>(pixels + 100));
            Bytes fast(pixels * bpp + kGuard, 0x5A), reference(pixels * bpp + kGuard, 0x5A);
            AverageRowPair(fast.data(), upper.data(), lower.data(), pixels, format);
            AverageRowPairReference(reference.data(), upper.data(), lower.data(), pixels, format);
            ASSERT_EQ(fast, reference) << static_cast<int>(format) << " " << pixels;
        }
    }
}

// Extremes: all 255 (sums at their largest) and alternating 0 / 255.
TEST_P(QuarterAverageOn, ExtremesMatchTheReference)
{
    const std::size_t pixels = 64;
    Bytes full(6 * pixels, 255), alternating(6 * pixels);
    for (std::size_t i = 0; i < alternating.size(); ++i) alternating[i] = i % 2 ? 255 : 0;
    Bytes out(3 * pixels);
    AverageRowPair(out.data(), full.data(), full.data(), pixels, QuadPixelFormat::Rgb24);
    EXPECT_EQ(out, Bytes(3 * pixels, 255));
    Bytes reference(3 * pixels);
    AverageRowPair(out.data(), alternating.data(), full.data(), pixels, QuadPixelFormat::Rgb24);
    AverageRowPairReference(reference.data(), alternating.data(), full.data(), pixels, QuadPixelFormat::Rgb24);
    EXPECT_EQ(out, reference);
}

INSTANTIATE_TEST_SUITE_P(, QuarterAverageOn, EveryInstructionSetValues(), InstructionSetTestName);

// A frame of 4 x 2 RGB24 pixels per quarter: where each quarter's pixels
// land, for bottom-up, top-down and odd sizes.
TEST(QuadComposition, QuartersSitWhereThePictureShowsThem)
{
    struct Case {
        std::size_t width, height;
        bool topDown;
        std::size_t offsets[4];  // in rows and pixels: row * 100 + pixel
    };
    const Case cases[] = {
        {8, 4, false, {200, 204, 0, 4}},
        {8, 4, true, {0, 4, 200, 204}},
        {9, 5, false, {200, 204, 0, 4}},  // spare column 8 and top row 4
        {9, 5, true, {100, 104, 300, 304}},  // spare top row 0
    };
    for (const Case& c : cases) {
        const QuadGeometry geometry{c.width, c.height, QuadPixelFormat::Rgb24, c.topDown};
        for (int q = 0; q < 4; ++q) {
            const std::size_t expected = c.offsets[q] / 100 * geometry.RowBytes() + c.offsets[q] % 100 * 3;
            EXPECT_EQ(QuarterOffset(geometry, q), expected) << c.width << "x" << c.height << " " << q;
        }
    }
}

// Every frame size down to one pixel: drawing, painting and the cross stay
// inside the frame (the sanitizer builds check the buffers' ends).
TEST(QuadComposition, TinyAndOddFramesStayInsideTheirBuffers)
{
    for (QuadPixelFormat format : {QuadPixelFormat::Rgb24, QuadPixelFormat::Rgb555}) {
        for (std::size_t width = 1; width <= 5; ++width) {
            for (std::size_t height = 1; height <= 5; ++height) {
                for (bool topDown : {false, true}) {
                    const QuadGeometry geometry{width, height, format, topDown};
                    std::vector<std::uint8_t> frame(geometry.FrameBytes()), source(geometry.FrameBytes(), 7);
                    std::vector<std::uint8_t> background(geometry.RowBytes());
                    FillBackground(background.data(), background.size(), format, 2);
                    for (int q = 0; q < 4; ++q) {
                        DrawQuarter(frame.data(), geometry, q, source.data());
                        PaintQuarter(frame.data(), geometry, q, background.data());
                    }
                    PaintSpareEdges(frame.data(), geometry, background.data());
                    DrawCross(frame.data(), geometry);
                }
            }
        }
    }
    SUCCEED();
}

TEST(QuadComposition, CrossIsCyanOverThreeRowsAndThreeColumns)
{
    const QuadGeometry geometry{8, 8, QuadPixelFormat::Rgb24, false};
    std::vector<std::uint8_t> frame(geometry.FrameBytes(), 0);
    DrawCross(frame.data(), geometry);
    for (std::size_t row = 0; row < 8; ++row)
        for (std::size_t column = 0; column < 8; ++column) {
            const bool onCross = (row >= 3 && row <= 5) || (column >= 3 && column <= 5);
            const std::uint8_t* p = frame.data() + row * 24 + column * 3;
            const std::vector<std::uint8_t> pixel(p, p + 3);
            EXPECT_EQ(pixel, onCross ? (std::vector<std::uint8_t>{255, 255, 0}) : std::vector<std::uint8_t>(3, 0))
                << row << "," << column;
        }
    const QuadGeometry words{8, 8, QuadPixelFormat::Rgb565, false};
    std::vector<std::uint8_t> frame16(words.FrameBytes(), 0);
    DrawCross(frame16.data(), words);
    EXPECT_EQ(frame16[3 * 16], 0x7F);  // row 3, column 0: two rows from row 3
    EXPECT_EQ(frame16[3 * 16 + 1], 0x0F);
    EXPECT_EQ(frame16[5 * 16], 0x00);  // row 5 is outside the 16-bit bar
}

TEST(QuadComposition, BackgroundColoursByIndex)
{
    struct Case {
        QuadPixelFormat format;
        int colour;
        Bytes pixel;
    };
    const Case cases[] = {
        {QuadPixelFormat::Rgb24, 0, {0, 0, 0}},       {QuadPixelFormat::Rgb24, 1, {0, 0, 255}},
        {QuadPixelFormat::Rgb24, 2, {0, 255, 0}},     {QuadPixelFormat::Rgb24, 3, {255, 0, 0}},
        {QuadPixelFormat::Rgb24, 9, {0, 0, 0}},       {QuadPixelFormat::Rgb565, 1, Word(0xF800)},
        {QuadPixelFormat::Rgb565, 2, Word(0x07E0)},   {QuadPixelFormat::Rgb565, 3, Word(0x001F)},
        {QuadPixelFormat::Rgb555, 1, Word(0x7C00)},   {QuadPixelFormat::Rgb555, 2, Word(0x03E0)},
        {QuadPixelFormat::Rgb555, 3, Word(0x001F)},   {QuadPixelFormat::Rgb555, -1, Word(0)},
    };
    for (const Case& c : cases) {
        Bytes row(4 * c.pixel.size() + 1, 0xEE);
        FillBackground(row.data(), row.size(), c.format, c.colour);
        for (std::size_t p = 0; p < 4; ++p)
            EXPECT_EQ(Bytes(row.begin() + p * c.pixel.size(), row.begin() + (p + 1) * c.pixel.size()), c.pixel)
                << static_cast<int>(c.format) << " " << c.colour;
        EXPECT_EQ(row.back(), 0);  // the partial pixel
    }
}

TEST(OwnFrameClock, StartsAMillisecondAfterThePreviousStopAndOffsetsOnlyStops)
{
    struct Case {
        LONG interval, offset;
        bool zero;
        REFERENCE_TIME starts[3], stops[3];
    };
    const Case cases[] = {
        {33, 0, false, {0, 340000, 670000}, {330000, 660000, 990000}},
        {33, 1, false, {0, 340000, 670000}, {340000, 670000, 1000000}},
        {16, 5, false, {0, 170000, 330000}, {210000, 370000, 530000}},
        {33, 7, true, {0, 0, 0}, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        OwnFrameClock clock;
        for (int i = 0; i < 3; ++i) {
            const OwnFrameTimes times = clock.Advance(c.interval, c.offset, c.zero);
            EXPECT_EQ(times.start, c.starts[i]) << c.interval << " " << c.offset << " " << i;
            EXPECT_EQ(times.stop, c.stops[i]) << c.interval << " " << c.offset << " " << i;
            EXPECT_EQ(times.mediaStart, 1 + i);
            EXPECT_EQ(times.mediaStop, 2 + i);
        }
    }
}

} // namespace
