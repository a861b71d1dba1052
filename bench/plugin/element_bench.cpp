// Per-frame cost of the Green Shift, Interlace and Stereo Display elements
// at 1920×1080 BGR, beside the filter's pixel pass alone, the same filter
// driven through the test graph (element minus graph is what the bridge
// adds), the row flip the element adds for filters that must have their
// frames bottom-up, and a memcpy of one frame. Frames are pushed from a pad
// of our own straight into the element's chain, so nothing else is
// measured; the buffers come from a pool, as a capture source's would.
#include "BenchFrames.h"
#include "GraphHarness.h"
#include "GreenShiftPass.h"
#include "StereoFramePass.h"
#include "StereoPairClsids.h"
#include "VideoCaps.h"
// After the Windows types: GLib defines TRUE and FALSE as macros.
#include "ElementDriver.h"
#include "PluginBench.h"

#include <benchmark/benchmark.h>
#include <gst/gst.h>

#include <algorithm>
#include <string>

namespace {

using namespace bench_frames;

GstCaps* FrameCaps()
{
    return gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "BGR", "width", G_TYPE_INT, kWidth, "height",
                               G_TYPE_INT, kHeight, "framerate", GST_TYPE_FRACTION, 30, 1, nullptr);
}

void BM_KernelGreenShift(benchmark::State& state)
{
    FrameRing frames;
    for (auto _ : state) {
        ShiftGreen(frames.Next(), kFrameBytes, 3);
        benchmark::ClobberMemory();
    }
    ReportFrames(state);
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
    ReportFrames(state);
}

// A composing filter sends a frame whenever any input brought a new one,
// as soon as its stream thread next looks. Waiting for that frame after
// each input makes it exactly one output per input frame, in the element
// and in the graph alike, so their difference is the bridge's alone and
// not how often the thread happened to look between two inputs.
template <typename Harness, typename PushInput>
void PushEachAndPull(Harness& harness, PushInput push)
{
    for (std::size_t input = 0; input < harness.Inputs(); ++input) {
        push(input);
        harness.Pull();
    }
}

void BM_Element(benchmark::State& state, const char* factory)
{
    ElementDriver harness(factory, kWidth, kHeight);
    if (!harness.Ready()) {
        state.SkipWithError("the element could not be started");
        return;
    }
    GstClockTime pts = 0;
    for (auto _ : state) {
        PushEachAndPull(harness, [&](std::size_t input) { harness.Push(input, pts); });
        pts += GST_SECOND / 30;
    }
    ReportFrames(state);
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
        PushEachAndPull(harness, [&](std::size_t input) { harness.Push(input, start, kFrameUnits); });
        start += kFrameUnits;
    }
    ReportFrames(state);
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

int main(int argc, char** argv)
{
    const PrivatePluginRegistry registry(&argc, &argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
