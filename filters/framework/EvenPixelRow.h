// The even pixels of a row (0, 2, 4, …) packed side by side: the column drop
// that halves a picture's width without blending. The Level Compressor's
// squeeze and the graphics device stand-in's halving stretch both use it, so
// the two ways of squeezing a picture share one piece of pixel code and
// cannot drift apart. Kept in a library of its own with the instruction-set
// choice, so the platform's graphics device needs nothing else from the
// filters.
#pragma once

#include <cstddef>
#include <cstdint>

// Writes `count` pixels of `bytesPerPixel` (2 or 3) bytes to `out`, pixel i
// being pixel 2i of `in`, which holds `available` whole pixels (at least
// 2 × count − 1: the last one read). Takes the active instruction set's byte
// shuffles (SSSE3 on for 3 bytes, SSE2 for 2). With `stream` the whole
// vector blocks go past the caches; call FinishStreamingStores before the
// output is handed to another thread.
void CopyEvenPixels(std::uint8_t* out, const std::uint8_t* in, std::size_t count, std::size_t available,
                    unsigned bytesPerPixel, bool stream);

// Orders the streaming stores made so far before any later store.
void FinishStreamingStores(bool streamed);
