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

// The weights in units of 1/10,000: each double weight is the double nearest
// to one of these decimals, and the kernel is symmetric.
constexpr int kDecimalWeights[8] = {140, 280, 420, 560, 690, 833, 970, 1110};
constexpr int kDecimalUnit = 10000;

// The weighted sum of one output in double precision: products added in
// the order of j, truncated and clamped.
std::uint8_t DoubleSum(const std::uint8_t* const (&tap)[kTaps], int k) {
  double sum = 0.0;
  for (int j = 0; j < kTaps; ++j) sum += kSmoothingWeights[j] * double(tap[j][k]);
  return ClampByte(int(sum));
}

// out[k] = clamp(trunc(sum of K[j] * tap[j][k] for j = 0..15)) for
// k = 0..count - 1, summed in the order of j in double precision.
//
// The double sum differs from the decimal sum N / 10,000 (N = sum of the
// decimal weights times the inputs, an integer) by less than 1e-12, while a
// decimal sum that is not a whole number lies at least 1e-4 from one. So
// the truncation is N / 10,000 whenever 10,000 does not divide N; only the rare
// non-zero whole decimal sums are summed again in double precision, where the
// rounding decides which side of the whole number the sum falls.
// Plain loops that the compiler vectorises; -O2 alone leaves them scalar.
__attribute__((target_clones("avx2", "default"), optimize("tree-vectorize", "vect-cost-model=dynamic")))
void WeightedSums(const std::uint8_t* const (&tap)[kTaps], std::uint8_t* out, int count) {
  constexpr int kBlock = 512;
  std::int32_t sum[kBlock];
  for (int begin = 0; begin < count; begin += kBlock) {
    const int n = std::min(kBlock, count - begin);
    for (int k = 0; k < n; ++k) sum[k] = 0;
    for (int j = 0; j < kTaps / 2; ++j) {
      const std::uint8_t* left = tap[j] + begin;
      const std::uint8_t* right = tap[kTaps - 1 - j] + begin;
      const std::int32_t weight = kDecimalWeights[j];
      for (int k = 0; k < n; ++k) sum[k] += weight * (std::int32_t(left[k]) + std::int32_t(right[k]));
    }
    std::uint8_t* o = out + begin;
    int whole_sums = 0;
    for (int k = 0; k < n; ++k) {
      // A float estimate of the quotient is within one of it (the sums are
      // below 2^22); the remainder puts it right.
      std::int32_t whole = std::int32_t(float(sum[k]) * (1.0f / kDecimalUnit));
      std::int32_t rest = sum[k] - whole * kDecimalUnit;
      whole += (rest >= kDecimalUnit) - (rest < 0);
      rest = sum[k] - whole * kDecimalUnit;
      whole_sums += (rest == 0) & (sum[k] != 0);
      o[k] = std::uint8_t(whole > 255 ? 255 : whole);
    }
    if (whole_sums == 0) continue;
    for (int k = 0; k < n; ++k)
      if (sum[k] % kDecimalUnit == 0 && sum[k] != 0) o[k] = DoubleSum(tap, begin + k);
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
    ForEachTargetRow(begin, end, threads, [&](int y) { SmoothRow(in, out, y); });
    for (int y = begin; y < end; ++y) progress.FillProgressPane(kProgressWorking, 33 * y / height);
  }
}

// Column strips keep the 16 rows that feed an output row in the cache.
void VerticalPass(ConstTargetImage in, TargetImage out, ProgressPane& progress, int threads) {
  const int width = in.width();
  const int end_column = width - kSmoothingMargin;
  for (int begin = kSmoothingMargin; begin < end_column; begin += kColumnsPerStrip) {
    const int end = std::min(end_column, begin + kColumnsPerStrip);
    ForEachTargetRow(kSmoothingMargin, in.height() - kSmoothingMargin, threads,
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
