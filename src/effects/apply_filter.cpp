#include "effects/apply_filter.h"

#include <utility>

#include "effects/byte_lanes.h"
#include "effects/target_filter.h"

namespace wrimple {

namespace {

constexpr ConvolutionMask kSharpen{{-1, -1, -1, -1, 15, -1, -1, -1, -1}, 7, 0};
constexpr ConvolutionMask kEmboss{{-1, 0, 0, 0, 0, 0, 0, 0, 1}, 0, 127};
constexpr ConvolutionMask kBlur{{1, 1, 1, 1, 1, 1, 1, 1, 1}, 9, 0};
constexpr ConvolutionMask kSoften{{1, 1, 1, 1, 8, 1, 1, 1, 1}, 16, 0};
constexpr ConvolutionMask kEdge{{-1, -1, -1, -1, 8, -1, -1, -1, -1}, 0, 0};

// The mask is a template argument so that zero weights and the division by a
// constant are resolved by the compiler, once for all pixels. Sums stay within
// 16 bits for these masks: at most 16 x 255 either way.
template <ConvolutionMask kMask, typename Lanes, std::size_t n>
[[gnu::always_inline]] inline Lanes Term(const std::uint8_t* const (&rows)[3], int j) {
  if constexpr (kMask.weights[n] == 0) {
    return Lanes{};
  } else {
    return LoadBytes<Lanes>(rows[n / 3] + j + 3 * (int(n % 3) - 1)) * kMask.weights[n];
  }
}

template <ConvolutionMask kMask, typename Lanes, std::size_t... n>
[[gnu::always_inline]] inline Lanes WeightedSum(const std::uint8_t* const (&rows)[3], int j,
                                                std::index_sequence<n...>) {
  return (Term<kMask, Lanes, n>(rows, j) + ...);
}

template <ConvolutionMask kMask, typename Lanes>
[[gnu::always_inline]] inline void FilterBytes(const std::uint8_t* const (&rows)[3], std::uint8_t* out, int j) {
  Lanes sum = WeightedSum<kMask, Lanes>(rows, j, std::make_index_sequence<9>());
  if constexpr (kMask.divisor != 0) sum = DivideBy<kMask.divisor>(sum);
  StoreClampedBytes(out + j, sum + kMask.offset);
}

// One output row: the windows centred on row `centre` land on row centre + 1,
// one pixel to the right. Byte j of a row is channel j mod 3 of pixel j / 3 and
// a window's columns are 3 bytes apart, so every channel is filtered by itself.
template <ConvolutionMask kMask>
void FilterRow(ConstTargetImage from, TargetImage to, int centre) {
  const std::uint8_t* const rows[3] = {from.row(centre - 1), from.row(centre), from.row(centre + 1)};
  std::uint8_t* out = to.row(centre + 1) + 3;
  ForEachByteGroup<ByteHalves>(3, 3 * (to.width() - 2), [&](auto lanes, int j) {
    FilterBytes<kMask, decltype(lanes)>(rows, out, j);
  });
}

template <ConvolutionMask kMask>
void FilterImage(ConstTargetImage from, TargetImage to, int threads) {
  if (to.width() <= 3 || to.height() <= 3) return;
  ForEachTargetRow(1, to.height() - 2, threads, [&](int centre) { FilterRow<kMask>(from, to, centre); });
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
