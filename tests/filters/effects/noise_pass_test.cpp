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
