// Aligning a source with the mouse and the grab boxes.
#pragma once

#include "document/platform.h"
#include "document/state.h"

namespace wrimple {

// Starts aligning source n (1 or 2), or ends aligning (0).
void SetAligning(State& st, Platform& pf, int n);

// The end of a left-button drag on the view while aligning: the press point
// (x1, y1) and the release point (x, y), clamped to the target.
void MoveAlignedSource(State& st, Platform& pf, int x1, int y1, int x, int y);

}  // namespace wrimple
