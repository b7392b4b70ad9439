// Pencil draw: short straight strokes of quantised average colour along runs of
// similar colour, from random start points, so that the picture looks hatched
// with coloured pencils.
#pragma once

#include "document/pixels.h"
#include "document/platform.h"
#include "document/state.h"

namespace wrimple {

// Starts W x H strokes on `target` (same size as `snapshot`), every start point
// and every walk reading only `snapshot`. Two draws of `random` per stroke.
// Reports green progress after each row of W strokes.
void DrawPencilStrokes(ConstTargetImage snapshot, TargetImage target, RandomGenerator& random,
                       ProgressPane& progress);

// The "Pencil Draw" command: snapshot, strokes, TargetModified, redraw, with the
// grey progress report before and after.
void PencilDraw(State& st, Platform& pf);

}  // namespace wrimple
