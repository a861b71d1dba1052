#include <cstdlib>
#include <cstring>

#include "Backend.h"

namespace ovsim {

Backend &backend() {
  static Backend &chosen = [] () -> Backend & {
    const char *name = std::getenv("OVSENDER_ENGINE");
    if (name && std::strcmp(name, "simulated") == 0) return simulatedBackend();
    return gstreamerBackend();
  }();
  return chosen;
}

}  // namespace ovsim
