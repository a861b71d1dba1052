// The one engine of the process: its state and the lock that guards it.
// Every access goes through withEngine, so the volume worker thread and the
// GUI thread never meet unguarded. Callbacks into the console are made after
// withEngine returns, never inside it.
#pragma once

#include <mutex>

#include "EngineState.h"

namespace ovsim {

std::mutex &engineMutex();
EngineState &engineStateUnlocked();

template <typename Action>
auto withEngine(Action &&action) {
  std::lock_guard lock(engineMutex());
  return action(engineStateUnlocked());
}

// Reading one field under the lock.
template <typename T>
T readSetting(T EngineSettings::*field) {
  return withEngine([&](EngineState &state) { return state.settings.*field; });
}

template <typename T>
void writeSetting(T EngineSettings::*field, T value) {
  withEngine([&](EngineState &state) { state.settings.*field = std::move(value); });
}

// Back to a freshly loaded engine (settings, devices, injections; not initialised).
void resetEngineState();

}  // namespace ovsim
