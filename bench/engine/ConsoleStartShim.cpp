// Loaded into the console with LD_PRELOAD by console_cpu.sh: once the
// console has initialised the engine, picks 640x480, x264 and Opus at the
// group given and starts sending, as a user would through the menus (the
// console has no command line for it). With OVSENDER_BENCH_MODE=compound it
// sends the image compound instead: a 1280x720 capture, 640x480 base and
// 1280x720 additional picture. Writes the process id for the script.
#include <errno.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <thread>

#include "ovSender.h"

namespace {

void startWhenInitialized() {
  using namespace std::chrono_literals;
  for (int tries = 0; tries < 300 && !ovSenderIsInitialized(); ++tries) std::this_thread::sleep_for(100ms);
  std::this_thread::sleep_for(1s);  // the console sets its own values first
  const char *group = std::getenv("OVSENDER_BENCH_GROUP");
  ovSenderSetAddress(group ? group : "239.255.42.1");
  ovSenderSetVideoSource(0);   // Test pattern
  ovSenderSetAudioSource(0);   // Test tone
  ovSenderSetVideoEncoder(0);  // x264 where it exists
  ovSenderSetAudioEncoder(0);  // Opus
  ovSenderSetVideoResolution(6);
  ovSenderSetVideoSenderMainMaxTransmissionRate(1000000);
  const char *mode = std::getenv("OVSENDER_BENCH_MODE");
  if (mode && std::string_view(mode) == "compound") {
    ovSenderSetVideoResolution(12);
    ovSenderSetImageCompoundBaseVideoResolution(6);
    ovSenderSetImageCompoundAdditionalVideoResolution(12);
    ovSenderSetVideoSenderSubMaxTransmissionRate(2500000);
    ovSenderSetFocusTransmissionOn(true);
    ovSenderSetFocusDisplay(3);
  }
  ovSenderSetAudioSenderMaxTransmissionRate(64000);
  ovSenderSetStart(true);
}

__attribute__((constructor)) void startLater() {
  const char *pidFile = std::getenv("OVSENDER_BENCH_PID_FILE");
  if (!pidFile || std::string_view(program_invocation_short_name) != "ovSenderUI") return;
  unsetenv("LD_PRELOAD");  // not into what the console starts
  if (FILE *file = std::fopen(pidFile, "w")) {
    std::fprintf(file, "%d\n", static_cast<int>(getpid()));
    std::fclose(file);
  }
  std::thread(startWhenInitialized).detach();
}

}  // namespace
