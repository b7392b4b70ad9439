// The 3 x 3 convolution filters of the Target menu: "Sharpen", "Emboss",
// "Blur", "Soften" and "Edge", one parameterised pass.
#pragma once

#include <array>

#include "document/platform.h"
#include "document/state.h"
#include "effects/row_driver.h"

namespace wrimple {

// Nine weights in row order (top row left to right first), a divisor (0: none,
// else truncating division) and an offset added after the division.
struct ConvolutionMask {
  std::array<int, 9> weights;
  int divisor;
  int offset;
};

enum class ConvolutionFilter { Sharpen, Emboss, Blur, Soften, Edge };

// Every 3 x 3 window of `from` whose centre lies in columns 1..W-3 and rows
// 1..H-3 gives the pixel at its lower-right corner in `to`; the other pixels
// of `to` are not written. Nothing is written when W or H is 3 or less.
void ApplyFilter(ConstTargetImage from, TargetImage to, ConvolutionFilter filter,
                 int threads = RowThreads());

// The menu command: snapshot, the filter from it, TargetModified, redraw.
void OnConvolutionFilter(State& st, Platform& pf, ConvolutionFilter filter);

}  // namespace wrimple
