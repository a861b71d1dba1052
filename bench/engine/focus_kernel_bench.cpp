// Per-picture cost of the focus kernels at the sizes they run at: the warp
// of a 640x480 I420 picture under the largest and a typical mask, and the
// image compound's local composition of a 640x480 preview.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "FocusCompose.h"
#include "NonLinearZoom.h"

namespace {

using namespace ovfocus;

constexpr int kWidth = 640, kHeight = 480;

std::vector<std::uint8_t> filled(std::size_t size) {
  std::vector<std::uint8_t> pixels(size);
  for (std::size_t i = 0; i < size; ++i) pixels[i] = static_cast<std::uint8_t>(i * 37 + i / 640);
  return pixels;
}

// Luma and both chroma planes, as the engine warps them.
void BM_NonLinearZoomI420(benchmark::State &state) {
  const int size = static_cast<int>(state.range(0));
  const auto mask = static_cast<ZoomMask>(state.range(1));
  const NonLinearZoomMap luma(mask, size, size), chroma(mask, size / 2, size / 2);
  auto y = filled(kWidth * kHeight), u = filled(kWidth * kHeight / 4), v = filled(kWidth * kHeight / 4);
  std::vector<std::uint8_t> scratch;
  for (auto _ : state) {
    applyNonLinearZoom(y.data(), kWidth, kHeight, kWidth, kWidth / 2, kHeight / 2, luma, scratch);
    applyNonLinearZoom(u.data(), kWidth / 2, kHeight / 2, kWidth / 2, kWidth / 4, kHeight / 4, chroma, scratch);
    applyNonLinearZoom(v.data(), kWidth / 2, kHeight / 2, kWidth / 2, kWidth / 4, kHeight / 4, chroma, scratch);
    benchmark::DoNotOptimize(y.data());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_NonLinearZoomI420)->Args({100, 1})->Args({100, 0})->Args({480, 1})->Args({720, 1});

// Worked out again whenever the mask changes.
void BM_NonLinearZoomMap(benchmark::State &state) {
  const int size = static_cast<int>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(NonLinearZoomMap(ZoomMask::Ellipse, size, size));
}
BENCHMARK(BM_NonLinearZoomMap)->Arg(100)->Arg(720);

void BM_ComposeFocusBgrx(benchmark::State &state) {
  auto picture = filled(kWidth * kHeight * 4);
  const Rect rect{160, 120, 320, 240};
  const RegionWeights weights(rect.width, rect.height, static_cast<CompoundMask>(state.range(0)),
                              Blending::BlendedBorder);
  ComposeScratch scratch;
  for (auto _ : state) {
    composeFocus({picture.data(), kWidth, kHeight, kWidth * 4}, rect, 320, 240, weights, scratch);
    drawOutline({picture.data(), kWidth, kHeight, kWidth * 4}, rect, OutlineShape::Ellipse);
    benchmark::DoNotOptimize(picture.data());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ComposeFocusBgrx)->Arg(0)->Arg(1)->Arg(2);

}  // namespace
