// The loops of the ghost pass: group i of a destination run takes the ghost
// of group i of a source run in the same buffer, worked through in the
// order that lets a ghost pass on, so each source already carries its own
// ghost when it is read.
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

// The destination run starts at or above the source run (the same run
// brightens each group by its own first byte); groups are taken upwards.
void AddGhostUpwards(std::uint8_t* destination, const std::uint8_t* source, std::size_t groups,
                     const GhostTable& table);
// The destination run starts below the source run; groups are taken downwards.
void AddGhostDownwards(std::uint8_t* destination, const std::uint8_t* source, std::size_t groups,
                       const GhostTable& table);
