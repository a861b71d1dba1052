#include "GreenShiftPass.h"

#include "PixelReferences.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

TEST(GreenShiftPass, Rgb24MovesOnlyTheMiddleByte)
{
    Bytes frame{1, 10, 100, 2, 20, 200, 3, 30, 250};
    ShiftGreenRgb24(frame.data(), 3);
    EXPECT_EQ(frame, (Bytes{1, 0, 100, 2, 10, 200, 3, 20, 250}));
}

TEST(GreenShiftPass, Rgb555KeepsRedAndBlueAndTheTopBit)
{
    // Pixels with every red, blue and top bit set and distinct greens.
    const std::uint16_t words[] = {0xFC1F | (3 << 5), 0xFC1F | (17 << 5), 0x0000 | (31 << 5), 0x8001};
    Bytes frame;
    for (std::uint16_t w : words) {
        frame.push_back(static_cast<std::uint8_t>(w));
        frame.push_back(static_cast<std::uint8_t>(w >> 8));
    }
    ShiftGreenRgb555(frame.data(), 4);
    auto word = [&](int i) { return frame[2 * i] | frame[2 * i + 1] << 8; };
    EXPECT_EQ(word(0), 0xFC1F);
    EXPECT_EQ(word(1), 0xFC1F | (3 << 5));
    EXPECT_EQ(word(2), 17 << 5);
    EXPECT_EQ(word(3), 0x8001 | (31 << 5));
}

TEST(GreenShiftPass, OnePixelLosesItsGreenAndAnEmptyRunIsUntouched)
{
    Bytes rgb24{7, 8, 9};
    ShiftGreenRgb24(rgb24.data(), 1);
    EXPECT_EQ(rgb24, (Bytes{7, 0, 9}));
    Bytes rgb555{0xFF, 0xFF};
    ShiftGreenRgb555(rgb555.data(), 1);
    EXPECT_EQ(rgb555, (Bytes{0x1F, 0xFC}));
    Bytes guard{5, 6, 7};
    ShiftGreenRgb24(guard.data(), 0);
    ShiftGreenRgb555(guard.data(), 0);
    EXPECT_EQ(guard, (Bytes{5, 6, 7}));
}

// Runs of every length around the block sizes, where the block and tail
// parts meet; the green crosses row ends like any other pixel boundary.
TEST(GreenShiftPass, MatchesThePixelByPixelDefinitionForEveryRunLength)
{
    for (std::size_t n = 0; n < 70; ++n) {
        const Bytes in24 = RandomBytes(3 * n, static_cast<unsigned>(n));
        Bytes out24 = in24;
        ShiftGreenRgb24(out24.data(), n);
        EXPECT_EQ(out24, ReferenceShiftRgb24(in24)) << "RGB24 pixels " << n;

        const Bytes in555 = RandomBytes(2 * n, static_cast<unsigned>(n + 1000));
        Bytes out555 = in555;
        ShiftGreenRgb555(out555.data(), n);
        EXPECT_EQ(out555, ReferenceShiftRgb555(in555)) << "RGB555 pixels " << n;
    }
}

TEST(GreenShiftPass, WholeFramesMatchTheDefinition)
{
    const Bytes in24 = RandomBytes(640 * 480 * 3, 1);
    Bytes out24 = in24;
    ASSERT_TRUE(ShiftGreen(out24.data(), out24.size(), 3));
    EXPECT_EQ(out24, ReferenceShiftRgb24(in24));
    const Bytes in555 = RandomBytes(641 * 3 * 2, 2);
    Bytes out555 = in555;
    ASSERT_TRUE(ShiftGreen(out555.data(), out555.size(), 2));
    EXPECT_EQ(out555, ReferenceShiftRgb555(in555));
}

// A length that is not a whole number of pixels: the bytes past the last
// whole pixel are neither read into a pixel nor written.
TEST(GreenShiftPass, BytesShortOfAPixelStayAsTheyAre)
{
    const Bytes in = RandomBytes(3 * 40 + 2, 3);
    Bytes out = in;
    ASSERT_TRUE(ShiftGreen(out.data(), out.size(), 3));
    Bytes whole(in.begin(), in.end() - 2);
    Bytes expected = ReferenceShiftRgb24(whole);
    expected.insert(expected.end(), in.end() - 2, in.end());
    EXPECT_EQ(out, expected);

    const Bytes in555 = RandomBytes(2 * 33 + 1, 4);
    Bytes out555 = in555;
    ASSERT_TRUE(ShiftGreen(out555.data(), out555.size(), 2));
    EXPECT_EQ(out555.back(), in555.back());
}

TEST(GreenShiftPass, OtherPixelSizesChangeNothing)
{
    const Bytes in = RandomBytes(64, 5);
    for (unsigned size : {0u, 1u, 4u}) {
        Bytes out = in;
        EXPECT_FALSE(ShiftGreen(out.data(), out.size(), size));
        EXPECT_EQ(out, in);
    }
}

} // namespace
