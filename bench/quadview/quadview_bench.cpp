// Per-output cost of the quad view composition (four inputs shrunk into
// the quarters of one output frame, with the cross) beside a memcpy of one
// output frame.
#include "QuadComposition.h"
#include "QuarterAverage.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

using Frame = std::vector<std::uint8_t>;

QuadGeometry GeometryOf(const benchmark::State& state)
{
    return {static_cast<std::size_t>(state.range(0)), static_cast<std::size_t>(state.range(1)),
            state.range(2) == 3 ? QuadPixelFormat::Rgb24 : QuadPixelFormat::Rgb565, false};
}

Frame Pattern(std::size_t bytes, unsigned seed)
{
    Frame data(bytes);
    for (std::size_t i = 0; i < bytes; ++i) data[i] = static_cast<std::uint8_t>(i * 31 + 7 * seed);
    return data;
}

void Report(benchmark::State& state, const QuadGeometry& geometry)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * geometry.FrameBytes()));
}

void BM_Memcpy(benchmark::State& state)
{
    const QuadGeometry geometry = GeometryOf(state);
    const Frame source = Pattern(geometry.FrameBytes(), 1);
    Frame target(geometry.FrameBytes());
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), target.size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    Report(state, geometry);
}

template <class DrawAll>
void Compose(benchmark::State& state, DrawAll drawAll)
{
    const QuadGeometry geometry = GeometryOf(state);
    const std::array<Frame, 4> inputs = {Pattern(geometry.FrameBytes(), 1), Pattern(geometry.FrameBytes(), 2),
                                         Pattern(geometry.FrameBytes(), 3), Pattern(geometry.FrameBytes(), 4)};
    Frame out(geometry.FrameBytes());
    for (auto _ : state) {
        drawAll(out.data(), geometry, inputs);
        DrawCross(out.data(), geometry);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    Report(state, geometry);
}

// What the filter does per output when all four inputs brought a frame.
void BM_QuadCompose(benchmark::State& state)
{
    Compose(state, [](std::uint8_t* out, const QuadGeometry& geometry, const std::array<Frame, 4>& inputs) {
        for (int q = 0; q < 4; ++q) DrawQuarter(out, geometry, q, inputs[static_cast<std::size_t>(q)].data());
    });
}

// The same through each form of the averaging this processor runs
// (0 reference, 1 SSSE3, 2 AVX2, 3 AVX-512), for comparison.
void BM_QuadComposeForm(benchmark::State& state)
{
    const auto kernel = static_cast<AverageKernel>(state.range(3));
    Compose(state, [kernel](std::uint8_t* out, const QuadGeometry& geometry, const std::array<Frame, 4>& inputs) {
        const std::size_t row = geometry.RowBytes();
        for (int q = 0; q < 4; ++q) {
            std::uint8_t* quarter = out + QuarterOffset(geometry, q);
            const std::uint8_t* source = inputs[static_cast<std::size_t>(q)].data();
            for (std::size_t y = 0; y < geometry.height / 2; ++y)
                AverageRowPairWith(kernel, quarter + y * row, source + 2 * y * row, source + (2 * y + 1) * row,
                                   geometry.width / 2, geometry.format);
        }
    });
}

// width, height, bytes per pixel (3 RGB24, 2 RGB565)
void Frames(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"w", "h", "bpp"});
    for (const auto& size : {std::pair{320, 240}, std::pair{640, 480}, std::pair{1920, 1080}})
        for (int bpp : {3, 2}) b->Args({size.first, size.second, bpp});
}

void FramesAndForms(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"w", "h", "bpp", "form"});
    for (const auto& size : {std::pair{640, 480}, std::pair{1920, 1080}})
        for (int bpp : {3, 2})
            for (AverageKernel kernel : AvailableAverageKernels())
                b->Args({size.first, size.second, bpp, static_cast<int>(kernel)});
}

} // namespace

BENCHMARK(BM_Memcpy)->Apply(Frames);
BENCHMARK(BM_QuadCompose)->Apply(Frames);
BENCHMARK(BM_QuadComposeForm)->Apply(FramesAndForms);
