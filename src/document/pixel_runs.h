// Lanes for pixel-wise integer work on 24-bit rows, and the block layout that
// lines the channels of 32 pixels up in 16-bit lanes.
//
// One round of unpacking, the first 48 bytes of a block alternating with the
// last 48, moves the byte at i to 2 i mod 95 (the last byte stays); three
// rounds move the byte at 3p + c to 8 (3p + c) mod 95, which is 8 (3r + c) + q
// for p = 4q + r. So the eight-byte run 3r + c holds channel c of the pixels
// r, r + 4, ..., r + 28: widened to 16-bit lanes, the three runs of one r are
// the blue, green and red of eight pixels, lane for lane. The way back goes
// through the inverse rounds, which take the even and then the odd bytes.
//
// Sixteen-byte vectors only: GCC splits the compares and the narrowing of
// wider generic vectors into scalar code on the baseline instruction set.
#pragma once

#include <cstdint>
#include <cstring>

#include "document/simd.h"

namespace wrimple {

using Bytes8 = std::uint8_t __attribute__((vector_size(8)));
using Bytes16 = std::uint8_t __attribute__((vector_size(16)));
using Shorts8 = std::int16_t __attribute__((vector_size(16)));
using UnsignedShorts8 = std::uint16_t __attribute__((vector_size(16)));

[[gnu::always_inline]] inline Shorts8 Max(Shorts8 a, Shorts8 b) { return a > b ? a : b; }
[[gnu::always_inline]] inline Shorts8 Min(Shorts8 a, Shorts8 b) { return a < b ? a : b; }

[[gnu::always_inline]] inline Shorts8 ClampedLanes(Shorts8 v) {
  const Shorts8 zero{}, full = zero + 255;
  v = v < zero ? zero : v;
  return v > full ? full : v;
}

// The low and the high 16 bits of the lanes' 32-bit products, each one
// instruction where the vector unit has it (GCC builds a product with a
// constant out of shifts and adds); for ints, the plain product and its high
// part, as long as the product fits.
[[gnu::always_inline]] inline UnsignedShorts8 Product(UnsignedShorts8 a, UnsignedShorts8 b) {
#if WRIMPLE_SSE2
  return UnsignedShorts8(_mm_mullo_epi16(__m128i(a), __m128i(b)));
#else
  return a * b;
#endif
}
[[gnu::always_inline]] inline UnsignedShorts8 HighProduct(UnsignedShorts8 a, UnsignedShorts8 b) {
#if WRIMPLE_SSE2
  return UnsignedShorts8(_mm_mulhi_epu16(__m128i(a), __m128i(b)));
#else
  using Unsigned8 = std::uint32_t __attribute__((vector_size(32)));
  return __builtin_convertvector((__builtin_convertvector(a, Unsigned8) * __builtin_convertvector(b, Unsigned8)) >> 16,
                                 UnsignedShorts8);
#endif
}
[[gnu::always_inline]] inline UnsignedShorts8 Product(UnsignedShorts8 a, int k) {
  UnsignedShorts8 factor = UnsignedShorts8{} + std::uint16_t(k);
#if WRIMPLE_SSE2
  // Hides the constant, which GCC would otherwise fold back into shifts and adds.
  __asm__("" : "+x"(factor));
#endif
  return Product(a, factor);
}
[[gnu::always_inline]] inline UnsignedShorts8 HighProduct(UnsignedShorts8 a, int k) {
  return HighProduct(a, UnsignedShorts8{} + std::uint16_t(k));
}
[[gnu::always_inline]] inline int Product(int a, int b) { return a * b; }
[[gnu::always_inline]] inline int HighProduct(int a, int b) { return (a * b) >> 16; }

// The low bytes of the lanes of a and then of b; every lane must hold a byte
// value (0..255).
[[gnu::always_inline]] inline Bytes16 PackLanes(Shorts8 a, Shorts8 b) {
#if WRIMPLE_SSE2
  return Bytes16(_mm_packus_epi16(__m128i(a), __m128i(b)));
#else
  return __builtin_shufflevector(Bytes16(a), Bytes16(b), 0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30);
#endif
}

// Whether any lane of a comparison's result (lanes 0 or all ones) is set.
[[gnu::always_inline]] inline bool AnyLaneSet(Shorts8 mask) {
#if WRIMPLE_SSE2
  return _mm_movemask_epi8(__m128i(mask)) != 0;
#else
  return ((mask[0] | mask[1]) | (mask[2] | mask[3])) | ((mask[4] | mask[5]) | (mask[6] | mask[7]));
#endif
}

namespace pixel_runs {

inline constexpr int kBlockPixels = 32;
inline constexpr int kBlockVectors = 3 * kBlockPixels / 16;  // six of sixteen bytes
inline constexpr int kPixelSets = 4;                        // r = 0..3 above
inline constexpr int kSetPixels = kBlockPixels / kPixelSets;

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

// A block as loaded, after the three rounds: vector j holds the runs 2j and
// 2j + 1 in its low and its high half. Each run is widened only where it is
// used, which keeps two loaded blocks within the vector registers.
struct BlockRuns {
  Bytes16 v[kBlockVectors];

  // Channel c of the pixels set, set + 4, ..., set + 28, in 16-bit lanes.
  [[gnu::always_inline]] Shorts8 channel(int set, int c) const {
    const int run = 3 * set + c;
    const Bytes16 half = v[run / 2], zero{};
    if (run % 2 == 0)
      return Shorts8(__builtin_shufflevector(half, zero, 0, 16, 1, 17, 2, 18, 3, 19, 4, 20, 5, 21, 6, 22, 7, 23));
    return Shorts8(__builtin_shufflevector(half, zero, 8, 24, 9, 25, 10, 26, 11, 27, 12, 28, 13, 29, 14, 30, 15, 31));
  }
};

// The three channels of one set of eight pixels.
struct SetLanes {
  Shorts8 channel[3];
};

[[gnu::always_inline]] inline BlockRuns LoadRuns(const std::uint8_t* in) {
  BlockRuns runs;
  std::memcpy(runs.v, in, sizeof runs.v);
#pragma GCC unroll 3
  for (int round = 0; round < 3; ++round) InterleaveHalves(runs.v);
  return runs;
}

[[gnu::always_inline]] inline SetLanes LoadSet(const BlockRuns& runs, int set) {
  return {{runs.channel(set, 0), runs.channel(set, 1), runs.channel(set, 2)}};
}

// Collects a block's sets, in the order 0, 1, 2, 3, packing each pair of runs
// as soon as both are there, and writes the block back in pixel order. Every
// lane must hold a byte value.
class RunWriter {
 public:
  [[gnu::always_inline]] void Put(int set, const SetLanes& lanes) {
#pragma GCC unroll 3
    for (int c = 0; c < 3; ++c) {
      const int run = 3 * set + c;
      if (run % 2 == 0)
        pending_ = lanes.channel[c];
      else
        v_[run / 2] = PackLanes(pending_, lanes.channel[c]);
    }
  }
  [[gnu::always_inline]] void Store(std::uint8_t* out) {
#pragma GCC unroll 3
    for (int round = 0; round < 3; ++round) SeparateHalves(v_);
    std::memcpy(out, v_, sizeof v_);
  }

 private:
  Bytes16 v_[kBlockVectors];
  Shorts8 pending_;
};

// Writes the block whose sets set_of(0) .. set_of(3) gives.
template <typename SetOf>
[[gnu::always_inline]] inline void WriteBlock(std::uint8_t* out, const SetOf& set_of) {
  RunWriter writer;
#pragma GCC unroll 4
  for (int set = 0; set < kPixelSets; ++set) writer.Put(set, set_of(set));
  writer.Store(out);
}

}  // namespace pixel_runs

}  // namespace wrimple
