#include "NoisePass.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr float kUnit = 1.0f / NoiseRandom::kMax;

// The gap to the next treated pixel for a draw r: trunc(r × scale) pixels, at least one.
class NoiseGap {
public:
    explicit NoiseGap(std::int32_t strength) : m_scale(static_cast<float>(110 - strength) * kUnit) {}
    std::size_t operator()(int r) const
    {
        const int gap = static_cast<int>(static_cast<float>(r) * m_scale);
        return gap ? static_cast<std::size_t>(gap) : 1;
    }

private:
    const float m_scale;
};

// Each treated pixel draws twice, first for its own change and then for the
// gap. The first and the last pixel are never taken, as they lack a
// neighbour on one side.
void CopyNeighbours(std::uint8_t* data, std::size_t pixels, const NoiseGap& gap, NoiseRandom& generator)
{
    // A local copy: the pixel stores could alias the generator's state, which
    // would send every draw through memory.
    NoiseRandom random = generator;
    int side = 0, skip = 0;
    for (std::size_t p = 1; p + 1 < pixels; p += gap(skip)) {
        random.NextTwo(side, skip);
        // Odd draws take the pixel after, even ones the pixel before.
        const std::size_t from = p - 1 + 2 * static_cast<std::size_t>(side & 1);
        std::memcpy(data + 3 * p, data + 3 * from, 3);
    }
    generator = random;
}

// Each byte b of a pixel becomes trunc(factor × b).
void ScaleThree(std::uint8_t* pixel, float factor)
{
    for (int c = 0; c < 3; ++c)
        pixel[c] = static_cast<std::uint8_t>(static_cast<int>(factor * static_cast<float>(pixel[c])));
}

// The same for the three bytes at once, carrying the following byte along
// unchanged (single-precision products are the same in a vector). Later
// pixels are only changed after this one, so rewriting the byte is safe.
inline void ScaleThreeOfFour(std::uint8_t* pixel, float factor)
{
#if defined(__SSE2__)
    std::uint32_t word;
    std::memcpy(&word, pixel, 4);
    const __m128i zero = _mm_setzero_si128();
    const __m128i wide = _mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(word)), zero), zero);
    const __m128 factors = _mm_setr_ps(factor, factor, factor, 1.0f);
    const __m128i scaled = _mm_cvttps_epi32(_mm_mul_ps(_mm_cvtepi32_ps(wide), factors));
    word = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(_mm_packs_epi32(scaled, zero), zero)));
    std::memcpy(pixel, &word, 4);
#else
    ScaleThree(pixel, factor);
#endif
}

// The factor runs from 1 - depth to 1, so a byte never grows.
void Darken(std::uint8_t* data, std::size_t pixels, std::int32_t strength, const NoiseGap& gap,
            NoiseRandom& generator)
{
    NoiseRandom random = generator;  // as above
    const float depth = static_cast<float>(strength * 0.002 + 0.1);
    int shade = 0, skip = 0;
    for (std::size_t p = 0; p < pixels; p += gap(skip)) {
        random.NextTwo(shade, skip);
        const float factor = 1.0f - static_cast<float>(shade) * kUnit * depth;
        // The last pixel has no fourth byte after it to carry along.
        if (p + 1 < pixels)
            ScaleThreeOfFour(data + 3 * p, factor);
        else
            ScaleThree(data + 3 * p, factor);
    }
    generator = random;
}

} // namespace

void AddNoise(std::uint8_t* data, std::size_t length, std::int32_t type, std::int32_t strength, NoiseRandom& random)
{
    // A stored strength above 100 would make the gaps negative.
    strength = std::clamp<std::int32_t>(strength, 0, 100);
    if (strength == 0) return;
    const NoiseGap gap(strength);
    const std::size_t pixels = length / 3;
    if (type == kNoiseNeighbourCopy)
        CopyNeighbours(data, pixels, gap, random);
    else if (type == kNoiseDarken)
        Darken(data, pixels, strength, gap, random);
}
