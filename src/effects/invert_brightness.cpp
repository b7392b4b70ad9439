#include "effects/invert_brightness.h"

#include "document/brightness64.h"
#include "effects/pixel_map.h"
#include "effects/target_filter.h"

namespace wrimple {

namespace {

template <typename Lanes>
[[gnu::always_inline]] inline Lanes MirrorShift(Lanes blue, Lanes green, Lanes red) {
  return 255 - 2 * (Brightness64(blue, green, red) >> 6);
}

}  // namespace

void InvertBrightness(ConstTargetImage from, TargetImage to, int threads) {
  ShiftEveryPixel(
      from, to, threads,
      [](Shorts8 blue, Shorts8 green, Shorts8 red) {
        return Shorts8(MirrorShift(UnsignedShorts8(blue), UnsignedShorts8(green), UnsignedShorts8(red)));
      },
      [](int blue, int green, int red) { return MirrorShift(blue, green, red); });
}

void OnInvertBrightness(State& st, Platform& pf) {
  RunTargetFilter(st, pf, [](ConstTargetImage from, TargetImage to) { InvertBrightness(from, to); });
}

}  // namespace wrimple
