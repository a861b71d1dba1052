#include "PipelinePlan.h"

#include <algorithm>
#include <cstdint>

#include "ClipCheck.h"
#include "DeviceCatalog.h"
#include "VanishedDevice.h"
#include "VideoResolution.h"

namespace ovgst {
namespace {

using ovsim::elementAt;
using ovsim::EngineError;

// Headroom under the cap for the RTP and UDP framing the encoder does not see, and its short overshoots.
constexpr double kAudioShareOfCap = 0.9;

int capPerCopy(int maximum, int copies) { return std::max(maximum, 1) / std::max(copies, 1); }

// The payloader hands its packets to a queue, so the pacer's waits do not
// hold the encoder at a key frame. An encoder that keeps overshooting fills
// the queue's 300 ms; then it is held, and the leaky queue before it drops
// pictures until the stream fits its cap again.
std::string pacer(const char *name) {
  return std::string(" ! queue max-size-buffers=0 max-size-time=300000000 max-size-bytes=1000000 ! identity name=") +
         name;
}

int encoderTarget(int maximum, int copies, double share) {
  const double perCopy = static_cast<double>(std::max(maximum, 1)) / std::max(copies, 1);
  return static_cast<int>(perCopy * share);
}

std::string udpSinks(const char *prefix, const std::string &tee, const PipelinePlan &plan, int port) {
  std::string text;
  for (int copy = 0; copy < plan.copies; ++copy) {
    text += " " + tee + ". ! queue max-size-buffers=200 ! udpsink name=" + prefix + std::to_string(copy) +
            " host=" + plan.address + " port=" + std::to_string(port) + " ttl-mc=" + std::to_string(plan.timeToLive) +
            " ttl=" + std::to_string(plan.timeToLive) + " auto-multicast=true sync=false async=false";
  }
  return text;
}

// The region around the focus as a picture of its own, beside the main one.
std::string subVideoBranch(const PipelinePlan &plan, Ssrcs ssrcs) {
  return " vt. ! queue leaky=downstream max-size-buffers=4 ! " + focusSubInput(plan.focus, plan.width, plan.height) +
         plan.videoCodec->launch(plan.focus.subBitsPerSecond) + " name=vencsub ! " + plan.videoCodec->payloader +
         " name=vpaysub pt=" + std::to_string(kVideoPayloadType) + " mtu=" + std::to_string(plan.packetSize) +
         " ssrc=" + std::to_string(ssrcs.sub) + pacer("vsubpace") + " ! tee name=vsubout" +
         udpSinks("vsubsink", "vsubout", plan, kVideoSubPort);
}

// videorate only drops: one that may also repeat holds every picture until
// the next arrives, a whole frame of delay. A slower source is sent at its own rate.
std::string videoChain(const PipelinePlan &plan, Ssrcs ssrcs) {
  std::string text = plan.videoSource + " ! videoconvert ! videoscale ! videorate drop-only=true max-rate=" +
                     std::to_string(kFramesPerSecond) + " ! video/x-raw,format=I420,width=" +
                     std::to_string(plan.width) + ",height=" + std::to_string(plan.height) + ",pixel-aspect-ratio=1/1" +
                     " ! textoverlay name=caption silent=true valignment=bottom halignment=center"
                     " shaded-background=true font-desc=\"Sans 18\"" +
                     focusMainStage(plan.focus) + " ! tee name=vt allow-not-linked=true";
  const std::string focusView = focusPreviewStage(plan.focus);
  if (plan.previewWindow) {
    text += " vt. ! queue leaky=downstream max-size-buffers=2 ! videoconvert";
    if (!focusView.empty()) text += " ! video/x-raw,format=BGRx" + focusView + " ! videoconvert";
    text += " ! videoscale ! ximagesink name=preview sync=false force-aspect-ratio=true handle-events=false";
  } else {
    // No window to draw into: the pictures go to the console, which paints them.
    text += " vt. ! queue leaky=downstream max-size-buffers=1 ! videoconvert ! video/x-raw,format=BGRx" + focusView +
            " ! fakesink name=frames sync=false async=false";
  }
  if (plan.sending && plan.sendVideo) {
    text += " vt. ! queue leaky=downstream max-size-buffers=4 ! " + focusMainEncoderInput(plan.focus) +
            plan.videoCodec->launch(plan.videoBitsPerSecond) +
            " name=venc ! " + plan.videoCodec->payloader + " name=vpay pt=" + std::to_string(kVideoPayloadType) +
            " mtu=" + std::to_string(plan.packetSize) + " ssrc=" + std::to_string(ssrcs.video) + pacer("vpace") +
            " ! tee name=vout" +
            udpSinks("vsink", "vout", plan, kVideoMainPort);
  }
  if (plan.sending && plan.sendVideo && plan.focus.sendsSub()) text += subVideoBranch(plan, ssrcs);
  return text;
}

std::string audioChain(const PipelinePlan &plan, Ssrcs ssrcs) {
  std::string text =
      plan.audioSource +
      " ! audioconvert ! audioresample ! audio/x-raw,format=S16LE,layout=interleaved,rate=48000,channels=2"
      " ! identity name=ameter ! tee name=at allow-not-linked=true"
      " at. ! queue leaky=downstream ! fakesink sync=false async=false";
  if (plan.sending && plan.sendAudio) {
    text += " at. ! queue ! " + plan.audioCodec->launch(plan.audioBitsPerSecond) + " name=aenc ! " +
            plan.audioCodec->payloader + " name=apay pt=" + std::to_string(kAudioPayloadType) +
            " mtu=" + std::to_string(plan.packetSize) + " ssrc=" + std::to_string(ssrcs.audio) + pacer("apace") +
            " ! tee name=aout" +
            udpSinks("asink", "aout", plan, kAudioPort);
  }
  return text;
}

// The smallest packet a payloader can fill: RTP header plus a few payload bytes.
constexpr int kSmallestPacket = 64;

}  // namespace

std::variant<PipelinePlan, EngineError> planFor(const ovsim::EngineState &state, const MediaCatalog &catalog,
                                                std::uintptr_t previewWindow, const PlayingFiles &files) {
  const auto &s = state.settings;
  if (s.directVideoModeOn)
    return EngineError{50, OVSENDER_ERROR_WRONG_MEDIATYPE,
                       "Direct video mode needs a source that delivers H.264; this one does not."};
  if (s.packetSize < kSmallestPacket)
    return EngineError{51, OVSENDER_ERROR_UNEXPECTED, "The packet size is too small for an RTP packet."};
  const MediaSource *video = elementAt(catalog.videoSources, s.videoSource);
  const MediaSource *audio = elementAt(catalog.audioSources, s.audioSource);
  const auto *const *videoCodec = elementAt(catalog.videoCodecs, s.videoEncoder);
  const auto *const *audioCodec = elementAt(catalog.audioCodecs, s.audioEncoder);
  if (auto gone = vanishedDeviceError(*video); gone && files.videoClip.empty()) return *gone;
  PipelinePlan plan;
  plan.videoSource = video->launch;  // the common check already proved both sources and the codecs exist
  plan.audioSource = audio ? audio->launch : catalog.audioSources.front().launch;
  plan.videoCodec = *videoCodec;
  plan.audioCodec = audioCodec ? *audioCodec : nullptr;
  const auto size = ovsim::pictureSizeOf(s.videoResolution);
  plan.width = size.width;
  plan.height = size.height;
  plan.copies = std::clamp(s.transmissionCount, 1, 4);
  plan.videoBitsPerSecond =
      encoderTarget(s.videoSenderMainMaxTransmissionRate, plan.copies, plan.videoCodec->shareOfCap);
  plan.audioBitsPerSecond = encoderTarget(s.audioSenderMaxTransmissionRate, plan.copies, kAudioShareOfCap);
  plan.videoCapPerCopy = capPerCopy(s.videoSenderMainMaxTransmissionRate, plan.copies);
  plan.audioCapPerCopy = capPerCopy(s.audioSenderMaxTransmissionRate, plan.copies);
  plan.address = s.address;
  plan.timeToLive = s.timeToLive;
  plan.packetSize = s.packetSize;
  plan.sending = s.start;
  plan.sendVideo = s.videoTransmissionOn;
  plan.sendAudio = s.audioTransmissionOn && plan.audioCodec;
  plan.previewWindow = previewWindow;
  plan.playingVideoClip = !files.videoClip.empty();
  if (plan.playingVideoClip) plan.videoSource = clipLaunch(files.videoClip, ClipMedia::Video);
  plan.focus = focusPlanFor(s, plan.width, plan.height);
  if (plan.focus.sendsSub()) {
    plan.focus.subBitsPerSecond =
        encoderTarget(s.videoSenderSubMaxTransmissionRate, plan.copies, plan.videoCodec->shareOfCap);
    plan.subCapPerCopy = capPerCopy(s.videoSenderSubMaxTransmissionRate, plan.copies);
  }
  plan.playingSoundFile = !files.soundFile.empty();
  if (plan.playingSoundFile) plan.audioSource = clipLaunch(files.soundFile, ClipMedia::Audio);
  return plan;
}

std::string launchDescription(const PipelinePlan &plan, Ssrcs ssrcs) {
  return videoChain(plan, ssrcs) + " " + audioChain(plan, ssrcs);
}

}  // namespace ovgst
