#include "effects/black_and_white.h"

#include "document/brightness64.h"
#include "effects/pixel_map.h"
#include "effects/target_filter.h"

namespace wrimple {

void BlackAndWhite(ConstTargetImage from, TargetImage to, int threads) {
  // Brightness64 is at most 16319, so the grey is at most 254 and needs no clamp.
  MapEveryPixel(
      from, to, threads,
      [](pixel_runs::SetLanes pixels) {
        const auto lane = [&](int c) { return UnsignedShorts8(pixels.channel[c]); };
        const Shorts8 grey = Shorts8(Brightness64(lane(0), lane(1), lane(2)) >> 6);
        return pixel_runs::SetLanes{{grey, grey, grey}};
      },
      [](const std::uint8_t* p, std::uint8_t* o) {
        o[0] = o[1] = o[2] = std::uint8_t(Brightness64(int(p[0]), int(p[1]), int(p[2])) >> 6);
      });
}

void OnBlackAndWhite(State& st, Platform& pf) {
  RunTargetFilter(st, pf, [](ConstTargetImage from, TargetImage to) { BlackAndWhite(from, to); });
}

}  // namespace wrimple
