#include "effects/apply_filter.h"

#include "effects/target_filter.h"

namespace wrimple {

namespace {

constexpr ConvolutionMask kSharpen{{-1, -1, -1, -1, 15, -1, -1, -1, -1}, 7, 0};
constexpr ConvolutionMask kEmboss{{-1, 0, 0, 0, 0, 0, 0, 0, 1}, 0, 127};
constexpr ConvolutionMask kBlur{{1, 1, 1, 1, 1, 1, 1, 1, 1}, 9, 0};
constexpr ConvolutionMask kSoften{{1, 1, 1, 1, 8, 1, 1, 1, 1}, 16, 0};
constexpr ConvolutionMask kEdge{{-1, -1, -1, -1, 8, -1, -1, -1, -1}, 0, 0};

// One output row: the windows centred on row `centre` land on row centre + 1.
// The mask is a template argument so that zero weights and the division by a
// constant are resolved by the compiler, once for every pixel.
template <ConvolutionMask kMask>
void FilterRow(ConstTargetImage from, TargetImage to, int centre) {
  const std::uint8_t* rows[3] = {from.row(centre - 1), from.row(centre), from.row(centre + 1)};
  std::uint8_t* out = to.row(centre + 1) + 3;
  // Byte j of a row is channel j mod 3 of pixel j / 3; the window's columns are
  // 3 bytes apart, so each channel is convolved with its own kind.
  const int end = 3 * (to.width() - 2);
  for (int j = 3; j < end; ++j) {
    int sum = 0;
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) sum += kMask.weights[3 * r + c] * rows[r][j + 3 * (c - 1)];
    if constexpr (kMask.divisor != 0) sum /= kMask.divisor;
    out[j] = ClampByte(sum + kMask.offset);
  }
}

template <ConvolutionMask kMask>
void FilterImage(ConstTargetImage from, TargetImage to, int threads) {
  if (to.width() <= 3 || to.height() <= 3) return;
  ForEachRow(1, to.height() - 2, threads, [&](int centre) { FilterRow<kMask>(from, to, centre); });
}

}  // namespace

void ApplyFilter(ConstTargetImage from, TargetImage to, ConvolutionFilter filter, int threads) {
  switch (filter) {
    case ConvolutionFilter::Sharpen: return FilterImage<kSharpen>(from, to, threads);
    case ConvolutionFilter::Emboss: return FilterImage<kEmboss>(from, to, threads);
    case ConvolutionFilter::Blur: return FilterImage<kBlur>(from, to, threads);
    case ConvolutionFilter::Soften: return FilterImage<kSoften>(from, to, threads);
    case ConvolutionFilter::Edge: return FilterImage<kEdge>(from, to, threads);
  }
}

void OnConvolutionFilter(State& st, Platform& pf, ConvolutionFilter filter) {
  RunTargetFilter(st, pf, [filter](ConstTargetImage from, TargetImage to) { ApplyFilter(from, to, filter); });
}

}  // namespace wrimple
