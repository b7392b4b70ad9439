// 64 times the weighted brightness of a pixel, trunc(7.04 B) + trunc(37.76 G) +
// trunc(19.2 R) with each product truncated on its own, in integers, for ints
// or for eight unsigned 16-bit lanes. For every channel value v up to 510 (a
// byte raised by at most 255), trunc(7.04 v) = 7 v + (2622 v) >> 16,
// trunc(37.76 v) = 37 v + (49808 v) >> 16 and trunc(19.2 v) = 19 v +
// (13108 v) >> 16: each fraction is a high product, one instruction on the
// lanes. No value exceeds 32,640.
#pragma once

#include "document/pixel_runs.h"

namespace wrimple {

template <typename Lanes>
[[gnu::always_inline]] inline Lanes Brightness64(Lanes blue, Lanes green, Lanes red) {
  const Lanes whole = Product(blue, 7) + Product(green, 37) + Product(red, 19);
  return whole + (HighProduct(blue, 2622) + HighProduct(green, 49808) + HighProduct(red, 13108));
}

}  // namespace wrimple
