// Effects 2, perturbation: every pixel is displaced by the sine of its smoothed
// colour, so the picture ripples along its own shapes.
#pragma once

#include "document/pixels.h"
#include "document/platform.h"
#include "document/state.h"

namespace wrimple {

// Recomputes `target` from `snapshot` (same size) with amplitude A and
// frequency F: smoothing, displacement (black where the displaced pixel falls
// outside), and a black frame of 8 pixels round the interior. Reports green
// progress; `threads` 1 or 2 give the same picture.
void Perturb(ConstTargetImage snapshot, TargetImage target, int amplitude, int frequency,
             ProgressPane& progress, int threads);

// The effect as the dialog's Try runs it once the fields are valid: perturb
// from the working copy, TargetModified, redraw, grey progress at the end.
void RunPerturbation(State& st, Platform& pf, int amplitude, int frequency);

}  // namespace wrimple
