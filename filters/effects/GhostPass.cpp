#include "GhostPass.h"

#include "GhostRun.h"

void AddGhost(std::uint8_t* data, std::size_t length, std::int32_t strength, std::int32_t offset)
{
    if (strength <= 0) return;
    const std::size_t groups = length / 3;
    // In 64 bits: the most negative offset has no 32-bit magnitude.
    const std::int64_t wide = offset;
    const auto distance = static_cast<std::uint64_t>(wide < 0 ? -wide : wide);
    if (distance >= groups) return;
    const std::size_t shift = 3 * static_cast<std::size_t>(distance);
    const std::size_t count = groups - static_cast<std::size_t>(distance);
    const GhostTable table(strength);
    // Upwards the ghost lies `offset` groups above its source; downwards
    // (offset 0 or below) below it, and at 0 on the source itself.
    if (offset > 0)
        AddGhostUpwards(data + shift, data, count, table);
    else if (offset == 0)
        AddGhostUpwards(data, data, count, table);
    else
        AddGhostDownwards(data, data + shift, count, table);
}
