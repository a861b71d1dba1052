// Runs the real engine sending for a set time inside a network namespace of
// its own (loopback only, the multicast range routed to it), so nothing it
// sends leaves the machine. Receivers on the group count what arrives: video
// frames by the RTP marker bit that ends each picture, audio frames by
// packet. Reports frames, rates, resident memory and any error; memory is
// sampled every ten seconds after warm-up and must not grow.
// Usage: ostrel_engine_soak [seconds, default 600]
// Exit status: 0 clean, 1 an error or growth, 2 bad use, 77 no namespace.
#include "GroupReceiver.h"
#include "NetworkNamespace.h"
#include "ResidentMemory.h"
#include "ovSender.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

constexpr const char* kGroup = "239.255.42.7";
constexpr int kVideoPort = 5004, kAudioPort = 5008;
// Seconds without a sent video packet before the run counts as stalled.
constexpr int kStallSeconds = 5;

struct Counted {
    std::atomic<unsigned long long> datagrams{0}, bytes{0}, frames{0};
};

// Counts what arrives on `port` until `stop` is set.
void Receive(int port, bool framesByMarker, Counted& counted, const std::atomic<bool>& stop)
{
    GroupReceiver receiver(kGroup, port);
    while (!stop) {
        for (const Datagram& d : receiver.collect(500ms)) {
            ++counted.datagrams;
            counted.bytes += d.size;
            if (!framesByMarker || d.marker) ++counted.frames;
        }
    }
}

int IndexOf(int count, const char* (*nameOf)(int), const std::string& name)
{
    for (int i = 0; i < count; ++i)
        if (name == nameOf(i)) return i;
    return -1;
}

std::string CurrentError()
{
    int identity = 0, kind = 0;
    char text[OVSENDER_ERROR_TEXT_SIZE] = {};
    ovSenderGetErrorMessage(&identity, &kind, text);
    return kind == OVSENDER_ERROR_NONE ? std::string() : text;
}

bool WaitUntil(bool (*condition)(), std::chrono::seconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition() && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(50ms);
    return condition();
}

// 640x480 test pattern and test tone at 1 Mbit/s and 64 kbit/s, as a user starts it.
void Configure()
{
    ovSenderSetAddress(kGroup);
    ovSenderSetVideoSource(IndexOf(ovSenderGetNumVideoSources(), ovSenderGetVideoSourceFriendlyName, "Test pattern"));
    ovSenderSetAudioSource(IndexOf(ovSenderGetNumAudioSources(), ovSenderGetAudioSourceFriendlyName, "Test tone"));
    ovSenderSetVideoEncoder(0);
    ovSenderSetAudioEncoder(0);
    ovSenderSetVideoResolution(6);
    ovSenderSetPacketSize(1200);
    ovSenderSetTimeToLive(1);
    ovSenderSetTransmissionCount(1);
    ovSenderSetVideoSenderMainMaxTransmissionRate(1000000);
    ovSenderSetAudioSenderMaxTransmissionRate(64000);
}

} // namespace

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 600;
    if (seconds < 20) {
        std::fprintf(stderr, "usage: %s [seconds, at least 20]\n", argv[0]);
        return 2;
    }
    enterPrivateNetwork(argc, argv);
    ::unsetenv("OVSENDER_ENGINE");
    const std::string folder = useTemporaryRegistryAndHome();

    std::vector<std::string> errors;
    if (!ovSenderInitialize(0)) errors.push_back("the engine did not start");
    Configure();
    if (!WaitUntil(ovSenderGetValid, 5s)) errors.push_back("the settings were refused: " + CurrentError());

    std::atomic<bool> stop{false};
    Counted video, audio;
    std::thread videoReceiver(Receive, kVideoPort, true, std::ref(video), std::cref(stop));
    std::thread audioReceiver(Receive, kAudioPort, false, std::ref(audio), std::cref(stop));
    const auto begin = std::chrono::steady_clock::now();
    ovSenderSetStart(true);

    // Warm-up: the encoder and GStreamer's pools reach their working size.
    const int warmUp = std::min(60, std::max(10, seconds / 10));
    std::vector<double> memory;
    double startMb = 0;
    unsigned long long videoAtStart = 0, audioAtStart = 0, bytesAtStart = 0;
    int quietSeconds = 0, lowestFps = 1000, highestFps = 0;
    for (int second = 1; second <= seconds; ++second) {
        std::this_thread::sleep_until(begin + std::chrono::seconds(second));
        // What the console's status bar reads once a second.
        const int fps = ovSenderGetVideoSenderMainFrameRate();
        const int rate = ovSenderGetVideoSenderMainTransmissionRate();
        quietSeconds = rate > 0 ? 0 : quietSeconds + 1;
        if (quietSeconds == kStallSeconds) errors.push_back("no video sent for " + std::to_string(kStallSeconds) +
                                                            " s, " + std::to_string(second) + " s in");
        const std::string error = CurrentError();
        if (!error.empty() && (errors.empty() || errors.back() != error)) errors.push_back(error);
        if (second == warmUp) {
            startMb = ResidentMb();
            videoAtStart = video.frames, audioAtStart = audio.frames, bytesAtStart = video.bytes + audio.bytes;
        }
        if (second > warmUp) lowestFps = std::min(lowestFps, fps), highestFps = std::max(highestFps, fps);
        if (second >= warmUp && (second - warmUp) % 10 == 0) memory.push_back(ResidentMb());
    }
    const double endMb = ResidentMb();
    const int videoRate = ovSenderGetVideoSenderMainTransmissionRate();
    const int audioRate = ovSenderGetAudioSenderTransmissionRate();
    ovSenderSetStart(false);
    stop = true;
    videoReceiver.join();
    audioReceiver.join();
    ovSenderShutdown();

    const double measured = seconds - warmUp;
    const unsigned long long videoFrames = video.frames - videoAtStart, audioFrames = audio.frames - audioAtStart;
    const double bits = 8.0 * double(video.bytes + audio.bytes - bytesAtStart);
    std::printf("engine soak: %d s inside a private network (%d s warm-up, then %.0f s measured)\n", seconds, warmUp,
                measured);
    std::printf("  video: %llu frames received (%.1f/s, engine said %d to %d fps), %llu datagrams, engine's rate at "
                "the end %d bit/s\n",
                videoFrames, videoFrames / measured, lowestFps, highestFps, video.datagrams.load(), videoRate);
    std::printf("  audio: %llu frames received (%.1f/s), engine's rate at the end %d bit/s\n", audioFrames,
                audioFrames / measured, audioRate);
    std::printf("  on the wire: %.0f kbit/s video and audio together\n", bits / measured / 1000);
    if (videoFrames == 0) errors.push_back("no video frame arrived");
    if (audioFrames == 0) errors.push_back("no audio frame arrived");
    const MemoryTrend trend = TrendOf(memory);
    std::printf("  resident memory: %.1f MB after warm-up, %.1f MB at the end; over the measured time %+.1f MB "
                "(median of the first third of %zu samples against the last), peak %.1f MB\n",
                startMb, endMb, trend.growthMb, memory.size(), trend.peakMb);
    if (trend.growthMb > kAllowedGrowthMb)
        errors.push_back("memory grew by more than " + std::to_string(int(kAllowedGrowthMb)) + " MB");
    for (const std::string& error : errors) std::printf("    error: %s\n", error.c_str());
    std::error_code ignored;
    if (!folder.empty()) std::filesystem::remove_all(folder, ignored);
    return errors.empty() ? 0 : 1;
}
