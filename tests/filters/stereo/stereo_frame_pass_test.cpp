#include "StereoFramePass.h"

#include "EveryInstructionSet.h"
#include "PixelReferences.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

class StereoFramePass : public EveryInstructionSet {};
INSTANTIATE_TEST_SUITE_P(, StereoFramePass, EveryInstructionSetValues(), InstructionSetTestName);

// The two passes the fused one replaces, one after the other.
Bytes InterleavedThenShifted(const Bytes& left, const Bytes& right, std::size_t length, unsigned bytesPerPixel)
{
    const Bytes interleaved = ReferenceInterleave(left, right, length, bytesPerPixel);
    return bytesPerPixel == 3 ? ReferenceShiftRgb24(interleaved) : ReferenceShiftRgb555(interleaved);
}

// Composed with cached and with streaming stores (which must agree), into
// an output `offset` bytes past an aligned start, since the blocks start on
// the output's alignment. Guard bytes after the output catch writes past the
// length; inputs of exactly the length let the address sanitizer catch reads
// past it.
Bytes Composed(const Bytes& left, const Bytes& right, std::size_t length, unsigned bytesPerPixel,
               std::size_t offset = 0)
{
    Bytes results[2];
    for (bool stream : {false, true}) {
        const ForcedStreaming forced(stream);
        std::vector<std::uint8_t> buffer(offset + length + 8 + 32, 0xEE);
        const auto base = reinterpret_cast<std::uintptr_t>(buffer.data());
        std::uint8_t* out = buffer.data() + (32 - base % 32) % 32 + offset;
        ComposeStereoFrame(out, left.data(), right.data(), length, bytesPerPixel);
        EXPECT_TRUE(std::all_of(buffer.data(), out, [](std::uint8_t b) { return b == 0xEE; })) << "wrote before";
        results[stream].assign(out, out + length + 8);
    }
    EXPECT_EQ(results[0], results[1]) << "cached and streaming stores differ";
    return results[0];
}

Bytes WithGuard(Bytes bytes)
{
    bytes.insert(bytes.end(), 8, 0xEE);
    return bytes;
}

TEST_P(StereoFramePass, SmallRgb24Frame)
{
    // Pixels (B, G, R): left L0 L1 L2, right R0 R1 R2.
    const Bytes left{1, 10, 100, 2, 20, 200, 3, 30, 250};
    const Bytes right{4, 40, 140, 5, 50, 150, 6, 60, 160};
    // Interleaved L0 R1 L2, then each takes the green before it.
    EXPECT_EQ(Composed(left, right, 9, 3), WithGuard({1, 0, 100, 5, 10, 150, 3, 50, 250}));
}

// Every length in bytes up to five chunks, so runs of 0 to 160 RGB24 and
// 0 to 240 RGB555 pixels, each with every partial pixel after them: the
// leading pixels, the blocks and the rest meet at every offset.
TEST_P(StereoFramePass, MatchesInterleaveThenGreenShiftForEveryLength)
{
    for (unsigned bytesPerPixel : {3u, 2u}) {
        for (std::size_t length = 0; length <= 480; ++length) {
            const Bytes left = RandomBytes(length, static_cast<unsigned>(length));
            const Bytes right = RandomBytes(length, 5000 + static_cast<unsigned>(length));
            ASSERT_EQ(Composed(left, right, length, bytesPerPixel),
                      WithGuard(InterleavedThenShifted(left, right, length, bytesPerPixel)))
                << "bytes per pixel " << bytesPerPixel << ", length " << length;
        }
    }
}

TEST_P(StereoFramePass, WholeFramesMatchInterleaveThenGreenShift)
{
    for (unsigned bytesPerPixel : {3u, 2u})
        for (std::size_t length : {640u * 480 * bytesPerPixel, 641u * 3 * bytesPerPixel}) {
            const Bytes left = RandomBytes(length, 11);
            const Bytes right = RandomBytes(length, 12);
            EXPECT_EQ(Composed(left, right, length, bytesPerPixel),
                      WithGuard(InterleavedThenShifted(left, right, length, bytesPerPixel)))
                << "bytes per pixel " << bytesPerPixel << ", length " << length;
        }
}

TEST_P(StereoFramePass, EveryOutputAlignmentMatches)
{
    const std::size_t length = 1000;
    const Bytes left = RandomBytes(length, 15);
    const Bytes right = RandomBytes(length, 16);
    for (unsigned bytesPerPixel : {3u, 2u})
        for (std::size_t offset = 0; offset < 32; ++offset)
            ASSERT_EQ(Composed(left, right, length, bytesPerPixel, offset),
                      WithGuard(InterleavedThenShifted(left, right, length, bytesPerPixel)))
                << "bytes per pixel " << bytesPerPixel << ", output offset " << offset;
}

// Pixel sizes without a green to shift get the interleave alone.
TEST_P(StereoFramePass, OtherPixelSizesAreOnlyInterleaved)
{
    const Bytes left = RandomBytes(250, 13);
    const Bytes right = RandomBytes(250, 14);
    for (unsigned bytesPerPixel : {1u, 4u})
        EXPECT_EQ(Composed(left, right, 250, bytesPerPixel), WithGuard(ReferenceInterleave(left, right, 250, bytesPerPixel)))
            << bytesPerPixel;
}

} // namespace
