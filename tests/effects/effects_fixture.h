// Small pictures for the effect tests: a patterned target with one source
// counted, padding bytes marked so that a stray write shows, and the helpers
// that compare pictures byte for byte.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "document/state.h"
#include "support/scripted_platform.h"

namespace wrimple::testing {

inline constexpr std::uint8_t kPaddingMark = 0xA5;

// Floor of a / b for b > 0, written without shifts.
inline int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// Every padding byte of a target of the current size gets the mark.
inline void MarkPadding(State& st) {
  const TargetImage t = st.Target();
  for (int y = 0; y < t.height(); ++y)
    for (int i = 3 * t.width(); i < t.row_length(); ++i) t.row(y)[i] = kPaddingMark;
}

inline void ExpectPaddingMarked(const State& st) {
  const ConstTargetImage t = st.Target();
  for (int y = 0; y < t.height(); ++y)
    for (int i = 3 * t.width(); i < t.row_length(); ++i)
      ASSERT_EQ(t.row(y)[i], kPaddingMark) << "padding byte " << i << " of row " << y;
}

// A target of the given size with one source counted, a pattern in every byte
// and marked padding.
inline void PrepareTarget(State& st, int width, int height, unsigned seed = 1) {
  st.SetTargetSize(width, height);
  st.SourceCount = 1;
  FillTargetPattern(st, seed);
  MarkPadding(st);
}

inline std::vector<std::uint8_t> CopyOf(ConstTargetImage image) {
  return {image.bits(), image.bits() + image.byte_size()};
}

inline void FillUniform(State& st, Bgr colour) {
  const TargetImage t = st.Target();
  for (int y = 0; y < t.height(); ++y)
    for (int x = 0; x < t.width(); ++x) WritePixel(t.pixel(x, y), colour);
}

inline Bgr TargetPixel(const State& st, int x, int y) { return ReadPixel(st.Target().pixel(x, y)); }

}  // namespace wrimple::testing
