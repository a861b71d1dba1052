#include "GhostRun.h"

namespace {

inline std::uint8_t AddHeld(std::uint8_t byte, unsigned add)
{
    const unsigned sum = byte + add;
    return static_cast<std::uint8_t>(sum > 255 ? 255 : sum);
}

} // namespace

void AddGhostRun(std::uint8_t* destination, const std::uint8_t* source, std::size_t groups, const GhostTable& table)
{
    for (std::size_t i = 0; i < groups; ++i) {
        // Read before writing: with destination == source the group adds its own original byte.
        const unsigned add = table.add[source[3 * i]];
        std::uint8_t* d = destination + 3 * i;
        d[0] = AddHeld(d[0], add);
        d[1] = AddHeld(d[1], add);
        d[2] = AddHeld(d[2], add);
    }
}
