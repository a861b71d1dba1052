// A camera found when the engine started whose device node is gone now,
// because it was unplugged: the error the user sees then names it, instead
// of the capture element's words about a missing file.
#pragma once

#include <optional>

#include "EngineState.h"
#include "MediaCatalog.h"

namespace ovgst {

inline constexpr int kVanishedCameraIdentity = 52;

std::optional<ovsim::EngineError> vanishedDeviceError(const MediaSource &source);

}  // namespace ovgst
