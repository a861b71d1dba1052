// The draws of the noise pass made ahead, a batch at a time. Which pixels
// are treated and how depends on the draws alone, never on the picture, so
// the whole batch can be drawn and turned into gaps and factors at once,
// several values side by side, and only then applied in order.
#pragma once

#include <cstddef>
#include <cstdint>

struct NoiseDrawing {
    float gapScale;     // a gap is trunc(value × gapScale) pixels, at least 1
    float unit, depth;  // a factor is 1 − value × unit × depth, taken in that order
};

struct NoiseDraws {
    static constexpr std::size_t kCount = 128;  // 64 treated pixels, two draws each
    std::int32_t value[kCount];
    std::uint32_t gap[kCount];
    float factor[kCount];
    std::uint32_t state[kCount];  // the generator's state after each draw
};

// Draws kCount values after `state` the way NoiseRandom::Next would, with
// 32-byte vectors; only for machines that run InstructionSet::Avx2.
void DrawNoiseAvx2(NoiseDraws& draws, std::uint32_t state, const NoiseDrawing& drawing);
