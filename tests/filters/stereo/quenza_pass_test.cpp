#include "QuenzaPass.h"

#include "EveryInstructionSet.h"
#include "TestBytes.h"

#include <gtest/gtest.h>

namespace {

// Pictures whose every pixel names its own column and row (bytes column,
// row and, for RGB24, 0xAB), drawn onto a 10 × 8 frame of 0xEE.
constexpr int kFrameWidth = 10;
constexpr int kFrameHeight = 8;

Bytes NumberedPicture(int width, int height, unsigned bpp = 3)
{
    Bytes picture;
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c) {
            picture.insert(picture.end(), {static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(r)});
            if (bpp == 3) picture.push_back(0xAB);
        }
    return picture;
}

// The drawing as defined, pixel by pixel: frame row b + j (b counted from
// the bottom) and column x + i show source pixel (i × sw / dw, j × sh / dh).
Bytes ReferenceDraw(int sw, int sh, const QuenzaPlacement& at, unsigned bpp, int frameWidth = kFrameWidth,
                    int frameHeight = kFrameHeight)
{
    Bytes frame(static_cast<std::size_t>(frameWidth * frameHeight) * bpp, 0xEE);
    const int bottom = frameHeight - at.y - at.height;
    for (int j = 0; j < at.height; ++j)
        for (int i = 0; i < at.width; ++i) {
            const int x = at.x + i;
            const int y = bottom + j;
            if (x < 0 || x >= frameWidth || y < 0 || y >= frameHeight) continue;
            const std::size_t to = (static_cast<std::size_t>(y) * frameWidth + x) * bpp;
            frame[to] = static_cast<std::uint8_t>(i * sw / at.width);
            frame[to + 1] = static_cast<std::uint8_t>(j * sh / at.height);
            if (bpp == 3) frame[to + 2] = 0xAB;
        }
    return frame;
}

struct DrawCase {
    const char* name;
    int sourceWidth;
    int sourceHeight;
    QuenzaPlacement at;
};

TEST(QuenzaPass, DrawsClippedOnEverySideAtOwnOrScaledSize)
{
    const DrawCase cases[] = {
        {"inside", 4, 3, {2, 1, 4, 3}},
        {"past the left edge", 4, 3, {-2, 1, 4, 3}},
        {"past the right edge", 4, 3, {8, 1, 4, 3}},
        {"past the top edge", 4, 3, {2, -2, 4, 3}},
        {"past the bottom edge", 4, 3, {2, 6, 4, 3}},
        {"over every edge", 14, 12, {-2, -2, 14, 12}},
        {"wholly left", 4, 3, {-4, 1, 4, 3}},
        {"wholly right", 4, 3, {10, 1, 4, 3}},
        {"wholly above", 4, 3, {2, -3, 4, 3}},
        {"wholly below", 4, 3, {2, 8, 4, 3}},
        {"doubled", 3, 2, {1, 1, 6, 4}},
        {"halved", 8, 6, {0, 0, 4, 3}},
        {"stretched one way", 2, 4, {3, 2, 5, 4}},
        {"doubled past the left and bottom", 3, 2, {-3, 6, 6, 4}},
        {"doubled past the right and top", 3, 2, {7, -2, 6, 4}},
        {"drawn at no size", 3, 2, {1, 1, 0, 4}},
    };
    std::vector<std::size_t> scratch;
    for (unsigned bpp : {3u, 2u})
        for (const DrawCase& c : cases) {
            const Bytes picture = NumberedPicture(c.sourceWidth, c.sourceHeight, bpp);
            Bytes frame(kFrameWidth * kFrameHeight * bpp, 0xEE);
            DrawPicture({frame.data(), frame.size(), kFrameWidth, kFrameHeight, bpp},
                        {picture.data(), picture.size(), c.sourceWidth, c.sourceHeight}, c.at, scratch);
            EXPECT_EQ(frame, ReferenceDraw(c.sourceWidth, c.sourceHeight, c.at, bpp)) << c.name << ", bpp " << bpp;
        }
}

// Exact doublings go by blocks: rows long enough for them, starting on odd
// and even columns, clipped on either side, in both formats.
TEST(QuenzaPass, DoublingsLongEnoughForBlocks)
{
    std::vector<std::size_t> scratch;
    for (unsigned bpp : {3u, 2u})
        for (int x : {-7, -4, 0, 1, 3, 8}) {
            const QuenzaPlacement at{x, 0, 58, 4};
            const Bytes picture = NumberedPicture(29, 2, bpp);
            Bytes frame(64 * 4 * bpp, 0xEE);
            DrawPicture({frame.data(), frame.size(), 64, 4, bpp}, {picture.data(), picture.size(), 29, 2}, at, scratch);
            EXPECT_EQ(frame, ReferenceDraw(29, 2, at, bpp, 64, 4)) << "bpp " << bpp << ", x " << x;
        }
}

// A picture store holding only its bottom row and a bit, and a frame buffer
// of 4 of its 8 rows: the bottom row is drawn, nothing else is read or
// written, at own size and doubled alike.
TEST(QuenzaPass, StaysInsideShortBuffers)
{
    const Bytes picture = NumberedPicture(4, 3);
    const Bytes cut(picture.begin(), picture.begin() + 20);
    std::vector<std::size_t> scratch;
    for (const QuenzaPlacement at : {QuenzaPlacement{0, 5, 4, 3}, QuenzaPlacement{0, 2, 8, 6}}) {
        Bytes frame(kFrameWidth * 4 * 3, 0xEE);
        DrawPicture({frame.data(), frame.size(), kFrameWidth, kFrameHeight, 3}, {cut.data(), cut.size(), 4, 3}, at,
                    scratch);
        Bytes expected(frame.size(), 0xEE);
        const int repeat = at.width / 4;
        for (int i = 0; i < at.width; ++i) {
            const auto to = static_cast<std::size_t>(3 * i);
            expected[to] = static_cast<std::uint8_t>(i / repeat);
            expected[to + 1] = 0;
            expected[to + 2] = 0xAB;
        }
        if (repeat == 2) std::copy_n(expected.begin(), 3 * at.width, expected.begin() + 3 * kFrameWidth);
        EXPECT_EQ(frame, expected) << at.width;
    }
}

// Copying the background only around what the pictures cover gives the
// frame a whole background copy gives, over a frame full of stale bytes,
// for overlapping, clipped, scaled, absent and cut-short pictures.
TEST(QuenzaPass, BackgroundAroundThePicturesMatchesAWholeCopy)
{
    struct Layout {
        const char* name;
        QuenzaPlacement first;
        QuenzaPlacement second;
        std::size_t secondBytes;  // of 4 × 3 × 3 = 36
        std::size_t frameRows;
    };
    const Layout layouts[] = {
        {"side by side", {0, 0, 4, 3}, {4, 0, 4, 3}, 36, 8},
        {"overlapping", {1, 1, 4, 3}, {3, 2, 8, 6}, 36, 8},
        {"clipped", {-2, -1, 4, 3}, {8, 6, 4, 3}, 36, 8},
        {"one outside", {0, 9, 4, 3}, {2, 2, 4, 3}, 36, 8},
        {"second cut short", {0, 0, 4, 3}, {4, 0, 4, 3}, 20, 8},
        {"frame cut short", {0, 3, 4, 3}, {4, 3, 8, 6}, 36, 5},
    };
    const Bytes background = RandomBytes(kFrameWidth * kFrameHeight * 3 + 2, 9);
    const Bytes picture = NumberedPicture(4, 3);
    std::vector<std::size_t> scratch;
    for (const Layout& l : layouts) {
        const std::size_t frameBytes = kFrameWidth * 3 * l.frameRows + 2;  // and a partial row
        const QuenzaPicture first{picture.data(), picture.size(), 4, 3};
        const QuenzaPicture second{picture.data(), l.secondBytes, 4, 3};
        Bytes whole(frameBytes);
        const QuenzaFrame wholeFrame{whole.data(), frameBytes, kFrameWidth, kFrameHeight, 3};
        std::copy_n(background.begin(), frameBytes, whole.begin());
        DrawPicture(wholeFrame, first, l.first, scratch);
        DrawPicture(wholeFrame, second, l.second, scratch);

        Bytes around = RandomBytes(frameBytes, 10);
        const QuenzaFrame aroundFrame{around.data(), frameBytes, kFrameWidth, kFrameHeight, 3};
        const QuenzaRect covered[2] = {CoveredRect(aroundFrame, first, l.first), CoveredRect(aroundFrame, second, l.second)};
        CopyBackgroundAround(aroundFrame, background.data(), covered, 2);
        DrawPicture(aroundFrame, first, l.first, scratch);
        DrawPicture(aroundFrame, second, l.second, scratch);
        EXPECT_EQ(around, whole) << l.name;
    }
}

TEST(QuenzaPass, BackgroundInEitherFormat)
{
    std::vector<std::uint8_t> background;
    BuildBackground(background, 7, 3, 10, 20, 30);
    EXPECT_EQ(background, (Bytes{30, 20, 10, 30, 20, 10, 0}));
    BuildBackground(background, 4, 2, 255, 128, 8);
    // (255 / 8) × 1024 + (128 / 8) × 32 + 8 / 8 = 0x7E01
    EXPECT_EQ(background, (Bytes{0x01, 0x7E, 0x01, 0x7E}));
}

} // namespace

namespace {

using QuenzaDoubledOn = EveryInstructionSet;

// Doubled in width, the rows go through whole vectors: every drawn width
// 0–69 (so every run length), starting on an even or odd drawn column (cut
// at the left edge), in both pixel sizes, against the pixel-by-pixel rule.
TEST_P(QuenzaDoubledOn, EveryRunLengthMatchesThePixelRule)
{
    constexpr int kHeight = 2;
    std::vector<std::size_t> scratch;
    for (unsigned bpp : {2u, 3u})
        for (int sourceWidth = 1; sourceWidth <= 35; ++sourceWidth)
            for (int x : {0, -1, -2, -3}) {
                const int drawn = 2 * sourceWidth;
                const int frameWidth = drawn + x;
                if (frameWidth <= 0) continue;
                const Bytes picture = RandomBytes(static_cast<std::size_t>(sourceWidth * kHeight) * bpp,
                                                  static_cast<unsigned>(sourceWidth * 5 + bpp));
                const std::size_t frameBytes = static_cast<std::size_t>(frameWidth * 2 * kHeight) * bpp;
                Bytes frame(frameBytes, 0xEE);
                DrawPicture({frame.data(), frame.size(), frameWidth, 2 * kHeight, bpp},
                            {picture.data(), picture.size(), sourceWidth, kHeight}, {x, 0, drawn, 2 * kHeight},
                            scratch);
                Bytes expected(frameBytes, 0xEE);
                for (int row = 0; row < 2 * kHeight; ++row)
                    for (int column = 0; column < frameWidth; ++column) {
                        const auto source = static_cast<std::size_t>((row / 2) * sourceWidth + (column - x) / 2);
                        std::copy_n(picture.begin() + static_cast<std::ptrdiff_t>(source * bpp), bpp,
                                    expected.begin() +
                                        static_cast<std::ptrdiff_t>((row * frameWidth + column) * static_cast<int>(bpp)));
                    }
                ASSERT_EQ(frame, expected) << "bpp " << bpp << " source width " << sourceWidth << " x " << x;
            }
}

INSTANTIATE_TEST_SUITE_P(, QuenzaDoubledOn, EveryInstructionSetValues(), InstructionSetTestName);

} // namespace
