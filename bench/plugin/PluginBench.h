// What the plugin benchmarks share: the yardsticks (a memcpy of one frame,
// the row flip the element adds at the edge, the Interlace pass alone) over
// the frames of BenchFrames.h, the bytes each iteration counts, and the
// private registry the modules and the plugin register themselves in.
#pragma once

#include "TempHome.h"

#include <benchmark/benchmark.h>

// One output frame's bytes an iteration, so rates compare with BM_Memcpy's.
void ReportFrames(benchmark::State& state);

void BM_Memcpy(benchmark::State& state);
void BM_RowFlip(benchmark::State& state);
void BM_KernelInterlace(benchmark::State& state);

// A home and a GStreamer registry of the benchmark's own, with the plugin
// loaded into it; gst_init runs here.
class PrivatePluginRegistry {
public:
    PrivatePluginRegistry(int* argc, char*** argv);

private:
    TempHome m_home;
};
