// Per-frame cost of the Green Shift, Interlace and Stereo Display elements
// at 1920×1080 BGR, beside the filter's pixel pass alone, the same filter
// driven through the test graph (element minus graph is what the bridge
// adds), the row flip the element adds for filters that must have their
// frames bottom-up, and a memcpy of one frame. Frames are pushed from a pad of our own straight into the
// element's chain, so nothing else is measured; the buffers come from a
// pool, as a capture source's would.
#include "GraphHarness.h"
#include "GreenShiftPass.h"
#include "InterlacePass.h"
#include "RowFlip.h"
#include "StereoFramePass.h"
#include "StereoPairClsids.h"
#include "TempHome.h"
#include "VideoCaps.h"

#include <benchmark/benchmark.h>
#include <gst/app/gstappsink.h>
#include <gst/gst.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr std::size_t kRowBytes = kWidth * 3;
constexpr std::size_t kFrameBytes = kRowBytes * kHeight;

std::vector<std::uint8_t> Pattern()
{
    std::vector<std::uint8_t> data(kFrameBytes);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 31 + 7);
    return data;
}

// The element's frames come from a pool of eight and are cold in the cache
// when they arrive; the passes alone get the same treatment.
struct FrameRing {
    std::vector<std::vector<std::uint8_t>> frames{8, Pattern()};
    std::size_t next = 0;
    std::uint8_t* Next() { return frames[next++ % frames.size()].data(); }
};

void Report(benchmark::State& state)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFrameBytes));
}

GstCaps* FrameCaps()
{
    return gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "BGR", "width", G_TYPE_INT, kWidth, "height",
                               G_TYPE_INT, kHeight, "framerate", GST_TYPE_FRACTION, 30, 1, nullptr);
}

void BM_Memcpy(benchmark::State& state)
{
    FrameRing sources;
    FrameRing targets;
    for (auto _ : state) {
        std::memcpy(targets.Next(), sources.Next(), kFrameBytes);
        benchmark::ClobberMemory();
    }
    Report(state);
}

void BM_RowFlip(benchmark::State& state)
{
    FrameRing frames;
    std::vector<std::uint8_t> scratch;
    for (auto _ : state) {
        FlipRows(frames.Next(), kFrameBytes, kRowBytes, scratch);
        benchmark::ClobberMemory();
    }
    Report(state);
}

void BM_KernelGreenShift(benchmark::State& state)
{
    FrameRing frames;
    for (auto _ : state) {
        ShiftGreen(frames.Next(), kFrameBytes, 3);
        benchmark::ClobberMemory();
    }
    Report(state);
}

void BM_KernelInterlace(benchmark::State& state)
{
    FrameRing frames;
    std::vector<std::uint8_t> scratch(InterlaceScratchBytes(kWidth, 3));
    for (auto _ : state) {
        InterleaveRows(frames.Next(), kFrameBytes, kWidth, 3, scratch.data());
        benchmark::ClobberMemory();
    }
    Report(state);
}

void BM_KernelStereoDisplay(benchmark::State& state)
{
    FrameRing lefts;
    FrameRing rights;
    FrameRing outs;
    for (auto _ : state) {
        ComposeStereoFrame(outs.Next(), lefts.Next(), rights.Next(), kFrameBytes, 3);
        benchmark::ClobberMemory();
    }
    Report(state);
}

// element → appsink, fed by pads of our own.
class ElementHarness {
public:
    explicit ElementHarness(const char* factory)
    {
        m_pipeline = gst_pipeline_new(nullptr);
        m_element = gst_element_factory_make(factory, nullptr);
        m_sink = gst_element_factory_make("appsink", nullptr);
        g_object_set(m_sink, "sync", FALSE, "max-buffers", 4u, "drop", TRUE, nullptr);
        gst_bin_add_many(GST_BIN(m_pipeline), m_element, m_sink, nullptr);
        gst_element_link(m_element, m_sink);
        GstPad* src = gst_element_get_static_pad(m_element, "src");
        gst_pad_add_probe(src, GST_PAD_PROBE_TYPE_BUFFER, &CountOutput, &m_outputs, nullptr);
        gst_object_unref(src);
        GstCaps* caps = FrameCaps();
        gst_element_set_state(m_pipeline, GST_STATE_PLAYING);
        for (GList* l = GST_ELEMENT(m_element)->sinkpads; l; l = l->next) {
            GstPad* feed = gst_pad_new(nullptr, GST_PAD_SRC);
            gst_pad_set_active(feed, TRUE);
            gst_pad_link(feed, GST_PAD(l->data));
            gst_pad_push_event(feed, gst_event_new_stream_start("bench"));
            gst_pad_push_event(feed, gst_event_new_caps(caps));
            GstSegment segment;
            gst_segment_init(&segment, GST_FORMAT_TIME);
            gst_pad_push_event(feed, gst_event_new_segment(&segment));
            m_feeds.push_back(feed);
        }
        gst_caps_unref(caps);
        m_pool = gst_buffer_pool_new();
        GstStructure* config = gst_buffer_pool_get_config(m_pool);
        gst_buffer_pool_config_set_params(config, nullptr, kFrameBytes, 8, 0);
        gst_buffer_pool_set_config(m_pool, config);
        gst_buffer_pool_set_active(m_pool, TRUE);
    }
    ~ElementHarness()
    {
        gst_element_set_state(m_pipeline, GST_STATE_NULL);
        for (GstPad* feed : m_feeds) gst_object_unref(feed);
        gst_buffer_pool_set_active(m_pool, FALSE);
        gst_object_unref(m_pool);
        gst_object_unref(m_pipeline);
    }

    void Push(std::size_t input, GstClockTime pts)
    {
        GstBuffer* buffer = nullptr;
        gst_buffer_pool_acquire_buffer(m_pool, &buffer, nullptr);
        GST_BUFFER_PTS(buffer) = pts;
        GST_BUFFER_DURATION(buffer) = GST_SECOND / 30;
        gst_pad_push(m_feeds[input], buffer);
    }
    // Waits for the next output frame; the multi-input element composes on
    // its own thread.
    void Pull()
    {
        if (GstSample* sample = gst_app_sink_try_pull_sample(GST_APP_SINK(m_sink), GST_SECOND))
            gst_sample_unref(sample);
    }
    std::size_t Inputs() const { return m_feeds.size(); }
    // Frames the element sent, including those the sink dropped.
    std::size_t Outputs() const { return m_outputs.load(); }

private:
    static GstPadProbeReturn CountOutput(GstPad*, GstPadProbeInfo*, gpointer outputs)
    {
        ++*static_cast<std::atomic<std::size_t>*>(outputs);
        return GST_PAD_PROBE_OK;
    }

    std::atomic<std::size_t> m_outputs{0};
    GstElement* m_pipeline = nullptr;
    GstElement* m_element = nullptr;
    GstElement* m_sink = nullptr;
    GstBufferPool* m_pool = nullptr;
    std::vector<GstPad*> m_feeds;
};

void BM_Element(benchmark::State& state, const char* factory)
{
    ElementHarness harness(factory);
    GstClockTime pts = 0;
    for (auto _ : state) {
        for (std::size_t i = 0; i < harness.Inputs(); ++i) harness.Push(i, pts);
        harness.Pull();
        pts += GST_SECOND / 30;
    }
    Report(state);
    // A composing filter sends a frame whenever any input brought a new one.
    state.counters["outputs_per_frame"] =
        static_cast<double>(harness.Outputs()) / static_cast<double>(std::max<std::int64_t>(state.iterations(), 1));
}

// The filter in the test graph, in its own bottom-up rows, with samples of
// eight buffers per input as the element's pool has.
void BM_Graph(benchmark::State& state, const char* factory, const CLSID* clsid, GraphPins pins)
{
    // An element registers its module, which the graph creates the filter from.
    if (GstElement* element = gst_element_factory_make(factory, nullptr)) gst_object_unref(element);
    CMediaType type;
    std::string why;
    GstCaps* caps = FrameCaps();
    const bool typed = MediaTypeFromCaps(caps, type, why);
    gst_caps_unref(caps);
    GraphHarness harness(*clsid, pins, type, 8);
    if (!typed || !harness.Ready()) {
        state.SkipWithError("the filter did not connect in the test graph");
        return;
    }
    constexpr REFERENCE_TIME kFrameUnits = 10'000'000 / 30;
    REFERENCE_TIME start = 0;
    for (auto _ : state) {
        for (std::size_t i = 0; i < harness.Inputs(); ++i) harness.Push(i, start, kFrameUnits);
        harness.Pull();
        start += kFrameUnits;
    }
    Report(state);
    state.counters["outputs_per_frame"] =
        static_cast<double>(harness.Outputs()) / static_cast<double>(std::max<std::int64_t>(state.iterations(), 1));
}

// The elements work on several threads (the multi-input one composes on
// the filter's own): their CPU time is the whole process's.
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RowFlip)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KernelGreenShift)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Element, GreenShift, "ostrelgreenshift")
    ->Unit(benchmark::kMicrosecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Graph, GreenShift, "ostrelgreenshift", &CLSID_GreenShift, GraphPins{{u"Input"}, u"Output"})
    ->Unit(benchmark::kMicrosecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_KernelInterlace)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Element, Interlace, "ostrelinterlace")
    ->Unit(benchmark::kMicrosecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Graph, Interlace, "ostrelinterlace", &CLSID_Interlace, GraphPins{{u"Input"}, u"Output"})
    ->Unit(benchmark::kMicrosecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_KernelStereoDisplay)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Element, StereoDisplay, "ostrelstereodisplay")
    ->Unit(benchmark::kMicrosecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Graph, StereoDisplay, "ostrelstereodisplay", &CLSID_StereoDisplay, GraphPins{{u"0", u"1"}, u"Out"})
    ->Unit(benchmark::kMicrosecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
// At their defaults: Noise copies neighbours at strength 50; Scroll stands
// still, so its element shows what the bridge adds around a pass.
BENCHMARK_CAPTURE(BM_Element, Noise, "ostrelnoise")->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK_CAPTURE(BM_Element, Scroll, "ostrelscroll")->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->UseRealTime();

} // namespace

// The modules register themselves in a private home, on a private registry.
int main(int argc, char** argv)
{
    TempHome home;
    const std::string registry = (home.Path() / "gst-registry.bin").string();
    ::setenv("GST_REGISTRY", registry.c_str(), 1);
    gst_init(&argc, &argv);
    GError* error = nullptr;
    if (GstPlugin* plugin = gst_plugin_load_file(OSTREL_PLUGIN_FILE, &error))
        gst_object_unref(plugin);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
