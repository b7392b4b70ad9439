// Drawing a source into its plane: the plain per-pixel version of the placement
// and the fast one that PlaceSource (recompose.h) runs. Both give the same bytes.
#pragma once

#include "document/state.h"

namespace wrimple {

void PlaceSourcePlain(State& st, int n);

// Rows are split over `threads` threads; the result is the same for any count.
void PlaceSourceFast(State& st, int n, int threads);

}  // namespace wrimple
