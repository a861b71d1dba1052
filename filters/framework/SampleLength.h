// How many bytes of a sample a filter may touch: its actual data length,
// held within its buffer. A sample from another allocator may report any
// pair of numbers, including negative ones.
#pragma once

#include "sample_interfaces.h"

#include <algorithm>
#include <cstddef>

inline std::size_t UsableDataLength(IMediaSample* sample)
{
    const LONG size = std::max<LONG>(sample->GetSize(), 0);
    return static_cast<std::size_t>(std::clamp<LONG>(sample->GetActualDataLength(), 0, size));
}
