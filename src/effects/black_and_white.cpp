#include "effects/black_and_white.h"

#include "effects/target_filter.h"

namespace wrimple {

void BlackAndWhite(ConstTargetImage from, TargetImage to, int threads) {
  const WeightedBrightness weights;
  const int width = to.width();
  ForEachRow(to.height(), threads, [&](int y) {
    const std::uint8_t* in = from.row(y);
    std::uint8_t* out = to.row(y);
    for (int i = 0; i < 3 * width; i += 3) {
      const std::uint8_t grey = ClampByte(weights.Y64(in + i) >> 6);
      out[i] = out[i + 1] = out[i + 2] = grey;
    }
  });
}

void OnBlackAndWhite(State& st, Platform& pf) {
  RunTargetFilter(st, pf, [](ConstTargetImage from, TargetImage to) { BlackAndWhite(from, to); });
}

}  // namespace wrimple
