#include "InterlacePass.h"

#include "EveryInstructionSet.h"
#include "TestBytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// The result as defined, into a separate buffer: output pixel 2j = input j,
// 2j+1 = input h+j; an odd last pixel and a partial last row stay.
Bytes ReferenceInterlace(const Bytes& in, std::size_t width, unsigned b)
{
    Bytes out = in;
    const std::size_t rowBytes = width * b;
    const std::size_t h = width / 2;
    for (std::size_t row = 0; rowBytes && (row + 1) * rowBytes <= in.size(); ++row) {
        const std::uint8_t* from = in.data() + row * rowBytes;
        std::uint8_t* to = out.data() + row * rowBytes;
        for (std::size_t j = 0; j < h; ++j) {
            std::memcpy(to + 2 * j * b, from + j * b, b);
            std::memcpy(to + (2 * j + 1) * b, from + (h + j) * b, b);
        }
    }
    return out;
}

// Pixels named by letters: pixel k holds k+1 in every byte.
Bytes Letters(std::size_t pixels, unsigned b)
{
    Bytes bytes;
    for (std::size_t k = 0; k < pixels; ++k) bytes.insert(bytes.end(), b, static_cast<std::uint8_t>(k + 1));
    return bytes;
}

Bytes Interlaced(Bytes data, std::size_t width, unsigned b)
{
    Bytes scratch(InterlaceScratchBytes(width, b));
    InterleaveRows(data.data(), data.size(), width, b, scratch.data());
    return data;
}

class InterlacePass : public EveryInstructionSet {};
INSTANTIATE_TEST_SUITE_P(, InterlacePass, EveryInstructionSetValues(), InstructionSetTestName);

constexpr std::uint8_t A = 1, B = 2, C = 3, D = 4, E = 5, F = 6;

Bytes Spread(std::initializer_list<std::uint8_t> pixels, unsigned b)
{
    Bytes bytes;
    for (std::uint8_t p : pixels) bytes.insert(bytes.end(), b, p);
    return bytes;
}

TEST_P(InterlacePass, FourAndSixPixelRows)
{
    for (unsigned b : {3u, 2u}) {
        EXPECT_EQ(Interlaced(Letters(4, b), 4, b), Spread({A, C, B, D}, b)) << b;
        EXPECT_EQ(Interlaced(Letters(6, b), 6, b), Spread({A, D, B, E, C, F}, b)) << b;
    }
}

TEST_P(InterlacePass, PixelsMoveWholeWithTheirComponents)
{
    const Bytes row{10, 11, 12, 20, 21, 22, 30, 31, 32, 40, 41, 42};
    EXPECT_EQ(Interlaced(row, 4, 3), (Bytes{10, 11, 12, 30, 31, 32, 20, 21, 22, 40, 41, 42}));
}

// Every row starts with its own first pixel: no row takes pixels of another.
TEST_P(InterlacePass, EveryRowIsInterleavedOnItsOwn)
{
    const std::size_t width = 6;
    const Bytes frame = Letters(width * 3, 3);
    const Bytes out = Interlaced(frame, width, 3);
    for (std::size_t row = 0; row < 3; ++row) {
        const std::uint8_t first = static_cast<std::uint8_t>(row * width + 1);
        EXPECT_EQ(out[row * width * 3], first);
        EXPECT_EQ(out[row * width * 3 + 3], first + 3);
    }
    EXPECT_EQ(out, ReferenceInterlace(frame, width, 3));
}

// Every width up to past two of the widest blocks (32 pairs), odd and even,
// so blocks, the narrower blocks after them and the pair-by-pair rest meet
// in every combination; then frame widths.
TEST_P(InterlacePass, MatchesTheDefinitionForManyShapes)
{
    std::vector<std::size_t> widths;
    for (std::size_t width = 0; width < 70; ++width) widths.push_back(width);
    widths.insert(widths.end(), {640, 641, 1920, 1921});
    unsigned seed = 0;
    for (unsigned b : {3u, 2u, 4u})
        for (std::size_t width : widths)
            for (std::size_t rows : {1, 2, 3}) {
                const Bytes in = RandomBytes(width * b * rows, ++seed);
                EXPECT_EQ(Interlaced(in, width, b), ReferenceInterlace(in, width, b))
                    << "b " << b << " width " << width << " rows " << rows;
            }
}

TEST_P(InterlacePass, OddWidthsKeepTheLastPixelOfEachRow)
{
    const Bytes out = Interlaced(Letters(10, 3), 5, 3);
    EXPECT_EQ(out, (Bytes{Spread({A, C, B, D, E, 6, 8, 7, 9, 10}, 3)}));
}

// A sample that is not a whole number of rows: the whole rows are
// interleaved, the rest (and nothing past the sample) stays.
TEST_P(InterlacePass, PartialRowsAndEmptySamplesStayAsTheyAre)
{
    const std::size_t width = 8;
    const Bytes in = RandomBytes(width * 3 * 2 + 13, 7);
    const Bytes out = Interlaced(in, width, 3);
    EXPECT_EQ(out, ReferenceInterlace(in, width, 3));
    EXPECT_TRUE(std::equal(out.end() - 13, out.end(), in.end() - 13));

    const Bytes shortOfARow = RandomBytes(width * 3 - 1, 8);
    EXPECT_EQ(Interlaced(shortOfARow, width, 3), shortOfARow);
    EXPECT_EQ(Interlaced(Bytes{}, width, 3), Bytes{});
}

TEST_P(InterlacePass, NoPixelSizeOrWidthChangesNothing)
{
    const Bytes in = RandomBytes(48, 9);
    Bytes data = in;
    InterleaveRows(data.data(), data.size(), 8, 0, nullptr);
    InterleaveRows(data.data(), data.size(), 0, 3, nullptr);
    EXPECT_EQ(data, in);
}

} // namespace
