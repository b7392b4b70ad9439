// Compositing at the largest target, 4096 x 3072, with two full-size sources:
// the merge of every operator, the rotated and scaled placement, and a whole
// recomposition. "Threads" is the number of row bands; 1 is the single-thread
// figure.
#include <benchmark/benchmark.h>

#include <memory>

#include "compose/merge_planes.h"
#include "compose/place_source.h"
#include "compose/recompose.h"
#include "document/state.h"

namespace wrimple {
namespace {

// The platform of a recomposition that nobody watches.
struct QuietPlatform {
  struct : MessageBoxes {
    void ShowError(std::string_view) override {}
    void ShowInfo(std::string_view) override {}
    bool AskYesNo(std::string_view) override { return true; }
  } messages;
  struct : FileChooser {
    std::optional<FileChoice> ChooseOpen(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<FileChoice> ChooseSave(const FileDialogRequest&) override { return std::nullopt; }
  } files;
  struct : ReplaceSourceChooser {
    int ChooseSourceToReplace(std::string_view, std::string_view) override { return 0; }
  } replace;
  struct : Clipboard {
    bool Open() override { return false; }
    std::optional<std::vector<std::uint8_t>> ReadDib() override { return std::nullopt; }
    void WriteBitmap(int, int, const std::uint8_t*) override {}
    std::optional<std::string> ReadText() override { return std::nullopt; }
  } clipboard;
  struct : SettingsStore {
    int ReadInt(std::string_view, int v) override { return v; }
    std::string ReadString(std::string_view, std::string_view v) override { return std::string(v); }
    void WriteInt(std::string_view, int) override {}
    void WriteString(std::string_view, std::string_view) override {}
  } settings;
  struct : ProgressPane {
    void FillProgressPane(ColorRef, int) override {}
  } progress;
  struct : ViewPort {
    void RedrawView() override {}
    Size ClientSize() const override { return {1024, 768}; }
    Point ScrollPosition() const override { return {0, 0}; }
    void SetScrollSizes(int, int) override {}
  } view;
  struct : TextDrawing {
    std::unique_ptr<Font> CreateFont(const FontRecord&) override { return nullptr; }
  } text;
  RandomGenerator random{[] { return 1u; }};
  Platform platform{messages, files, replace, clipboard, settings, progress, view, text, random};
};

std::uint8_t Noise(std::uint32_t& r) {
  r = r * 1103515245u + 12345u;
  return std::uint8_t(r >> 16);
}

// A full-size picture of smooth gradients with some noise, like a photograph.
PictureBlock MakeSourcePicture(std::uint32_t seed) {
  PictureBlock block = *AllocateDib(24, kMaxTargetWidth, kMaxTargetHeight);
  const int row_length = RowLength24(kMaxTargetWidth);
  std::uint32_t r = seed;
  for (int y = 0; y < kMaxTargetHeight; ++y) {
    std::uint8_t* p = block.bits() + std::size_t(y) * row_length;
    for (int x = 0; x < kMaxTargetWidth; ++x, p += 3) {
      p[0] = std::uint8_t(x / 16 + (Noise(r) & 15));
      p[1] = std::uint8_t(y / 12 + (Noise(r) & 15));
      p[2] = std::uint8_t((x + y) / 28 + (Noise(r) & 15));
    }
  }
  return block;
}

// One state for all benchmarks: two loaded full-size sources at a full-size
// target, both placed.
State& FullState() {
  static State* st = [] {
    auto* s = new State;
    s->SetTargetSize(kMaxTargetWidth, kMaxTargetHeight);
    s->SourceCount = 2;
    for (int n = 1; n <= 2; ++n) {
      s->doc.Source(n).SourcePicture = MakeSourcePicture(std::uint32_t(n));
      s->doc.Source(n).SourceKind = kKindImageFile;
      PlaceSourceFast(*s, n, 2);
    }
    return s;
  }();
  return *st;
}

void SetUpMerge(State& st, int method, int contrast) {
  st.MergeMethod = method;
  st.ContrastMode = contrast;
  st.MergeBias = 127;
  st.ReferenceColor = {120, 120, 120};
  st.ContrastThreshold = 127;
}

// Arguments: method, contrast mode, threads.
void BM_MergePlanesFast(benchmark::State& state) {
  State& st = FullState();
  SetUpMerge(st, int(state.range(0)), int(state.range(1)));
  for (auto _ : state) {
    MergePlanesFast(st, int(state.range(2)));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MergePlanesFast)
    ->ArgNames({"method", "contrast", "threads"})
    ->ArgsProduct({benchmark::CreateDenseRange(0, 10, 1), {0}, {1}})
    ->ArgsProduct({{6, 7}, {1, 2}, {1}})
    ->ArgsProduct({{3, 6, 7}, {0}, {2}})
    ->Unit(benchmark::kMillisecond);

// Both sources within six levels of the reference colour in every channel, so
// that every comp weight comes from the table: the comparing operators' worst
// case (the gradients above mostly lie away from the reference).
void BM_MergeCompNearReference(benchmark::State& state) {
  static State* const st = [] {
    auto* s = new State;
    s->SetTargetSize(kMaxTargetWidth, kMaxTargetHeight);
    s->SourceCount = 2;
    std::uint32_t r = 7;
    for (int n = 1; n <= 2; ++n) {
      s->doc.Source(n).SourceKind = kKindImageFile;
      const Plane plane = s->doc.Source(n).plane();
      for (int y = 0; y < kMaxTargetHeight; ++y)
        for (int i = 0; i < 3 * kMaxTargetWidth; ++i) plane.row(y)[i] = std::uint8_t(114 + Noise(r) % 13);
    }
    return s;
  }();
  SetUpMerge(*st, int(state.range(0)), 0);
  for (auto _ : state) {
    MergePlanesFast(*st, 1);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MergeCompNearReference)->ArgNames({"method"})->Arg(7)->Arg(10)->Unit(benchmark::kMillisecond);

// The per-pixel virtual version, for comparison.
void BM_MergePlanesPlain(benchmark::State& state) {
  State& st = FullState();
  SetUpMerge(st, int(state.range(0)), 0);
  for (auto _ : state) {
    MergePlanesPlain(st);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MergePlanesPlain)->ArgNames({"method"})->Arg(6)->Arg(3)->Arg(7)->Unit(benchmark::kMillisecond);

void SetUpRotatedPlacement(State& st) {
  SourceImage& s = st.doc.Source(1);
  s.Angle = 30.0f;
  s.ScaleXPercent = 150.0f;
  s.ScaleYPercent = 80.0f;
  s.OffsetX = 500;
  s.OffsetY = -200;
}

void BM_PlaceSourceFast(benchmark::State& state) {
  State& st = FullState();
  SetUpRotatedPlacement(st);
  for (auto _ : state) {
    PlaceSourceFast(st, 1, int(state.range(0)));
    benchmark::ClobberMemory();
  }
  ResetPlacement(st.doc, 1);
}
BENCHMARK(BM_PlaceSourceFast)->ArgNames({"threads"})->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_PlaceSourcePlain(benchmark::State& state) {
  State& st = FullState();
  SetUpRotatedPlacement(st);
  for (auto _ : state) {
    PlaceSourcePlain(st, 1);
    benchmark::ClobberMemory();
  }
  ResetPlacement(st.doc, 1);
}
BENCHMARK(BM_PlaceSourcePlain)->Unit(benchmark::kMillisecond);

// Two placements at 100 % and an average merge: on one thread through the
// kernels, and as the program runs it.
void BM_RecomposeSingleThread(benchmark::State& state) {
  State& st = FullState();
  SetUpMerge(st, 6, 0);
  for (auto _ : state) {
    PlaceSourceFast(st, 1, 1);
    PlaceSourceFast(st, 2, 1);
    MergePlanesFast(st, 1);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RecomposeSingleThread)->Unit(benchmark::kMillisecond);

void BM_RecomposeTarget(benchmark::State& state) {
  State& st = FullState();
  SetUpMerge(st, 6, 0);
  QuietPlatform quiet;
  for (auto _ : state) {
    RecomposeTarget(st, quiet.platform);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RecomposeTarget)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace wrimple
