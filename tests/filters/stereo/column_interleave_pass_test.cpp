#include "ColumnInterleavePass.h"

#include "PixelReferences.h"

#include <gtest/gtest.h>

namespace {

TEST(ColumnInterleavePass, EvenPixelsFromTheLeftOddFromTheRight)
{
    const Bytes left{1, 1, 1, 2, 2, 2, 3, 3, 3};
    const Bytes right{7, 7, 7, 8, 8, 8, 9, 9, 9};
    Bytes out(9);
    InterleaveColumns(out.data(), left.data(), right.data(), out.size(), 3);
    EXPECT_EQ(out, (Bytes{1, 1, 1, 8, 8, 8, 3, 3, 3}));
}

// Lengths around the block size, with partial pixels at the end, for both
// pixel sizes: the blocks and the tail agree with the definition and write
// nothing past the length.
TEST(ColumnInterleavePass, MatchesTheDefinitionForEveryLength)
{
    for (unsigned bytesPerPixel : {2u, 3u}) {
        for (std::size_t length = 0; length < 200; ++length) {
            const Bytes left = RandomBytes(length, 1 + static_cast<unsigned>(length));
            const Bytes right = RandomBytes(length, 1000 + static_cast<unsigned>(length));
            Bytes out(length + 8, 0xEE);
            InterleaveColumns(out.data(), left.data(), right.data(), length, bytesPerPixel);
            Bytes expected = ReferenceInterleave(left, right, length, bytesPerPixel);
            expected.insert(expected.end(), 8, 0xEE);
            ASSERT_EQ(out, expected) << "bytes per pixel " << bytesPerPixel << ", length " << length;
        }
    }
}

TEST(ColumnInterleavePass, AFullRgb24FrameMatchesTheDefinition)
{
    const std::size_t length = 640 * 480 * 3;
    const Bytes left = RandomBytes(length, 5);
    const Bytes right = RandomBytes(length, 6);
    Bytes out(length);
    InterleaveColumns(out.data(), left.data(), right.data(), length, 3);
    EXPECT_EQ(out, ReferenceInterleave(left, right, length, 3));
}

} // namespace
