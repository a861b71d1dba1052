// Turns a frame of packed rows upside down in place: GStreamer's frames run
// top down, the filters' bottom up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// `scratch` holds one row between calls, so a stream allocates it once.
void FlipRows(std::uint8_t* frame, std::size_t length, std::size_t rowBytes, std::vector<std::uint8_t>& scratch);
