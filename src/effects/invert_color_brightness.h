// "Invert Color/Brightness": saturated pixels are pushed across the middle
// brightness, the more the more saturated; grey pixels stay.
#pragma once

#include "document/platform.h"
#include "document/state.h"
#include "effects/row_driver.h"

namespace wrimple {

void InvertColorBrightness(ConstTargetImage from, TargetImage to, int threads = RowThreads());
void OnInvertColorBrightness(State& st, Platform& pf);

}  // namespace wrimple
