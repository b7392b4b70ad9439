// The right-button sweep: the average of the target pixels under the pointer
// becomes the reference colour.
#pragma once

#include "document/state.h"

namespace wrimple {

// Right press at target point (x, y) while not brushing: inside the target the
// sweep starts with that pixel and the zone collapses to it.
void StartSweep(State& st, int x, int y);

// A move with the right button alone while the sweep is active.
void SweepStep(State& st, int x, int y);

// Right release.
void EndSweep(State& st);

}  // namespace wrimple
