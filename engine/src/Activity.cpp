#include "Activity.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "ConfigCheck.h"
#include "VideoResolution.h"

namespace ovsim {
namespace {

constexpr int kSilence = -3000;

struct Stream {
  bool on;
  std::int64_t bitsPerSecond;
  int framesPerSecond;
  int maximum;
};

double secondsSince(Clock::time_point start, Clock::time_point now) {
  return std::chrono::duration<double>(now - start).count();
}

double wave(double seconds, double period, double phase) {
  return std::sin(2.0 * std::numbers::pi * seconds / period + phase);
}

std::int64_t videoBits(const PictureSize &size, int framesPerSecond) {
  return std::int64_t{size.width} * size.height * framesPerSecond / 8;  // about 1/8 bit per pixel
}

int focusPictureCode(const EngineSettings &s) {
  switch (s.focusDisplay) {
    case 1: return s.partialZoomOutputVideoResolution;
    case 2: return s.nonLinearZoomOutputVideoResolution;
    default: return s.imageCompoundAdditionalVideoResolution;
  }
}

Stream streamOf(const EngineSettings &s, Sender sender) {
  switch (sender) {
    case Sender::VideoMain:
      return {s.videoTransmissionOn, videoBits(pictureSizeOf(s.videoResolution), 30), 30,
              s.videoSenderMainMaxTransmissionRate};
    case Sender::VideoSub:
      return {s.videoTransmissionOn && s.focusDisplay != 0, videoBits(pictureSizeOf(focusPictureCode(s)), 15), 15,
              s.videoSenderSubMaxTransmissionRate};
    case Sender::Audio:
      return {s.audioTransmissionOn, 64000, 50, s.audioSenderMaxTransmissionRate};
    case Sender::Pointer:
      return {s.focusTransmissionOn, 8000, 10, s.pointerSenderMaxTransmissionRate};
  }
  return {false, 0, 0, 0};
}

// The rate a stream reaches under its maximum, wobbling between 85 % and 100 % of it.
SenderRates limitedRates(const Stream &stream, int count, double seconds, int sender) {
  const std::int64_t wanted = stream.bitsPerSecond * count;
  const std::int64_t ceiling = std::min<std::int64_t>(wanted, std::max(stream.maximum, 0));
  const double share = 0.925 + 0.075 * wave(seconds, 3.1 + sender, sender);
  const auto bits = static_cast<int>(static_cast<double>(ceiling) * share);
  const auto frames = static_cast<int>(std::int64_t{stream.framesPerSecond} * ceiling / std::max<std::int64_t>(wanted, 1));
  return {bits, std::max(frames, bits > 0 ? 1 : 0)};
}

}  // namespace

SenderRates senderRates(const EngineState &state, Sender sender, Clock::time_point now) {
  const auto index = static_cast<int>(sender);
  if (state.injected.rates[index]) return *state.injected.rates[index];
  const Stream stream = streamOf(state.settings, sender);
  if (!state.settings.start || !stream.on || configurationError(state)) return {};
  const int count = std::clamp(state.settings.transmissionCount, 1, 4);
  return limitedRates(stream, count, secondsSince(state.initializedAt, now), index);
}

std::pair<int, int> volumeLevels(const EngineState &state, Clock::time_point now) {
  if (state.injected.volume) return *state.injected.volume;
  if (!state.initialized || state.devices.audioSources.empty()) return {kSilence, kSilence};
  const double seconds = secondsSince(state.initializedAt, now);
  // A longer evaluation time averages more, so the quick flicker shrinks.
  const double flicker = 300.0 / (1.0 + std::max(state.volumeEvaluationTime, 0) / 250.0);
  auto level = [&](double phase) {
    const double value = -1400.0 + 700.0 * wave(seconds, 1.7, phase) + flicker * wave(seconds, 0.31, 2 * phase);
    return std::clamp(static_cast<int>(value), kSilence, 0);
  };
  return {level(0.0), level(1.3)};
}

}  // namespace ovsim
