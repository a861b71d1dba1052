// Settings files: every engine setting as "Key=Value" lines under
// [Settings]. A file is applied only as a whole: any fault leaves the
// engine as it was.
#pragma once

#include <string>

#include "EngineState.h"

namespace ovsim {

std::string formatSettingsFile(const EngineState &state);

// Applies the text to state when every line is valid: blank lines, comments
// (';' or '#'), one [Settings] section, known keys at most once each with a
// value valid for them. Missing keys keep their current value. Sources and
// encoders go by name; a name this machine lacks keeps the current choice.
bool applySettingsFile(const std::string &text, EngineState &state);

}  // namespace ovsim
