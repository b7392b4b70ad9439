// The 16-tap smoothing shared by the perturbation and band effects: a
// horizontal pass into a first plane, then a vertical pass into the result.
#pragma once

#include "document/pixels.h"
#include "document/platform.h"
#include "document/zeroed_buffer.h"

namespace wrimple {

// The smoothing weights, in double precision (they sum to 1.0006).
inline constexpr double kSmoothingWeights[16] = {0.014, 0.028, 0.042, 0.056, 0.069, 0.0833,
                                                 0.097, 0.111, 0.111, 0.097, 0.0833, 0.069,
                                                 0.056, 0.042, 0.028, 0.014};
// Pixels within this distance of an edge have no complete neighbourhood.
inline constexpr int kSmoothingMargin = 8;

// A working plane laid out like the target it was made for, zero-filled.
class SmoothingPlane {
 public:
  SmoothingPlane(int width, int height)
      : bytes_(std::size_t(RowLength24(width)) * height + 1), width_(width), height_(height) {}
  TargetImage image() { return TargetImage(bytes_.data(), width_, height_); }
  ConstTargetImage image() const { return ConstTargetImage(bytes_.data(), width_, height_); }

 private:
  ZeroedBuffer bytes_;
  int width_;
  int height_;
};

// Smooths `picture` over the interior, columns 8..W - 9 and rows 8..H - 9; the
// rest of the result stays 0. Each channel is the weighted sum of 16
// neighbours in double precision, truncated and clamped to 0..255, first along
// the row, then down the column. Reports green progress after every row of the
// first pass and every column of the second. `threads` may be 1 or 2: the
// result is the same.
SmoothingPlane SmoothPicture(ConstTargetImage picture, ProgressPane& progress, int threads);

}  // namespace wrimple
