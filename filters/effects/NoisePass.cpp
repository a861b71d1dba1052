#include "NoisePass.h"

#include "CpuDispatch.h"
#include "NoiseDraws.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr float kUnit = 1.0f / NoiseRandom::kMax;

// Each treated pixel draws twice, first for its own change and then for the
// gap to the next one: `treat(pixel, first draw, its factor)` for each pixel
// from `first` on while `more(pixel)`. Where the machine has 32-byte vectors
// the draws come a batch at a time; the generator is left after the last
// pixel's draws either way, as if drawn one by one.
template <typename More, typename Treat>
void TreatPixelsBatched(std::size_t first, More more, const NoiseDrawing& drawing, NoiseRandom& generator,
                        Treat treat)
{
    NoiseDraws draws;
    std::uint32_t state = generator.State();
    std::size_t p = first;
    while (more(p)) {
        DrawNoiseAvx2(draws, state, drawing);
        std::size_t i = 0;
        for (; i < NoiseDraws::kCount && more(p); i += 2) {
            treat(p, draws.value[i], draws.factor[i]);
            p += draws.gap[i + 1];
        }
        state = draws.state[i - 1];
    }
    generator = NoiseRandom(state);
}

template <typename More, typename Treat>
void TreatPixels(std::size_t first, More more, const NoiseDrawing& drawing, NoiseRandom& generator, Treat treat)
{
#if defined(__x86_64__)
    if (ActiveInstructionSet() >= InstructionSet::Avx2)
        return TreatPixelsBatched(first, more, drawing, generator, treat);
#endif
    // A local copy: the pixel stores could alias the generator's state, which
    // would send every draw through memory.
    NoiseRandom random = generator;
    int value = 0, skip = 0;
    for (std::size_t p = first; more(p);) {
        random.NextTwo(value, skip);
        treat(p, value, 1.0f - static_cast<float>(value) * drawing.unit * drawing.depth);
        const int gap = static_cast<int>(static_cast<float>(skip) * drawing.gapScale);
        p += gap ? static_cast<std::size_t>(gap) : 1;
    }
    generator = random;
}

// The first and the last pixel are never taken, as they lack a neighbour
// on one side. Odd draws take the pixel after, even ones the pixel before.
void CopyNeighbours(std::uint8_t* data, std::size_t pixels, const NoiseDrawing& drawing, NoiseRandom& generator)
{
    TreatPixels(
        1, [pixels](std::size_t p) { return p + 1 < pixels; }, drawing, generator,
        [data](std::size_t p, int value, float) {
            const std::size_t from = p - 1 + 2 * static_cast<std::size_t>(value & 1);
            std::memcpy(data + 3 * p, data + 3 * from, 3);
        });
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
void Darken(std::uint8_t* data, std::size_t pixels, const NoiseDrawing& drawing, NoiseRandom& generator)
{
    TreatPixels(
        0, [pixels](std::size_t p) { return p < pixels; }, drawing, generator,
        [data, pixels](std::size_t p, int, float factor) {
            // The last pixel has no fourth byte after it to carry along.
            if (p + 1 < pixels)
                ScaleThreeOfFour(data + 3 * p, factor);
            else
                ScaleThree(data + 3 * p, factor);
        });
}

} // namespace

void AddNoise(std::uint8_t* data, std::size_t length, std::int32_t type, std::int32_t strength, NoiseRandom& random)
{
    // A stored strength above 100 would make the gaps negative.
    strength = std::clamp<std::int32_t>(strength, 0, 100);
    if (strength == 0) return;
    // The gaps' scale, and the depth of darkening, which runs from 0.1 to 0.3.
    const NoiseDrawing drawing{static_cast<float>(110 - strength) * kUnit, kUnit,
                               static_cast<float>(strength * 0.002 + 0.1)};
    const std::size_t pixels = length / 3;
    if (type == kNoiseNeighbourCopy)
        CopyNeighbours(data, pixels, drawing, random);
    else if (type == kNoiseDarken)
        Darken(data, pixels, drawing, random);
}
