// Rebuilding the target from the sources.
#pragma once

#include "document/platform.h"
#include "document/state.h"

namespace wrimple {

// Places every loaded source into its plane and, unless the target is locked,
// rebuilds the target from the planes; ends with a redraw.
void RecomposeTarget(State& st, Platform& pf);

// Draws source n (1 or 2) into its plane and sets its placed size.
void PlaceSource(State& st, int n);

// Combines the two planes into the target with the current merge settings.
void MergeSources(State& st, Platform& pf);

}  // namespace wrimple
