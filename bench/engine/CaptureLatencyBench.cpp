// Capture-to-decoded latency of the real engine on loopback. The program
// draws a frame counter as sixteen black or white blocks on the X screen,
// a new value every 2 ms, noting when each value went to the X server. The
// engine sends the screen (source "Screen", x264); a receiver in this
// process decodes it and reads the counter back. Latency is the time the
// decoded picture reaches the receiver's sink minus the time its counter
// was drawn: that includes the capture, conversion, encoding, pacing,
// sending, depayloading and decoding, plus up to 2 ms by which the counter
// was older than the capture. Run under xvfb-run -s "-screen 0 640x480x24".
#include <X11/Xlib.h>
#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/video.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "NetworkNamespace.h"
#include "ovSender.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr const char *kGroup = "239.255.42.1";
constexpr int kVideoPort = 5004;
constexpr int kBits = 16;
constexpr int kBlock = 40;  // 16 blocks of 40 pixels span a 640-pixel row
constexpr int kRow = 200;
constexpr auto kDrawEvery = 2ms;

double milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double percentile(std::vector<double> values, double share) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[static_cast<std::size_t>(share * static_cast<double>(values.size() - 1))];
}

// Draws the counter, each value in one request so a capture never sees half of it.
class CounterPainter {
 public:
  bool start() {
    display_ = XOpenDisplay(nullptr);
    if (!display_) return false;
    const int screen = DefaultScreen(display_);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = BlackPixel(display_, screen);
    window_ = XCreateWindow(display_, RootWindow(display_, screen), 0, 0, 640, 480, 0, CopyFromParent, InputOutput,
                            CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
    XMapRaised(display_, window_);
    pixmap_ = XCreatePixmap(display_, window_, 640, kBlock, static_cast<unsigned>(DefaultDepth(display_, screen)));
    gc_ = XCreateGC(display_, window_, 0, nullptr);
    white_ = WhitePixel(display_, screen);
    black_ = BlackPixel(display_, screen);
    XSync(display_, False);
    thread_ = std::thread([this] { run(); });
    return true;
  }

  ~CounterPainter() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    if (display_) XCloseDisplay(display_);
  }

  // When the value was sent to the X server.
  std::optional<Clock::time_point> drawnAt(unsigned value) {
    std::lock_guard lock(mutex_);
    const auto &entry = drawn_[value % drawn_.size()];
    if (entry.first != value) return std::nullopt;
    return entry.second;
  }

 private:
  void draw(unsigned value) {
    for (int bit = 0; bit < kBits; ++bit) {
      XSetForeground(display_, gc_, (value >> bit) & 1 ? white_ : black_);
      XFillRectangle(display_, pixmap_, gc_, bit * kBlock, 0, kBlock, kBlock);
    }
    const auto at = Clock::now();
    XCopyArea(display_, pixmap_, window_, gc_, 0, 0, 640, kBlock, 0, kRow);
    XSync(display_, False);
    std::lock_guard lock(mutex_);
    drawn_[value % drawn_.size()] = {value, at};
  }

  void run() {
    auto next = Clock::now();
    for (unsigned value = 1; !stop_; ++value) {
      draw(value & 0xffff);
      next += kDrawEvery;
      std::this_thread::sleep_until(next);
    }
  }

  Display *display_ = nullptr;
  Window window_ = 0;
  Pixmap pixmap_ = 0;
  GC gc_{};
  unsigned long white_ = 0, black_ = 0;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::array<std::pair<unsigned, Clock::time_point>, 4096> drawn_{};
};

// The counter in a decoded grey picture, read at the blocks' centres.
std::optional<unsigned> counterIn(const std::uint8_t *luma, int stride, int width, int height) {
  if (width < kBits * kBlock || height < kRow + kBlock) return std::nullopt;
  unsigned value = 0;
  for (int bit = 0; bit < kBits; ++bit) {
    const std::uint8_t level = luma[(kRow + kBlock / 2) * stride + bit * kBlock + kBlock / 2];
    if (level > 96 && level < 160) return std::nullopt;  // neither black nor white: not a counter
    if (level >= 160) value |= 1u << bit;
  }
  return value;
}

// Low-latency receiving: no jitter buffer (loopback does not reorder), one decoding thread.
struct Receiver {
  GstElement *pipeline = nullptr;
  GstElement *sink = nullptr;

  Receiver() {
    const std::string description = std::string("udpsrc address=") + kGroup + " port=" + std::to_string(kVideoPort) +
                                    " caps=\"application/x-rtp,media=video,encoding-name=H264,clock-rate=90000,"
                                    "payload=96\" ! rtph264depay ! avdec_h264 max-threads=1 ! videoconvert"
                                    " ! video/x-raw,format=GRAY8 ! appsink name=out sync=false";
    pipeline = gst_parse_launch(description.c_str(), nullptr);
    sink = gst_bin_get_by_name(GST_BIN(pipeline), "out");
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
  }
  ~Receiver() {
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(sink);
    gst_object_unref(pipeline);
  }

  // The counter of the next decoded picture and when it arrived.
  std::optional<std::pair<unsigned, Clock::time_point>> next() {
    GstSample *sample = gst_app_sink_try_pull_sample(GST_APP_SINK(sink), 200 * GST_MSECOND);
    if (!sample) return std::nullopt;
    const auto at = Clock::now();
    std::optional<std::pair<unsigned, Clock::time_point>> result;
    GstVideoInfo info;
    GstVideoFrame frame;
    if (gst_video_info_from_caps(&info, gst_sample_get_caps(sample)) &&
        gst_video_frame_map(&frame, &info, gst_sample_get_buffer(sample), GST_MAP_READ)) {
      if (auto value = counterIn(static_cast<const std::uint8_t *>(GST_VIDEO_FRAME_PLANE_DATA(&frame, 0)),
                                 GST_VIDEO_FRAME_PLANE_STRIDE(&frame, 0), GST_VIDEO_FRAME_WIDTH(&frame),
                                 GST_VIDEO_FRAME_HEIGHT(&frame)))
        result = std::make_pair(*value, at);
      gst_video_frame_unmap(&frame);
    }
    gst_sample_unref(sample);
    return result;
  }
};

int indexOf(int count, const char *(*nameOf)(int), const std::string &name) {
  for (int i = 0; i < count; ++i)
    if (name == nameOf(i)) return i;
  return -1;
}

}  // namespace

int main(int argc, char **argv) {
  enterPrivateNetwork(argc, argv);
  unsetenv("OVSENDER_ENGINE");
  const std::filesystem::path folder = useTemporaryRegistryAndHome();
  gst_init(&argc, &argv);
  CounterPainter painter;
  if (!painter.start()) {
    std::fprintf(stderr, "No X display: run under xvfb-run -s \"-screen 0 640x480x24\"\n");
    return 1;
  }
  if (!ovSenderInitialize(0)) return 1;
  const int screen = indexOf(ovSenderGetNumVideoSources(), ovSenderGetVideoSourceFriendlyName, "Screen");
  if (screen < 0) {
    std::fprintf(stderr, "The engine offers no Screen source here\n");
    return 1;
  }
  ovSenderSetVideoSource(screen);
  ovSenderSetAddress(kGroup);
  ovSenderSetVideoResolution(6);  // 640x480, the screen's own size: nothing is scaled
  ovSenderSetVideoSenderMainMaxTransmissionRate(2000000);
  ovSenderSetStart(true);
  std::vector<double> delays;
  {
    Receiver receiver;
    const auto end = Clock::now() + 20s;
    while (Clock::now() < end) {
      const auto decoded = receiver.next();
      if (!decoded) continue;
      if (const auto drawn = painter.drawnAt(decoded->first)) delays.push_back(milliseconds(decoded->second - *drawn));
    }
  }
  ovSenderSetStart(false);
  std::printf("Capture to decoded on loopback (screen, 640x480 30 fps, x264): median %.1f ms, p90 %.1f ms, "
              "min %.1f ms over %zu pictures\n",
              percentile(delays, 0.5), percentile(delays, 0.9), percentile(delays, 0.0), delays.size());
  ovSenderShutdown();
  std::error_code ignored;
  if (!folder.empty()) std::filesystem::remove_all(folder, ignored);
  return delays.empty() ? 1 : 0;
}
