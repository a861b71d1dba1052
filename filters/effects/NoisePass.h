// The noise pass: scattered pixels of a run of 3-byte groups are disturbed,
// the gaps between them drawn at random. Type 0 copies a neighbour over the
// pixel (never the first or the last pixel), type 1 darkens it by a random
// factor; any other type changes nothing.
#pragma once

#include <cstddef>
#include <cstdint>

// A generator of 0 .. 32767 of its own, so that each filter's picture noise
// runs on from frame to frame however other code in the process draws
// random numbers. Starts as an unseeded C library generator would.
class NoiseRandom {
public:
    static constexpr int kMax = 32767;

    NoiseRandom() = default;
    // Resumes where a generator in `state` stood, for passes that draw ahead.
    explicit NoiseRandom(std::uint32_t state) : m_state(state) {}
    std::uint32_t State() const { return m_state; }

    int Next()
    {
        m_state = Step(m_state, kMultiplier, kIncrement);
        return Value(m_state);
    }

    // The next two values, the second stepped straight from the same state:
    // the two multiplications need not wait for each other.
    void NextTwo(int& first, int& second)
    {
        first = Value(Step(m_state, kMultiplier, kIncrement));
        m_state = Step(m_state, kMultiplier * kMultiplier, kIncrement * (kMultiplier + 1));
        second = Value(m_state);
    }

private:
    static constexpr std::uint32_t kMultiplier = 1103515245u;
    static constexpr std::uint32_t kIncrement = 12345u;

    static std::uint32_t Step(std::uint32_t state, std::uint32_t multiplier, std::uint32_t increment)
    {
        return state * multiplier + increment;
    }
    static int Value(std::uint32_t state) { return static_cast<int>((state / 65536u) % 32768u); }

    std::uint32_t m_state = 1;
};

constexpr std::int32_t kNoiseNeighbourCopy = 0;
constexpr std::int32_t kNoiseDarken = 1;

// `strength` 1 .. 100 sets the density and, for darkening, the depth (values
// outside are held to 0 .. 100; 0 changes nothing and draws nothing).
void AddNoise(std::uint8_t* data, std::size_t length, std::int32_t type, std::int32_t strength, NoiseRandom& random);
