// Byte buffers for the pixel tests: reproducible random frames.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

inline Bytes RandomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
    return bytes;
}
