// The row loop of the effects that move all three channels of a pixel by one
// amount computed from that pixel: out = clamp(channel + shift(B, G, R)).
//
// The amount is computed for 32 pixels at a time. One round of unpacking,
// the first 48 bytes of a block alternating with the last 48, moves the byte
// at i to 2 i mod 95 (the last byte stays); three rounds move the byte at
// 3p + c to 8 (3p + c) mod 95, which is 8 (3r + c) + q for p = 4q + r. So the
// eight-byte run 3r + c holds channel c of the pixels r, r + 4, ..., r + 28:
// widened to 16-bit lanes, the three runs of one r are the blue, green and red
// of eight pixels, lane for lane. The results go back through the inverse
// rounds, which take the even and then the odd bytes.
#pragma once

#include <cstring>

#include "effects/byte_lanes.h"
#include "effects/row_driver.h"

namespace wrimple {

namespace pixel_shift {

using Bytes16 = std::uint8_t __attribute__((vector_size(16)));

inline constexpr int kBlockPixels = 32;
inline constexpr int kBlockVectors = 3 * kBlockPixels / 16;  // six of sixteen bytes
inline constexpr int kPixelSets = 4;                        // r = 0..3 above

// One round: the bytes of the first half of the block alternate with those of
// the second half.
[[gnu::always_inline]] inline void InterleaveHalves(Bytes16 (&v)[kBlockVectors]) {
  constexpr int half = kBlockVectors / 2;
  Bytes16 mixed[kBlockVectors];
#pragma GCC unroll 3
  for (int i = 0; i < half; ++i) {
    mixed[2 * i] = __builtin_shufflevector(
        v[i], v[i + half],
        0, 16, 1, 17, 2, 18, 3, 19, 4, 20, 5, 21, 6, 22, 7, 23);
    mixed[2 * i + 1] = __builtin_shufflevector(
        v[i], v[i + half],
        8, 24, 9, 25, 10, 26, 11, 27, 12, 28, 13, 29, 14, 30, 15, 31);
  }
  std::memcpy(v, mixed, sizeof mixed);
}

// The inverse round: the even bytes of the block, then the odd ones.
[[gnu::always_inline]] inline void SeparateHalves(Bytes16 (&v)[kBlockVectors]) {
  constexpr int half = kBlockVectors / 2;
  Bytes16 split[kBlockVectors];
#pragma GCC unroll 3
  for (int i = 0; i < half; ++i) {
    split[i] = __builtin_shufflevector(
        v[2 * i], v[2 * i + 1],
        0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30);
    split[i + half] = __builtin_shufflevector(
        v[2 * i], v[2 * i + 1],
        1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 31);
  }
  std::memcpy(v, split, sizeof split);
}

// Runs[3r + c]: channel c of the pixels r, r + 4, ..., r + 28 of the block.
struct BlockRuns {
  Shorts8 run[3 * kPixelSets];
};

[[gnu::always_inline]] inline BlockRuns LoadRuns(const std::uint8_t* in) {
  Bytes16 v[kBlockVectors];
  std::memcpy(v, in, sizeof v);
#pragma GCC unroll 3
  for (int round = 0; round < 3; ++round) InterleaveHalves(v);
  BlockRuns runs;
  const Bytes16 zero{};
#pragma GCC unroll 6
  for (int j = 0; j < kBlockVectors; ++j) {
    runs.run[2 * j] = Shorts8(__builtin_shufflevector(
        v[j], zero, 0, 16, 1, 17, 2, 18, 3, 19, 4, 20, 5, 21, 6, 22, 7, 23));
    runs.run[2 * j + 1] = Shorts8(__builtin_shufflevector(
        v[j], zero, 8, 24, 9, 25, 10, 26, 11, 27, 12, 28, 13, 29, 14, 30, 15, 31));
  }
  return runs;
}

// Clamps every lane to a byte and writes the block back in pixel order.
[[gnu::always_inline]] inline void StoreRuns(std::uint8_t* out, const BlockRuns& runs) {
  Bytes16 v[kBlockVectors];
#pragma GCC unroll 6
  for (int j = 0; j < kBlockVectors; ++j)
    v[j] = __builtin_shufflevector(
        Bytes16(ClampedLanes(runs.run[2 * j])), Bytes16(ClampedLanes(runs.run[2 * j + 1])),
        0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30);
#pragma GCC unroll 3
  for (int round = 0; round < 3; ++round) SeparateHalves(v);
  std::memcpy(out, v, sizeof v);
}

// shift_lanes(blue, green, red) gives the amount for eight pixels at once and
// must agree lane by lane with shift_pixel(blue, green, red) on ints.
template <typename LaneShift>
[[gnu::always_inline]] inline void ShiftBlock(const std::uint8_t* in, std::uint8_t* out,
                                              const LaneShift& shift_lanes) {
  BlockRuns runs = LoadRuns(in);
#pragma GCC unroll 4
  for (int r = 0; r < kPixelSets; ++r) {
    Shorts8* pixel = runs.run + 3 * r;
    const Shorts8 shift = shift_lanes(pixel[0], pixel[1], pixel[2]);
#pragma GCC unroll 3
    for (int c = 0; c < 3; ++c) pixel[c] += shift;
  }
  StoreRuns(out, runs);
}

}  // namespace pixel_shift

template <typename LaneShift, typename PixelShift>
void ShiftEveryPixel(ConstTargetImage from, TargetImage to, int threads, const LaneShift& shift_lanes,
                     const PixelShift& shift_pixel) {
  using pixel_shift::kBlockPixels;
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
