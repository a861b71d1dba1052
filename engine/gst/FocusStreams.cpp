#include "FocusStreams.h"

#include <algorithm>
#include <utility>

#include "Engine.h"
#include "FocusPacing.h"
#include "FocusPoint.h"
#include "FocusGeometry.h"

namespace ovgst {
namespace {

using ovsim::EngineSettings;

// The pointer is followed this often even while nothing is sent, so the
// preview's focus frame moves with it.
constexpr auto kSampleInterval = std::chrono::milliseconds(33);

std::uint64_t microsecondsNow() {
  return static_cast<std::uint64_t>(
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::system_clock::now().time_since_epoch())
          .count());
}

// The sent main picture: the non-linear zoom and the image compound send it at a size of their own.
ovsim::PictureSize pictureOf(const PipelinePlan &plan) {
  if (plan.focus.mainWidth > 0 && plan.focus.mainHeight > 0) return {plan.focus.mainWidth, plan.focus.mainHeight};
  return {plan.width, plan.height};
}

PointerDatagram pointerDatagramOf(const ovsim::FocusGeometry &geometry, bool frameVisible) {
  PointerDatagram d;
  d.mode = static_cast<int>(geometry.mode);
  d.frameVisible = frameVisible;
  d.maskType = geometry.maskType == ovsim::kNoFocusType ? kUnusedType : geometry.maskType;
  d.blendingType = geometry.blendingType == ovsim::kNoFocusType ? kUnusedType : geometry.blendingType;
  d.pictureWidth = geometry.picture.width;
  d.pictureHeight = geometry.picture.height;
  d.pointX = geometry.point.x;
  d.pointY = geometry.point.y;
  d.regionX = geometry.region.x;
  d.regionY = geometry.region.y;
  d.regionWidth = geometry.region.width;
  d.regionHeight = geometry.region.height;
  return d;
}

StatusDatagram statusDatagramOf(const PipelinePlan &plan, const EngineSettings &s, bool started) {
  const auto geometry = ovsim::focusGeometry(s, pictureOf(plan), ovsim::focusPoint());
  StatusDatagram d;
  d.started = started;
  d.videoOn = plan.sendVideo;
  d.audioOn = plan.sendAudio;
  d.focusOn = s.focusTransmissionOn;
  d.frameVisible = s.focusFrameVisible;
  d.mode = s.focusDisplay;
  d.copies = plan.copies;
  d.framesPerSecond = kFramesPerSecond;
  d.packetSize = plan.packetSize;
  d.mainWidth = pictureOf(plan).width;
  d.mainHeight = pictureOf(plan).height;
  d.subWidth = geometry.sub ? geometry.sub->width : 0;
  d.subHeight = geometry.sub ? geometry.sub->height : 0;
  d.videoPayloadType = kVideoPayloadType;
  d.audioPayloadType = kAudioPayloadType;
  if (plan.sendVideo && plan.videoCodec) d.videoCodec = plan.videoCodec->encodingName;
  if (plan.sendAudio && plan.audioCodec) d.audioCodec = plan.audioCodec->encodingName;
  d.partialZoomSourceCode = s.partialZoomSourceVideoResolution;
  d.partialZoomOutputCode = s.partialZoomOutputVideoResolution;
  d.nonLinearZoomOutputCode = s.nonLinearZoomOutputVideoResolution;
  d.nonLinearZoomMaskType = s.nonLinearZoomMaskType;
  d.nonLinearZoomMaskWidth = s.nonLinearZoomMaskWidth;
  d.nonLinearZoomMaskHeight = s.nonLinearZoomMaskHeight;
  d.imageCompoundBaseCode = s.imageCompoundBaseVideoResolution;
  d.imageCompoundAdditionalCode = s.imageCompoundAdditionalVideoResolution;
  d.imageCompoundMaskType = s.imageCompoundMaskType;
  d.imageCompoundBlendingType = s.imageCompoundBlendingType;
  return d;
}

// The next slot of a regular stream; one that fell far behind starts again from now instead of catching up in a burst.
FocusStreams::Clock::time_point nextSlot(FocusStreams::Clock::time_point slot, FocusStreams::Clock::duration period,
                                         FocusStreams::Clock::time_point now) {
  slot += period;
  return slot + period < now ? now : slot;
}

}  // namespace

void FocusStreams::start(std::uintptr_t previewWindow) {
  stop();
  window_ = previewWindow;
  {
    std::lock_guard lock(mutex_);
    stop_ = false;
    plan_.reset();
  }
  thread_ = std::thread([this] { run(); });
}

void FocusStreams::stop() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

void FocusStreams::follow(const PipelinePlan *running) {
  {
    std::lock_guard lock(mutex_);
    if (running ? plan_ == *running : !plan_) return;
    if (running)
      plan_ = *running;
    else
      plan_.reset();
  }
  wake_.notify_all();
}

void FocusStreams::sampleSoon() {
  {
    std::lock_guard lock(mutex_);
    sampleRequested_ = true;
  }
  wake_.notify_all();
}

void FocusStreams::statusSoon() {
  {
    std::lock_guard lock(mutex_);
    statusRequested_ = true;
  }
  wake_.notify_all();
}

void FocusStreams::run() {
  std::unique_lock lock(mutex_);
  while (!stop_) {
    lock.unlock();
    const auto until = round(Clock::now());
    lock.lock();
    wake_.wait_until(lock, until, [&] { return stop_ || sampleRequested_ || statusRequested_; });
  }
  lock.unlock();
  const auto settings = ovsim::withEngine([](ovsim::EngineState &state) { return state.settings; });
  followPlan(std::nullopt, settings, Clock::now());
}

// One pass: sample, send what is due; returns when the next thing is due.
FocusStreams::Clock::time_point FocusStreams::round(Clock::time_point now) {
  std::optional<PipelinePlan> plan;
  bool sampleNow = false;
  {
    std::lock_guard lock(mutex_);
    plan = plan_;
    sampleNow = std::exchange(sampleRequested_, false);
    statusRequested_ = false;  // the status goes at its next slot, which its maximum allows
  }
  const auto settings = ovsim::withEngine([](ovsim::EngineState &state) { return state.settings; });
  if (sampleNow || now >= nextSample_) samplePointer(settings, now);
  followPlan(std::move(plan), settings, now);
  auto until = nextSample_;
  if (!sending_) return until;
  const bool ipv6 = sending_->socket->ipv6();
  if (settings.focusTransmissionOn) {
    if (now >= sending_->nextPointer) {
      sendPointer(settings);
      const double rate = datagramsPerSecond(settings.pointerSenderMaxTransmissionRate, kPointerDatagramSize, ipv6,
                                             copies(), kMostPointerDatagramsPerSecond);
      sending_->nextPointer = nextSlot(sending_->nextPointer, periodOf(rate), now);
    }
    until = std::min(until, sending_->nextPointer);
  }
  if (now >= sending_->nextStatus) {
    sendStatus(settings, true);
    const double rate = datagramsPerSecond(settings.statusSenderMaxTransmissionRate, kStatusDatagramSize, ipv6,
                                           copies(), kMostStatusDatagramsPerSecond);
    sending_->nextStatus = nextSlot(sending_->nextStatus, periodOf(rate), now);
  }
  return std::min(until, sending_->nextStatus);
}

void FocusStreams::samplePointer(const EngineSettings &settings, Clock::time_point now) {
  nextSample_ = now + kSampleInterval;
  if (ovsim::focusPointPinned()) return;
  const ovsim::PictureSize picture =
      sending_ ? pictureOf(sending_->plan) : ovsim::pictureSizeOf(settings.videoResolution);
  if (auto point = reader_.read(settings.focusCoordinate, window_, picture)) {
    if (!ovsim::focusPointPinned()) ovsim::setFocusPoint(*point);
  }
}

// A new group or hop count needs a new socket; the end of sending is told with a last status.
void FocusStreams::followPlan(std::optional<PipelinePlan> plan, const EngineSettings &settings, Clock::time_point now) {
  if (plan && !plan->sending) plan.reset();
  const bool sameSocket = sending_ && plan && plan->address == sending_->plan.address &&
                          plan->timeToLive == sending_->plan.timeToLive;
  if (sending_ && !sameSocket) {
    sendStatus(settings, false);
    sending_.reset();
  }
  if (!plan) return;
  if (sending_) {
    sending_->plan = std::move(*plan);
    return;
  }
  auto socket = std::make_unique<DatagramSocket>(plan->address, plan->timeToLive);
  if (!socket->ok()) return;
  sending_ = Sending{std::move(*plan), std::move(socket), now, now};
}

void FocusStreams::sendPointer(const EngineSettings &settings) {
  const auto geometry = ovsim::focusGeometry(settings, pictureOf(sending_->plan), ovsim::focusPoint());
  PointerDatagram datagram = pointerDatagramOf(geometry, settings.focusFrameVisible);
  datagram.sequence = pointerSequence_++;
  datagram.microseconds = microsecondsNow();
  const auto bytes = encode(datagram);
  if (bytes.size() > static_cast<std::size_t>(sending_->plan.packetSize)) return;
  const std::size_t sent = sending_->socket->send(bytes, kPointerPort, copies());
  if (sent == 0) return;
  pointer_.bytes.fetch_add(sent, std::memory_order_relaxed);
  pointer_.frames.fetch_add(1, std::memory_order_relaxed);
}

void FocusStreams::sendStatus(const EngineSettings &settings, bool started) {
  StatusDatagram datagram = statusDatagramOf(sending_->plan, settings, started);
  datagram.sequence = statusSequence_++;
  datagram.microseconds = microsecondsNow();
  const auto bytes = encode(datagram);
  if (bytes.size() > static_cast<std::size_t>(sending_->plan.packetSize)) return;
  sending_->socket->send(bytes, kStatusPort, copies());
}

}  // namespace ovgst
