// Many bytes at a time for the effects whose every output byte is an integer
// function of a few input bytes. A kernel written once over a `Lanes` type
// runs on plain ints (one byte), on Shorts8 (8 bytes, each lane holding a
// 16-bit value, one machine register) or on ByteHalves (16 bytes as their even
// and their odd bytes), with the same integer results lane by lane.
#pragma once

#include <cstdint>
#include <cstring>

#include "document/pixel_runs.h"
#include "document/pixels.h"

namespace wrimple {

inline constexpr int kLaneCount = 8;

// Sixteen bytes as two sets of eight 16-bit lanes, the even bytes and the odd
// bytes, which split and join again with a mask and a shift.
struct ByteHalves {
  Shorts8 even, odd;
};
[[gnu::always_inline]] inline ByteHalves operator+(ByteHalves a, ByteHalves b) {
  return {a.even + b.even, a.odd + b.odd};
}
[[gnu::always_inline]] inline ByteHalves operator+(ByteHalves a, int b) {
  return {a.even + std::int16_t(b), a.odd + std::int16_t(b)};
}
[[gnu::always_inline]] inline ByteHalves operator*(ByteHalves a, int b) {
  return {a.even * std::int16_t(b), a.odd * std::int16_t(b)};
}

template <typename Lanes>
inline constexpr int kLanesIn = 1;
template <>
inline constexpr int kLanesIn<Shorts8> = kLaneCount;
template <>
inline constexpr int kLanesIn<ByteHalves> = 2 * kLaneCount;

// Division truncating towards zero by a constant, lane by lane.
template <int kDivisor, typename Lanes>
[[gnu::always_inline]] inline Lanes DivideBy(Lanes v) {
  if constexpr (kLanesIn<Lanes> == 2 * kLaneCount)
    return {v.even / kDivisor, v.odd / kDivisor};
  else
    return v / kDivisor;
}

// Lanes whose lane i holds values[(phase + stride i) % 3]: a per-channel
// constant for a group whose first byte is channel `phase` of its pixel and
// whose lanes are `stride` bytes apart.
template <typename Lanes>
Lanes PerChannel(const int (&values)[3], int phase, int stride = 1) {
  Lanes lanes{};
  for (int i = 0; i < kLanesIn<Lanes>; ++i) {
    if constexpr (kLanesIn<Lanes> == 1)
      lanes = values[phase];
    else
      lanes[i] = std::int16_t(values[(phase + stride * i) % 3]);
  }
  return lanes;
}

template <typename Lanes>
Lanes LoadBytes(const std::uint8_t* p);

template <>
[[gnu::always_inline]] inline int LoadBytes<int>(const std::uint8_t* p) {
  return *p;
}

template <>
[[gnu::always_inline]] inline Shorts8 LoadBytes<Shorts8>(const std::uint8_t* p) {
  Bytes8 bytes;
  std::memcpy(&bytes, p, sizeof bytes);
  return __builtin_convertvector(bytes, Shorts8);
}

template <>
[[gnu::always_inline]] inline ByteHalves LoadBytes<ByteHalves>(const std::uint8_t* p) {
  Bytes16 bytes;
  std::memcpy(&bytes, p, sizeof bytes);
  const UnsignedShorts8 pairs = UnsignedShorts8(bytes);
  return {Shorts8(pairs & 0xff), Shorts8(pairs >> 8)};
}

[[gnu::always_inline]] inline void StoreClampedBytes(std::uint8_t* p, int v) { *p = ClampByte(v); }

[[gnu::always_inline]] inline void StoreClampedBytes(std::uint8_t* p, Shorts8 v) {
  const Bytes8 bytes = __builtin_convertvector(ClampedLanes(v), Bytes8);
  std::memcpy(p, &bytes, sizeof bytes);
}

[[gnu::always_inline]] inline void StoreClampedBytes(std::uint8_t* p, ByteHalves v) {
  const Bytes16 bytes = Bytes16(ClampedLanes(v.even) | (ClampedLanes(v.odd) << 8));
  std::memcpy(p, &bytes, sizeof bytes);
}

// Runs kernel(lanes_tag, j) over the bytes [begin, end) of a row in groups of
// Wide lanes, the last group overlapping the one before it; a run shorter
// than a group goes in groups of eight, or one byte at a time when shorter
// than eight. The kernel writes only what it computes from its input, so the
// overlapped bytes get the same values twice.
template <typename Wide = Shorts8, typename Kernel>
void ForEachByteGroup(int begin, int end, const Kernel& kernel) {
  constexpr int group = kLanesIn<Wide>;
  if (end - begin < group) {
    if constexpr (group > kLaneCount)
      ForEachByteGroup<Shorts8>(begin, end, kernel);
    else
      for (int j = begin; j < end; ++j) kernel(int{}, j);
    return;
  }
  for (int j = begin; j + group <= end; j += group) kernel(Wide{}, j);
  if ((end - begin) % group != 0) kernel(Wide{}, end - group);
}

}  // namespace wrimple
