// The view's pictures of a 4096 x 3072 target for a 1920 x 1080 window: the
// pyramid of halvings rebuilt after a change of the whole target and brought up
// to date after a zone's change, and one window full of pixels at 1:1, at the
// fit zoom, at a quarter and enlarged; the plain versions as the reference.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "document/state.h"
#include "document/view_scaling.h"

namespace wrimple {
namespace {

constexpr int kWidth = 4096, kHeight = 3072, kWindowWidth = 1920, kWindowHeight = 1080;

struct Scene {
  State st;
  ViewPyramid pyramid;
  std::vector<std::uint32_t> window = std::vector<std::uint32_t>(std::size_t(kWindowWidth) * kWindowHeight);

  Scene() {
    st.SetTargetSize(kWidth, kHeight);
    const TargetImage t = st.Target();
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        WritePixel(t.pixel(x, y), {std::uint8_t(x * 7 + y), std::uint8_t(x ^ y), std::uint8_t(y * 3 - x)});
    TargetRows rows(t);
    pyramid.Rebuild(rows);
  }
};

Scene& TheScene() {
  static std::unique_ptr<Scene> scene = std::make_unique<Scene>();
  return *scene;
}

void BM_PyramidRebuild(benchmark::State& state) {
  Scene& s = TheScene();
  TargetRows rows(s.st.Target());
  for (auto _ : state) s.pyramid.Rebuild(rows);
}
BENCHMARK(BM_PyramidRebuild)->Unit(benchmark::kMillisecond);

void BM_PyramidUpdateZone(benchmark::State& state) {
  Scene& s = TheScene();
  TargetRows rows(s.st.Target());
  const int side = int(state.range(0));
  for (auto _ : state) s.pyramid.Update(rows, {1536, 1024, 1536 + side, 1024 + side});
}
BENCHMARK(BM_PyramidUpdateZone)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond);

// A window of pixels at zoom numerator / denominator, from the picture's top left.
void DrawWindow(benchmark::State& state, bool plain) {
  Scene& s = TheScene();
  const ZoomRatio z{int(state.range(0)), int(state.range(1))};
  TargetRows rows(s.st.Target());
  const Size size = ViewMapping{.zoom = z}.PictureSize(kWidth, kHeight);
  const PixelRect area{0, 0, std::min(size.width, kWindowWidth), std::min(size.height, kWindowHeight)};
  const WordTarget out{s.window.data(), kWindowWidth};
  for (auto _ : state) {
    if (plain)
      ScaleAreaPlain(rows, z, area, out);
    else
      s.pyramid.Draw(rows, z, area, out);
    benchmark::DoNotOptimize(s.window.data());
  }
  state.counters["pixels"] = double(area.Width()) * area.Height();
}

void BM_DrawWindow(benchmark::State& state) { DrawWindow(state, false); }
BENCHMARK(BM_DrawWindow)
    ->Args({1, 1})
    ->Args({1080, 3072})  // Fit in Window
    ->Args({1, 4})
    ->Args({1, 16})
    ->Args({3, 1})
    ->Args({32, 1})
    ->Unit(benchmark::kMillisecond);

void BM_DrawWindowPlain(benchmark::State& state) { DrawWindow(state, true); }
BENCHMARK(BM_DrawWindowPlain)->Args({1, 1})->Args({3, 1})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace wrimple
