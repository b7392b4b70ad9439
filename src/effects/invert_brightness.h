// "Invert Brightness": each pixel's brightness is mirrored while the differences
// between its channels stay.
#pragma once

#include "document/platform.h"
#include "document/state.h"
#include "effects/row_driver.h"

namespace wrimple {

void InvertBrightness(ConstTargetImage from, TargetImage to, int threads = RowThreads());
void OnInvertBrightness(State& st, Platform& pf);

}  // namespace wrimple
