#include "GhostPass.h"

#include "EveryInstructionSet.h"
#include "TestBytes.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// The pass walked group by group in buffer order, as the effect is defined.
Bytes ReferenceGhost(Bytes data, std::int32_t strength, std::int32_t offset)
{
    if (strength == 0) return data;
    const float factor = static_cast<float>(strength * 0.002);
    const std::int64_t groups = static_cast<std::int64_t>(data.size() / 3);
    const auto add = [&](std::int64_t to, std::int64_t from) {
        const int v = static_cast<int>(static_cast<float>(data[3 * from]) * factor);
        for (int c = 0; c < 3; ++c) data[3 * to + c] = static_cast<std::uint8_t>(std::min(255, data[3 * to + c] + v));
    };
    if (offset > 0)
        for (std::int64_t from = 0; from + offset < groups; ++from) add(from + offset, from);
    else
        for (std::int64_t from = groups - 1; from + offset >= 0; --from) add(from + offset, from);
    return data;
}

Bytes Ghosted(Bytes data, std::int32_t strength, std::int32_t offset)
{
    AddGhost(data.data(), data.size(), strength, offset);
    return data;
}

// Each test runs once per instruction set the machine has.
using GhostPassOn = EveryInstructionSet;

// Offsets short of, at and beyond the chunk and block sizes of the pass, in
// both forms, over runs with and without a trailing part group.
TEST_P(GhostPassOn, MatchesTheGroupByGroupDefinition)
{
    unsigned seed = 1;
    for (std::int32_t strength : {1, 7, 33, 50, 64, 99, 100})
        for (std::int32_t offset : {1, 2, 15, 16, 17, 31, 50, 100, 0, -1, -16, -17, -50, -100})
            for (std::size_t length : {std::size_t{0}, std::size_t{2}, std::size_t{3}, std::size_t{301},
                                       std::size_t{3 * 97}, std::size_t{3 * 640 + 1}}) {
                const Bytes frame = RandomBytes(length, seed++);
                ASSERT_EQ(Ghosted(frame, strength, offset), ReferenceGhost(frame, strength, offset))
                    << "strength " << strength << " offset " << offset << " length " << length;
            }
}

// Every strength: the vector step multiplies where that reproduces the
// single-precision products exactly and looks them up where it does not.
TEST_P(GhostPassOn, EveryStrengthMatchesTheDefinition)
{
    for (std::int32_t strength = 0; strength <= 100; ++strength) {
        const Bytes frame = RandomBytes(3 * 1000, static_cast<unsigned>(strength));
        for (std::int32_t offset : {40, 0, -40})
            ASSERT_EQ(Ghosted(frame, strength, offset), ReferenceGhost(frame, strength, offset))
                << "strength " << strength << " offset " << offset;
    }
}

// Offsets of 16 to 31 groups place the sources at every byte position
// against the 16-byte blocks the destinations are written in.
TEST_P(GhostPassOn, EverySourcePlacementMatchesTheDefinition)
{
    for (std::int32_t distance = 16; distance < 32; ++distance)
        for (std::int32_t offset : {distance, -distance}) {
            const Bytes frame = RandomBytes(3 * 700 + 1, static_cast<unsigned>(distance));
            ASSERT_EQ(Ghosted(frame, 100, offset), ReferenceGhost(frame, 100, offset)) << "offset " << offset;
        }
}

// Every run length of 0–69 groups, with and without a part group after it.
TEST_P(GhostPassOn, EveryRunLengthMatchesTheDefinition)
{
    for (std::size_t length = 0; length < 3 * 70; ++length)
        for (std::int32_t offset : {1, 16, 17, 0, -1, -16, -17}) {
            const Bytes frame = RandomBytes(length, static_cast<unsigned>(length));
            ASSERT_EQ(Ghosted(frame, 100, offset), ReferenceGhost(frame, 100, offset))
                << "offset " << offset << " length " << length;
        }
}

// Offsets around the widths the rows are cut into (64 groups) and frames of
// many rows, so that ghosts cross from strip to strip and block to block.
TEST_P(GhostPassOn, WideOffsetsOverLongFramesMatchTheDefinition)
{
    for (std::int32_t offset : {63, 64, 65, 127, 128, 129, 200, 640, 1920})
        for (std::int32_t sign : {1, -1}) {
            const Bytes frame = RandomBytes(3 * 40000 + 2, static_cast<unsigned>(offset));
            ASSERT_EQ(Ghosted(frame, 100, sign * offset), ReferenceGhost(frame, 100, sign * offset))
                << "offset " << sign * offset;
        }
}

INSTANTIATE_TEST_SUITE_P(, GhostPassOn, EveryInstructionSetValues(), InstructionSetTestName);

TEST(GhostPass, FramesItCannotChangeStayAsTheyAre)
{
    const Bytes frame = RandomBytes(300, 9);
    struct Case {
        Bytes frame;
        std::int32_t strength, offset;
    };
    const Case cases[] = {
        {frame, 0, 50},                                  // strength 0
        {frame, 0, -3},                                  //
        {Bytes(300, 0), 100, 7},                         // black stays black
        {Bytes(300, 0), 100, 0},                         //
        {frame, 100, 100},                               // 3 × offset reaches the length
        {frame, 100, -100},                              //
        {frame, 100, 1000},                              //
        {frame, 100, -2147483647 - 1},                   // no magnitude in 32 bits
        {Bytes{0, 255, 255, 0, 255, 255, 9}, 100, 1},    // first bytes zero add nothing
    };
    for (const Case& c : cases) EXPECT_EQ(Ghosted(c.frame, c.strength, c.offset), c.frame) << c.offset;
}

// One bright pixel, then black: each copy is a fifth of the one before.
TEST(GhostPass, ABrightPixelLeavesADecayingTrail)
{
    Bytes frame(3 * 6, 0);
    frame[0] = 250;
    const Bytes got = Ghosted(frame, 100, 1);
    const Bytes expected{250, 0, 0, 50, 50, 50, 10, 10, 10, 2, 2, 2, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(got, expected);
    // The backward form runs the trail the other way.
    Bytes mirrored(3 * 4, 0);
    mirrored[9] = 250;
    EXPECT_EQ(Ghosted(mirrored, 100, -1), (Bytes{2, 2, 2, 10, 10, 10, 50, 50, 50, 250, 0, 0}));
}

TEST(GhostPass, SumsAreHeldAt255AndTrailingBytesStay)
{
    EXPECT_EQ(Ghosted({255, 0, 0, 250, 255, 240, 77}, 100, 1), (Bytes{255, 0, 0, 255, 255, 255, 77}));
    EXPECT_EQ(Ghosted({200, 250, 251, 5, 5}, 100, 0), (Bytes{240, 255, 255, 5, 5}));
    // A strength from a stored state beyond the range acts as its end.
    const Bytes frame = RandomBytes(300, 8);
    EXPECT_EQ(Ghosted(frame, 250, 3), Ghosted(frame, 100, 3));
    EXPECT_EQ(Ghosted(frame, -40, 3), frame);
}

} // namespace
