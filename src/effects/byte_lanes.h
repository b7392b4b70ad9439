// Eight bytes at a time for the effects whose every output byte is an
// integer function of a few input bytes. A kernel written once over a `Lanes`
// type runs on plain ints (one byte) or on these vectors (8 bytes, each lane
// holding a 16-bit value, one machine register), with the same integer results lane by lane.
#pragma once

#include <cstdint>
#include <cstring>

#include "document/pixels.h"

namespace wrimple {

using Bytes8 = std::uint8_t __attribute__((vector_size(8)));
using Shorts8 = std::int16_t __attribute__((vector_size(16)));
inline constexpr int kLaneCount = 8;

template <typename Lanes>
inline constexpr int kLanesIn = 1;
template <>
inline constexpr int kLanesIn<Shorts8> = kLaneCount;

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

[[gnu::always_inline]] inline void StoreClampedBytes(std::uint8_t* p, int v) { *p = ClampByte(v); }

[[gnu::always_inline]] inline void StoreClampedBytes(std::uint8_t* p, Shorts8 v) {
  const Shorts8 zero{}, full = zero + 255;
  v = v < zero ? zero : v;
  v = v > full ? full : v;
  const Bytes8 bytes = __builtin_convertvector(v, Bytes8);
  std::memcpy(p, &bytes, sizeof bytes);
}

// Runs kernel(lanes_tag, j) over the bytes [begin, end) of a row: 8 at a time,
// the last group overlapping the one before it, or one at a time when the run
// is shorter than 8 bytes. The kernel writes only what it computes from its
// input, so the overlapped bytes get the same values twice.
template <typename Kernel>
void ForEachByteGroup(int begin, int end, const Kernel& kernel) {
  if (end - begin < kLaneCount) {
    for (int j = begin; j < end; ++j) kernel(int{}, j);
    return;
  }
  for (int j = begin; j + kLaneCount <= end; j += kLaneCount) kernel(Shorts8{}, j);
  if ((end - begin) % kLaneCount != 0) kernel(Shorts8{}, end - kLaneCount);
}

}  // namespace wrimple
