// Whether the engine's configuration can work, and if not, the error it
// reports: a stable identity per fault, a kind (1 to 5) and a short text.
#pragma once

#include <optional>

#include "EngineState.h"

namespace ovsim {

std::optional<EngineError> configurationError(const EngineState &state);

// The same without what the running pipeline reported: whether the settings alone can work.
std::optional<EngineError> settingsError(const EngineState &state);

}  // namespace ovsim
