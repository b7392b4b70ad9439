// Effects 3, bands: the smoothed brightness cut into alternating black and
// white bands.
#pragma once

#include "document/pixels.h"
#include "document/platform.h"
#include "document/state.h"

namespace wrimple {

// Recomputes `target` from `snapshot` (same size) with band frequency N. The
// 8-pixel border, where the smoothing computes nothing, reads a smoothed value
// of 0 and turns black. `threads` 1 or 2 give the same picture.
void DrawBands(ConstTargetImage snapshot, TargetImage target, int bands, ProgressPane& progress,
               int threads);

// The effect as the dialog's Try runs it once the field is valid.
void RunBands(State& st, Platform& pf, int bands);

}  // namespace wrimple
