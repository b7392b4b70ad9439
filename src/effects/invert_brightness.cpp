#include "effects/invert_brightness.h"

#include "effects/pixel_shift.h"
#include "effects/target_filter.h"

namespace wrimple {

namespace {

using UnsignedShorts8 = std::uint16_t __attribute__((vector_size(16)));

// The weighted brightness Y64 without floating point, for ints or for eight
// unsigned 16-bit lanes. For every byte v, trunc(7.04 v) = 7 v + v / 25,
// trunc(37.76 v) = 37 v + 19 v / 25 and trunc(19.2 v) = 19 v + v / 5. The
// quotients are written so that the lanes need no full division: (41 v) >> 10
// is v / 25 for v <= 255, and 19 v / 25 is (19 v / 5) / 5, each a single
// high multiply on unsigned lanes. No value exceeds 16319.
template <typename Lanes>
[[gnu::always_inline]] inline Lanes Y64(Lanes blue, Lanes green, Lanes red) {
  const Lanes whole = blue * 7 + green * 37 + red * 19;
  const Lanes fractions = ((blue * 41) >> 10) + green * 19 / 5 / 5 + red / 5;
  return whole + fractions;
}

template <typename Lanes>
[[gnu::always_inline]] inline Lanes MirrorShift(Lanes blue, Lanes green, Lanes red) {
  return 255 - 2 * (Y64(blue, green, red) >> 6);
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
