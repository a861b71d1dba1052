// Test control of the simulated engine (sim/ovSenderSim.h). Nothing here is logged.
#include "ovSenderSim.h"

#include <algorithm>
#include <thread>

#include "CallLog.h"
#include "Engine.h"
#include "FocusPoint.h"
#include "RegistryStore.h"
#include "UICallbackCall.h"

using namespace ovsim;

namespace {

std::vector<Source> toSources(const std::vector<OvSenderSimSource> &sources) {
  std::vector<Source> converted;
  for (const auto &source : sources) converted.push_back({source.name, source.propertyPages});
  return converted;
}

std::vector<Encoder> toEncoders(const std::vector<OvSenderSimEncoder> &encoders) {
  std::vector<Encoder> converted;
  for (const auto &encoder : encoders) converted.push_back({encoder.name, encoder.priority});
  return converted;
}

template <typename T>
void replaceList(std::vector<T> DeviceCatalog::*list, int EngineSettings::*selected, std::vector<T> items) {
  withEngine([&](EngineState &state) {
    state.settings.*selected = items.empty() ? -1 : 0;
    state.devices.*list = std::move(items);
  });
}

}  // namespace

void ovSenderSimReset() {
  resetEngineState();
  releaseFocusPoint();
  setFocusPoint({});
  registryStore().unload();
  callLog().clear();
  callLog().reopenFileFromEnvironment();
}

std::vector<std::string> ovSenderSimCallLog() { return callLog().lines(); }
void ovSenderSimClearCallLog() { callLog().clear(); }
std::size_t ovSenderSimCallCount(const std::string &function) { return callLog().count(function); }

std::optional<std::string> ovSenderSimRegistryValue(const std::string &section, const std::string &key) {
  return registryStore().read(section, key);
}

bool ovSenderSimSetRegistryValue(const std::string &section, const std::string &key, const std::string &value) {
  return registryStore().write(section, key, value);
}

std::string ovSenderSimStorePath() { return registryStore().path(); }

void ovSenderSimSetVideoSources(const std::vector<OvSenderSimSource> &sources) {
  replaceList(&DeviceCatalog::videoSources, &EngineSettings::videoSource, toSources(sources));
}

void ovSenderSimSetAudioSources(const std::vector<OvSenderSimSource> &sources) {
  replaceList(&DeviceCatalog::audioSources, &EngineSettings::audioSource, toSources(sources));
}

void ovSenderSimSetVideoEncoders(const std::vector<OvSenderSimEncoder> &encoders) {
  replaceList(&DeviceCatalog::videoEncoders, &EngineSettings::videoEncoder, toEncoders(encoders));
}

void ovSenderSimSetAudioEncoders(const std::vector<OvSenderSimEncoder> &encoders) {
  replaceList(&DeviceCatalog::audioEncoders, &EngineSettings::audioEncoder, toEncoders(encoders));
}

std::vector<OvSenderSimPageShow> ovSenderSimShownPropertyPages() {
  return withEngine([](EngineState &state) {
    std::vector<OvSenderSimPageShow> shows;
    for (const auto &s : state.shownPages) shows.push_back({s.video, s.source, s.page, s.name, s.owner});
    return shows;
  });
}

void ovSenderSimSetValidDVInterleavedMode(bool valid) {
  withEngine([&](EngineState &state) { state.injected.validDVInterleavedMode = valid; });
}

void ovSenderSimSetError(int identity, int kind, const std::string &text) {
  withEngine([&](EngineState &state) { state.injected.error = EngineError{identity, kind, text}; });
}

void ovSenderSimClearError() {
  withEngine([](EngineState &state) { state.injected.error.reset(); });
}

void ovSenderSimSetQuitRequest(bool quit) {
  withEngine([&](EngineState &state) { state.injected.quitRequest = quit; });
}

void ovSenderSimSetFailInitialize(bool fail) {
  withEngine([&](EngineState &state) { state.injected.failInitialize = fail; });
}

void ovSenderSimSetMulticastDetected(const std::string &address, bool detected) {
  withEngine([&](EngineState &state) {
    auto &traffic = state.injected.trafficAddresses;
    std::erase(traffic, address);
    if (detected) traffic.push_back(address);
  });
}

std::vector<std::string> ovSenderSimMulticastDetectors() {
  return withEngine([](EngineState &state) { return state.detectors; });
}

void ovSenderSimSetVolume(int left, int right) {
  withEngine([&](EngineState &state) { state.injected.volume = std::pair{left, right}; });
}

void ovSenderSimReleaseVolume() {
  withEngine([](EngineState &state) { state.injected.volume.reset(); });
}

int ovSenderSimVolumeEvaluationTime() {
  return withEngine([](EngineState &state) { return state.volumeEvaluationTime; });
}

void ovSenderSimSetSenderRates(OvSenderSimSender sender, int bitsPerSecond, int framesPerSecond) {
  withEngine([&](EngineState &state) {
    state.injected.rates[static_cast<int>(sender)] = SenderRates{bitsPerSecond, framesPerSecond};
  });
}

void ovSenderSimReleaseSenderRates() {
  withEngine([](EngineState &state) {
    for (auto &rates : state.injected.rates) rates.reset();
  });
}

void ovSenderSimSetPlayDuration(int milliseconds) {
  withEngine([&](EngineState &state) { state.clips.duration = std::chrono::milliseconds(std::max(milliseconds, 0)); });
}

void ovSenderSimStopPlaying() {
  withEngine([](EngineState &state) { state.clips.videoUntil = state.clips.soundUntil = {}; });
}

void ovSenderSimSetFocusPoint(double x, double y) { pinFocusPoint({x, y}); }
void ovSenderSimReleaseFocusPoint() { releaseFocusPoint(); }

bool ovSenderSimHasUICallback() {
  return withEngine([](EngineState &state) { return state.callback.function != nullptr; });
}

int ovSenderSimFireUICallback(const std::string &name, std::vector<int> args) {
  return callUICallback(name.c_str(), args.data());
}

int ovSenderSimFireUICallbackFromThread(const std::string &name, std::vector<int> args) {
  int result = 0;
  std::thread caller([&] { result = callUICallback(name.c_str(), args.data()); });
  caller.join();
  return result;
}
