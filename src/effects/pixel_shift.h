// The row loop of the effects that move all three channels of a pixel by one
// amount computed from that pixel: out = clamp(channel + shift(B, G, R)). The
// amount is computed for 32 pixels at a time, with the channels lined up in
// 16-bit lanes (document/pixel_runs.h).
#pragma once

#include "document/pixel_runs.h"
#include "effects/byte_lanes.h"
#include "effects/row_driver.h"

namespace wrimple {

namespace pixel_shift {

// shift_lanes(blue, green, red) gives the amount for eight pixels at once and
// must agree lane by lane with shift_pixel(blue, green, red) on ints.
template <typename LaneShift>
[[gnu::always_inline]] inline void ShiftBlock(const std::uint8_t* in, std::uint8_t* out,
                                              const LaneShift& shift_lanes) {
  using namespace pixel_runs;
  const BlockRuns runs = LoadRuns(in);
  RunWriter writer;
#pragma GCC unroll 4
  for (int r = 0; r < kPixelSets; ++r) {
    SetLanes pixel = LoadSet(runs, r);
    const Shorts8 shift = shift_lanes(pixel.channel[0], pixel.channel[1], pixel.channel[2]);
#pragma GCC unroll 3
    for (Shorts8& channel : pixel.channel) channel = ClampedLanes(channel + shift);
    writer.Put(r, pixel);
  }
  writer.Store(out);
}

}  // namespace pixel_shift

template <typename LaneShift, typename PixelShift>
void ShiftEveryPixel(ConstTargetImage from, TargetImage to, int threads, const LaneShift& shift_lanes,
                     const PixelShift& shift_pixel) {
  using pixel_runs::kBlockPixels;
  const int width = to.width();
  ForEachTargetRow(to.height(), threads, [&](int y) {
    const std::uint8_t* in = from.row(y);
    std::uint8_t* out = to.row(y);
    int x = 0;
    for (; x + kBlockPixels <= width; x += kBlockPixels)
      pixel_shift::ShiftBlock(in + 3 * x, out + 3 * x, shift_lanes);
    for (; x < width; ++x) {
      const std::uint8_t* p = in + 3 * x;
      const int shift = shift_pixel(int(p[0]), int(p[1]), int(p[2]));
      for (int c = 0; c < 3; ++c) out[3 * x + c] = ClampByte(p[c] + shift);
    }
  });
}

}  // namespace wrimple
