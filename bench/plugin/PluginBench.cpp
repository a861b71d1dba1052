#include "PluginBench.h"

#include "BenchFrames.h"
#include "InterlacePass.h"
#include "RowFlip.h"

#include <gst/gst.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace bench_frames;

void ReportFrames(benchmark::State& state)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFrameBytes));
}

void BM_Memcpy(benchmark::State& state)
{
    FrameRing sources;
    FrameRing targets;
    for (auto _ : state) {
        std::memcpy(targets.Next(), sources.Next(), kFrameBytes);
        benchmark::ClobberMemory();
    }
    ReportFrames(state);
}

void BM_RowFlip(benchmark::State& state)
{
    FrameRing frames;
    std::vector<std::uint8_t> scratch;
    for (auto _ : state) {
        FlipRows(frames.Next(), kFrameBytes, kRowBytes, scratch);
        benchmark::ClobberMemory();
    }
    ReportFrames(state);
}

void BM_KernelInterlace(benchmark::State& state)
{
    FrameRing frames;
    std::vector<std::uint8_t> scratch(InterlaceScratchBytes(kWidth, 3));
    for (auto _ : state) {
        InterleaveRows(frames.Next(), kFrameBytes, kWidth, 3, scratch.data());
        benchmark::ClobberMemory();
    }
    ReportFrames(state);
}

PrivatePluginRegistry::PrivatePluginRegistry(int* argc, char*** argv)
{
    const std::string registry = (m_home.Path() / "gst-registry.bin").string();
    ::setenv("GST_REGISTRY", registry.c_str(), 1);
    gst_init(argc, argv);
    GError* error = nullptr;
    if (GstPlugin* plugin = gst_plugin_load_file(OSTREL_PLUGIN_FILE, &error))
        gst_object_unref(plugin);
    else
        g_clear_error(&error);
}
