// One spot of source brushing: an ellipse of the brush size around the target
// point under the mouse, painted from a source's plane (or, with one source and
// the right button, in the reference colour).
#pragma once

#include "document/state.h"

namespace wrimple {

// which = 1 for the left button, 2 for the right. Pixels outside the target are
// skipped; no snapshot, no counters, no repaint.
void PaintBrush(State& st, int x, int y, int which);

}  // namespace wrimple
