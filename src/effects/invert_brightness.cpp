#include "effects/invert_brightness.h"

#include "effects/target_filter.h"

namespace wrimple {

void InvertBrightness(ConstTargetImage from, TargetImage to, int threads) {
  const WeightedBrightness weights;
  const ShiftedByteClamp clamp;
  const int width = to.width();
  ForEachTargetRow(to.height(), threads, [&](int y) {
    const std::uint8_t* in = from.row(y);
    std::uint8_t* out = to.row(y);
    for (int i = 0; i < 3 * width; i += 3) {
      const int shift = 255 - 2 * (weights.Y64(in + i) >> 6);
      for (int c = 0; c < 3; ++c) out[i + c] = clamp(in[i + c] + shift);
    }
  });
}

void OnInvertBrightness(State& st, Platform& pf) {
  RunTargetFilter(st, pf, [](ConstTargetImage from, TargetImage to) { InvertBrightness(from, to); });
}

}  // namespace wrimple
