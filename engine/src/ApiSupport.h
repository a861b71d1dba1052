// Building blocks of the exported functions: log the call, then read or
// write the engine state under its lock.
#pragma once

#include <string>

#include "CallLog.h"
#include "Engine.h"

namespace ovsim {

// Engine-owned text handed to the caller; valid until this thread's next call.
const char *returnedText(std::string text);

template <typename T>
T loggedGet(const char *name, T EngineSettings::*field) {
  logCall(name);
  return readSetting(field);
}

template <typename T>
void loggedSet(const char *name, T EngineSettings::*field, T value) {
  logCall(name, value);
  writeSetting(field, value);
}

inline const char *loggedGetText(const char *name, std::string EngineSettings::*field) {
  logCall(name);
  return returnedText(readSetting(field));
}

// A null text is stored as empty text.
inline void loggedSetText(const char *name, std::string EngineSettings::*field, const char *text) {
  logCall(name, text);
  writeSetting(field, std::string(text ? text : ""));
}

}  // namespace ovsim
