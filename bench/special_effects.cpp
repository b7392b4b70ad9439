// Special effects on the largest target, 4096 x 3072, from a photograph-like
// picture: smooth shading, soft shapes with edges, and a little grain.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "document/state.h"
#include "effects/dapple.h"
#include "effects/effects1.h"
#include "effects/effects2.h"
#include "effects/effects3.h"
#include "effects/pencil_draw.h"

namespace wrimple {
namespace {

class NoProgress : public ProgressPane {
 public:
  void FillProgressPane(ColorRef, int) override {}
};

void FillPhotograph(TargetImage image) {
  std::uint32_t noise = 17;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      noise = noise * 1664525u + 1013904223u;
      const int grain = int(noise >> 28) - 8;
      const double u = x / 4096.0, v = y / 3072.0;
      const double shade = 0.5 + 0.35 * std::sin(6.0 * u + 2.0 * v) * std::cos(4.0 * v);
      const bool in_disc = (u - 0.4) * (u - 0.4) + (v - 0.5) * (v - 0.5) < 0.06;
      std::uint8_t* p = image.pixel(x, y);
      p[0] = ClampByte(int(shade * 180) + (in_disc ? 50 : 0) + grain);
      p[1] = ClampByte(int(shade * 150 + 60 * v) + grain);
      p[2] = ClampByte(int(200 * u + (in_disc ? -60 : 20)) + grain);
    }
}

// One big state for all benchmarks, its working copy holding the photograph.
State& BigState() {
  static std::unique_ptr<State> st = [] {
    auto s = std::make_unique<State>();
    s->SetTargetSize(kMaxTargetWidth, kMaxTargetHeight);
    FillPhotograph(s->Target());
    SnapshotTarget(*s);
    return s;
  }();
  return *st;
}

void BM_Effects2(benchmark::State& state) {
  State& st = BigState();
  NoProgress progress;
  for (auto _ : state) Perturb(st.Backup(), st.Target(), 10, 10, progress, int(state.range(0)));
}
BENCHMARK(BM_Effects2)->Arg(1)->Arg(2)->ArgName("threads")->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Effects3(benchmark::State& state) {
  State& st = BigState();
  NoProgress progress;
  for (auto _ : state) DrawBands(st.Backup(), st.Target(), 5, progress, int(state.range(0)));
}
BENCHMARK(BM_Effects3)->Arg(1)->Arg(2)->ArgName("threads")->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DappleSize5(benchmark::State& state) {
  State& st = BigState();
  NoProgress progress;
  for (auto _ : state) PaintDapples(st.Backup(), st.Target(), 5, progress);
}
BENCHMARK(BM_DappleSize5)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PencilDraw(benchmark::State& state) {
  State& st = BigState();
  NoProgress progress;
  RandomGenerator random([] { return 1u; });
  for (auto _ : state) {
    random.Srand(1);
    DrawPencilStrokes(st.Backup(), st.Target(), random, progress);
  }
}
BENCHMARK(BM_PencilDraw)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Effects1(benchmark::State& state) {
  State& st = BigState();
  RandomGenerator random([] { return 1u; });
  const Effects1Parameters p{.vitreous1 = 3, .vitreous2 = 2, .tear = 2, .segment = 7, .scatter = 2};
  for (auto _ : state) SpecialEffects1(st.Backup(), st.Target(), p, random);
}
BENCHMARK(BM_Effects1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace wrimple
