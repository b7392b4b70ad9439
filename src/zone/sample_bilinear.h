// Bilinear interpolation from the working copy with 8-bit fixed-point weights.
#pragma once

#include <cstdint>

#include "document/pixels.h"

namespace wrimple {

// Writes to `out` the pixel of `from` at the fractional target point (xs, ys),
// both at least 0. Columns J, J + 1 and rows K, K + 1 must exist in `from`.
inline void SampleBilinear(ConstTargetImage from, double xs, double ys, std::uint8_t* out) {
  const int J = int(xs), K = int(ys);
  const int fx = int(256 * xs) - 256 * J;
  const int fy = int(256 * ys) - 256 * K;
  const std::uint8_t* upper = from.pixel(J, K);
  const std::uint8_t* lower = from.pixel(J, K + 1);
  const int w00 = (256 - fx) * (256 - fy), w10 = fx * (256 - fy);
  const int w01 = (256 - fx) * fy, w11 = fx * fy;
  for (int c = 0; c < 3; ++c)
    out[c] = std::uint8_t(
        (w00 * upper[c] + w10 * upper[c + 3] + w01 * lower[c] + w11 * lower[c + 3]) >> 16);
}

}  // namespace wrimple
