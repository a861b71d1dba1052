// Per-output cost of the quad view composition (four inputs shrunk into
// the quarters of one output frame, with the cross) beside a memcpy of one
// output frame.
//
// Two kinds of figures. The plain ones reuse the same frames every
// iteration: a 1080p memcpy (12 MB in all) then runs in the last-level
// cache while the composition's 31 MB do not fit, which flatters memcpy.
// The "Cold" ones cycle through pools of frames three times the size of the
// last-level cache, so every iteration meets frames fresh from memory, as
// each new frame in a running graph does; compare Cold with Cold.
// ReadFourWriteOne is the floor of either: reading the inputs once and
// writing the output once, with no arithmetic.
#include "CpuDispatch.h"
#include "QuadComposition.h"
#include "QuarterAverage.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

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

// Every 64-byte line of the buffer, OR-ed together so no load can be left out.
#if defined(__x86_64__)
__attribute__((target("avx2"))) std::uint64_t ReadAll(const std::uint8_t* data, std::size_t bytes)
{
    __m256i a = _mm256_setzero_si256(), b = _mm256_setzero_si256();
    std::size_t i = 0;
    for (; i + 64 <= bytes; i += 64) {
        a = _mm256_or_si256(a, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i)));
        b = _mm256_or_si256(b, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i + 32)));
    }
    std::uint64_t rest = 0;
    for (; i < bytes; ++i) rest |= data[i];
    const __m256i both = _mm256_or_si256(a, b);
    return rest | static_cast<std::uint64_t>(_mm256_extract_epi64(both, 0) | _mm256_extract_epi64(both, 3));
}

// Writes every byte of the buffer with plain (cached) stores, as the
// composition writes its output.
__attribute__((target("avx2"))) void WriteAll(std::uint8_t* data, std::size_t bytes, std::uint64_t value)
{
    const __m256i fill = _mm256_set1_epi64x(static_cast<long long>(value));
    std::size_t i = 0;
    for (; i + 32 <= bytes; i += 32) _mm256_storeu_si256(reinterpret_cast<__m256i*>(data + i), fill);
    for (; i < bytes; ++i) data[i] = static_cast<std::uint8_t>(value);
}
#else
std::uint64_t ReadAll(const std::uint8_t* data, std::size_t bytes)
{
    std::uint64_t all = 0;
    for (std::size_t i = 0; i + 8 <= bytes; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, data + i, 8);
        all |= word;
    }
    return all;
}

void WriteAll(std::uint8_t* data, std::size_t bytes, std::uint64_t value)
{
    for (std::size_t i = 0; i < bytes; ++i) data[i] = static_cast<std::uint8_t>(value);
}
#endif

void Report(benchmark::State& state, const QuadGeometry& geometry)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * geometry.FrameBytes()));
}

// Enough sets of `framesPerSet` frames that a pool of them spans three
// times the last-level cache (at least two sets).
std::size_t ColdSets(const QuadGeometry& geometry, std::size_t framesPerSet)
{
    const std::size_t setBytes = framesPerSet * geometry.FrameBytes();
    const std::size_t cache = LastLevelCacheBytes() ? LastLevelCacheBytes() : std::size_t{32} << 20;
    return std::max<std::size_t>(2, (3 * cache + setBytes - 1) / setBytes);
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

void DrawAllQuarters(std::uint8_t* out, const QuadGeometry& geometry, const std::array<Frame, 4>& inputs)
{
    for (int q = 0; q < 4; ++q) DrawQuarter(out, geometry, q, inputs[static_cast<std::size_t>(q)].data());
}

// What the filter does per output when all four inputs brought a frame.
void BM_QuadCompose(benchmark::State& state) { Compose(state, DrawAllQuarters); }

// memcpy of one frame, each iteration from and to frames not used for a
// pool's worth of iterations.
void BM_MemcpyCold(benchmark::State& state)
{
    const QuadGeometry geometry = GeometryOf(state);
    std::vector<std::pair<Frame, Frame>> pool(ColdSets(geometry, 2));
    for (std::size_t i = 0; i < pool.size(); ++i)
        pool[i] = {Pattern(geometry.FrameBytes(), static_cast<unsigned>(i)), Frame(geometry.FrameBytes(), 1)};
    std::size_t next = 0;
    for (auto _ : state) {
        auto& [source, target] = pool[next];
        next = (next + 1) % pool.size();
        std::memcpy(target.data(), source.data(), target.size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    Report(state, geometry);
}

// The composition with four fresh inputs and a fresh output every time.
void BM_QuadComposeCold(benchmark::State& state)
{
    const QuadGeometry geometry = GeometryOf(state);
    struct Set {
        std::array<Frame, 4> inputs;
        Frame out;
    };
    std::vector<Set> pool(ColdSets(geometry, 5));
    for (std::size_t i = 0; i < pool.size(); ++i) {
        for (unsigned q = 0; q < 4; ++q)
            pool[i].inputs[q] = Pattern(geometry.FrameBytes(), static_cast<unsigned>(4 * i + q));
        pool[i].out.assign(geometry.FrameBytes(), 1);
    }
    std::size_t next = 0;
    for (auto _ : state) {
        Set& set = pool[next];
        next = (next + 1) % pool.size();
        DrawAllQuarters(set.out.data(), geometry, set.inputs);
        DrawCross(set.out.data(), geometry);
        benchmark::DoNotOptimize(set.out.data());
        benchmark::ClobberMemory();
    }
    Report(state, geometry);
}

// Reading four fresh inputs: the floor of BM_QuadComposeCold.
void BM_ReadFourInputsCold(benchmark::State& state)
{
    const QuadGeometry geometry = GeometryOf(state);
    std::vector<std::array<Frame, 4>> pool(ColdSets(geometry, 4));
    for (std::size_t i = 0; i < pool.size(); ++i)
        for (unsigned q = 0; q < 4; ++q) pool[i][q] = Pattern(geometry.FrameBytes(), static_cast<unsigned>(4 * i + q));
    std::size_t next = 0;
    for (auto _ : state) {
        for (const Frame& input : pool[next]) benchmark::DoNotOptimize(ReadAll(input.data(), input.size()));
        next = (next + 1) % pool.size();
    }
    Report(state, geometry);
}

// The same with each instruction set this processor runs forced, for
// comparison (the label names the set).
void BM_QuadComposeForm(benchmark::State& state)
{
    const auto set = static_cast<InstructionSet>(state.range(3));
    const ForcedInstructionSet forced(set);
    state.SetLabel(InstructionSetName(ActiveInstructionSet()));
    BM_QuadCompose(state);
}

// The floor for any composition: merely reading the four input frames (and
// writing nothing), with the widest loads the machine has.
void BM_ReadFourInputs(benchmark::State& state)
{
    const QuadGeometry geometry = GeometryOf(state);
    const std::array<Frame, 4> inputs = {Pattern(geometry.FrameBytes(), 1), Pattern(geometry.FrameBytes(), 2),
                                         Pattern(geometry.FrameBytes(), 3), Pattern(geometry.FrameBytes(), 4)};
    for (auto _ : state) {
        for (const Frame& input : inputs) benchmark::DoNotOptimize(ReadAll(input.data(), input.size()));
    }
    Report(state, geometry);
}

// The floor of a composition that reads its inputs once and writes each
// output byte once: the four inputs read, then the output frame written.
void BM_ReadFourWriteOne(benchmark::State& state)
{
    const QuadGeometry geometry = GeometryOf(state);
    const std::array<Frame, 4> inputs = {Pattern(geometry.FrameBytes(), 1), Pattern(geometry.FrameBytes(), 2),
                                         Pattern(geometry.FrameBytes(), 3), Pattern(geometry.FrameBytes(), 4)};
    Frame out(geometry.FrameBytes());
    for (auto _ : state) {
        std::uint64_t all = 0;
        for (const Frame& input : inputs) all |= ReadAll(input.data(), input.size());
        WriteAll(out.data(), out.size(), all);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    Report(state, geometry);
}

// The same with fresh frames every time: the floor of BM_QuadComposeCold.
void BM_ReadFourWriteOneCold(benchmark::State& state)
{
    const QuadGeometry geometry = GeometryOf(state);
    std::vector<std::array<Frame, 5>> pool(ColdSets(geometry, 5));
    for (std::size_t i = 0; i < pool.size(); ++i)
        for (unsigned f = 0; f < 5; ++f) pool[i][f] = Pattern(geometry.FrameBytes(), static_cast<unsigned>(5 * i + f));
    std::size_t next = 0;
    for (auto _ : state) {
        auto& set = pool[next];
        next = (next + 1) % pool.size();
        std::uint64_t all = 0;
        for (unsigned q = 0; q < 4; ++q) all |= ReadAll(set[q].data(), set[q].size());
        WriteAll(set[4].data(), set[4].size(), all);
        benchmark::DoNotOptimize(set[4].data());
        benchmark::ClobberMemory();
    }
    Report(state, geometry);
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
    b->ArgNames({"w", "h", "bpp", "set"});
    for (const auto& size : {std::pair{640, 480}, std::pair{1920, 1080}})
        for (int bpp : {3, 2})
            for (InstructionSet set : SupportedInstructionSets())
                b->Args({size.first, size.second, bpp, static_cast<int>(set)});
}

} // namespace

BENCHMARK(BM_Memcpy)->Apply(Frames);
BENCHMARK(BM_QuadCompose)->Apply(Frames);
BENCHMARK(BM_QuadComposeForm)->Apply(FramesAndForms);
BENCHMARK(BM_ReadFourInputs)->Apply(Frames);
BENCHMARK(BM_ReadFourWriteOne)->Apply(Frames);
// Full-size frames only: smaller pools would stay in the cache anyway.
BENCHMARK(BM_MemcpyCold)->Args({1920, 1080, 3})->ArgNames({"w", "h", "bpp"});
BENCHMARK(BM_QuadComposeCold)->Args({1920, 1080, 3})->ArgNames({"w", "h", "bpp"});
BENCHMARK(BM_ReadFourInputsCold)->Args({1920, 1080, 3})->ArgNames({"w", "h", "bpp"});
BENCHMARK(BM_ReadFourWriteOneCold)->Args({1920, 1080, 3})->ArgNames({"w", "h", "bpp"});
