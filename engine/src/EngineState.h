// Everything the simulated engine holds between calls. Guarded by the
// engine lock (Engine.h); never touched without it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ClipPlayback.h"
#include "DeviceCatalog.h"
#include "EngineSettings.h"
#include "ovSender.h"

namespace ovsim {

struct EngineError {
  int identity = 0;
  int kind = OVSENDER_ERROR_NONE;
  std::string text;
};

struct PageShow {
  bool video = true;
  int source = 0;
  int page = 0;
  std::string name;
  ovSenderWindowHandle owner = 0;
};

struct SenderRates {
  int bitsPerSecond = 0;
  int framesPerSecond = 0;
};

// Values a test put in place of what the simulation would report.
struct Injections {
  std::optional<EngineError> error;
  bool quitRequest = false;
  bool failInitialize = false;
  bool validDVInterleavedMode = true;
  std::optional<std::pair<int, int>> volume;
  std::optional<SenderRates> rates[4];  // video main, video sub, audio, pointer
  std::vector<std::string> trafficAddresses;
};

struct UICallback {
  ovSenderUICallbackFunction function = nullptr;
  void *context = nullptr;
};

struct EngineState {
  EngineSettings settings;
  DeviceCatalog devices = defaultDeviceCatalog();
  Injections injected;
  bool initialized = false;
  ovSenderWindowHandle panel = 0;
  Clock::time_point initializedAt{};
  UICallback callback;
  ClipPlayback clips;
  std::vector<std::string> detectors;
  std::vector<PageShow> shownPages;
  int volumeEvaluationTime = 0;
  // What a running engine met while sending (a vanished camera, an encoder
  // that would not start); cleared when the settings change.
  std::optional<EngineError> pipelineError;
  // An engine that cannot send DV interleaved ignores the mode instead of failing.
  bool dvInterleavedUnsupported = false;
};

}  // namespace ovsim
