#include "ConfigCheck.h"


#include "MulticastAddress.h"
#include "SettingsSchema.h"

namespace ovsim {
namespace {

constexpr int kSchemaIdentityBase = 100;

EngineError error(int identity, int kind, std::string text) { return {identity, kind, std::move(text)}; }

std::optional<EngineError> sourceError(const EngineState &state) {
  const auto &s = state.settings;
  if (!elementAt(state.devices.videoSources, s.videoSource))
    return error(10, OVSENDER_ERROR_WRONG_CAPTURE, "The selected video source is not available.");
  if (s.audioTransmissionOn && !elementAt(state.devices.audioSources, s.audioSource))
    return error(11, OVSENDER_ERROR_WRONG_CAPTURE, "The selected audio source is not available.");
  return std::nullopt;
}

std::optional<EngineError> encoderError(const EngineState &state) {
  const auto &s = state.settings;
  if (!s.directVideoModeOn && !elementAt(state.devices.videoEncoders, s.videoEncoder))
    return error(20, OVSENDER_ERROR_WRONG_ENCODER, "The selected video encoder is not available.");
  if (s.audioTransmissionOn && !elementAt(state.devices.audioEncoders, s.audioEncoder))
    return error(21, OVSENDER_ERROR_WRONG_ENCODER, "The selected audio encoder is not available.");
  return std::nullopt;
}

std::optional<EngineError> modeError(const EngineState &state) {
  const auto &s = state.settings;
  if (state.dvInterleavedUnsupported) return std::nullopt;
  if (s.dvInterleavedModeOn && !(s.directVideoModeOn && state.injected.validDVInterleavedMode))
    return error(30, OVSENDER_ERROR_WRONG_MEDIATYPE,
                 "DV interleaved mode needs direct video mode and a source that delivers DV.");
  return std::nullopt;
}

std::optional<EngineError> addressError(const EngineState &state) {
  switch (classifyAddress(state.settings.address)) {
    case AddressKind::NotAnAddress:
      return error(40, OVSENDER_ERROR_UNEXPECTED, "The multicast address is not an IP address.");
    case AddressKind::Unicast:
      return error(41, OVSENDER_ERROR_UNEXPECTED, "The address is not a multicast group address.");
    case AddressKind::Multicast:
      break;
  }
  return std::nullopt;
}

std::optional<EngineError> rangeError(const EngineState &state) {
  const SettingField *field = firstSettingOutOfRange(state.settings);
  if (!field) return std::nullopt;
  const auto index = static_cast<int>(field - settingFields().data());
  return error(kSchemaIdentityBase + index, field->errorKind,
               std::string("The setting ") + field->key + " is out of range.");
}

}  // namespace

std::optional<EngineError> settingsError(const EngineState &state) {
  if (!state.initialized) return error(1, OVSENDER_ERROR_UNEXPECTED, "The engine is not initialized.");
  if (state.injected.error) return state.injected.error;
  for (auto check : {sourceError, encoderError, modeError, addressError, rangeError}) {
    if (auto found = check(state)) return found;
  }
  return std::nullopt;
}

std::optional<EngineError> configurationError(const EngineState &state) {
  if (auto found = settingsError(state)) return found;
  return state.pipelineError;
}

}  // namespace ovsim
