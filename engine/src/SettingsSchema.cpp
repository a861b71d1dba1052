#include "SettingsSchema.h"

#include <charconv>
#include <climits>

#include "VideoResolution.h"
#include "ovSender.h"

namespace ovsim {
namespace {

using S = EngineSettings;
constexpr int kMedia = OVSENDER_ERROR_WRONG_MEDIATYPE;
constexpr int kUnexpected = OVSENDER_ERROR_UNEXPECTED;
constexpr int kLastCode = kFixedResolutionCodeCount - 1;

const SettingField kFields[] = {
    {"VideoTransmissionOn", &S::videoTransmissionOn},
    {"AudioTransmissionOn", &S::audioTransmissionOn},
    {"FocusTransmissionOn", &S::focusTransmissionOn},
    {"DirectVideoModeOn", &S::directVideoModeOn},
    {"DVInterleavedModeOn", &S::dvInterleavedModeOn},
    {"VideoResolution", &S::videoResolution, 0, kSourceResolutionCode, kMedia},
    {"VideoWindowPolicy", &S::videoWindowPolicy, 0, 1, kUnexpected},
    {"KeepVideoAspect", &S::keepVideoAspect},
    {"FitWindowToVideo", &S::fitWindowToVideo},
    {"FocusDisplay", &S::focusDisplay, 0, 3, kUnexpected},
    {"FocusFrameVisible", &S::focusFrameVisible},
    {"FocusCoordinate", &S::focusCoordinate, 0, 1, kUnexpected},
    {"PartialZoomOutputVideoResolution", &S::partialZoomOutputVideoResolution, 0, kLastCode, kMedia},
    {"PartialZoomSourceVideoResolution", &S::partialZoomSourceVideoResolution, 0, kLastCode, kMedia},
    {"NonLinearZoomOutputVideoResolution", &S::nonLinearZoomOutputVideoResolution, 0, kLastCode, kMedia},
    {"NonLinearZoomMaskType", &S::nonLinearZoomMaskType, 0, 1, kUnexpected},
    {"NonLinearZoomMaskWidth", &S::nonLinearZoomMaskWidth, 10, 720, kUnexpected},
    {"NonLinearZoomMaskHeight", &S::nonLinearZoomMaskHeight, 10, 720, kUnexpected},
    {"ImageCompoundBaseVideoResolution", &S::imageCompoundBaseVideoResolution, 0, kLastCode, kMedia},
    {"ImageCompoundAdditionalVideoResolution", &S::imageCompoundAdditionalVideoResolution, 0, kLastCode, kMedia},
    {"ImageCompoundMaskType", &S::imageCompoundMaskType, 0, 2, kUnexpected},
    {"ImageCompoundBlendingType", &S::imageCompoundBlendingType, 0, 1, kUnexpected},
    {"Address", &S::address},
    {"TimeToLive", &S::timeToLive, 0, 255, kUnexpected},
    {"PacketSize", &S::packetSize, 1, 65507, kUnexpected},  // largest UDP payload over IPv4
    {"TransmissionCount", &S::transmissionCount, 1, 4, kUnexpected},
    {"VideoSenderMainMaxTransmissionRate", &S::videoSenderMainMaxTransmissionRate, 1, INT_MAX, kUnexpected},
    {"VideoSenderSubMaxTransmissionRate", &S::videoSenderSubMaxTransmissionRate, 1, INT_MAX, kUnexpected},
    {"AudioSenderMaxTransmissionRate", &S::audioSenderMaxTransmissionRate, 1, INT_MAX, kUnexpected},
    {"PointerSenderMaxTransmissionRate", &S::pointerSenderMaxTransmissionRate, 1, INT_MAX, kUnexpected},
    {"StatusSenderMaxTransmissionRate", &S::statusSenderMaxTransmissionRate, 1, INT_MAX, kUnexpected},
    {"Caption", &S::caption},
    {"CaptionOn", &S::captionOn},
};

std::optional<int> parseDecimal(const std::string &text) {
  int value = 0;
  const char *end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

bool inRange(const SettingField &field, int value) { return value >= field.minimum && value <= field.maximum; }

}  // namespace

std::span<const SettingField> settingFields() { return kFields; }

std::string settingText(const SettingField &field, const EngineSettings &settings) {
  if (auto flag = std::get_if<bool S::*>(&field.field)) return settings.**flag ? "1" : "0";
  if (auto number = std::get_if<int S::*>(&field.field)) return std::to_string(settings.**number);
  return settings.*std::get<std::string S::*>(field.field);
}

bool applySettingText(const SettingField &field, const std::string &text, EngineSettings &settings) {
  if (auto flag = std::get_if<bool S::*>(&field.field)) {
    if (text != "0" && text != "1") return false;
    settings.**flag = text == "1";
    return true;
  }
  if (auto number = std::get_if<int S::*>(&field.field)) {
    const auto value = parseDecimal(text);
    if (!value || !inRange(field, *value)) return false;
    settings.**number = *value;
    return true;
  }
  settings.*std::get<std::string S::*>(field.field) = text;
  return true;
}

const SettingField *firstSettingOutOfRange(const EngineSettings &settings) {
  for (const auto &field : kFields) {
    auto number = std::get_if<int S::*>(&field.field);
    if (number && !inRange(field, settings.**number)) return &field;
  }
  return nullptr;
}

}  // namespace ovsim
