#include "VanishedDevice.h"

#include <sys/stat.h>

namespace ovgst {

std::optional<ovsim::EngineError> vanishedDeviceError(const MediaSource &source) {
  struct stat node{};
  if (source.devicePath.empty() || ::stat(source.devicePath.c_str(), &node) == 0) return std::nullopt;
  return ovsim::EngineError{kVanishedCameraIdentity, OVSENDER_ERROR_WRONG_CAPTURE,
                            "The camera \"" + source.name + "\" is no longer connected (" + source.devicePath + ")."};
}

}  // namespace ovgst
