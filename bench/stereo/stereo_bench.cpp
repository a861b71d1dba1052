// Per-frame cost of the stereo pixel passes beside a memcpy of the same
// frame, the physical limit of an in-place pass.
#include "CpuDispatch.h"
#include "GreenShiftPass.h"
#include "InterlacePass.h"
#include "StereoFramePass.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

struct Frame {
    std::size_t width;
    std::size_t height;
    unsigned bytesPerPixel;
    std::size_t Bytes() const { return width * height * bytesPerPixel; }
};

Frame FrameOf(const benchmark::State& state)
{
    return {static_cast<std::size_t>(state.range(0)), static_cast<std::size_t>(state.range(1)),
            static_cast<unsigned>(state.range(2))};
}

std::vector<std::uint8_t> Pattern(std::size_t bytes)
{
    std::vector<std::uint8_t> data(bytes);
    for (std::size_t i = 0; i < bytes; ++i) data[i] = static_cast<std::uint8_t>(i * 31 + 7);
    return data;
}

void Report(benchmark::State& state, const Frame& frame)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * frame.Bytes()));
}

void BM_Memcpy(benchmark::State& state)
{
    const Frame frame = FrameOf(state);
    const std::vector<std::uint8_t> source = Pattern(frame.Bytes());
    std::vector<std::uint8_t> target(frame.Bytes());
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), frame.Bytes());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    Report(state, frame);
}

void BM_GreenShift(benchmark::State& state)
{
    const Frame frame = FrameOf(state);
    std::vector<std::uint8_t> data = Pattern(frame.Bytes());
    for (auto _ : state) {
        ShiftGreen(data.data(), data.size(), frame.bytesPerPixel);
        benchmark::DoNotOptimize(data.data());
        benchmark::ClobberMemory();
    }
    Report(state, frame);
}

void BM_Interlace(benchmark::State& state)
{
    const Frame frame = FrameOf(state);
    std::vector<std::uint8_t> data = Pattern(frame.Bytes());
    std::vector<std::uint8_t> scratch(InterlaceScratchBytes(frame.width, frame.bytesPerPixel));
    for (auto _ : state) {
        InterleaveRows(data.data(), data.size(), frame.width, frame.bytesPerPixel, scratch.data());
        benchmark::DoNotOptimize(data.data());
        benchmark::ClobberMemory();
    }
    Report(state, frame);
}

// The Stereo Display composition: left and right pictures interleaved by
// column into the output buffer with the green shift in the same pass.
void BM_StereoDisplay(benchmark::State& state)
{
    const Frame frame = FrameOf(state);
    const std::vector<std::uint8_t> left = Pattern(frame.Bytes());
    std::vector<std::uint8_t> right = Pattern(frame.Bytes());
    for (std::uint8_t& b : right) b = static_cast<std::uint8_t>(b ^ 0x5A);
    std::vector<std::uint8_t> out(frame.Bytes());
    for (auto _ : state) {
        ComposeStereoFrame(out.data(), left.data(), right.data(), out.size(), frame.bytesPerPixel);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    Report(state, frame);
}

// The same passes with the kernels forced to each instruction set this
// machine runs, to show what each version is worth.
template <void (*Pass)(benchmark::State&)>
void EachInstructionSet(benchmark::State& state)
{
    const ForcedInstructionSet forced(static_cast<InstructionSet>(state.range(3)));
    state.SetLabel(InstructionSetName(ActiveInstructionSet()));
    Pass(state);
}

void FullHdEachInstructionSet(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"w", "h", "bpp", "set"});
    for (int bpp : {3, 2})
        for (InstructionSet set : SupportedInstructionSets()) b->Args({1920, 1080, bpp, static_cast<int>(set)});
}

// width, height, bytes per pixel (3 RGB24, 2 RGB555)
void Frames(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"w", "h", "bpp"});
    for (const auto& size : {std::pair{640, 480}, std::pair{1920, 1080}})
        for (int bpp : {3, 2}) b->Args({size.first, size.second, bpp});
}

} // namespace

BENCHMARK(BM_Memcpy)->Apply(Frames);
BENCHMARK(BM_GreenShift)->Apply(Frames);
BENCHMARK(BM_Interlace)->Apply(Frames);
BENCHMARK(BM_StereoDisplay)->Apply(Frames);
BENCHMARK(EachInstructionSet<BM_Interlace>)->Name("BM_InterlacePerSet")->Apply(FullHdEachInstructionSet);
BENCHMARK(EachInstructionSet<BM_StereoDisplay>)->Name("BM_StereoDisplayPerSet")->Apply(FullHdEachInstructionSet);
