// The fast merge: the operator and the contrast step are chosen once per call,
// and each becomes a row loop with everything that depends on the bias and the
// reference colour turned into small tables. The tables are filled from the
// same expressions the operator objects evaluate, so every byte is identical.
#include <array>
#include <cstring>
#include <utility>
#include <vector>

#include "compose/merge_planes.h"
#include "compose/pixel_operators.h"
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
using Bytes16 = Byte __attribute__((vector_size(16)));
using Unsigned16x16 = std::uint16_t __attribute__((vector_size(32)));
using Signed16x16 = std::int16_t __attribute__((vector_size(32)));
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
using Bytes8 = Byte __attribute__((vector_size(8)));
using Signed16x8 = std::int16_t __attribute__((vector_size(16)));
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
      const Signed16x8 a = __builtin_convertvector(a8, Signed16x8);
      const Signed16x8 b = __builtin_convertvector(b8, Signed16x8);
      const Signed16x8 zero{}, full = zero + 255;
      Signed16x8 v = ((a * std::int16_t(k1) - b * std::int16_t(k2)) >> 7) + std::int16_t(add);
      v = v < zero ? zero : v;
      v = v > full ? full : v;
      const Bytes8 bytes = __builtin_convertvector(v, Bytes8);
      std::memcpy(o + i, &bytes, sizeof bytes);
    }
    for (; i < n; ++i) o[i] = One(p1[i], p2[i]);
  }
};

// A sum of per-channel terms, f0(blue) + f1(green) + f2(red), read from two
// tables: one indexed by the pixel's blue and green bytes together (a single
// 16-bit read), one by its red byte. Every sum used here fits 16 bits.
struct ChannelSumTable {
  std::vector<std::uint16_t> blue_green = std::vector<std::uint16_t>(256 * 256);
  std::array<std::uint16_t, 256> red;

  template <class Term>
  explicit ChannelSumTable(const Term& term) {
    std::array<int, 256> blue, green;
    for (int v = 0; v < 256; ++v) blue[v] = term(0, v), green[v] = term(1, v), red[v] = std::uint16_t(term(2, v));
    for (int g = 0; g < 256; ++g)
      for (int b = 0; b < 256; ++b) blue_green[std::size_t(g * 256 + b)] = std::uint16_t(blue[b] + green[g]);
  }
  struct View {
    const std::uint16_t* blue_green;
    const std::uint16_t* red;
    int Sum(const Byte* p) const { return blue_green[p[1] << 8 | p[0]] + red[p[2]]; }
  };
  View view() const { return {blue_green.data(), red.data()}; }
};

// Brightness of one source with its bias raise folded in: at most 64 * 510.
ChannelSumTable MakeBrightnessTable(int k) {
  return ChannelSumTable([k](int c, int v) { return BrightnessTerm(c, v + k); });
}

// Copies one pixel as a 4-byte move where the row goes on after it (the fourth
// byte is the next pixel's, written again in its turn).
void CopyPixel(const Byte* from, Byte* to, bool last_in_row) {
  if (last_in_row)
    to[0] = from[0], to[1] = from[1], to[2] = from[2];
  else
    std::memcpy(to, from, 4);
}

struct BrightnessKernel {
  ChannelSumTable t1, t2;
  bool keep_brighter;  // most; least keeps the darker
  void Row(const Byte* p1, const Byte* p2, Byte* o, int width) const {
    // Local copies: the stores to o could otherwise alias the tables' pointers.
    const ChannelSumTable::View s1 = t1.view(), s2 = t2.view();
    for (int x = 0; x < width; ++x, p1 += 3, p2 += 3, o += 3)
      CopyPixel((s1.Sum(p1) < s2.Sum(p2)) == keep_brighter ? p2 : p1, o, x == width - 1);
  }
};

// The comp weight depends on each channel only through p - R + offset clamped to
// -8..8 (beyond +-7 the comparison is 0 or 1), so 17 x 17 x 17 weights cover
// every pixel; `position` gives a pixel's place among them.
struct CompTables {
  static constexpr int kLevels = 17;
  ChannelSumTable position;
  std::array<Byte, kLevels * kLevels * kLevels> weight;

};
CompTables MakeCompTables(const Bgr& reference, int offset) {
  constexpr int kStride[3] = {CompTables::kLevels * CompTables::kLevels, CompTables::kLevels, 1};
  CompTables t{ChannelSumTable([&](int c, int v) {
                 return (std::clamp(v - reference[c] + offset, -8, 8) + 8) * kStride[c];
               }),
               {}};
  for (int i0 = 0; i0 < CompTables::kLevels; ++i0)
    for (int i1 = 0; i1 < CompTables::kLevels; ++i1)
      for (int i2 = 0; i2 < CompTables::kLevels; ++i2)
        t.weight[std::size_t(i0 * kStride[0] + i1 * kStride[1] + i2)] = Byte(CompWeightFromSoftened(
            SoftenedComparison(i0 - 8), SoftenedComparison(i1 - 8), SoftenedComparison(i2 - 8)));
  return t;
}

// The comparing operators first find each pixel's weight (written to all three
// bytes of the pixel in a row of scratch bytes), then mix the rows 16 bytes at a
// time.
using RowScratch = std::array<Byte, kPlaneRowBytes>;

// o = (first * w + second * (255 - w)) >> 8, byte by byte; at most 255 * 255.
void MixRow(const Byte* first, const Byte* second, const Byte* w, Byte* o, int n) {
  int i = 0;
  const Unsigned16x16 all = Unsigned16x16{} + 255;
  for (; i + kLanes <= n; i += kLanes) {
    const Unsigned16x16 wf = __builtin_convertvector(Load16(w + i), Unsigned16x16);
    const Unsigned16x16 a = __builtin_convertvector(Load16(first + i), Unsigned16x16);
    const Unsigned16x16 b = __builtin_convertvector(Load16(second + i), Unsigned16x16);
    Store16(o + i, __builtin_convertvector((a * wf + b * (all - wf)) >> 8, Bytes16));
  }
  for (; i < n; ++i) o[i] = MixChannel(first[i], second[i], w[i]);
}

void SpreadToPixel(Byte* scratch, int x, Byte value) {
  scratch[3 * x] = scratch[3 * x + 1] = scratch[3 * x + 2] = value;
}

// Mixes source 1 and 2 with the weight taken from one of them; the weight goes
// to the first of the mix.
template <bool kWeightFromSource2, bool kSource2First>
struct CompKernel {
  CompTables t;
  void Row(const Byte* p1, const Byte* p2, Byte* o, int width) const {
    RowScratch weights;
    const Byte* weighed = kWeightFromSource2 ? p2 : p1;
    const ChannelSumTable::View position = t.position.view();
    for (int x = 0; x < width; ++x) {
      SpreadToPixel(weights.data(), x, t.weight[std::size_t(position.Sum(weighed + 3 * x))]);
    }
    if (kSource2First)
      MixRow(p2, p1, weights.data(), o, 3 * width);
    else
      MixRow(p1, p2, weights.data(), o, 3 * width);
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
    for (int x = 0; x < width; ++x, o += 3) ContrastStep<1>(threshold, o);
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
      Byte* o = target.row(y);
      kernel.Row(plane1.row(y), plane2.row(y), o, target.width());
      ContrastRow<kContrast>(o, target.width(), threshold);
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
    case 2: return Merge(BrightnessKernel{MakeBrightnessTable(255 - beta), MakeBrightnessTable(beta), true}, st, threads);
    case 3: return Merge(BrightnessKernel{MakeBrightnessTable(255 - beta), MakeBrightnessTable(beta), false}, st, threads);
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
