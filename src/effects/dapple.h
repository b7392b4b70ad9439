// The dapple effect: colour blotches grown by short random walks of similar
// colour, their colour pushed away from middle grey at every step.
#pragma once

#include "document/pixels.h"
#include "document/platform.h"
#include "document/state.h"

namespace wrimple {

// Paints trunc(W / 4) x trunc(H / 4) walks on `target` from `snapshot` (same
// size) with dapple size D. The walk engines are seeded afresh, so equal
// inputs give equal pictures. Reports green progress after every group of
// trunc(W / 4) walks.
void PaintDapples(ConstTargetImage snapshot, TargetImage target, int size, ProgressPane& progress);

// The effect as the dialog's Try runs it after reading the field: the working
// copy back into the target, the walks, TargetModified and redraw.
void RunDapple(State& st, Platform& pf, int size);

}  // namespace wrimple
