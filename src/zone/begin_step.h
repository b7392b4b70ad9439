// The step protocol that every zone operation starts with: one signed counter per
// operation family, a snapshot of the target when a run of clicks starts, and
// the counter after the click as the strength of the recomputation.
#pragma once

#include "document/state.h"

namespace wrimple {

enum class ZoneStep {
  NudgeVertical,    // +1 up, -1 down
  NudgeHorizontal,  // +1 left, -1 right
  Twist,            // +1 clockwise, -1 counter clockwise
  SquashStretch,    // +1 stretch, -1 squash
  PortionMerge,     // +1 source 1, -1 source 2
  Blush,            // +1 up, -1 down
  Fill,             // no counter: zeroes all of them and takes no snapshot
};

// Marks the target modified, zeroes the other families' counters, snapshots the
// target when the own counter is 0, then adds direction (+1 or -1) to it.
// Returns the own counter after the step (0 for fill).
double BeginStep(State& st, ZoneStep step, int direction);

}  // namespace wrimple
