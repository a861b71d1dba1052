#include "RowFlip.h"

#include <cstring>

void FlipRows(std::uint8_t* frame, std::size_t length, std::size_t rowBytes, std::vector<std::uint8_t>& scratch)
{
    if (rowBytes == 0) return;
    const std::size_t rows = length / rowBytes;
    if (scratch.size() < rowBytes) scratch.resize(rowBytes);
    for (std::size_t top = 0, bottom = rows - 1; rows && top < bottom; ++top, --bottom) {
        std::uint8_t* a = frame + top * rowBytes;
        std::uint8_t* b = frame + bottom * rowBytes;
        std::memcpy(scratch.data(), a, rowBytes);
        std::memcpy(a, b, rowBytes);
        std::memcpy(b, scratch.data(), rowBytes);
    }
}
