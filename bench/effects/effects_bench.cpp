// Per-frame cost of the effect passes on a 1920×1080 RGB24 frame beside a
// memcpy of the same frame, the physical limit of an in-place pass.
#include "GhostPass.h"
#include "NoisePass.h"
#include "ScrollPass.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr std::size_t kWidth = 1920;
constexpr std::size_t kHeight = 1080;
constexpr std::size_t kFrameBytes = kWidth * kHeight * 3;

std::vector<std::uint8_t> Pattern()
{
    std::vector<std::uint8_t> data(kFrameBytes);
    for (std::size_t i = 0; i < kFrameBytes; ++i) data[i] = static_cast<std::uint8_t>(i * 31 + 7);
    return data;
}

template <typename Pass>
void RunOnFrame(benchmark::State& state, Pass pass)
{
    std::vector<std::uint8_t> data = Pattern();
    for (auto _ : state) {
        pass(data.data());
        benchmark::DoNotOptimize(data.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFrameBytes));
}

void BM_Memcpy(benchmark::State& state)
{
    const std::vector<std::uint8_t> source = Pattern();
    RunOnFrame(state, [&](std::uint8_t* data) { std::memcpy(data, source.data(), kFrameBytes); });
}

// Offset 50, strength 50: forward, and the backward form with -50.
void BM_Ghost(benchmark::State& state)
{
    const auto offset = static_cast<std::int32_t>(state.range(0));
    RunOnFrame(state, [&](std::uint8_t* data) { AddGhost(data, kFrameBytes, 50, offset); });
}

// Strength 50; type 0 neighbour copy, type 1 darkening.
void BM_Noise(benchmark::State& state)
{
    const auto type = static_cast<std::int32_t>(state.range(0));
    NoiseRandom random;
    RunOnFrame(state, [&](std::uint8_t* data) { AddNoise(data, kFrameBytes, type, 50, random); });
}

// Shift a third of the extent, and exactly half of it.
void BM_ScrollHorizontal(benchmark::State& state)
{
    const ScrollFrame frame{kWidth * 3, kWidth * 3, kHeight};
    std::vector<std::uint8_t> scratch(ScrollScratchBytes(frame));
    const auto shift = kWidth / static_cast<std::size_t>(state.range(0));
    RunOnFrame(state, [&](std::uint8_t* data) { RotateRowPixels(data, kFrameBytes, frame, shift, scratch.data()); });
}

void BM_ScrollVertical(benchmark::State& state)
{
    const ScrollFrame frame{kWidth * 3, kWidth * 3, kHeight};
    std::vector<std::uint8_t> scratch(ScrollScratchBytes(frame));
    const auto shift = kHeight / static_cast<std::size_t>(state.range(0));
    RunOnFrame(state, [&](std::uint8_t* data) { RotateRows(data, kFrameBytes, frame, shift, scratch.data()); });
}

} // namespace

BENCHMARK(BM_Memcpy);
BENCHMARK(BM_Ghost)->ArgName("offset")->Arg(50)->Arg(-50);
BENCHMARK(BM_Noise)->ArgName("type")->Arg(0)->Arg(1);
BENCHMARK(BM_ScrollHorizontal)->ArgName("extent/shift")->Arg(3)->Arg(2);
BENCHMARK(BM_ScrollVertical)->ArgName("extent/shift")->Arg(3)->Arg(2);
