// TGA and PCX load and save of a 4096 x 3072 photograph-like picture, through
// a memory stream and through files in /tmp.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "io/codec_image.h"
#include "io/codec_mem_file.h"

namespace wrimple {
namespace {

constexpr std::uint32_t kWidth = 4096;
constexpr std::uint32_t kHeight = 3072;

// Smooth colour fields with a little grain, like a photograph: runs are short
// and values cover the whole byte range.
const CodecImage& Photograph() {
  static const CodecImage image = [] {
    CodecImage made;
    made.Create(kWidth, kHeight, 24, kCodecBmp);
    std::uint32_t grain = 12345;
    for (std::uint32_t y = 0; y < kHeight; ++y) {
      std::uint8_t* p = made.row(y);
      for (std::uint32_t x = 0; x < kWidth; ++x, p += 3) {
        grain = grain * 1103515245u + 12345u;
        const int noise = int((grain >> 16) % 7) - 3;
        const double u = x / double(kWidth), v = y / double(kHeight);
        p[0] = std::uint8_t(std::clamp(int(128 + 100 * std::sin(6 * u + 2 * v)) + noise, 0, 255));
        p[1] = std::uint8_t(std::clamp(int(128 + 110 * std::cos(4 * v - 3 * u)) + noise, 0, 255));
        p[2] = std::uint8_t(std::clamp(int(255 * u * v) + noise, 0, 255));
      }
    }
    return made;
  }();
  return image;
}

// The encoder works on a copy so that the shared picture stays untouched.
CodecImage Copy(const CodecImage& image) {
  return CodecImage(image.bitmap(), image.bitmap_size(), kCodecBmp);
}

std::vector<std::uint8_t> Encoded(int format) {
  CodecImage image = Copy(Photograph());
  CodecMemFile out;
  out.Open();
  image.Encode(&out, format);
  return std::vector<std::uint8_t>(out.data(), out.data() + out.Size());
}

std::string TempPath(int format) { return format == kCodecTga ? "/tmp/bench_codecs.tga" : "/tmp/bench_codecs.pcx"; }

void SaveToMemory(benchmark::State& state, int format) {
  CodecImage image = Copy(Photograph());
  const std::size_t expected = Encoded(format).size();
  for (auto _ : state) {
    // A caller that writes to memory knows the size to expect.
    CodecMemFile out;
    out.Open();
    out.Reserve(expected);
    if (!image.Encode(&out, format)) state.SkipWithError(image.last_error().c_str());
    benchmark::DoNotOptimize(out.data());
  }
}

void LoadFromMemory(benchmark::State& state, int format) {
  const std::vector<std::uint8_t> file = Encoded(format);
  for (auto _ : state) {
    CodecImage image(file.data(), file.size(), format);
    if (!image.IsValid()) state.SkipWithError(image.last_error().c_str());
    benchmark::DoNotOptimize(image.bitmap());
  }
}

void SaveToFile(benchmark::State& state, int format) {
  CodecImage image = Copy(Photograph());
  for (auto _ : state) {
    if (!image.Save(TempPath(format), format)) state.SkipWithError("save failed");
  }
  std::remove(TempPath(format).c_str());
}

void LoadFromFile(benchmark::State& state, int format) {
  CodecImage image = Copy(Photograph());
  image.Save(TempPath(format), format);
  for (auto _ : state) {
    CodecImage loaded(TempPath(format), format);
    if (!loaded.IsValid()) state.SkipWithError(loaded.last_error().c_str());
    benchmark::DoNotOptimize(loaded.bitmap());
  }
  std::remove(TempPath(format).c_str());
}

BENCHMARK_CAPTURE(SaveToMemory, Tga, kCodecTga)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadFromMemory, Tga, kCodecTga)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SaveToFile, Tga, kCodecTga)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadFromFile, Tga, kCodecTga)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SaveToMemory, Pcx, kCodecPcx)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadFromMemory, Pcx, kCodecPcx)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SaveToFile, Pcx, kCodecPcx)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadFromFile, Pcx, kCodecPcx)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace wrimple
