// Byte buffers for the pixel tests: reproducible random frames.
#pragma once

#include <algorithm>
#include <cstddef>
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

// The same picture with its rows of `rowBytes` in the other order (a
// bottom-up frame's top-down twin and back).
inline Bytes RowsReversed(const Bytes& frame, std::size_t rowBytes)
{
    Bytes out;
    if (rowBytes == 0) return out;
    out.reserve(frame.size());
    for (std::size_t end = frame.size() / rowBytes * rowBytes; end >= rowBytes; end -= rowBytes)
        out.insert(out.end(), frame.begin() + static_cast<std::ptrdiff_t>(end - rowBytes),
                   frame.begin() + static_cast<std::ptrdiff_t>(end));
    return out;
}
