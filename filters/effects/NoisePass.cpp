#include "NoisePass.h"

#include "CpuDispatch.h"
#include "NoiseDraws.h"

#include <algorithm>
#include <cstdint>
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

// Where the pass finds the bytes of the picture. Run gives `count` bytes
// from offset `at` when they lie together, with `at` never falling from one
// call to the next; Byte gives any one byte; `end` bounds the whole pixels.
struct LinearBytes {
    std::uint8_t* data;
    std::uint8_t* end;

    std::uint8_t* Run(std::size_t at, std::size_t) const { return data + at; }
    std::uint8_t* Byte(std::size_t at) const { return data + at; }
};

// A frame whose rows lie in the other order than the picture the pass is
// defined on: offset `at` of that picture lies in row at / stride counted
// from the far end. Rows are followed one by one as the pass goes on, so
// the pixels it treats cost no division; only groups that run over a row's
// end take the byte by byte way. Bytes after the last whole row stay where
// they are.
class ReversedRows {
public:
    ReversedRows(std::uint8_t* data, std::uint8_t* end, std::size_t length, std::size_t stride, std::size_t rows)
        : data(data), end(end), m_stride(stride), m_frameBytes(stride ? std::min(rows, length / stride) * stride : 0)
    {
        m_rowEnd = 0;
        m_rowBase = m_frameBytes;
        NextRow();
    }

    std::uint8_t* Run(std::size_t at, std::size_t count)
    {
        while (at >= m_rowEnd) NextRow();
        return at + count <= m_rowEnd ? data + m_rowBase + (at - m_rowStart) : nullptr;
    }

    std::uint8_t* Byte(std::size_t at) const
    {
        if (at >= m_frameBytes) return data + at;
        return data + (m_frameBytes - m_stride - at / m_stride * m_stride) + at % m_stride;
    }

    std::uint8_t* data;
    std::uint8_t* end;

private:
    void NextRow()
    {
        m_rowStart = m_rowEnd;
        if (m_rowStart >= m_frameBytes) {
            m_rowEnd = SIZE_MAX;
            m_rowBase = m_rowStart;
        } else {
            m_rowEnd += m_stride;
            m_rowBase -= m_stride;
        }
    }

    std::size_t m_stride, m_frameBytes;
    std::size_t m_rowStart = 0, m_rowEnd = 0, m_rowBase = 0;
};

// The first and the last pixel are never taken, as they lack a neighbour
// on one side. Odd draws take the pixel after, even ones the pixel before.
template <class Place>
void CopyNeighbours(Place& place, std::size_t pixels, const NoiseDrawing& drawing, NoiseRandom& generator)
{
    TreatPixels(
        1, [pixels](std::size_t p) { return p + 1 < pixels; }, drawing, generator,
        [&place](std::size_t p, int value, float) {
            const std::size_t from = p - 1 + 2 * static_cast<std::size_t>(value & 1);
            const std::size_t first = std::min(p, from);
            if (std::uint8_t* both = place.Run(3 * first, 6)) {
                std::memcpy(both + 3 * (p - first), both + 3 * (from - first), 3);
                return;
            }
            for (std::size_t c = 0; c < 3; ++c) *place.Byte(3 * p + c) = *place.Byte(3 * from + c);
        });
}

// Each byte b of a pixel becomes trunc(factor × b).
void ScaleOne(std::uint8_t* byte, float factor)
{
    *byte = static_cast<std::uint8_t>(static_cast<int>(factor * static_cast<float>(*byte)));
}

void ScaleThree(std::uint8_t* pixel, float factor)
{
    for (int c = 0; c < 3; ++c) ScaleOne(pixel + c, factor);
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
template <class Place>
void Darken(Place& place, std::size_t pixels, const NoiseDrawing& drawing, NoiseRandom& generator)
{
    TreatPixels(
        0, [pixels](std::size_t p) { return p < pixels; }, drawing, generator,
        [&place](std::size_t p, int, float factor) {
            std::uint8_t* pixel = place.Run(3 * p, 3);
            if (!pixel) {
                for (std::size_t c = 0; c < 3; ++c) ScaleOne(place.Byte(3 * p + c), factor);
                return;
            }
            // The last pixel has no fourth byte after it to carry along.
            if (pixel + 4 <= place.end)
                ScaleThreeOfFour(pixel, factor);
            else
                ScaleThree(pixel, factor);
        });
}

template <class Place>
void AddNoiseAt(Place& place, std::size_t pixels, std::int32_t type, std::int32_t strength, NoiseRandom& random)
{
    // A stored strength above 100 would make the gaps negative.
    strength = std::clamp<std::int32_t>(strength, 0, 100);
    if (strength == 0) return;
    // The gaps' scale, and the depth of darkening, which runs from 0.1 to 0.3.
    const NoiseDrawing drawing{static_cast<float>(110 - strength) * kUnit, kUnit,
                               static_cast<float>(strength * 0.002 + 0.1)};
    if (type == kNoiseNeighbourCopy)
        CopyNeighbours(place, pixels, drawing, random);
    else if (type == kNoiseDarken)
        Darken(place, pixels, drawing, random);
}

} // namespace

void AddNoise(std::uint8_t* data, std::size_t length, std::int32_t type, std::int32_t strength, NoiseRandom& random)
{
    const std::size_t pixels = length / 3;
    LinearBytes place{data, data + 3 * pixels};
    AddNoiseAt(place, pixels, type, strength, random);
}

void AddNoiseRowsReversed(std::uint8_t* data, std::size_t length, std::int32_t type, std::int32_t strength,
                          NoiseRandom& random, std::size_t stride, std::size_t rows)
{
    const std::size_t pixels = length / 3;
    ReversedRows place(data, data + 3 * pixels, length, stride, rows);
    AddNoiseAt(place, pixels, type, strength, random);
}
