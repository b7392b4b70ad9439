// Whole-target colour effects, filters and flips on the largest target,
// 4096 x 3072, on one thread and on two.
#include <benchmark/benchmark.h>

#include <cmath>

#include "document/state.h"
#include "effects/apply_filter.h"
#include "effects/black_and_white.h"
#include "effects/bright_contrast.h"
#include "effects/flip_horizontal.h"
#include "effects/flip_vertical.h"
#include "effects/invert_brightness.h"
#include "effects/invert_color_brightness.h"

namespace wrimple {
namespace {

// A photograph-like picture: smooth colour fields with a little grain, in the
// working copy that every effect reads.
State& BigTarget() {
  static State* st = [] {
    auto* s = new State;
    s->SetTargetSize(kMaxTargetWidth, kMaxTargetHeight);
    const TargetImage backup = s->Backup();
    unsigned grain = 1;
    for (int y = 0; y < backup.height(); ++y)
      for (int x = 0; x < backup.width(); ++x) {
        grain = grain * 1103515245u + 12345u;
        const int noise = int((grain >> 16) & 15) - 8;
        std::uint8_t* p = backup.pixel(x, y);
        p[0] = ClampByte(int(128 + 100 * std::sin(x * 0.003)) + noise);
        p[1] = ClampByte(int(128 + 90 * std::cos(y * 0.004 + x * 0.001)) + noise);
        p[2] = ClampByte((x + y) / 28 + noise);
      }
    RestoreFromSnapshot(*s);  // makes every page of the target resident
    return s;
  }();
  return *st;
}

using Pass = void (*)(ConstTargetImage, TargetImage, int);

void RunPass(benchmark::State& bench, Pass pass) {
  State& st = BigTarget();
  const int threads = int(bench.range(0));
  for (auto _ : bench) {
    pass(st.Backup(), st.Target(), threads);
    benchmark::DoNotOptimize(st.TargetBuffer.data());
    benchmark::ClobberMemory();
  }
}

// One slider message: the three tables and the pass over every pixel.
void BM_BrightContrast(benchmark::State& bench) {
  RunPass(bench, [](ConstTargetImage from, TargetImage to, int threads) {
    ApplyBrightContrast(from, to, {.brightness = {150, 100, 128}, .contrast = {80, 40, 64}, .gamma = 60},
                        threads);
  });
}

template <ConvolutionFilter kFilter>
void Convolve(ConstTargetImage from, TargetImage to, int threads) {
  ApplyFilter(from, to, kFilter, threads);
}

void BM_InvertBrightness(benchmark::State& b) { RunPass(b, InvertBrightness); }
void BM_InvertColorBrightness(benchmark::State& b) { RunPass(b, InvertColorBrightness); }
void BM_BlackAndWhite(benchmark::State& b) { RunPass(b, BlackAndWhite); }
void BM_FlipHorizontal(benchmark::State& b) { RunPass(b, FlipHorizontal); }
void BM_FlipVertical(benchmark::State& b) { RunPass(b, FlipVertical); }
void BM_Sharpen(benchmark::State& b) { RunPass(b, Convolve<ConvolutionFilter::Sharpen>); }
void BM_Emboss(benchmark::State& b) { RunPass(b, Convolve<ConvolutionFilter::Emboss>); }
void BM_Blur(benchmark::State& b) { RunPass(b, Convolve<ConvolutionFilter::Blur>); }
void BM_Soften(benchmark::State& b) { RunPass(b, Convolve<ConvolutionFilter::Soften>); }
void BM_Edge(benchmark::State& b) { RunPass(b, Convolve<ConvolutionFilter::Edge>); }

#define WRIMPLE_EFFECT_BENCHMARK(name) \
  BENCHMARK(name)->ArgName("threads")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()

WRIMPLE_EFFECT_BENCHMARK(BM_BrightContrast);
WRIMPLE_EFFECT_BENCHMARK(BM_InvertBrightness);
WRIMPLE_EFFECT_BENCHMARK(BM_InvertColorBrightness);
WRIMPLE_EFFECT_BENCHMARK(BM_BlackAndWhite);
WRIMPLE_EFFECT_BENCHMARK(BM_FlipHorizontal);
WRIMPLE_EFFECT_BENCHMARK(BM_FlipVertical);
WRIMPLE_EFFECT_BENCHMARK(BM_Sharpen);
WRIMPLE_EFFECT_BENCHMARK(BM_Emboss);
WRIMPLE_EFFECT_BENCHMARK(BM_Blur);
WRIMPLE_EFFECT_BENCHMARK(BM_Soften);
WRIMPLE_EFFECT_BENCHMARK(BM_Edge);

}  // namespace
}  // namespace wrimple
