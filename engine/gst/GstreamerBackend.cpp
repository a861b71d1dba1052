// The real engine: one worker thread owns the GStreamer pipeline. It
// compares what the settings ask for with what runs and rebuilds when they
// differ, so no call from the console ever waits for GStreamer; the console
// only reads what the worker measured.
#include <gst/gst.h>

#include <atomic>
#include <memory>
#include <random>
#include <set>
#include <thread>

#include "Backend.h"
#include "ClipCheck.h"
#include "ConfigCheck.h"
#include "Engine.h"
#include "FocusPoint.h"
#include "FocusStreams.h"
#include "LevelMeter.h"
#include "LiveRates.h"
#include "MediaCatalog.h"
#include "MulticastWatch.h"
#include "PipelinePlan.h"
#include "PreviewFrames.h"
#include "SendPipeline.h"
#include "SessionDescription.h"
#include "TrafficCounter.h"
#include "VanishedDevice.h"
#include "XWindowCheck.h"

namespace ovgst {
namespace {

using ovsim::Backend;
using ovsim::ClipKind;
using ovsim::EngineError;
using ovsim::EngineSettings;
using ovsim::EngineState;
using ovsim::Sender;
using ovsim::SenderRates;
using ovsim::withEngine;
using Clock = std::chrono::steady_clock;

constexpr int kBusWaitMs = 20;
constexpr auto kRateInterval = std::chrono::seconds(1);

// What the worker reads from the engine state on each round.
struct Wanted {
  EngineSettings settings;
  std::vector<std::string> detectors;
  std::optional<PipelinePlan> plan;
  std::optional<EngineError> planError;
};

class GstreamerBackend final : public Backend {
 public:
  bool initialize(ovSenderWindowHandle panel) override {
    stopWorker();
    GError *error = nullptr;
    if (!gst_init_check(nullptr, nullptr, &error)) {
      if (error) g_error_free(error);
      return false;
    }
    catalog_ = probeMediaCatalog(haveXDisplay());
    keepXErrorsFromEndingTheProcess();
    preview_ = isLiveXWindow(panel) ? panel : 0;
    withEngine([&](EngineState &state) {
      state.devices = deviceCatalogOf(catalog_);
      state.initialized = true;
      state.panel = panel;
      state.initializedAt = Clock::now();
      state.dvInterleavedUnsupported = true;
      state.pipelineError.reset();
    });
    stop_ = false;
    focus_.start(preview_);
    worker_ = std::thread([this] { run(); });
    return true;
  }

  void shutdown() override { stopWorker(); }

  SenderRates rates(Sender sender) override {
    std::lock_guard lock(ratesMutex_);
    return rates_[static_cast<int>(sender)];
  }

  std::pair<int, int> volume() override {
    const int evaluationMs = withEngine([](EngineState &state) { return state.volumeEvaluationTime; });
    return meter_.levels(evaluationMs, Clock::now());
  }

  // Checked here, so that a file that cannot be played is refused at once; the worker switches to it.
  bool play(ClipKind kind, const char *path) override {
    if (!path || !*path || !worker_.joinable()) return false;
    if (!canPlay(path, kind == ClipKind::Video ? ClipMedia::Video : ClipMedia::Audio)) return false;
    std::lock_guard lock(filesMutex_);
    (kind == ClipKind::Video ? files_.videoClip : files_.soundFile) = path;
    return true;
  }

  bool playing(ClipKind kind) override {
    std::lock_guard lock(filesMutex_);
    return !(kind == ClipKind::Video ? files_.videoClip : files_.soundFile).empty();
  }

  bool detected(const std::string &address) override { return watch_.detected(address); }
  bool dvInterleavedPossible() override { return false; }
  void computeFocusRegion() override { focus_.sampleSoon(); }
  void sendStatus() override { focus_.statusSoon(); }
  int copyPreviewFrame(void *pixels, int capacity, int *width, int *height) override {
    return frames_.copy(pixels, capacity, width, height);
  }

 private:
  void stopWorker() {
    if (!worker_.joinable()) return;
    stop_ = true;
    worker_.join();
    focus_.stop();
  }

  Wanted wanted() {
    return withEngine([&](EngineState &state) {
      Wanted wanted{state.settings, state.detectors, std::nullopt, std::nullopt};
      if (ovsim::settingsError(state) || failedSettings_) return wanted;
      auto plan = planFor(state, catalog_, preview_, playingFiles());
      if (auto *ready = std::get_if<PipelinePlan>(&plan))
        wanted.plan = std::move(*ready);
      else
        wanted.planError = std::get<EngineError>(plan);
      return wanted;
    });
  }

  PlayingFiles playingFiles() {
    std::lock_guard lock(filesMutex_);
    return files_;
  }

  // Back to the source at the end of a file.
  void finishEndedFiles() {
    if (!pipeline_) return;
    std::lock_guard lock(filesMutex_);
    if (pipeline_->ended(Stream::Video)) files_.videoClip.clear();
    if (pipeline_->ended(Stream::Audio)) files_.soundFile.clear();
  }

  // An error holds until the settings change; then the engine tries again.
  void recordFailure(const EngineError &error, const EngineSettings &settings) {
    withEngine([&](EngineState &state) { state.pipelineError = error; });
    failedSettings_ = settings;
  }

  void forgetFailureIfChanged(const EngineSettings &settings) {
    if (!failedSettings_ || *failedSettings_ == settings) return;
    failedSettings_.reset();
    withEngine([](EngineState &state) { state.pipelineError.reset(); });
  }

  Ssrcs freshSsrcs() {
    Ssrcs ssrcs{static_cast<std::uint32_t>(random_()), static_cast<std::uint32_t>(random_()),
                static_cast<std::uint32_t>(random_())};
    ownSsrcs_.insert(ssrcs.video);
    ownSsrcs_.insert(ssrcs.audio);
    ownSsrcs_.insert(ssrcs.sub);
    return ssrcs;
  }

  void rebuild(const Wanted &wanted) {
    pipeline_.reset();
    meter_.clear();
    frames_.clear();
    running_ = wanted.plan;
    const auto now = Clock::now();
    for (auto &window : windows_) window.restart(now);
    pointerWindow_.update(focus_.pointerTraffic(), now);  // its counter runs on across pipelines
    publishRates({});
    if (wanted.plan) {
      EngineError error;
      pipeline_ = SendPipeline::start(*wanted.plan, freshSsrcs(), meter_, frames_, error);
      if (!pipeline_) {
        recordFailure(error, wanted.settings);
        running_.reset();
      }
    }
    publishSessionDescription(pipeline_ ? &*running_ : nullptr, wanted.settings.focusTransmissionOn);
    describedFocus_ = wanted.settings.focusTransmissionOn;
  }

  // The focus stream starts and stops without a new pipeline; the description follows it.
  void describeFocus(bool on) {
    if (!pipeline_ || on == describedFocus_) return;
    publishSessionDescription(&*running_, on);
    describedFocus_ = on;
  }

  // A capture fault of a camera that is gone says so.
  EngineError explained(const EngineError &error, const EngineSettings &settings) const {
    if (error.kind != OVSENDER_ERROR_WRONG_CAPTURE) return error;
    const MediaSource *source = ovsim::elementAt(catalog_.videoSources, settings.videoSource);
    const auto gone = source ? vanishedDeviceError(*source) : std::nullopt;
    return gone ? *gone : error;
  }

  // A change of rates alone goes to the running pipeline when its encoders take it there.
  bool needsRebuild(const Wanted &wanted) {
    if (running_ && !pipeline_) return true;
    if (!wanted.plan || !running_) return wanted.plan.has_value() != running_.has_value();
    if (!samePipeline(*wanted.plan, *running_)) return true;
    const LiveRates rates = liveRatesOf(*wanted.plan);
    if (rates == liveRatesOf(*running_)) return false;
    if (!pipeline_->setRates(rates)) return true;
    running_ = wanted.plan;
    return false;
  }

  // A file that fails while playing only ends itself: the next round goes back to the sources.
  void stopAfter(const EngineError &error, const EngineSettings &settings) {
    const bool playingFile = running_ && (running_->playingVideoClip || running_->playingSoundFile);
    if (!playingFile) recordFailure(explained(error, settings), settings);
    pipeline_.reset();
    frames_.clear();
    running_.reset();
    publishSessionDescription(nullptr);
    std::lock_guard lock(filesMutex_);
    files_ = {};
  }

  void publishRates(const std::array<SenderRates, 4> &rates) {
    std::lock_guard lock(ratesMutex_);
    rates_ = rates;
  }

  void measure(Clock::time_point now) {
    if (now < nextMeasure_) return;
    nextMeasure_ = now + kRateInterval;
    std::array<SenderRates, 4> rates{};
    if (pipeline_) {
      rates[static_cast<int>(Sender::VideoMain)] = windows_[0].update(pipeline_->traffic(Stream::Video), now);
      rates[static_cast<int>(Sender::Audio)] = windows_[1].update(pipeline_->traffic(Stream::Audio), now);
      rates[static_cast<int>(Sender::VideoSub)] = windows_[2].update(pipeline_->traffic(Stream::VideoSub), now);
    }
    rates[static_cast<int>(Sender::Pointer)] = pointerWindow_.update(focus_.pointerTraffic(), now);
    publishRates(rates);
  }

  void round() {
    finishEndedFiles();
    Wanted want = wanted();
    forgetFailureIfChanged(want.settings);
    if (want.planError && !failedSettings_) recordFailure(*want.planError, want.settings);
    if (needsRebuild(want)) rebuild(want);
    if (pipeline_) {
      pipeline_->setCaption(want.settings.caption, want.settings.captionOn);
      pipeline_->setFocus(focusLookFor(want.settings, ovsim::focusPoint()));
      describeFocus(want.settings.focusTransmissionOn);
      if (auto error = pipeline_->poll(kBusWaitMs)) stopAfter(*error, want.settings);
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(kBusWaitMs));
    }
    focus_.follow(pipeline_ ? &*running_ : nullptr);
    watch_.watch(want.detectors);
    watch_.poll(ownSsrcs_);
    measure(Clock::now());
  }

  void run() {
    failedSettings_.reset();
    running_.reset();
    while (!stop_) round();
    pipeline_.reset();
    running_.reset();
    meter_.clear();
    frames_.clear();
    watch_.clear();
    publishRates({});
    publishSessionDescription(nullptr);
    std::lock_guard lock(filesMutex_);
    files_ = {};
  }

  // Set before the worker starts, read by it only.
  MediaCatalog catalog_;
  std::uintptr_t preview_ = 0;
  std::thread worker_;
  std::atomic<bool> stop_{false};

  // The worker's own.
  std::unique_ptr<SendPipeline> pipeline_;
  std::optional<PipelinePlan> running_;
  std::optional<EngineSettings> failedSettings_;
  std::array<RateWindow, 3> windows_;
  Clock::time_point nextMeasure_{};
  std::mt19937 random_{std::random_device{}()};
  std::set<std::uint32_t> ownSsrcs_;
  RateWindow pointerWindow_;
  bool describedFocus_ = false;

  // Shared with the console's threads, each guarded by its own lock.
  LevelMeter meter_;
  PreviewFrames frames_;
  MulticastWatch watch_;
  FocusStreams focus_;
  std::mutex ratesMutex_;
  std::mutex filesMutex_;
  PlayingFiles files_;
  std::array<SenderRates, 4> rates_{};
};

}  // namespace
}  // namespace ovgst

namespace ovsim {

Backend &gstreamerBackend() {
  static auto *instance = new ovgst::GstreamerBackend;  // never destroyed: its worker may outlive static destruction
  return *instance;
}

}  // namespace ovsim
