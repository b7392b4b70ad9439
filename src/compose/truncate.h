// Conversion of a floating-point result to an integer, truncating towards zero.
#pragma once

#include <cmath>
#include <limits>

namespace wrimple {

// Truncates towards zero; values beyond the int range (and NaN, as 0) are held at
// the range's ends instead of being undefined.
inline int TruncateToInt(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return std::numeric_limits<int>::max();
  if (v <= -2147483648.0) return std::numeric_limits<int>::min();
  return int(v);
}

}  // namespace wrimple
