// Converting a 4096 x 3072 photograph-like picture with an embedded Display P3
// profile to sRGB: building the tables from the profile, and the row loops
// over the whole picture (the one the program uses and the plain one).
#include <benchmark/benchmark.h>
#include <lcms2.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "io/color_profile.h"

namespace wrimple {
namespace {

constexpr int kWidth = 4096;
constexpr int kHeight = 3072;

std::vector<std::uint8_t> DisplayP3() {
  const cmsCIExyY white{0.3127, 0.3290, 1.0};
  const cmsCIExyYTRIPLE primaries{{0.680, 0.320, 1.0}, {0.265, 0.690, 1.0}, {0.150, 0.060, 1.0}};
  const cmsFloat64Number srgb_curve[5] = {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};
  cmsToneCurve* curve = cmsBuildParametricToneCurve(nullptr, 4, srgb_curve);
  cmsToneCurve* curves[3] = {curve, curve, curve};
  cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves);
  cmsUInt32Number size = 0;
  cmsSaveProfileToMem(profile, nullptr, &size);
  std::vector<std::uint8_t> icc(size);
  cmsSaveProfileToMem(profile, icc.data(), &size);
  cmsCloseProfile(profile);
  cmsFreeToneCurve(curve);
  return icc;
}

std::vector<std::uint8_t> Photograph() {
  std::vector<std::uint8_t> bgr(std::size_t(3) * kWidth * kHeight);
  std::uint32_t grain = 12345;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      grain = grain * 1103515245u + 12345u;
      const int noise = int((grain >> 16) % 7) - 3;
      const double u = x / double(kWidth), v = y / double(kHeight);
      std::uint8_t* p = &bgr[3 * (std::size_t(y) * kWidth + std::size_t(x))];
      p[0] = std::uint8_t(std::clamp(int(128 + 100 * std::sin(6 * u + 2 * v)) + noise, 0, 255));
      p[1] = std::uint8_t(std::clamp(int(128 + 110 * std::cos(4 * v - 3 * u)) + noise, 0, 255));
      p[2] = std::uint8_t(std::clamp(int(255 * u * v) + noise, 0, 255));
    }
  return bgr;
}

void BuildConversion(benchmark::State& state) {
  const std::vector<std::uint8_t> icc = DisplayP3();
  for (auto _ : state) benchmark::DoNotOptimize(SrgbConversion::FromProfile(icc.data(), icc.size()));
}

void ConvertPicture(benchmark::State& state, void (*loop)(const MatrixShaperTables&, std::uint8_t*, int)) {
  const std::vector<std::uint8_t> icc = DisplayP3();
  const std::unique_ptr<MatrixShaperTables> tables = MatrixShaperTablesFor(icc.data(), icc.size());
  const std::vector<std::uint8_t> photo = Photograph();
  std::vector<std::uint8_t> picture = photo;
  for (auto _ : state) {
    state.PauseTiming();
    picture = photo;
    state.ResumeTiming();
    for (int y = 0; y < kHeight; ++y) loop(*tables, &picture[std::size_t(3) * kWidth * std::size_t(y)], kWidth);
    benchmark::DoNotOptimize(picture.data());
  }
}

BENCHMARK(BuildConversion)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ConvertPicture, Fast, ConvertRowFast)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ConvertPicture, Plain, ConvertRowPlain)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace wrimple
