// A copy of a large buffer whose destination is written past the caches:
// for a frame that the next filter will read only after many others have
// passed, a cached store would first fetch every line it overwrites.
#pragma once

#include <cstddef>
#include <cstdint>

// Copies `bytes` from `in` to `out` (not overlapping) with streaming stores
// for the aligned middle and plain ones for the ends, then orders them
// before any later store, so the copy is complete for whichever thread
// reads it after the caller's lock.
void CopyPastCaches(std::uint8_t* out, const std::uint8_t* in, std::size_t bytes);
