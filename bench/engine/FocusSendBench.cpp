// CPU of the real engine sending the image compound (640x480 base, 1280x720
// additional, 30 fps) and, for comparison, partial zoom, non-linear zoom
// and no focus mode, inside its own network namespace. The preview goes to
// the console's hand-over, polled as a console would. Prints figures; not
// part of ctest.
#include <gst/gst.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

#include "NetworkNamespace.h"
#include "ovSender.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void measure(const char *what, int mode) {
  ovSenderSetFocusDisplay(mode);
  ovSenderSetStart(true);
  std::this_thread::sleep_for(3s);
  std::vector<unsigned char> pixels(1920 * 1080 * 4);
  const double cpuBefore = cpuSeconds();
  const auto wallBefore = Clock::now();
  auto nextSample = wallBefore + 1s;
  double subSum = 0, subMost = 0, subFrames = 0;
  int samples = 0;
  while (Clock::now() - wallBefore < 15s) {
    int width = 0, height = 0;
    ovSenderCopyPreviewFrame(pixels.data(), static_cast<int>(pixels.size()), &width, &height);
    std::this_thread::sleep_for(33ms);
    if (Clock::now() < nextSample) continue;
    nextSample += 1s;
    const double sub = ovSenderGetVideoSenderSubTransmissionRate();
    subSum += sub;
    subMost = std::max(subMost, sub);
    subFrames += ovSenderGetVideoSenderSubFrameRate();
    ++samples;
  }
  const double share = (cpuSeconds() - cpuBefore) / std::chrono::duration<double>(Clock::now() - wallBefore).count();
  samples = std::max(samples, 1);
  std::printf("%-52s %5.1f %% of one core; main %7d bit/s %2d fps; sub mean %7.0f, highest second %7.0f bit/s, %4.1f fps\n",
              what, 100 * share, ovSenderGetVideoSenderMainTransmissionRate(), ovSenderGetVideoSenderMainFrameRate(),
              subSum / samples, subMost, subFrames / samples);
  ovSenderSetStart(false);
  std::this_thread::sleep_for(1s);
}

}  // namespace

int main(int argc, char **argv) {
  enterPrivateNetwork(argc, argv);
  unsetenv("OVSENDER_ENGINE");
  const std::filesystem::path folder = useTemporaryRegistryAndHome();
  gst_init(&argc, &argv);
  if (!ovSenderInitialize(0)) return 1;
  ovSenderSetAddress("239.255.42.1");
  ovSenderSetVideoResolution(12);  // captured at 1280x720
  ovSenderSetVideoSenderMainMaxTransmissionRate(1000000);
  ovSenderSetVideoSenderSubMaxTransmissionRate(2500000);
  ovSenderSetAudioSenderMaxTransmissionRate(64000);
  ovSenderSetImageCompoundBaseVideoResolution(6);        // 640x480
  ovSenderSetImageCompoundAdditionalVideoResolution(12);  // 1280x720
  ovSenderSetPartialZoomSourceVideoResolution(6);
  ovSenderSetPartialZoomOutputVideoResolution(12);
  ovSenderSetNonLinearZoomOutputVideoResolution(12);
  ovSenderSetNonLinearZoomMaskSize(300, 300);
  ovSenderSetFocusFrameVisible(true);
  std::this_thread::sleep_for(1s);
  std::printf("Captured 1280x720 test pattern, x264, Opus, preview handed to the console:\n");
  measure("image compound (base 640x480, additional 1280x720)", 3);
  measure("partial zoom (640x480 region sent at 1280x720)", 1);
  measure("non-linear zoom (1280x720, ellipse 300x300)", 2);
  measure("no focus mode (1280x720)", 0);
  ovSenderShutdown();
  std::error_code ignored;
  if (!folder.empty()) std::filesystem::remove_all(folder, ignored);
  return 0;
}
