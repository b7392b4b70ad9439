// "Flip horizontal": the target mirrored left to right.
#pragma once

#include "document/platform.h"
#include "document/state.h"
#include "effects/row_driver.h"

namespace wrimple {

// Pixel (x, y) of `to` becomes pixel (W - 1 - x, y) of `from`.
void FlipHorizontal(ConstTargetImage from, TargetImage to, int threads = RowThreads());
// The menu command; it also ends the zone and its step counters.
void OnFlipHorizontal(State& st, Platform& pf);

}  // namespace wrimple
