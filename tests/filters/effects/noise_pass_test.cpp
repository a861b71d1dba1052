#include "NoisePass.h"

#include "EveryInstructionSet.h"
#include "TestBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// The noise as defined, pointer by pointer over the buffer, drawing from its
// own copy of the generator.
Bytes ReferenceNoise(Bytes data, int type, int strength, NoiseRandom& random)
{
    const float unit = 1.0f / 32767;
    const float scale = static_cast<float>(110 - strength) * unit;
    const auto skip = [&](std::size_t& at) {
        const int k = static_cast<int>(static_cast<float>(random.Next()) * scale);
        at += 3 * static_cast<std::size_t>(k ? k : 1);
    };
    const std::size_t whole = data.size() / 3 * 3;
    if (type == 0) {
        for (std::size_t at = 3; at + 3 < whole; skip(at)) {
            const std::size_t from = random.Next() % 2 ? at + 3 : at - 3;
            for (int c = 0; c < 3; ++c) data[at + c] = data[from + c];
        }
    } else if (type == 1) {
        const float depth = static_cast<float>(strength * 0.002 + 0.1);
        for (std::size_t at = 0; at < whole; skip(at)) {
            const float x = 1.0f - static_cast<float>(random.Next()) * unit * depth;
            for (int c = 0; c < 3; ++c) data[at + c] = static_cast<std::uint8_t>(static_cast<int>(x * data[at + c]));
        }
    }
    return data;
}

// Each test runs once per instruction set the machine has.
using NoisePassOn = EveryInstructionSet;

// Two frames in a row: the draws of the second follow on from the first.
TEST_P(NoisePassOn, DrawsInTheDefinedOrderAndRunsOnFromFrameToFrame)
{
    for (int type : {0, 1})
        for (int strength : {1, 50, 100}) {
            NoiseRandom pass, reference;
            for (int frame = 0; frame < 2; ++frame) {
                const Bytes in = RandomBytes(3 * 4000 + 2, static_cast<unsigned>(strength + frame));
                Bytes out = in;
                AddNoise(out.data(), out.size(), type, strength, pass);
                ASSERT_EQ(out, ReferenceNoise(in, type, strength, reference))
                    << "type " << type << " strength " << strength << " frame " << frame;
            }
        }
}

// Every frame length of 0–200 pixels, ragged or not: the pass stops on the
// same pixel and leaves the generator on the same draw, wherever the frame
// ends against the batches the draws are made in.
TEST_P(NoisePassOn, EveryFrameLengthEndsOnTheSameDraw)
{
    for (int type : {0, 1})
        for (int strength : {100, 60, 1})
            for (std::size_t length = 0; length < 3 * 200 + 3; ++length) {
                NoiseRandom pass, reference;
                const Bytes in = RandomBytes(length, static_cast<unsigned>(length + strength));
                Bytes out = in;
                AddNoise(out.data(), out.size(), type, strength, pass);
                ASSERT_EQ(out, ReferenceNoise(in, type, strength, reference))
                    << "type " << type << " strength " << strength << " length " << length;
                ASSERT_EQ(pass.Next(), reference.Next())
                    << "type " << type << " strength " << strength << " length " << length;
            }
}

// The frame with its first `rows` rows of `stride` bytes in the other
// order; what follows them stays where it lies.
Bytes RowsTurned(const Bytes& frame, std::size_t stride, std::size_t rows)
{
    const auto split = static_cast<std::ptrdiff_t>(std::min(rows * stride, frame.size() / stride * stride));
    Bytes out = RowsReversed(Bytes(frame.begin(), frame.begin() + split), stride);
    out.insert(out.end(), frame.begin() + split, frame.end());
    return out;
}

// A top-down frame gets the picture of its bottom-up twin, frame after
// frame, and leaves the generator on the same draw: padded rows whose pixel
// groups run over the rows' ends, packed rows, one row, one-pixel rows,
// bytes after the last row and a sample shorter than its rows.
TEST_P(NoisePassOn, TopDownFramesGetTheirBottomUpTwinsPicture)
{
    struct Case {
        std::size_t stride, rows, extra;
        long shortBy;
    };
    const Case cases[] = {{24, 6, 0, 0},  {24, 5, 0, 0},      {16, 7, 0, 0},  {3 * 7, 9, 0, 0},   {12, 1, 0, 0},
                          {4, 40, 0, 0},  {3 * 1920, 4, 0, 0}, {5764, 3, 0, 0}, {16, 9, 5, 0},      {24, 8, 0, 30}};
    unsigned seed = 1;
    for (const Case& c : cases)
        for (int type : {0, 1})
            for (int strength : {100, 50}) {
                NoiseRandom bottomUpRandom, topDownRandom;
                for (int frame = 0; frame < 3; ++frame) {
                    const std::size_t length = c.stride * c.rows + c.extra - static_cast<std::size_t>(c.shortBy);
                    const Bytes bottomUp = RandomBytes(length, seed++);
                    Bytes expected = bottomUp;
                    AddNoise(expected.data(), length, type, strength, bottomUpRandom);
                    Bytes topDown = RowsTurned(bottomUp, c.stride, c.rows);
                    AddNoiseRowsReversed(topDown.data(), length, type, strength, topDownRandom, c.stride, c.rows);
                    ASSERT_EQ(topDown, RowsTurned(expected, c.stride, c.rows))
                        << "rows of " << c.stride << " x " << c.rows << ", type " << type << ", strength "
                        << strength << ", frame " << frame;
                }
                EXPECT_EQ(topDownRandom.Next(), bottomUpRandom.Next());
            }
}

INSTANTIATE_TEST_SUITE_P(, NoisePassOn, EveryInstructionSetValues(), InstructionSetTestName);

TEST(NoisePass, TheGeneratorYieldsFifteenBitsAndDoesNotRepeatSoon)
{
    NoiseRandom random;
    std::vector<int> values(70000);
    for (int& v : values) v = random.Next();
    EXPECT_EQ(*std::min_element(values.begin(), values.end()), 0);
    EXPECT_EQ(*std::max_element(values.begin(), values.end()), 32767);
    EXPECT_FALSE(std::equal(values.begin(), values.begin() + 1000, values.begin() + 32768));
}

// Darkened pixels of a white frame show where the pass stopped; their gaps
// lie within 1 .. 110 − strength, about half that on average.
TEST(NoisePass, GapsFollowTheStrength)
{
    for (int strength : {1, 50, 100}) {
        Bytes frame(3 * 30000, 255);
        NoiseRandom random;
        AddNoise(frame.data(), frame.size(), kNoiseDarken, strength, random);
        std::vector<std::size_t> treated;
        for (std::size_t p = 0; p < frame.size() / 3; ++p)
            if (frame[3 * p] < 255) treated.push_back(p);
        ASSERT_GT(treated.size(), 100u);
        std::size_t widest = 0;
        for (std::size_t i = 1; i < treated.size(); ++i) widest = std::max(widest, treated[i] - treated[i - 1]);
        const double span = static_cast<double>(treated.back() - treated.front());
        const double mean = span / static_cast<double>(treated.size() - 1);
        EXPECT_LE(widest, static_cast<std::size_t>(110 - strength)) << strength;
        EXPECT_NEAR(mean, (110 - strength) / 2.0, (110 - strength) * 0.1) << strength;
    }
}

TEST(NoisePass, LeavesAloneWhatItMustNotTouch)
{
    const Bytes frame = RandomBytes(3 * 500 + 2, 5);
    struct Case {
        int type, strength;
    };
    for (const Case c : {Case{0, 100}, Case{1, 100}, Case{0, 1}, Case{1, 37}}) {
        Bytes out = frame;
        NoiseRandom random;
        AddNoise(out.data(), out.size(), c.type, c.strength, random);
        EXPECT_NE(out, frame);
        // Bytes short of a whole pixel at the end.
        EXPECT_TRUE(std::equal(out.end() - 2, out.end(), frame.end() - 2));
        if (c.type == 0) {
            // The first and the last whole pixel.
            EXPECT_TRUE(std::equal(out.begin(), out.begin() + 3, frame.begin()));
            EXPECT_TRUE(std::equal(out.end() - 5, out.end() - 2, frame.end() - 5));
        } else {
            for (std::size_t i = 0; i < frame.size(); ++i) {
                ASSERT_LE(out[i], frame[i]);
                if (c.strength == 100) {
                    ASSERT_GE(out[i], static_cast<int>(0.7 * frame[i])) << i;
                }
            }
        }
    }
    // No effect: strength 0, other types; a strength above 100 acts as 100.
    for (const Case c : {Case{0, 0}, Case{1, 0}, Case{2, 100}, Case{-1, 100}}) {
        Bytes out = frame;
        NoiseRandom random;
        AddNoise(out.data(), out.size(), c.type, c.strength, random);
        EXPECT_EQ(out, frame) << c.type << " " << c.strength;
    }
    Bytes over = frame, full = frame;
    NoiseRandom first, second;
    AddNoise(over.data(), over.size(), kNoiseNeighbourCopy, 5000, first);
    AddNoise(full.data(), full.size(), kNoiseNeighbourCopy, 100, second);
    EXPECT_EQ(over, full);
}

} // namespace
