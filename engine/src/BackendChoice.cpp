#include <cstdlib>
#include <cstring>

#include "Backend.h"

namespace ovsim {

bool simulatedEngineChosen() {
  const char *name = std::getenv("OVSENDER_ENGINE");
  return name && std::strcmp(name, "simulated") == 0;
}

Backend &backend() {
  static Backend &chosen = simulatedEngineChosen() ? simulatedBackend() : gstreamerBackend();
  return chosen;
}

}  // namespace ovsim
