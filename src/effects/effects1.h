// Special effects 1: block displacement that breaks the picture into glassy,
// torn, segmented and scattered pieces.
#pragma once

#include "document/pixels.h"
#include "document/platform.h"

namespace wrimple {

struct Effects1Parameters {
  int vitreous1 = 0;  // horizontal displacement by block brightness, 0..15
  int vitreous2 = 0;  // grey-fill threshold, 0..15
  int tear = 0;       // vertical displacement by block pattern, 0..7
  int segment = 0;    // segment length, 0..31
  int scatter = 0;    // random scatter, 0..15
};

// Recomputes `target` from `snapshot` (same size), two draws of `random` per
// pixel that is neither in the last column nor in the last row. Pixels whose
// displaced source lies outside the picture, and the last column and row, keep
// what `target` holds.
void SpecialEffects1(ConstTargetImage snapshot, TargetImage target, const Effects1Parameters& p,
                     RandomGenerator& random);

}  // namespace wrimple
