#include "GhostPass.h"

#include "GhostRun.h"

#include <algorithm>

namespace {

// Upwards: chunks of `offset` groups, each read only after the chunk below
// has written into it, so sources already carry their own ghost; inside a
// chunk sources and destinations never overlap.
void AddGhostForward(std::uint8_t* data, std::size_t groups, std::size_t offset, const GhostTable& table)
{
    for (std::size_t source = 0; source + offset < groups; source += offset) {
        const std::size_t count = std::min(offset, groups - offset - source);
        AddGhostRun(data + 3 * (source + offset), data + 3 * source, count, table);
    }
}

// Downwards, the mirror image; offset 0 brightens each group by its own first byte.
void AddGhostBackward(std::uint8_t* data, std::size_t groups, std::size_t offset, const GhostTable& table)
{
    if (offset == 0) {
        AddGhostRun(data, data, groups, table);
        return;
    }
    for (std::size_t end = groups; end > offset;) {
        const std::size_t count = std::min(offset, end - offset);
        const std::size_t source = end - count;
        AddGhostRun(data + 3 * (source - offset), data + 3 * source, count, table);
        end = source;
    }
}

} // namespace


void AddGhost(std::uint8_t* data, std::size_t length, std::int32_t strength, std::int32_t offset)
{
    if (strength <= 0) return;
    const std::size_t groups = length / 3;
    // In 64 bits: the most negative offset has no 32-bit magnitude.
    const std::int64_t wide = offset;
    const auto distance = static_cast<std::uint64_t>(wide < 0 ? -wide : wide);
    if (distance >= groups) return;
    const GhostTable table(strength);
    if (offset > 0)
        AddGhostForward(data, groups, static_cast<std::size_t>(distance), table);
    else
        AddGhostBackward(data, groups, static_cast<std::size_t>(distance), table);
}
