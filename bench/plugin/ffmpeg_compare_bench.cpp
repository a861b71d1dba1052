// Our Interlace, Scroll and Noise beside FFmpeg's nearest filters on the
// same 1920×1080 BGR frames: each of ours as the pixel pass alone and as
// the plugin's element, FFmpeg's through a libavfilter graph built once,
// and a memcpy of one frame as the yardstick.
//
//   Interlace  ↔ stereo3d=sbsl:icl   side by side, left first, into columns
//                                    interleaved left first: the same bytes
//   Scroll     ↔ scroll               horizontal, a quarter of the width
//                                    moved on; ours rotates in place,
//                                    FFmpeg's copies into a new frame
//   Noise      ↔ noise=alls=50        strength 50 on all planes, drawn anew
//                                    every frame (allf=t); ours darkens
//                                    about one pixel in thirty, FFmpeg's
//                                    changes nearly every byte, so the work
//                                    is not the same
//
// FFmpeg's scroll and noise do not take BGR (noise takes planar formats
// only): each runs on GBR planes, the nearest to BGR, alone, and once more
// on BGR frames with the conversions to GBR and back inside the graph and
// inside its time. The check lines in the context header say how far the
// outputs agree.
#include "BenchFrames.h"
#include "ComparisonReporter.h"
#include "ElementDriver.h"
#include "FfmpegFilterGraph.h"
#include "NoisePass.h"
#include "ScrollPass.h"
#include "InterlacePass.h"
#include "PluginBench.h"

#include <benchmark/benchmark.h>
#include <gst/gst.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace bench_frames;

constexpr std::size_t kScrollShift = kWidth / 4;
constexpr int kNoiseStrength = 50;
constexpr const char* kStereo3d = "stereo3d=sbsl:icl";
// FFmpeg counts the start position the other way round: hpos 0.75 is our
// shift by a quarter of the width (a fraction its float holds exactly).
// The speed moves it on a little every frame, as ours moves.
constexpr const char* kScrollStart = "scroll=hpos=0.75";
constexpr const char* kScroll = "scroll=hpos=0.75:h=0.0005";
constexpr const char* kNoiseTemporal = "noise=alls=50:allf=t";
constexpr const char* kNoiseTemporalUniform = "noise=alls=50:allf=t+u";

void BM_KernelScroll(benchmark::State& state)
{
    FrameRing frames;
    const ScrollFrame frame{kRowBytes, kRowBytes, kHeight};
    std::vector<std::uint8_t> scratch(ScrollScratchBytes(frame));
    for (auto _ : state) {
        RotateRowPixels(frames.Next(), kFrameBytes, frame, kScrollShift, scratch.data());
        benchmark::ClobberMemory();
    }
    ReportFrames(state);
}

void BM_KernelNoise(benchmark::State& state)
{
    FrameRing frames;
    NoiseRandom random;
    const auto type = static_cast<std::int32_t>(state.range(0));
    for (auto _ : state) {
        AddNoise(frames.Next(), kFrameBytes, type, kNoiseStrength, random);
        benchmark::ClobberMemory();
    }
    ReportFrames(state);
}

void BM_Element(benchmark::State& state, const char* factory, std::vector<ElementProperty> properties)
{
    ElementDriver driver(factory, kWidth, kHeight, properties);
    if (!driver.Ready()) {
        state.SkipWithError("the element could not be started");
        return;
    }
    GstClockTime pts = 0;
    for (auto _ : state) {
        driver.Push(0, pts);
        driver.Pull();
        pts += GST_SECOND / 30;
    }
    ReportFrames(state);
}

// Each frame of the ring goes through the graph and comes back as the
// graph's output, which is the next input in that slot: a filter that can
// work in place does, and one that cannot takes its frames from its pool.
void BM_Ffmpeg(benchmark::State& state, const char* filters, AVPixelFormat format)
{
    FfmpegFilterGraph graph(kWidth, kHeight, format, filters);
    if (!graph.Error().empty()) {
        state.SkipWithError(graph.Error().c_str());
        return;
    }
    state.SetLabel(graph.Describe());
    const std::vector<std::uint8_t> pattern = Pattern();
    std::vector<AVFrame*> ring;
    for (std::size_t i = 0; i < kRingSize; ++i) ring.push_back(NewFfmpegFrame(kWidth, kHeight, format, pattern));
    std::size_t next = 0;
    for (auto _ : state) {
        if (!graph.Run(ring[next++ % ring.size()])) {
            state.SkipWithError("the graph gave no frame");
            break;
        }
        benchmark::ClobberMemory();
    }
    for (AVFrame*& frame : ring) av_frame_free(&frame);
    ReportFrames(state);
}

// ---- how far the outputs agree, on one pattern frame

// The pattern through one FFmpeg graph, as BGR; empty on failure.
std::vector<std::uint8_t> FfmpegOutput(const char* filters, AVPixelFormat format)
{
    FfmpegFilterGraph graph(kWidth, kHeight, format, filters);
    AVFrame* frame = NewFfmpegFrame(kWidth, kHeight, format, Pattern());
    std::vector<std::uint8_t> bgr;
    if (frame && graph.Run(frame)) bgr = FfmpegFrameToBgr(frame);
    av_frame_free(&frame);
    return bgr;
}

std::size_t DifferingBytes(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b)
{
    std::size_t differing = 0;
    for (std::size_t i = 0; i < a.size(); ++i) differing += a[i] != b[i];
    return differing;
}

std::string Agreement(const std::vector<std::uint8_t>& ours, const std::vector<std::uint8_t>& theirs)
{
    if (theirs.size() != ours.size()) return "FFmpeg gave no frame of the same size";
    const std::size_t differing = DifferingBytes(ours, theirs);
    if (differing == 0) return "identical bytes";
    return std::to_string(differing) + " of " + std::to_string(ours.size()) + " bytes differ";
}

std::string Percent(std::size_t part, std::size_t whole)
{
    return std::to_string(static_cast<double>(part) * 100.0 / static_cast<double>(whole)).substr(0, 5) + " %";
}

void CheckInterlace()
{
    std::vector<std::uint8_t> ours = Pattern();
    std::vector<std::uint8_t> scratch(InterlaceScratchBytes(kWidth, 3));
    InterleaveRows(ours.data(), ours.size(), kWidth, 3, scratch.data());
    benchmark::AddCustomContext("check interlace vs stereo3d",
                                Agreement(ours, FfmpegOutput(kStereo3d, AV_PIX_FMT_BGR24)));
}

void CheckScroll()
{
    std::vector<std::uint8_t> ours = Pattern();
    const ScrollFrame frame{kRowBytes, kRowBytes, kHeight};
    std::vector<std::uint8_t> scratch(ScrollScratchBytes(frame));
    RotateRowPixels(ours.data(), ours.size(), frame, kScrollShift, scratch.data());
    benchmark::AddCustomContext("check scroll by a quarter vs scroll=hpos=0.75",
                                Agreement(ours, FfmpegOutput(kScrollStart, AV_PIX_FMT_GBRP)));
}

void CheckNoise()
{
    const std::vector<std::uint8_t> pattern = Pattern();
    std::vector<std::uint8_t> ours = pattern;
    NoiseRandom random;
    AddNoise(ours.data(), ours.size(), kNoiseDarken, kNoiseStrength, random);
    const std::vector<std::uint8_t> theirs = FfmpegOutput(kNoiseTemporal, AV_PIX_FMT_GBRP);
    const std::string theirShare =
        theirs.size() == pattern.size() ? Percent(DifferingBytes(pattern, theirs), pattern.size()) : "no frame";
    const std::string changed =
        "bytes changed: ours (darkening) " + Percent(DifferingBytes(pattern, ours), pattern.size()) + ", FFmpeg " +
        theirShare;
    benchmark::AddCustomContext("check noise", changed);
}

// Whether the filter gave back the very buffer it was handed.
std::string WorksInPlace(const char* filters, AVPixelFormat format)
{
    FfmpegFilterGraph graph(kWidth, kHeight, format, filters);
    AVFrame* frame = NewFfmpegFrame(kWidth, kHeight, format, Pattern());
    const std::uint8_t* before = frame ? frame->data[0] : nullptr;
    std::string answer = "no frame";
    if (frame && graph.Run(frame)) answer = frame->data[0] == before ? "yes" : "no";
    av_frame_free(&frame);
    return answer;
}

void CheckInPlace()
{
    const std::string answers = "stereo3d " + WorksInPlace(kStereo3d, AV_PIX_FMT_BGR24) + ", scroll " +
                                WorksInPlace(kScroll, AV_PIX_FMT_GBRP) + ", noise " +
                                WorksInPlace(kNoiseTemporal, AV_PIX_FMT_GBRP);
    benchmark::AddCustomContext("FFmpeg works in place", answers);
}

void OurBenchmark(benchmark::internal::Benchmark* b) { b->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime(); }
// The element works on the pipeline's threads: its CPU time is the process's.
void ElementBenchmark(benchmark::internal::Benchmark* b) { OurBenchmark(b); b->UseRealTime(); }

BENCHMARK(BM_Memcpy)->Apply(OurBenchmark);
BENCHMARK(BM_RowFlip)->Apply(OurBenchmark);

BENCHMARK(BM_KernelInterlace)->Apply(OurBenchmark);
BENCHMARK_CAPTURE(BM_Element, Interlace, "ostrelinterlace", {})->Apply(ElementBenchmark);
BENCHMARK_CAPTURE(BM_Ffmpeg, Stereo3d, kStereo3d, AV_PIX_FMT_BGR24)->Apply(OurBenchmark);

BENCHMARK(BM_KernelScroll)->Apply(OurBenchmark);
BENCHMARK_CAPTURE(BM_Element, Scroll, "ostrelscroll", {{"direction", 0}, {"speed", 10}})->Apply(ElementBenchmark);
BENCHMARK_CAPTURE(BM_Ffmpeg, ScrollGbrp, kScroll, AV_PIX_FMT_GBRP)->Apply(OurBenchmark);
BENCHMARK_CAPTURE(BM_Ffmpeg, ScrollBgrConverted, kScroll, AV_PIX_FMT_BGR24)->Apply(OurBenchmark);

BENCHMARK(BM_KernelNoise)->ArgName("type")->Arg(kNoiseNeighbourCopy)->Arg(kNoiseDarken)->Apply(OurBenchmark);
BENCHMARK_CAPTURE(BM_Element, NoiseDarken, "ostrelnoise", {{"noise-type", kNoiseDarken}, {"strength", kNoiseStrength}})
    ->Apply(ElementBenchmark);
BENCHMARK_CAPTURE(BM_Ffmpeg, NoiseTemporalGbrp, kNoiseTemporal, AV_PIX_FMT_GBRP)->Apply(OurBenchmark);
BENCHMARK_CAPTURE(BM_Ffmpeg, NoiseTemporalUniformGbrp, kNoiseTemporalUniform, AV_PIX_FMT_GBRP)->Apply(OurBenchmark);
BENCHMARK_CAPTURE(BM_Ffmpeg, NoiseTemporalBgrConverted, kNoiseTemporal, AV_PIX_FMT_BGR24)->Apply(OurBenchmark);

// FFmpeg's time over ours, for each pairing above.
std::vector<Comparison> Comparisons()
{
    const std::string interlaceKernel = "BM_KernelInterlace", interlaceElement = "BM_Element/Interlace";
    const std::string scrollKernel = "BM_KernelScroll", scrollElement = "BM_Element/Scroll";
    const std::string noiseKernel = "BM_KernelNoise/type:1", noiseElement = "BM_Element/NoiseDarken";
    return {
        {"Interlace vs stereo3d sbsl:icl (bgr24)", interlaceKernel, interlaceElement, "BM_Ffmpeg/Stereo3d"},
        {"Scroll vs scroll (gbrp)", scrollKernel, scrollElement, "BM_Ffmpeg/ScrollGbrp"},
        {"Scroll vs scroll (bgr24, converted inside)", scrollKernel, scrollElement, "BM_Ffmpeg/ScrollBgrConverted"},
        {"Noise darken vs noise allf=t (gbrp)", noiseKernel, noiseElement, "BM_Ffmpeg/NoiseTemporalGbrp"},
        {"Noise darken vs noise allf=t+u (gbrp)", noiseKernel, noiseElement, "BM_Ffmpeg/NoiseTemporalUniformGbrp"},
        {"Noise darken vs noise allf=t (bgr24, conv.)", noiseKernel, noiseElement,
         "BM_Ffmpeg/NoiseTemporalBgrConverted"},
    };
}

} // namespace

int main(int argc, char** argv)
{
    const PrivatePluginRegistry registry(&argc, &argv);
    CheckInterlace();
    CheckScroll();
    CheckNoise();
    CheckInPlace();
    benchmark::Initialize(&argc, argv);
    ComparisonReporter reporter("BM_Memcpy", "BM_RowFlip", Comparisons());
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
