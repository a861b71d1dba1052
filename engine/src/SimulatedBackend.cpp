// The simulation: reports activity derived from the settings and whatever a
// test injected (sim/ovSenderSim.h); captures and sends nothing.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "Activity.h"
#include "Backend.h"
#include "Engine.h"

namespace ovsim {
namespace {

using PlayEnd = Clock::time_point ClipPlayback::*;

PlayEnd endOf(ClipKind kind) { return kind == ClipKind::Video ? &ClipPlayback::videoUntil : &ClipPlayback::soundUntil; }

bool initializeFailsByEnvironment() {
  const char *value = std::getenv("OVSENDER_SIM_FAIL_INITIALIZE");
  return value && std::strcmp(value, "1") == 0;
}

bool contains(const std::vector<std::string> &list, const std::string &text) {
  return std::find(list.begin(), list.end(), text) != list.end();
}

class SimulatedBackend final : public Backend {
 public:
  bool initialize(ovSenderWindowHandle panel) override {
    const bool failByEnvironment = initializeFailsByEnvironment();
    return withEngine([&](EngineState &state) {
      if (failByEnvironment || state.injected.failInitialize) return false;
      state.initialized = true;
      state.panel = panel;
      state.initializedAt = Clock::now();
      return true;
    });
  }

  void shutdown() override {}

  SenderRates rates(Sender sender) override {
    const auto now = Clock::now();
    return withEngine([&](EngineState &state) { return senderRates(state, sender, now); });
  }

  std::pair<int, int> volume() override {
    const auto now = Clock::now();
    return withEngine([&](EngineState &state) { return volumeLevels(state, now); });
  }

  // Playing again restarts the full duration.
  bool play(ClipKind kind, const char *path) override {
    if (!isReadableFile(path)) return false;
    const auto now = Clock::now();
    withEngine([&](EngineState &state) { state.clips.*endOf(kind) = now + state.clips.duration; });
    return true;
  }

  bool playing(ClipKind kind) override {
    const auto now = Clock::now();
    return withEngine([&](EngineState &state) { return now < state.clips.*endOf(kind); });
  }

  // Traffic counts only while a detector watches the address.
  bool detected(const std::string &address) override {
    return withEngine([&](EngineState &state) {
      return contains(state.detectors, address) && contains(state.injected.trafficAddresses, address);
    });
  }

  // The simulation has no picture: the panel keeps its colour.
  int copyPreviewFrame(void *, int, int *width, int *height) override {
    if (width) *width = 0;
    if (height) *height = 0;
    return 0;
  }

  bool dvInterleavedPossible() override {
    return withEngine([](EngineState &state) { return state.injected.validDVInterleavedMode; });
  }
};

}  // namespace

Backend &simulatedBackend() {
  static auto *instance = new SimulatedBackend;  // never destroyed: late calls at exit must find it
  return *instance;
}

}  // namespace ovsim
