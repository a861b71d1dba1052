// Per-frame cost of the two-input compositions beside the memcpy of one
// output frame (BM_Memcpy with the same w/h/bpp in this program): the Level
// Compressor in memory and through device bitmaps, and Quenza laying out two
// half-width pictures at their own size or doubled.
#include "CpuDispatch.h"
#include "LevelCompressorBitmaps.h"
#include "LevelCompressorPass.h"
#include "QuenzaPass.h"
#include "StreamingCopy.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace {

struct Geometry {
    int width;
    int height;
    unsigned bytesPerPixel;
    // The widths measured fill whole 32-bit words, so rows need no padding.
    std::size_t RowBytes() const { return static_cast<std::size_t>(width) * bytesPerPixel; }
    std::size_t Bytes() const
    {
        return static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * bytesPerPixel;
    }
};

Geometry GeometryOf(const benchmark::State& state)
{
    return {static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
            static_cast<unsigned>(state.range(2))};
}

std::vector<std::uint8_t> Picture(std::size_t bytes, std::uint8_t salt)
{
    std::vector<std::uint8_t> data(bytes);
    for (std::size_t i = 0; i < bytes; ++i) data[i] = static_cast<std::uint8_t>(i * 31 + salt);
    return data;
}

void Touch(const std::uint8_t* out)
{
    benchmark::DoNotOptimize(out);
    benchmark::ClobberMemory();
}

// Output bytes, so the rates compare with BM_Memcpy's directly.
void Report(benchmark::State& state, const Geometry& g)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * g.Bytes()));
}

// The two squeezes alone, with one instruction set forced ("set" 0 the
// portable code, the highest the fastest the machine runs): what each pair
// of input frames costs.
void BM_LevelCompressSqueeze(benchmark::State& state)
{
    const Geometry g = GeometryOf(state);
    const ForcedInstructionSet forced(static_cast<InstructionSet>(state.range(3)));
    state.SetLabel(InstructionSetName(ActiveInstructionSet()));
    const auto left = Picture(g.Bytes(), 1);
    const auto right = Picture(g.Bytes(), 2);
    std::vector<std::uint8_t> composition(g.Bytes());
    for (auto _ : state) {
        CompressIntoHalf(composition.data(), composition.size(), left.data(), left.size(),
                         static_cast<std::size_t>(g.width), g.bytesPerPixel, g.RowBytes(), FrameHalf::Left);
        CompressIntoHalf(composition.data(), composition.size(), right.data(), right.size(),
                         static_cast<std::size_t>(g.width), g.bytesPerPixel, g.RowBytes(), FrameHalf::Right);
        Touch(composition.data());
    }
    Report(state, g);
}

// Mode 1 per output frame: both inputs squeezed into the composition, which
// is then copied into the output sample as the filter copies it.
void BM_LevelCompressMemory(benchmark::State& state)
{
    const Geometry g = GeometryOf(state);
    const auto left = Picture(g.Bytes(), 1);
    const auto right = Picture(g.Bytes(), 2);
    std::vector<std::uint8_t> composition(g.Bytes());
    std::vector<std::uint8_t> out(g.Bytes());
    for (auto _ : state) {
        CompressIntoHalf(composition.data(), composition.size(), left.data(), left.size(),
                         static_cast<std::size_t>(g.width), g.bytesPerPixel, g.RowBytes(), FrameHalf::Left);
        CompressIntoHalf(composition.data(), composition.size(), right.data(), right.size(),
                         static_cast<std::size_t>(g.width), g.bytesPerPixel, g.RowBytes(), FrameHalf::Right);
        CopyComposition(out.data(), composition.data(), out.size());
        Touch(out.data());
    }
    Report(state, g);
}

// Reads every byte of `bytes` and nothing more: the input side of a squeeze
// without its shuffles. Four independent sums keep the loads from waiting
// on each other.
std::uint64_t ReadAll(const std::uint8_t* data, std::size_t bytes)
{
    std::uint64_t sums[4] = {0, 0, 0, 0};
    for (std::size_t i = 0; i + 32 <= bytes; i += 32)
        for (int k = 0; k < 4; ++k) {
            std::uint64_t word;
            std::memcpy(&word, data + i + 8 * k, 8);
            sums[k] ^= word;
        }
    return sums[0] ^ sums[1] ^ sums[2] ^ sums[3];
}

// What either mode cannot do without, on the same buffers as
// BM_LevelCompressMemory and with no pixel work at all: each input read
// whole and half of it written into the composition, then the composition
// copied into the output ("stores" 0 plain, 1 past the caches, as the
// filter's own stores go at this size). Five frames' bytes move per output
// against memcpy's two, through a working set of four frames.
void BM_LevelCompressTrafficFloor(benchmark::State& state)
{
    const Geometry g = GeometryOf(state);
    const auto left = Picture(g.Bytes(), 1);
    const auto right = Picture(g.Bytes(), 2);
    std::vector<std::uint8_t> composition(g.Bytes());
    std::vector<std::uint8_t> out(g.Bytes());
    const std::size_t half = g.Bytes() / 2;
    const auto copy = state.range(3) ? CopyPastCaches : [](std::uint8_t* to, const std::uint8_t* from, std::size_t n) {
        std::memcpy(to, from, n);
    };
    for (auto _ : state) {
        copy(composition.data(), left.data(), half);
        benchmark::DoNotOptimize(ReadAll(left.data() + half, g.Bytes() - half));
        copy(composition.data() + half, right.data(), half);
        benchmark::DoNotOptimize(ReadAll(right.data() + half, g.Bytes() - half));
        copy(out.data(), composition.data(), out.size());
        Touch(out.data());
    }
    Report(state, g);
}

// Mode 0 per output frame: both inputs stretched into their halves of the
// composition bitmap ("inputs" 1; left out with 0), which is read back into
// the output sample.
void BM_LevelCompressBitmaps(benchmark::State& state)
{
    const bool withInputs = state.range(3) != 0;
    const Geometry g = GeometryOf(state);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = g.width;
    header.biHeight = g.height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(8 * g.bytesPerPixel);
    DeviceBitmapCompressor bitmaps;
    if (!bitmaps.Create(header)) {
        state.SkipWithError("no device bitmaps");
        return;
    }
    const auto left = Picture(g.Bytes(), 1);
    const auto right = Picture(g.Bytes(), 2);
    std::vector<std::uint8_t> out(g.Bytes());
    for (auto _ : state) {
        if (withInputs) {
            bitmaps.PutSide(FrameHalf::Left, left.data(), left.size());
            bitmaps.PutSide(FrameHalf::Right, right.data(), right.size());
        }
        bitmaps.Compose(out.data(), out.size());
        Touch(out.data());
    }
    Report(state, g);
}

// Pools for the "Cold" figures: enough frames of `bytes` each, in sets of
// `perSet`, to span three times the last-level cache, so every iteration
// meets frames fresh from memory as each new frame of a running graph does.
// BM_MemcpyCold is the memcpy to compare them with; the plain BM_Memcpy
// stays in the cache at 1080p.
std::size_t ColdSets(std::size_t bytes, std::size_t perSet)
{
    const std::size_t cache = LastLevelCacheBytes() ? LastLevelCacheBytes() : std::size_t{32} << 20;
    return std::max<std::size_t>(2, (3 * cache + perSet * bytes - 1) / (perSet * bytes));
}

std::vector<std::vector<std::uint8_t>> ColdPool(std::size_t frames, std::size_t bytes)
{
    std::vector<std::vector<std::uint8_t>> pool;
    for (std::size_t i = 0; i < frames; ++i) pool.push_back(Picture(bytes, static_cast<std::uint8_t>(i)));
    return pool;
}

void BM_MemcpyCold(benchmark::State& state)
{
    const Geometry g = GeometryOf(state);
    const std::size_t sets = ColdSets(g.Bytes(), 2);
    auto pool = ColdPool(2 * sets, g.Bytes());
    std::size_t next = 0;
    for (auto _ : state) {
        std::memcpy(pool[2 * next].data(), pool[2 * next + 1].data(), g.Bytes());
        next = (next + 1) % sets;
        Touch(pool[2 * next].data());
    }
    Report(state, g);
}

// Mode 1 per output frame with both inputs and the output fresh; the
// composition is the filter's one lasting buffer, as in the filter.
void BM_LevelCompressMemoryCold(benchmark::State& state)
{
    const Geometry g = GeometryOf(state);
    const std::size_t sets = ColdSets(g.Bytes(), 3);
    const auto pool = ColdPool(3 * sets, g.Bytes());
    auto outputs = ColdPool(sets, g.Bytes());
    std::vector<std::uint8_t> composition(g.Bytes());
    std::size_t next = 0;
    for (auto _ : state) {
        const auto& left = pool[3 * next];
        const auto& right = pool[3 * next + 1];
        auto& out = outputs[next];
        next = (next + 1) % sets;
        CompressIntoHalf(composition.data(), composition.size(), left.data(), left.size(),
                         static_cast<std::size_t>(g.width), g.bytesPerPixel, g.RowBytes(), FrameHalf::Left);
        CompressIntoHalf(composition.data(), composition.size(), right.data(), right.size(),
                         static_cast<std::size_t>(g.width), g.bytesPerPixel, g.RowBytes(), FrameHalf::Right);
        CopyComposition(out.data(), composition.data(), out.size());
        Touch(out.data());
    }
    Report(state, g);
}

// Mode 0 per output frame with both inputs and the output fresh; the
// composition bitmap lasts, as in the filter.
void BM_LevelCompressBitmapsCold(benchmark::State& state)
{
    const Geometry g = GeometryOf(state);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = g.width;
    header.biHeight = g.height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(8 * g.bytesPerPixel);
    DeviceBitmapCompressor bitmaps;
    if (!bitmaps.Create(header)) {
        state.SkipWithError("no device bitmaps");
        return;
    }
    const std::size_t sets = ColdSets(g.Bytes(), 3);
    const auto pool = ColdPool(2 * sets, g.Bytes());
    auto outputs = ColdPool(sets, g.Bytes());
    std::size_t next = 0;
    for (auto _ : state) {
        bitmaps.PutSide(FrameHalf::Left, pool[2 * next].data(), g.Bytes());
        bitmaps.PutSide(FrameHalf::Right, pool[2 * next + 1].data(), g.Bytes());
        bitmaps.Compose(outputs[next].data(), g.Bytes());
        Touch(outputs[next].data());
        next = (next + 1) % sets;
    }
    Report(state, g);
}

// Each device-bitmap step alone, on one side: "step" 0 converts a frame
// into a display-compatible bitmap (SetDIBits), 1 stretches a bitmap into
// half of another (StretchBlt), 2 reads a bitmap back (GetDIBits), 3
// stretches a frame straight into half of a bitmap (StretchDIBits). Mode 0
// takes steps 3 and 2.
void BM_DeviceBitmapStep(benchmark::State& state)
{
    const Geometry g = GeometryOf(state);
    const int step = static_cast<int>(state.range(3));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = g.width;
    info.bmiHeader.biHeight = g.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(8 * g.bytesPerPixel);
    const HDC display = CreateDCW(u"DISPLAY", nullptr, nullptr, nullptr);
    const HDC from = CreateCompatibleDC(display), to = CreateCompatibleDC(display);
    const HBITMAP fromBitmap = CreateCompatibleBitmap(display, g.width, g.height);
    const HBITMAP toBitmap = CreateCompatibleBitmap(display, g.width, g.height);
    const HGDIOBJ fromOriginal = SelectObject(from, fromBitmap), toOriginal = SelectObject(to, toBitmap);
    SetStretchBltMode(to, COLORONCOLOR);
    auto frame = Picture(g.Bytes(), 1);
    const auto rows = static_cast<UINT>(g.height);
    for (auto _ : state) {
        if (step == 0) SetDIBits(from, fromBitmap, 0, rows, frame.data(), &info, DIB_RGB_COLORS);
        if (step == 1) StretchBlt(to, 0, 0, g.width / 2, g.height, from, 0, 0, g.width, g.height, SRCCOPY);
        if (step == 2) GetDIBits(from, fromBitmap, 0, rows, frame.data(), &info, DIB_RGB_COLORS);
        if (step == 3)
            StretchDIBits(to, 0, 0, g.width / 2, g.height, 0, 0, g.width, g.height, frame.data(), &info,
                          DIB_RGB_COLORS, SRCCOPY);
        Touch(frame.data());
    }
    SelectObject(from, fromOriginal);
    SelectObject(to, toOriginal);
    DeleteObject(fromBitmap);
    DeleteObject(toBitmap);
    DeleteDC(from);
    DeleteDC(to);
    DeleteDC(display);
    Report(state, g);
}

// Quenza per output frame: the background where the pictures leave room (none
// here), then two pictures side by side that cover the frame, at their own
// size (scale 1) or doubled from a quarter of the area (scale 2).
void BM_QuenzaCompose(benchmark::State& state)
{
    const Geometry g = GeometryOf(state);
    const int scale = static_cast<int>(state.range(3));
    const int pictureWidth = g.width / 2 / scale;
    const int pictureHeight = g.height / scale;
    const std::size_t pictureBytes =
        static_cast<std::size_t>(pictureWidth) * static_cast<std::size_t>(pictureHeight) * g.bytesPerPixel;
    const auto left = Picture(pictureBytes, 1);
    const auto right = Picture(pictureBytes, 2);
    std::vector<std::uint8_t> background;
    BuildBackground(background, g.Bytes(), g.bytesPerPixel, 10, 20, 30);
    std::vector<std::uint8_t> out(g.Bytes());
    std::vector<std::size_t> scratch;
    const QuenzaFrame frame{out.data(), out.size(), g.width, g.height, g.bytesPerPixel};
    const QuenzaPicture leftPicture{left.data(), left.size(), pictureWidth, pictureHeight};
    const QuenzaPicture rightPicture{right.data(), right.size(), pictureWidth, pictureHeight};
    const QuenzaPlacement leftAt{0, 0, g.width / 2, g.height};
    const QuenzaPlacement rightAt{g.width / 2, 0, g.width / 2, g.height};
    for (auto _ : state) {
        const QuenzaRect covered[2] = {CoveredRect(frame, leftPicture, leftAt), CoveredRect(frame, rightPicture, rightAt)};
        CopyBackgroundAround(frame, background.data(), covered, 2);
        DrawPicture(frame, leftPicture, leftAt, scratch);
        DrawPicture(frame, rightPicture, rightAt, scratch);
        Touch(out.data());
    }
    Report(state, g);
}

// 640 × 480 too, where every frame stays in the cache: the gap between the
// two sizes shows how much of a cost is memory traffic.
void Sizes(benchmark::internal::Benchmark* b, const char* extra, std::initializer_list<int> values)
{
    b->ArgNames({"w", "h", "bpp", extra});
    for (const auto& size : {std::pair{640, 480}, std::pair{1920, 1080}})
        for (int bpp : {3, 2})
            for (int value : values) b->Args({size.first, size.second, bpp, value});
}

} // namespace

BENCHMARK(BM_LevelCompressSqueeze)->Apply([](benchmark::internal::Benchmark* b) {
    b->ArgNames({"w", "h", "bpp", "set"});
    for (const auto& size : {std::pair{640, 480}, std::pair{1920, 1080}})
        for (int bpp : {3, 2})
            for (InstructionSet set : SupportedInstructionSets())
                b->Args({size.first, size.second, bpp, static_cast<int>(set)});
});
BENCHMARK(BM_LevelCompressMemory)->Apply([](benchmark::internal::Benchmark* b) {
    b->ArgNames({"w", "h", "bpp"});
    for (const auto& size : {std::pair{640, 480}, std::pair{1920, 1080}})
        for (int bpp : {3, 2}) b->Args({size.first, size.second, bpp});
});
BENCHMARK(BM_LevelCompressTrafficFloor)->Args({1920, 1080, 3, 0})->Args({1920, 1080, 3, 1})->ArgNames({"w", "h", "bpp", "stores"});
BENCHMARK(BM_LevelCompressBitmaps)->Apply([](benchmark::internal::Benchmark* b) { Sizes(b, "inputs", {1, 0}); });
BENCHMARK(BM_DeviceBitmapStep)->Apply([](benchmark::internal::Benchmark* b) { Sizes(b, "step", {0, 1, 2, 3}); });
// Full-size frames only: smaller pools would stay in the cache anyway.
BENCHMARK(BM_MemcpyCold)->Args({1920, 1080, 3})->ArgNames({"w", "h", "bpp"});
BENCHMARK(BM_LevelCompressMemoryCold)->Args({1920, 1080, 3})->ArgNames({"w", "h", "bpp"});
BENCHMARK(BM_LevelCompressBitmapsCold)->Args({1920, 1080, 3})->ArgNames({"w", "h", "bpp"});
BENCHMARK(BM_QuenzaCompose)->Apply([](benchmark::internal::Benchmark* b) { Sizes(b, "scale", {1, 2}); });
