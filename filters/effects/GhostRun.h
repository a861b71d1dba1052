// The inner step of the ghost pass over one run of groups whose sources and
// destinations do not overlap (or are the same groups).
#pragma once

#include <cstddef>
#include <cstdint>

// What the first byte of a source group adds: trunc(byte × factor), the
// factor strength × 0.002 in single precision. Where one exists, also the
// 16-bit multiplier m with (byte × m) >> 16 giving the same for every byte,
// so the vector step can multiply instead of looking up.
struct GhostTable {
    explicit GhostTable(std::int32_t strength);
    std::uint8_t add[256];
    std::uint16_t multiplier = 0;
    bool exactMultiplier = false;
};

// destination group i += what source group i adds, on all three bytes, each
// held at 255.
void AddGhostRun(std::uint8_t* destination, const std::uint8_t* source, std::size_t groups, const GhostTable& table);
