// "Flip source 1 horizontal" and "Flip source 2 horizontal".
#pragma once

#include "document/platform.h"
#include "document/state.h"

namespace wrimple {

// Toggles the mirror flag of source n (1 or 2) and recomposes, after asking
// whether to overwrite target changes.
void FlipSource(State& st, Platform& pf, int n);

}  // namespace wrimple
