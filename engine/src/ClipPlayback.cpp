#include "ClipPlayback.h"

#include <filesystem>
#include <fstream>

namespace ovsim {

bool isReadableFile(const char *path) {
  if (!path || !*path) return false;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  return std::ifstream(path, std::ios::binary).good();
}

void startPlaying(const ClipPlayback &playback, Clock::time_point &until, Clock::time_point now) {
  until = now + playback.duration;
}

bool isPlaying(Clock::time_point until, Clock::time_point now) { return now < until; }

}  // namespace ovsim
