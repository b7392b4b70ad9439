// "Black and White": every pixel becomes the grey of its weighted brightness.
#pragma once

#include "document/platform.h"
#include "document/state.h"
#include "effects/row_driver.h"

namespace wrimple {

void BlackAndWhite(ConstTargetImage from, TargetImage to, int threads = RowThreads());
void OnBlackAndWhite(State& st, Platform& pf);

}  // namespace wrimple
