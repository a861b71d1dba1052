// Simulated playback of a video clip and a sound file: a file that can be
// opened plays for a set time; nothing is decoded.
#pragma once

#include <chrono>
#include <string>

namespace ovsim {

using Clock = std::chrono::steady_clock;

struct ClipPlayback {
  std::chrono::milliseconds duration{3000};
  Clock::time_point videoUntil{};
  Clock::time_point soundUntil{};
};

// True for an existing regular file this process can open for reading.
bool isReadableFile(const char *path);

}  // namespace ovsim
