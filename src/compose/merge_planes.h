// The two ways of merging the source planes into the target with the state's
// MergeMethod, MergeBias, ReferenceColor, ContrastMode and ContrastThreshold:
// the plain one through the operator objects, pixel by pixel, and the fast one
// with the operator resolved once per call. Both write the target only, and only
// for a MergeMethod of 0..10; MergeSources adds the check, the flags and the
// redraw.
#pragma once

#include "document/state.h"

namespace wrimple {

void MergePlanesPlain(State& st);

// Rows are split over `threads` threads; the result is the same for any count.
void MergePlanesFast(State& st, int threads);

}  // namespace wrimple
