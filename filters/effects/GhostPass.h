// The ghost pass: every pixel of a run of 3-byte groups is brightened by a
// fraction of the first byte of the group `offset` groups before it (offset
// above 0, worked upwards) or after it (offset 0 or below, worked
// downwards). The run is changed in place in that order, so a group that has
// already received its ghost passes it on: a bright edge leaves a trail of
// copies, each weaker by the factor.
#pragma once

#include <cstddef>
#include <cstdint>

// `strength` 0 .. 100 gives the factor strength × 0.002 (values outside are
// held to that range); each byte's sum is held at 255. Only whole groups
// from the start of `data` are touched; trailing bytes short of a group stay.
void AddGhost(std::uint8_t* data, std::size_t length, std::int32_t strength, std::int32_t offset);
