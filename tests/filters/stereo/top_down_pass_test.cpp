#include "GreenShiftPass.h"
#include "StereoFramePass.h"

#include "EveryInstructionSet.h"
#include "TestBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

class TopDownPass : public EveryInstructionSet {};
INSTANTIATE_TEST_SUITE_P(, TopDownPass, EveryInstructionSetValues(), InstructionSetTestName);

struct Geometry {
    unsigned bytesPerPixel;
    std::size_t rowBytes;  // whole pixels, padding included
    std::size_t rows;
};

// Odd and even pixel counts per row and rows, one-pixel rows, rows with a
// padding pixel (RGB555 of odd width, RGB24 of 3 and 7 pixels) and rows
// long enough for the blocks of every instruction set.
constexpr Geometry kGeometries[] = {
    {3, 12, 1}, {3, 12, 2}, {3, 12, 5}, {3, 24, 6},  {3, 3, 7},    {3, 96, 3},   {3, 300, 4},
    {3, 303, 5}, {3, 1920 * 3, 4},      {2, 4, 5},   {2, 8, 6},    {2, 2, 9},    {2, 64, 2},
    {2, 102, 7}, {2, 1920 * 2, 3},      {2, 258, 4},
};

std::string Describe(const Geometry& g)
{
    return std::to_string(g.bytesPerPixel * 8) + " bit, rows of " + std::to_string(g.rowBytes) + " bytes x " +
           std::to_string(g.rows);
}

// A top-down frame comes out as the row-reversed result of its bottom-up
// twin, both for the green shift alone and for the composed stereo frame.
TEST_P(TopDownPass, GivesTheRowReversedPictureOfTheBottomUpTwin)
{
    unsigned seed = 1;
    for (const Geometry& g : kGeometries) {
        const std::size_t length = g.rowBytes * g.rows;
        const Bytes topDown = RandomBytes(length, seed++);
        const Bytes bottomUp = RowsReversed(topDown, g.rowBytes);

        Bytes shifted = bottomUp;
        ShiftGreen(shifted.data(), length, g.bytesPerPixel);
        Bytes shiftedTopDown = topDown;
        ASSERT_TRUE(ShiftGreenTopDown(shiftedTopDown.data(), length, g.bytesPerPixel, g.rowBytes, g.rows));
        EXPECT_EQ(shiftedTopDown, RowsReversed(shifted, g.rowBytes)) << "green shift, " << Describe(g);

        const Bytes rightTopDown = RandomBytes(length, seed++);
        const Bytes rightBottomUp = RowsReversed(rightTopDown, g.rowBytes);
        Bytes composed(length), composedTopDown(length);
        ComposeStereoFrame(composed.data(), bottomUp.data(), rightBottomUp.data(), length, g.bytesPerPixel);
        ComposeStereoFrameTopDown(composedTopDown.data(), topDown.data(), rightTopDown.data(), length,
                                  g.bytesPerPixel, g.rowBytes, g.rows);
        EXPECT_EQ(composedTopDown, RowsReversed(composed, g.rowBytes)) << "stereo frame, " << Describe(g);
    }
}

// Rows that do not hold whole pixels, a sample shorter than its rows and
// pixel sizes without green never take the passes past the sample.
TEST_P(TopDownPass, GeometriesItCannotTurnStayWithinTheSample)
{
    const Bytes frame = RandomBytes(40, 7);
    Bytes plain = frame;
    ShiftGreen(plain.data(), plain.size(), 3);
    Bytes unaligned = frame;
    ASSERT_TRUE(ShiftGreenTopDown(unaligned.data(), unaligned.size(), 3, 8, 5));
    EXPECT_EQ(unaligned, plain) << "rows of 8 bytes hold no whole RGB24 pixels";

    Bytes shortSample = frame;
    ASSERT_TRUE(ShiftGreenTopDown(shortSample.data(), 24, 3, 12, 1000));
    EXPECT_TRUE(std::equal(frame.begin() + 24, frame.end(), shortSample.begin() + 24));

    Bytes other = frame;
    EXPECT_FALSE(ShiftGreenTopDown(other.data(), other.size(), 4, 8, 5));
    EXPECT_EQ(other, frame);
}

} // namespace
