// One click of each zone operation on a 1024 x 1024 zone in the middle of a
// 4096 x 3072 target: the recomputation of the zone from the working copy.
// The second argument is the number of threads.
#include <benchmark/benchmark.h>

#include <memory>

#include "document/state.h"
#include "zone/blush.h"
#include "zone/nudge.h"
#include "zone/portion_merge.h"
#include "zone/squash_stretch.h"
#include "zone/twist.h"
#include "zone/zone_geometry.h"
#include "zone/zone_row_bands.h"

namespace wrimple {
namespace {

struct Scene {
  State st;
  ZoneGeometry g;

  Scene() {
    st.SetTargetSize(4096, 3072);
    const TargetImage backup = st.Backup();
    const Plane plane = st.doc.Source(1).plane();
    for (int y = 0; y < 3072; ++y)
      for (int x = 0; x < 4096; ++x) {
        WritePixel(backup.pixel(x, y),
                   {std::uint8_t(x * 7 + y), std::uint8_t(x ^ y), std::uint8_t(y * 3 - x)});
        WritePixel(plane.pixel(x, y),
                   {std::uint8_t(x + y * 5), std::uint8_t(x * y), std::uint8_t(y - x)});
      }
    st.zone = WrimpleZone{.X1 = 1536, .Y1 = 1024, .X2 = 2560, .Y2 = 2048};
    g = ZoneGeometry::Of(st.zone, 4096, 3072);
  }
};

Scene& TheScene() {
  static std::unique_ptr<Scene> scene = std::make_unique<Scene>();
  return *scene;
}

template <typename Click>
void Run(benchmark::State& state, Click click) {
  Scene& s = TheScene();
  SetRowThreads(int(state.range(1)));
  for (auto _ : state) {
    click(s);
    benchmark::ClobberMemory();
  }
}

void BM_Twist(benchmark::State& state) {
  Run(state,
      [&](Scene& s) { TwistZone(s.st.Backup(), s.st.Target(), s.g, double(state.range(0)), 5); });
}
void BM_Squash(benchmark::State& state) {
  Run(state, [&](Scene& s) {
    SquashStretchZone(s.st.Backup(), s.st.Target(), s.g, -int(state.range(0)), 5);
  });
}
void BM_Stretch(benchmark::State& state) {
  Run(state, [&](Scene& s) {
    SquashStretchZone(s.st.Backup(), s.st.Target(), s.g, int(state.range(0)), 5);
  });
}
void BM_Blush(benchmark::State& state) {
  Run(state, [&](Scene& s) {
    BlushZone(s.st.Backup(), s.st.Target(), s.g, int(state.range(0)), Bgr{10, 20, 30});
  });
}
void BM_PortionMerge(benchmark::State& state) {
  Run(state, [&](Scene& s) {
    PortionMergeZone(s.st.Backup(), s.st.Target(), s.st.doc.Source(1).plane(), s.g,
                     int(state.range(0)));
  });
}
void BM_NudgeVertical(benchmark::State& state) {
  Run(state, [&](Scene& s) {
    NudgeZone(s.st.Backup(), s.st.Target(), s.g, NudgeAxis::Vertical, int(state.range(0)), 5);
  });
}
void BM_NudgeHorizontal(benchmark::State& state) {
  Run(state, [&](Scene& s) {
    NudgeZone(s.st.Backup(), s.st.Target(), s.g, NudgeAxis::Horizontal, int(state.range(0)), 5);
  });
}

// {count, threads}
#define ZONE_BENCH(name, ...)              \
  BENCHMARK(name)                          \
      ->ArgsProduct({__VA_ARGS__, {1, 2}}) \
      ->ArgNames({"n", "threads"})         \
      ->Unit(benchmark::kMillisecond)
ZONE_BENCH(BM_Twist, {1});
ZONE_BENCH(BM_Squash, {1});
ZONE_BENCH(BM_Stretch, {1});
ZONE_BENCH(BM_Blush, {1});
ZONE_BENCH(BM_PortionMerge, {1});
ZONE_BENCH(BM_NudgeVertical, {1, 5, 20});
ZONE_BENCH(BM_NudgeHorizontal, {1, 5, 20});

}  // namespace
}  // namespace wrimple
