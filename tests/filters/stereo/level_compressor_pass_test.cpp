#include "LevelCompressorBitmaps.h"
#include "LevelCompressorPass.h"

#include "EveryInstructionSet.h"
#include "TestBytes.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace {

// Rows of a DIB: whole 32-bit words.
std::size_t DibRow(std::size_t width, unsigned bpp) { return (width * bpp + 3) / 4 * 4; }

// The squeeze as defined: row r of the picture, columns 0, 2, 4, …, to row r
// of the half, as far as the picture's bytes and the frame's reach.
Bytes ReferenceSqueeze(Bytes frame, const Bytes& picture, std::size_t width, unsigned bpp, FrameHalf half)
{
    const std::size_t row = DibRow(width, bpp);
    const std::size_t halfWidth = width / 2;
    const std::size_t offset = half == FrameHalf::Right ? halfWidth * bpp : 0;
    for (std::size_t r = 0; r * row < picture.size(); ++r)
        for (std::size_t i = 0; i < halfWidth; ++i)
            for (unsigned b = 0; b < bpp; ++b) {
                const std::size_t from = r * row + 2 * i * bpp + b;
                const std::size_t to = r * row + offset + i * bpp + b;
                if (r * row + (2 * i + 1) * bpp <= picture.size() && r * row + offset + (i + 1) * bpp <= frame.size())
                    frame[to] = picture[from];
            }
    return frame;
}

using LevelCompressorPassOn = EveryInstructionSet;

// Both pixel sizes and halves, widths 2–69 (odd ones among them, and rows
// padded to whole words), pictures cut short anywhere, every output alignment within a vector, cached and
// streamed: all agree with the definition and leave the other half
// untouched.
TEST_P(LevelCompressorPassOn, EveryWidthMatchesTheDefinition)
{
    for (bool stream : {false, true}) {
        const ForcedStreaming streaming(stream);
        for (unsigned bpp : {2u, 3u})
            for (std::size_t width = 2; width < 70; ++width)
                for (FrameHalf half : {FrameHalf::Left, FrameHalf::Right}) {
                    const std::size_t row = DibRow(width, bpp);
                    const std::size_t bytes = 3 * row;
                    const auto seed = static_cast<unsigned>(width * 7 + bpp);
                    const Bytes background = RandomBytes(bytes + 16, seed);
                    for (std::size_t length : {bytes, bytes - bpp, bytes / 2 + 1}) {
                        const Bytes picture = RandomBytes(length, seed + 1);
                        for (std::size_t shift = 0; shift < 16; shift += width % 2 ? 1 : 5) {
                            Bytes frame = background;
                            CompressIntoHalf(frame.data() + shift, bytes, picture.data(), picture.size(), width, bpp,
                                             row, half);
                            const Bytes expected(background.begin() + static_cast<std::ptrdiff_t>(shift),
                                                 background.begin() + static_cast<std::ptrdiff_t>(shift + bytes));
                            ASSERT_EQ(Bytes(frame.begin() + static_cast<std::ptrdiff_t>(shift),
                                            frame.begin() + static_cast<std::ptrdiff_t>(shift + bytes)),
                                      ReferenceSqueeze(expected, picture, width, bpp, half))
                                << "stream " << stream << " bpp " << bpp << " width " << width << " length "
                                << length << " shift " << shift;
                            ASSERT_TRUE(std::equal(frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(shift),
                                                   background.begin()));
                            ASSERT_TRUE(std::equal(frame.begin() + static_cast<std::ptrdiff_t>(shift + bytes),
                                                   frame.end(), background.begin() + static_cast<std::ptrdiff_t>(shift + bytes)));
                        }
                    }
                }
    }
}

// A full-HD row, long enough for many vector steps, in both halves.
TEST_P(LevelCompressorPassOn, WideFramesMatchTheDefinition)
{
    for (unsigned bpp : {2u, 3u})
        for (std::size_t width : {1920u, 1921u}) {
            const std::size_t bytes = 3 * DibRow(width, bpp);
            const Bytes picture = RandomBytes(bytes, 5);
            Bytes frame = RandomBytes(bytes, 6);
            Bytes expected = frame;
            for (FrameHalf half : {FrameHalf::Left, FrameHalf::Right}) {
                CompressIntoHalf(frame.data(), frame.size(), picture.data(), picture.size(), width, bpp,
                                 DibRow(width, bpp), half);
                expected = ReferenceSqueeze(expected, picture, width, bpp, half);
            }
            ASSERT_EQ(frame, expected) << bpp << " " << width;
        }
}

INSTANTIATE_TEST_SUITE_P(, LevelCompressorPassOn, EveryInstructionSetValues(), InstructionSetTestName);

TEST(LevelCompressorPass, KeepsTheEvenColumnsOfEachRow)
{
    // Two rows of six RGB555 pixels; pixel value = 10 × row + column.
    Bytes picture;
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 6; ++c) picture.insert(picture.end(), {static_cast<std::uint8_t>(10 * r + c), 0});
    Bytes frame(picture.size(), 0xEE);
    CompressIntoHalf(frame.data(), frame.size(), picture.data(), picture.size(), 6, 2, 12, FrameHalf::Right);
    EXPECT_EQ(frame, (Bytes{0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0, 0, 2, 0, 4, 0,
                            0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 10, 0, 12, 0, 14, 0}));
}

// Through device bitmaps the same columns survive, for both formats (RGB555
// values carry five bits per component, so any 15-bit value comes back).
TEST(LevelCompressorBitmaps, SqueezeMatchesTheMemorySqueeze)
{
    for (unsigned bpp : {2u, 3u}) {
        const std::size_t width = 64;
        const std::size_t height = 6;
        BITMAPINFOHEADER header{};
        header.biSize = sizeof header;
        header.biWidth = static_cast<LONG>(width);
        header.biHeight = static_cast<LONG>(height);
        header.biPlanes = 1;
        header.biBitCount = static_cast<WORD>(8 * bpp);
        DeviceBitmapCompressor bitmaps;
        ASSERT_TRUE(bitmaps.Create(header));
        const std::size_t bytes = width * height * bpp;
        Bytes left = RandomBytes(bytes, 3);
        Bytes right = RandomBytes(bytes, 4);
        if (bpp == 2)
            for (std::size_t i = 1; i < bytes; i += 2) left[i] &= 0x7F, right[i] &= 0x7F;
        bitmaps.PutSide(FrameHalf::Left, left.data(), left.size());
        bitmaps.PutSide(FrameHalf::Right, right.data(), right.size());
        Bytes viaBitmaps(bytes, 0xEE);
        EXPECT_EQ(bitmaps.Compose(viaBitmaps.data(), viaBitmaps.size()), bytes);
        Bytes inMemory(bytes, 0);
        CompressIntoHalf(inMemory.data(), bytes, left.data(), bytes, width, bpp, width * bpp, FrameHalf::Left);
        CompressIntoHalf(inMemory.data(), bytes, right.data(), bytes, width, bpp, width * bpp, FrameHalf::Right);
        EXPECT_EQ(viaBitmaps, inMemory) << bpp;
    }
}

// Frames of a few whole rows update only those rows of their half, however
// the sides take turns: what one side leaves out stays its own last picture,
// never the other side's. Frames pass in bands of rows, so tall ones try
// rows around the bands' joins.
TEST(LevelCompressorBitmaps, ShortFramesUpdateOnlyTheirRowsOfTheirHalf)
{
    struct Put {
        FrameHalf half;
        std::size_t rows;
        unsigned seed;
    };
    struct Case {
        std::size_t height;
        std::vector<Put> puts;
    };
    const std::vector<Case> cases = {
        {6, {{FrameHalf::Left, 6, 1}, {FrameHalf::Right, 2, 2}}},
        {6, {{FrameHalf::Right, 6, 1}, {FrameHalf::Left, 1, 2}, {FrameHalf::Right, 3, 3}}},
        {6, {{FrameHalf::Left, 6, 1}, {FrameHalf::Right, 6, 2}, {FrameHalf::Left, 4, 3}, {FrameHalf::Right, 0, 4}}},
        {70, {{FrameHalf::Left, 70, 1}, {FrameHalf::Right, 70, 2}, {FrameHalf::Left, 33, 3}, {FrameHalf::Right, 64, 4}}},
        {70, {{FrameHalf::Right, 31, 1}, {FrameHalf::Left, 65, 2}, {FrameHalf::Right, 70, 3}, {FrameHalf::Left, 32, 4}}},
    };
    const std::size_t width = 20, bpp = 3, row = width * bpp;
    for (LONG direction : {1, -1}) {
        for (const Case& c : cases) {
            BITMAPINFOHEADER header{};
            header.biSize = sizeof header;
            header.biWidth = static_cast<LONG>(width);
            header.biHeight = direction * static_cast<LONG>(c.height);
            header.biPlanes = 1;
            header.biBitCount = 24;
            DeviceBitmapCompressor bitmaps;
            ASSERT_TRUE(bitmaps.Create(header));
            // In DIB row order either way, so the memory squeeze is the model.
            Bytes expected(c.height * row, 0);
            for (const Put& put : c.puts) {
                const Bytes frame = RandomBytes(put.rows * row, put.seed);
                bitmaps.PutSide(put.half, frame.data(), frame.size());
                CompressIntoHalf(expected.data(), expected.size(), frame.data(), frame.size(), width, bpp, row,
                                 put.half);
            }
            Bytes out(c.height * row, 0xEE);
            EXPECT_EQ(bitmaps.Compose(out.data(), out.size()), out.size());
            EXPECT_EQ(out, expected) << direction << " " << c.height << " " << c.puts.size();
        }
    }
}

} // namespace
