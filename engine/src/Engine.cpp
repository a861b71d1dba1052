#include "Engine.h"

namespace ovsim {

// Neither is ever destroyed: a thread still calling the engine while the process exits must find them intact.
std::mutex &engineMutex() {
  static auto *mutex = new std::mutex;
  return *mutex;
}

EngineState &engineStateUnlocked() {
  static auto *state = new EngineState;
  return *state;
}

void resetEngineState() {
  withEngine([](EngineState &state) { state = EngineState{}; });
}

}  // namespace ovsim
