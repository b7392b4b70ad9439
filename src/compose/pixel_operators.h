// The per-pixel merge operators: one small class per merge method, called through
// the virtual combine for every pixel of the plain merge. The arithmetic they
// share is here as inline functions, so that the table-driven fast merge builds
// its tables from exactly the same expressions.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "document/pixels.h"
#include "document/state.h"

namespace wrimple {

// --- Shared arithmetic ----------------------------------------------------

// One channel's share of the brightness used by least and most: 64 times 0.11
// (blue), 0.59 (green) and 0.30 (red), each product truncated on its own.
inline int BrightnessTerm(int channel, int value) {
  constexpr double kWeights[3] = {7.04, 37.76, 19.2};
  return int(kWeights[channel] * value);
}
// Brightness of p with every channel raised by k.
inline int MergeBrightness(const Bgr& p, int k) {
  return BrightnessTerm(0, p[0] + k) + BrightnessTerm(1, p[1] + k) + BrightnessTerm(2, p[2] + k);
}

// Source weights of the subtract operators: a for source 1, b for source 2.
struct SubtractWeights {
  int a, b;
};
inline SubtractWeights SubtractWeightsFor(int bias) {
  return bias > 127 ? SubtractWeights{255 - bias, 127} : SubtractWeights{127, bias};
}

// The comparison of one channel against the reference, softened over +-7 levels:
// 0 well below, 1 well above. d is an integer difference held as a double.
inline double SoftenedComparison(double d) {
  if (d > 7) return 1.0;
  if (d < -7) return 0.0;
  return (d / 7 + 1) * 0.5;
}
// Offset added to p - R: comparisons on source 1 (comp12, comp21) lean one way
// with the bias, those on source 2 (comp_h_12, comp_h_21) the other.
inline int CompOffsetSource1(int bias) { return 255 - 2 * bias; }
inline int CompOffsetSource2(int bias) { return -255 + 2 * bias; }
// The weight from the three softened comparisons: 255 times the cube root of the
// sum of their cubes, truncated, then limited to 255 (all three at 1 give 367).
inline int CompWeightFromSoftened(double e0, double e1, double e2) {
  const double s = e0 * e0 * e0 + e1 * e1 * e1 + e2 * e2 * e2;
  if (s == 0) return 0;
  return std::clamp(int(255 * std::exp(std::log(s) / 3)), 0, 255);
}
inline int CompWeight(const Bgr& p, const Bgr& reference, int offset) {
  double e[3];
  for (int c = 0; c < 3; ++c) e[c] = SoftenedComparison(double(p[c]) - reference[c] + offset);
  return CompWeightFromSoftened(e[0], e[1], e[2]);
}
// Weighted mix of two channel values, w in 0..255 for the first.
inline std::uint8_t MixChannel(int first, int second, int w) {
  return std::uint8_t((first * w + second * (255 - w)) >> 8);
}

inline bool SameColor(const Bgr& p, const Bgr& q) { return p[0] == q[0] && p[1] == q[1] && p[2] == q[2]; }

// The contrast step after an operator: 0 leaves the pixel, 1 makes it black or
// white by its channel sum, 2 makes each channel 0 or 255 on its own.
template <int kMode>
inline void ContrastStep(int threshold, std::uint8_t* o) {
  if constexpr (kMode == 2) {
    for (int c = 0; c < 3; ++c) o[c] = o[c] > threshold ? 255 : 0;
  } else if constexpr (kMode == 1) {
    const std::uint8_t v = o[0] + o[1] + o[2] > 3 * threshold ? 255 : 0;
    o[0] = o[1] = o[2] = v;
  }
}

// --- The operator family --------------------------------------------------

class pixel {
 public:
  virtual ~pixel() = default;
  // Writes the merge of p1 (source 1) and p2 (source 2) to the three output
  // bytes (blue, green, red). The base writes nothing.
  virtual void combine(Bgr, Bgr, std::uint8_t*, std::uint8_t*, std::uint8_t*) {}
};

// The operators without colours of their own read the bias and the reference
// colour from the state at every call.
class state_pixel : public pixel {
 public:
  explicit state_pixel(const State& st) : st_(st) {}

 protected:
  const State& st_;
};

class picture1 final : public pixel {
 public:
  void combine(Bgr p1, Bgr, std::uint8_t* o0, std::uint8_t* o1, std::uint8_t* o2) override;
};
class picture2 final : public pixel {
 public:
  void combine(Bgr, Bgr p2, std::uint8_t* o0, std::uint8_t* o1, std::uint8_t* o2) override;
};

#define WRIMPLE_STATE_OPERATOR(name)                                                        \
  class name final : public state_pixel {                                                   \
   public:                                                                                  \
    using state_pixel::state_pixel;                                                         \
    void combine(Bgr p1, Bgr p2, std::uint8_t* o0, std::uint8_t* o1, std::uint8_t* o2) override; \
  }
WRIMPLE_STATE_OPERATOR(average);
WRIMPLE_STATE_OPERATOR(least);
WRIMPLE_STATE_OPERATOR(most);
WRIMPLE_STATE_OPERATOR(subtract12);
WRIMPLE_STATE_OPERATOR(subtract21);
WRIMPLE_STATE_OPERATOR(comp12);
WRIMPLE_STATE_OPERATOR(comp21);
WRIMPLE_STATE_OPERATOR(comp_h_12);
WRIMPLE_STATE_OPERATOR(comp_h_21);
#undef WRIMPLE_STATE_OPERATOR

// The text operators tell a text source's background (exactly BaseColor) from its
// ink; they hold the document and the text colour of one source, in pixel order.
class text_pixel : public pixel {
 public:
  text_pixel(const Cwrimple32Doc& doc, ColorRef text_color) : doc_(doc), color_(ToBgr(text_color)) {}

 protected:
  bool IsBackground(const Bgr& p) const { return SameColor(p, doc_.BaseColor); }
  const Cwrimple32Doc& doc_;
  Bgr color_;
};

#define WRIMPLE_TEXT_OPERATOR(name)                                                         \
  class name final : public text_pixel {                                                    \
   public:                                                                                  \
    using text_pixel::text_pixel;                                                           \
    void combine(Bgr p1, Bgr p2, std::uint8_t* o0, std::uint8_t* o1, std::uint8_t* o2) override; \
  }
WRIMPLE_TEXT_OPERATOR(text_comp12);
WRIMPLE_TEXT_OPERATOR(text_comp21);
WRIMPLE_TEXT_OPERATOR(text_comp_h_12);
WRIMPLE_TEXT_OPERATOR(text_comp_h_21);
#undef WRIMPLE_TEXT_OPERATOR

// One instance of every operator, as a merge builds them at its start: the text
// operators 12 and 21 take source 1's TextColor, the _h_ ones source 2's.
struct MergeOperators {
  explicit MergeOperators(const State& st);

  // The operator of a MergeMethod code (text operators for 7 and 8 when source 1
  // is typed text, for 9 and 10 when source 2 is); nullptr for 11 and any code
  // outside 0..10.
  pixel* Choose(int method, bool text1, bool text2);

  picture1 only1;
  picture2 only2;
  most brightest;
  least darkest;
  subtract12 sub12;
  subtract21 sub21;
  average mean;
  comp12 c12;
  comp21 c21;
  comp_h_12 ch12;
  comp_h_21 ch21;
  text_comp12 t12;
  text_comp21 t21;
  text_comp_h_12 th12;
  text_comp_h_21 th21;
};

}  // namespace wrimple
