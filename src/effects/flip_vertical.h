// "Flip vertical": the target mirrored top to bottom.
#pragma once

#include "document/platform.h"
#include "document/state.h"
#include "effects/row_driver.h"

namespace wrimple {

// Pixel (x, y) of `to` becomes pixel (x, H - 1 - y) of `from`.
void FlipVertical(ConstTargetImage from, TargetImage to, int threads = RowThreads());
// The menu command; it also ends the zone and its step counters.
void OnFlipVertical(State& st, Platform& pf);

}  // namespace wrimple
