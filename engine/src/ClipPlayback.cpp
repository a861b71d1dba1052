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

}  // namespace ovsim
