#include "Engine.h"

namespace ovsim {

std::mutex &engineMutex() {
  static std::mutex mutex;
  return mutex;
}

EngineState &engineStateUnlocked() {
  static EngineState state;
  return state;
}

void resetEngineState() {
  withEngine([](EngineState &state) { state = EngineState{}; });
}

}  // namespace ovsim
