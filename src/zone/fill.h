// Fill: the zone's rectangle becomes a copy of the same rectangle of a source's
// plane, as that source is placed now.
#pragma once

#include "document/platform.h"
#include "document/state.h"

namespace wrimple {

// "Fill from source 1" and "Fill from source 2" (source = 1 or 2).
void Fill(State& st, Platform& pf, int source);

}  // namespace wrimple
