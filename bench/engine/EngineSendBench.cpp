// Figures of the real engine on this machine. Run under xvfb-run for the X
// preview (the program makes a 640x480 window for it); without a display
// the preview pictures go through ovSenderCopyPreviewFrame, which this
// program then polls as a console would.
#include <X11/Xlib.h>
#include <gst/gst.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "GroupReceiver.h"
#include "NetworkNamespace.h"
#include "VideoReceiver.h"
#include "ovSender.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr const char *kGroup = "239.255.42.1";
constexpr int kVideoPort = 5004;

double milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double percentile(std::vector<double> values, double share) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[static_cast<std::size_t>(share * static_cast<double>(values.size() - 1))];
}

ovSenderWindowHandle previewWindow() {
  Display *display = XOpenDisplay(nullptr);
  if (!display) return 0;
  const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 640, 480, 0, 0, 0);
  XMapWindow(display, window);
  XSync(display, False);
  return window;  // the display stays open for the program's life, or the window goes
}

void startStopTimes() {
  std::vector<double> starts, stops;
  for (int trial = 0; trial < 5; ++trial) {
    GroupReceiver receiver(kGroup, kVideoPort);
    receiver.drain();
    const auto started = Clock::now();
    ovSenderSetStart(true);
    const auto sent = receiver.collect(1500ms);
    if (!sent.empty()) starts.push_back(milliseconds(sent.front().at - started));
    const auto stopped = Clock::now();
    ovSenderSetStart(false);
    const auto tail = receiver.collect(1000ms);
    stops.push_back(tail.empty() ? 0.0 : milliseconds(tail.back().at - stopped));
  }
  std::printf("Start to first packet: median %.0f ms, worst %.0f ms (%zu of 5 trials)\n", percentile(starts, 0.5),
              percentile(starts, 1.0), starts.size());
  std::printf("Stop to last packet:   median %.0f ms, worst %.0f ms\n", percentile(stops, 0.5), percentile(stops, 1.0));
}

void cpuWhileSending(bool pollFrames) {
  ovSenderSetStart(true);
  std::this_thread::sleep_for(2s);
  std::vector<unsigned char> pixels(640 * 480 * 4);
  const double cpuBefore = cpuSeconds();
  const auto wallBefore = Clock::now();
  while (Clock::now() - wallBefore < 20s) {
    int width = 0, height = 0;
    if (pollFrames) ovSenderCopyPreviewFrame(pixels.data(), static_cast<int>(pixels.size()), &width, &height);
    std::this_thread::sleep_for(33ms);
  }
  const double share = (cpuSeconds() - cpuBefore) / std::chrono::duration<double>(Clock::now() - wallBefore).count();
  std::printf(
      "CPU sending 640x480 30 fps (x264 1 Mbit/s, Opus, %s preview): %.1f %% of one core, sent %d bit/s at %d fps\n",
      pollFrames ? "handed-over" : "X", 100 * share, ovSenderGetVideoSenderMainTransmissionRate(),
      ovSenderGetVideoSenderMainFrameRate());
}

// From setting a caption to the first decoded picture that shows it: an
// upper bound of capture-to-decoded, since the caption waits for the next
// captured picture (up to 33 ms) and for the engine's next round (up to 20 ms).
void captionLatency() {
  std::string blocks;
  for (int i = 0; i < 60; ++i) blocks += "\u2588";
  ovSenderSetCaptionOn(true);
  ovSenderSetCaption("");
  ovSenderSetStart(true);
  VideoReceiver receiver(kGroup, kVideoPort);
  std::vector<double> delays;
  for (int trial = 0; trial < 20; ++trial) {
    while (receiver.next(0ms)) {
      // pictures decoded before the change do not count
    }
    const auto set = Clock::now();
    ovSenderSetCaption(blocks.c_str());
    while (Clock::now() - set < 2s) {
      auto picture = receiver.next(100ms);
      if (picture && whiteShareWhereCaptionsGo(*picture) > 0.4) {
        delays.push_back(milliseconds(Clock::now() - set));
        break;
      }
    }
    ovSenderSetCaption("");
    std::this_thread::sleep_for(300ms);
  }
  ovSenderSetStart(false);
  std::printf("Caption set to decoded on loopback: median %.0f ms, p90 %.0f ms (%zu of 20 trials)\n",
              percentile(delays, 0.5), percentile(delays, 0.9), delays.size());
}

}  // namespace

int main(int argc, char **argv) {
  enterPrivateNetwork(argc, argv);
  unsetenv("OVSENDER_ENGINE");
  const std::filesystem::path folder = useTemporaryRegistryAndHome();
  gst_init(&argc, &argv);
  const ovSenderWindowHandle window = previewWindow();
  if (!ovSenderInitialize(window)) return 1;
  ovSenderSetAddress(kGroup);
  ovSenderSetVideoResolution(6);
  ovSenderSetVideoSenderMainMaxTransmissionRate(1000000);
  ovSenderSetAudioSenderMaxTransmissionRate(64000);
  std::this_thread::sleep_for(1s);
  startStopTimes();
  cpuWhileSending(window == 0);
  captionLatency();
  ovSenderShutdown();
  std::error_code ignored;
  if (!folder.empty()) std::filesystem::remove_all(folder, ignored);
  return 0;
}
