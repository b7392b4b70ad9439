#include "effects/smoothing.h"

#include <algorithm>
#include <cstddef>

#include "effects/row_driver.h"

namespace wrimple {

namespace {

constexpr int kTaps = 16;
// Rows (first pass) and columns (second pass) finished between two rounds of
// progress reports.
constexpr int kRowsPerReport = 256;
constexpr int kColumnsPerStrip = 256;

// out[k] = clamp(trunc(sum of K[j] * tap[j][k] for j = 0..15)), summed in the
// order of j, for k = 0..count - 1. Each output keeps its own running sum, so
// vectorising across k leaves every sum exactly as the scalar loop forms it.
__attribute__((target_clones("avx2", "default")))
void WeightedSums(const std::uint8_t* const (&tap)[kTaps], std::uint8_t* out, int count) {
  constexpr int kBlock = 512;
  double sum[kBlock];
  for (int begin = 0; begin < count; begin += kBlock) {
    const int n = std::min(kBlock, count - begin);
    const std::uint8_t* first = tap[0] + begin;
    for (int k = 0; k < n; ++k) sum[k] = kSmoothingWeights[0] * double(first[k]);
    for (int j = 1; j < kTaps; ++j) {
      const std::uint8_t* in = tap[j] + begin;
      const double weight = kSmoothingWeights[j];
      for (int k = 0; k < n; ++k) sum[k] += weight * double(in[k]);
    }
    std::uint8_t* o = out + begin;
    for (int k = 0; k < n; ++k) o[k] = ClampByte(int(sum[k]));
  }
}

void SmoothRow(ConstTargetImage in, TargetImage out, int y) {
  const std::uint8_t* row = in.row(y);
  const std::uint8_t* tap[kTaps];
  for (int j = 0; j < kTaps; ++j) tap[j] = row + 3 * j;
  WeightedSums(tap, out.pixel(kSmoothingMargin, y), 3 * (in.width() - 2 * kSmoothingMargin));
}

void SmoothColumns(ConstTargetImage in, TargetImage out, int first_column, int end_column, int y) {
  const std::uint8_t* tap[kTaps];
  for (int j = 0; j < kTaps; ++j) tap[j] = in.pixel(first_column, y - kSmoothingMargin + j);
  WeightedSums(tap, out.pixel(first_column, y), 3 * (end_column - first_column));
}

void HorizontalPass(ConstTargetImage in, TargetImage out, ProgressPane& progress, int threads) {
  const int height = in.height();
  for (int begin = 0; begin < height; begin += kRowsPerReport) {
    const int end = std::min(height, begin + kRowsPerReport);
    ForEachRow(begin, end, threads, [&](int y) { SmoothRow(in, out, y); });
    for (int y = begin; y < end; ++y) progress.FillProgressPane(kProgressWorking, 33 * y / height);
  }
}

// Column strips keep the 16 rows that feed an output row in the cache.
void VerticalPass(ConstTargetImage in, TargetImage out, ProgressPane& progress, int threads) {
  const int width = in.width();
  const int end_column = width - kSmoothingMargin;
  for (int begin = kSmoothingMargin; begin < end_column; begin += kColumnsPerStrip) {
    const int end = std::min(end_column, begin + kColumnsPerStrip);
    ForEachRow(kSmoothingMargin, in.height() - kSmoothingMargin, threads,
               [&](int y) { SmoothColumns(in, out, begin, end, y); });
    for (int c = begin; c < end; ++c)
      progress.FillProgressPane(kProgressWorking, 33 * c / (width - kSmoothingMargin) + 33);
  }
}

}  // namespace

SmoothingPlane SmoothPicture(ConstTargetImage picture, ProgressPane& progress, int threads) {
  const int width = picture.width();
  const int height = picture.height();
  SmoothingPlane result(width, height);
  if (width <= 2 * kSmoothingMargin) return result;
  SmoothingPlane rows_smoothed(width, height);
  HorizontalPass(picture, rows_smoothed.image(), progress, threads);
  if (height > 2 * kSmoothingMargin)
    VerticalPass(rows_smoothed.image(), result.image(), progress, threads);
  return result;
}

}  // namespace wrimple
