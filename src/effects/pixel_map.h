// The row loop of the effects that compute every pixel from that pixel alone:
// 32 pixels at a time with their channels lined up in 16-bit lanes
// (document/pixel_runs.h), the pixels of a row's end one at a time.
#pragma once

#include "document/pixel_runs.h"
#include "effects/byte_lanes.h"
#include "effects/row_driver.h"

namespace wrimple {

// map_set(pixels) gives eight pixels at once from their SetLanes and must
// agree lane by lane with map_pixel(in, out) on one pixel's three bytes.
template <typename SetMap, typename PixelMap>
void MapEveryPixel(ConstTargetImage from, TargetImage to, int threads, const SetMap& map_set,
                   const PixelMap& map_pixel) {
  using namespace pixel_runs;
  const int width = to.width();
  ForEachTargetRow(to.height(), threads, [&](int y) {
    const std::uint8_t* in = from.row(y);
    std::uint8_t* out = to.row(y);
    int x = 0;
    for (; x + kBlockPixels <= width; x += kBlockPixels) {
      const BlockRuns runs = LoadRuns(in + 3 * x);
      WriteBlock(out + 3 * x, [&](int set) { return map_set(LoadSet(runs, set)); });
    }
    for (; x < width; ++x) map_pixel(in + 3 * x, out + 3 * x);
  });
}

// out = clamp(channel + shift(B, G, R)): shift_lanes(blue, green, red) gives
// the amount for eight pixels at once and must agree lane by lane with
// shift_pixel(blue, green, red) on ints.
template <typename LaneShift, typename PixelShift>
void ShiftEveryPixel(ConstTargetImage from, TargetImage to, int threads, const LaneShift& shift_lanes,
                     const PixelShift& shift_pixel) {
  MapEveryPixel(
      from, to, threads,
      [&](pixel_runs::SetLanes pixels) {
        const Shorts8 shift = shift_lanes(pixels.channel[0], pixels.channel[1], pixels.channel[2]);
#pragma GCC unroll 3
        for (Shorts8& channel : pixels.channel) channel = ClampedLanes(channel + shift);
        return pixels;
      },
      [&](const std::uint8_t* p, std::uint8_t* o) {
        const int shift = shift_pixel(int(p[0]), int(p[1]), int(p[2]));
        for (int c = 0; c < 3; ++c) o[c] = ClampByte(p[c] + shift);
      });
}

}  // namespace wrimple
