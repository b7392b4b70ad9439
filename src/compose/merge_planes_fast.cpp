// The fast merge: the operator and the contrast step are chosen once per call,
// and each becomes a row loop in vector lanes, with what depends on the bias
// and the reference colour fixed before the loop (the comp weights in a small
// table filled from the same expressions the operator objects evaluate), so
// every byte is identical to the plain merge's.
#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "compose/merge_planes.h"
#include "compose/pixel_operators.h"
#include "document/brightness64.h"
#include "document/pixel_runs.h"
#include "document/row_bands.h"

namespace wrimple {

namespace {

using Byte = std::uint8_t;

struct CopyKernel {
  bool from_source2;
  void Row(const Byte* p1, const Byte* p2, Byte* o, int width) const {
    std::memcpy(o, from_source2 ? p2 : p1, 3 * std::size_t(width));
  }
};

// The operators that treat each byte on its own work on 16 bytes at a time in
// 16-bit lanes, where their sums fit exactly, and finish a row byte by byte.
using Unsigned16x16 = std::uint16_t __attribute__((vector_size(32)));
constexpr int kLanes = 16;

Bytes16 Load16(const Byte* p) {
  Bytes16 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
void Store16(Byte* p, Bytes16 v) { std::memcpy(p, &v, sizeof v); }

// (p1 * w1 + p2 * w2) >> 8 with w1 + w2 = 255: at most 255 * 255, so 16 bits.
struct AverageKernel {
  int w1, w2;  // 255 - bias for source 1, bias for source 2
  bool lanes_fit;
  Byte One(Byte a, Byte b) const { return Byte((a * w1 + b * w2) >> 8); }
  void Row(const Byte* p1, const Byte* p2, Byte* o, int width) const {
    const int n = 3 * width;
    int i = 0;
    for (; lanes_fit && i + kLanes <= n; i += kLanes) {
      const Unsigned16x16 a = __builtin_convertvector(Load16(p1 + i), Unsigned16x16);
      const Unsigned16x16 b = __builtin_convertvector(Load16(p2 + i), Unsigned16x16);
      const Unsigned16x16 sum = a * std::uint16_t(w1) + b * std::uint16_t(w2);
      Store16(o + i, __builtin_convertvector(sum >> 8, Bytes16));
    }
    for (; i < n; ++i) o[i] = One(p1[i], p2[i]);
  }
};

// clamp(((k1 * p1 - k2 * p2) >> 7) + add), for both directions of subtraction;
// |k| <= 127, so the difference and the sum stay within 16 signed bits. Eight
// lanes at a time: GCC splits wider vectors' comparisons into scalar code.
constexpr int kNarrowLanes = 8;

struct SubtractKernel {
  int k1, k2, add;
  bool lanes_fit;
  Byte One(Byte a, Byte b) const { return ClampByte(((k1 * a - k2 * b) >> 7) + add); }
  void Row(const Byte* p1, const Byte* p2, Byte* o, int width) const {
    const int n = 3 * width;
    int i = 0;
    for (; lanes_fit && i + kNarrowLanes <= n; i += kNarrowLanes) {
      Bytes8 a8, b8;
      std::memcpy(&a8, p1 + i, sizeof a8);
      std::memcpy(&b8, p2 + i, sizeof b8);
      const Shorts8 a = __builtin_convertvector(a8, Shorts8);
      const Shorts8 b = __builtin_convertvector(b8, Shorts8);
      const Shorts8 v = ((a * std::int16_t(k1) - b * std::int16_t(k2)) >> 7) + std::int16_t(add);
      const Bytes8 bytes = __builtin_convertvector(ClampedLanes(v), Bytes8);
      std::memcpy(o + i, &bytes, sizeof bytes);
    }
    for (; i < n; ++i) o[i] = One(p1[i], p2[i]);
  }
};

// The operators that choose or mix whole pixels work on blocks of 32 pixels
// with the channels lined up in 16-bit lanes (document/pixel_runs.h), and on
// the pixels of a row's end one at a time.
using pixel_runs::BlockRuns;
using pixel_runs::kBlockPixels;
using pixel_runs::SetLanes;

// Least keeps the darker pixel, most the brighter, comparing brightness with
// each source's bias raise folded in. With raises of 0..255 the raised channels
// stay within 0..510, where Brightness64 is the exact integer form.
struct BrightnessKernel {
  int raise1, raise2;  // 255 - bias for source 1, bias for source 2
  bool keep_brighter;
  bool blocks_fit;

  void Pixel(const Byte* p1, const Byte* p2, Byte* o) const {
    const Bgr a = ReadPixel(p1), b = ReadPixel(p2);
    WritePixel(o, (MergeBrightness(a, raise1) < MergeBrightness(b, raise2)) == keep_brighter ? b : a);
  }
  [[gnu::always_inline]] SetLanes Set(const BlockRuns& runs1, const BlockRuns& runs2, int set) const {
    const SetLanes a = pixel_runs::LoadSet(runs1, set), b = pixel_runs::LoadSet(runs2, set);
    const Shorts8 darker1 = Shorts8(Raised(a, raise1)) < Shorts8(Raised(b, raise2));
    const Shorts8 take2 = keep_brighter ? darker1 : ~darker1;
    SetLanes out;
#pragma GCC unroll 3
    for (int c = 0; c < 3; ++c) out.channel[c] = (b.channel[c] & take2) | (a.channel[c] & ~take2);
    return out;
  }

 private:
  [[gnu::always_inline]] static UnsignedShorts8 Raised(const SetLanes& pixels, int raise) {
    const auto lane = [&](int c) { return UnsignedShorts8(pixels.channel[c]) + std::uint16_t(raise); };
    return Brightness64(lane(0), lane(1), lane(2));
  }
};

// The comp weight depends on each channel only through p - R + offset clamped to
// -8..8 (beyond +-7 the comparison is 0 or 1): level = clamp(p + shift, 0, 16)
// with shift = offset - R + 8, so 17 x 17 x 17 weights cover every pixel. A
// shift beyond -256..16 gives the same levels as its nearest end, which keeps
// the lanes within 16 bits for any bias.
struct CompTables {
  static constexpr int kLevels = 17;
  static constexpr int kStride[3] = {kLevels * kLevels, kLevels, 1};
  // Levels 0 and 1 (p - R + offset <= -7) compare as 0, levels 15 and 16 as 1.
  static constexpr int kLastEmptyLevel = 1, kFirstFullLevel = 15;
  // 16 bits a weight, which the lanes take straight from memory.
  std::array<std::uint16_t, kLevels * kLevels * kLevels> weight;
  int shift[3];

  int Index(const Byte* p) const {
    int index = 0;
    for (int c = 0; c < 3; ++c) index += std::clamp(p[c] + shift[c], 0, kLevels - 1) * kStride[c];
    return index;
  }
};
CompTables MakeCompTables(const Bgr& reference, int offset) {
  CompTables t;
  for (int c = 0; c < 3; ++c)
    t.shift[c] = int(std::clamp<std::int64_t>(std::int64_t(offset) - reference[c] + 8, -256, 16));
  for (int i0 = 0; i0 < CompTables::kLevels; ++i0)
    for (int i1 = 0; i1 < CompTables::kLevels; ++i1)
      for (int i2 = 0; i2 < CompTables::kLevels; ++i2)
        t.weight[std::size_t(i0 * CompTables::kStride[0] + i1 * CompTables::kStride[1] + i2)] = std::uint16_t(
            CompWeightFromSoftened(SoftenedComparison(i0 - 8), SoftenedComparison(i1 - 8), SoftenedComparison(i2 - 8)));
  return t;
}

// Mixes source 1 and 2 with the weight taken from one of them; the weight goes
// to the first of the mix. The levels are found in lanes and the weights read
// from the table one lane at a time.
template <bool kWeightFromSource2, bool kSource2First>
struct CompKernel {
  CompTables t;
  static constexpr bool blocks_fit = true;

  void Pixel(const Byte* p1, const Byte* p2, Byte* o) const {
    const int w = t.weight[std::size_t(t.Index(kWeightFromSource2 ? p2 : p1))];
    const Byte* first = kSource2First ? p2 : p1;
    const Byte* second = kSource2First ? p1 : p2;
    for (int c = 0; c < 3; ++c) o[c] = MixChannel(first[c], second[c], w);
  }
  [[gnu::always_inline]] SetLanes Set(const BlockRuns& runs1, const BlockRuns& runs2, int set) const {
    const SetLanes a = pixel_runs::LoadSet(runs1, set), b = pixel_runs::LoadSet(runs2, set);
    const SetLanes& first = kSource2First ? b : a;
    const SetLanes& second = kSource2First ? a : b;
    const UnsignedShorts8 w = Weights(kWeightFromSource2 ? b : a);
    const UnsignedShorts8 rest = 255 - w;
    SetLanes out;
#pragma GCC unroll 3
    for (int c = 0; c < 3; ++c)
      out.channel[c] = Shorts8((Product(UnsignedShorts8(first.channel[c]), w) +
                                Product(UnsignedShorts8(second.channel[c]), rest)) >> 8);
    return out;
  }

 private:
  // A channel that compares as 1 makes the cube sum at least 1 and the weight
  // 255; with every channel comparing as 0 the sum is 0 and so is the weight.
  // Only sets with a pixel in between read the table.
  [[gnu::always_inline]] UnsignedShorts8 Weights(const SetLanes& pixels) const {
    Shorts8 raised[3];
#pragma GCC unroll 3
    for (int c = 0; c < 3; ++c) raised[c] = pixels.channel[c] + std::int16_t(t.shift[c]);
    const Shorts8 highest = Max(raised[0], Max(raised[1], raised[2]));
    const Shorts8 full = highest >= std::int16_t(CompTables::kFirstFullLevel);
    if (!AnyLaneSet(~full & (highest > std::int16_t(CompTables::kLastEmptyLevel)))) return UnsignedShorts8(full & 255);
    const Shorts8 none{}, top = none + std::int16_t(CompTables::kLevels - 1);
    UnsignedShorts8 index{};
#pragma GCC unroll 3
    for (int c = 0; c < 3; ++c) {
      const Shorts8 level = Min(Max(raised[c], none), top);
      index += Product(UnsignedShorts8(level), CompTables::kStride[c]);
    }
    // Two halves filled apart and joined, so that the lane inserts form two
    // short chains instead of one long one.
    UnsignedShorts8 low{}, high{};
    constexpr int kHalf = pixel_runs::kSetPixels / 2;
#pragma GCC unroll 4
    for (int i = 0; i < kHalf; ++i) {
      low[i] = t.weight[index[i]];
      high[i + kHalf] = t.weight[index[i + kHalf]];
    }
    return low | high;
  }
};

// Tests one source against the base colour: background pixels take the pixel of
// source kOnBackground, ink pixels that of kOnInk (0: the text colour).
template <int kTested, int kOnBackground, int kOnInk>
struct TextKernel {
  Bgr base, ink;
  void Row(const Byte* p1, const Byte* p2, Byte* o, int width) const {
    for (int x = 0; x < width; ++x, p1 += 3, p2 += 3, o += 3) {
      const Byte* tested = kTested == 1 ? p1 : p2;
      const bool background = tested[0] == base[0] && tested[1] == base[1] && tested[2] == base[2];
      const Byte* on_ink = kOnInk == 0 ? ink.data() : (kOnInk == 1 ? p1 : p2);
      const Byte* pick = background ? (kOnBackground == 1 ? p1 : p2) : on_ink;
      o[0] = pick[0], o[1] = pick[1], o[2] = pick[2];
    }
  }
};

// The contrast step on a block: mode 2 turns every channel on its own, mode 1
// the whole pixel by its channel sum. A threshold below 0 or above 254 turns
// every byte the same way as -1 or 255, which keeps the lanes within 16 bits.
template <int kMode>
[[gnu::always_inline]] inline void ContrastSet(SetLanes& pixels, int threshold) {
  const std::int16_t t = std::int16_t(std::clamp(threshold, -1, 255));
  if constexpr (kMode == 2) {
#pragma GCC unroll 3
    for (Shorts8& channel : pixels.channel) channel = (channel > t) & 255;
  } else if constexpr (kMode == 1) {
    const Shorts8 sum = pixels.channel[0] + pixels.channel[1] + pixels.channel[2];
    const Shorts8 value = (sum > std::int16_t(3 * t)) & 255;
    pixels = {{value, value, value}};
  }
}

// The contrast step on a row the kernel has written.
template <int kMode>
void ContrastRow(Byte* o, int width, int threshold) {
  if constexpr (kMode == 2) {
    const int n = 3 * width;
    int i = 0;
    if (threshold >= 0 && threshold < 255) {  // beyond, every byte or none is above it
      const Bytes16 t = Bytes16{} + Byte(threshold);
      for (; i + kLanes <= n; i += kLanes) Store16(o + i, Bytes16(Load16(o + i) > t));
    }
    for (; i < n; ++i) o[i] = o[i] > threshold ? 255 : 0;
  } else if constexpr (kMode == 1) {
    int x = 0;
    for (; x + kBlockPixels <= width; x += kBlockPixels) {
      const BlockRuns runs = pixel_runs::LoadRuns(o + 3 * x);
      pixel_runs::WriteBlock(o + 3 * x, [&](int set) {
        SetLanes pixels = pixel_runs::LoadSet(runs, set);
        ContrastSet<1>(pixels, threshold);
        return pixels;
      });
    }
    for (; x < width; ++x) ContrastStep<1>(threshold, o + 3 * x);
  }
}

template <class Kernel>
concept WholePixelKernel = requires(const Kernel& kernel, const BlockRuns& runs) { kernel.Set(runs, runs, 0); };

template <int kContrast, class Kernel>
void MergeRow(const Kernel& kernel, const Byte* p1, const Byte* p2, Byte* o, int width, int threshold) {
  if constexpr (WholePixelKernel<Kernel>) {
    int x = 0;
    for (; kernel.blocks_fit && x + kBlockPixels <= width; x += kBlockPixels) {
      const BlockRuns runs1 = pixel_runs::LoadRuns(p1 + 3 * x), runs2 = pixel_runs::LoadRuns(p2 + 3 * x);
      pixel_runs::WriteBlock(o + 3 * x, [&](int set) {
        SetLanes pixels = kernel.Set(runs1, runs2, set);
        ContrastSet<kContrast>(pixels, threshold);
        return pixels;
      });
    }
    for (; x < width; ++x) {
      kernel.Pixel(p1 + 3 * x, p2 + 3 * x, o + 3 * x);
      ContrastStep<kContrast>(threshold, o + 3 * x);
    }
  } else {
    kernel.Row(p1, p2, o, width);
    ContrastRow<kContrast>(o, width, threshold);
  }
}

template <int kContrast, class Kernel>
void MergeWith(const Kernel& kernel, State& st, int threads) {
  const ConstPlane plane1 = std::as_const(st.doc).Source(1).plane();
  const ConstPlane plane2 = std::as_const(st.doc).Source(2).plane();
  const TargetImage target = st.Target();
  const int threshold = st.ContrastThreshold;
  ForEachRowBand(0, target.height(), threads, [&](int first, int end) {
    for (int y = first; y < end; ++y) {
      MergeRow<kContrast>(kernel, plane1.row(y), plane2.row(y), target.row(y), target.width(), threshold);
    }
  });
}

template <class Kernel>
void Merge(const Kernel& kernel, State& st, int threads) {
  switch (st.ContrastMode) {
    case 1: return MergeWith<1>(kernel, st, threads);
    case 2: return MergeWith<2>(kernel, st, threads);
    default: return MergeWith<0>(kernel, st, threads);
  }
}

}  // namespace

void MergePlanesFast(State& st, int threads) {
  const int beta = st.MergeBias;
  const Bgr& ref = st.ReferenceColor;
  const bool text1 = st.doc.Source(1).SourceKind == kKindTypedText;
  const bool text2 = st.doc.Source(2).SourceKind == kKindTypedText;
  const Bgr base = st.doc.BaseColor;
  const SubtractWeights sub = SubtractWeightsFor(beta);
  const bool lanes_fit = beta >= 0 && beta <= 255;  // the slider's range
  switch (st.MergeMethod) {
    case 0: return Merge(CopyKernel{false}, st, threads);
    case 1: return Merge(CopyKernel{true}, st, threads);
    case 2: return Merge(BrightnessKernel{255 - beta, beta, true, lanes_fit}, st, threads);
    case 3: return Merge(BrightnessKernel{255 - beta, beta, false, lanes_fit}, st, threads);
    case 4: return Merge(SubtractKernel{sub.a, sub.b, beta, lanes_fit}, st, threads);
    case 5: return Merge(SubtractKernel{-sub.a, -sub.b, 255 - beta, lanes_fit}, st, threads);
    case 6: return Merge(AverageKernel{255 - beta, beta, lanes_fit}, st, threads);
    case 7:
      if (text1) return Merge(TextKernel<1, 2, 0>{base, ToBgr(st.doc.Source(1).TextColor)}, st, threads);
      return Merge(CompKernel<false, false>{MakeCompTables(ref, CompOffsetSource1(beta))}, st, threads);
    case 8:
      if (text1) return Merge(TextKernel<1, 1, 2>{base, {}}, st, threads);
      return Merge(CompKernel<false, true>{MakeCompTables(ref, CompOffsetSource1(beta))}, st, threads);
    case 9:
      if (text2) return Merge(TextKernel<2, 2, 1>{base, {}}, st, threads);
      return Merge(CompKernel<true, false>{MakeCompTables(ref, CompOffsetSource2(beta))}, st, threads);
    case 10:
      if (text2) return Merge(TextKernel<2, 1, 0>{base, ToBgr(st.doc.Source(2).TextColor)}, st, threads);
      return Merge(CompKernel<true, true>{MakeCompTables(ref, CompOffsetSource2(beta))}, st, threads);
    default: return;
  }
}

}  // namespace wrimple
