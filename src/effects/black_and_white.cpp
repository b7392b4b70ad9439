#include "effects/black_and_white.h"

#include <cstring>

#include "effects/target_filter.h"

namespace wrimple {

void BlackAndWhite(ConstTargetImage from, TargetImage to, int threads) {
  const WeightedBrightness weights;
  const int width = to.width();
  ForEachTargetRow(to.height(), threads, [&](int y) {
    const std::uint8_t* in = from.row(y);
    std::uint8_t* out = to.row(y);
    // Y64 is at most 16319, so the grey is at most 254 and needs no clamp.
    // Every pixel but the last is written as four equal bytes, the fourth
    // of which the next pixel overwrites.
    const int last = 3 * (width - 1);
    for (int i = 0; i < last; i += 3) {
      const std::uint32_t grey4 = std::uint32_t(weights.Y64(in + i) >> 6) * 0x01010101u;
      std::memcpy(out + i, &grey4, sizeof grey4);
    }
    const std::uint8_t grey = std::uint8_t(weights.Y64(in + last) >> 6);
    out[last] = out[last + 1] = out[last + 2] = grey;
  });
}

void OnBlackAndWhite(State& st, Platform& pf) {
  RunTargetFilter(st, pf, [](ConstTargetImage from, TargetImage to) { BlackAndWhite(from, to); });
}

}  // namespace wrimple
