// Blush: the colours inside the zone's ellipse move towards the reference colour
// (up, converging) or away from it (down, without bound until the clamp).
#pragma once

#include "document/platform.h"
#include "document/state.h"
#include "zone/zone_geometry.h"

namespace wrimple {

// Recomputes the zone of `target` from `backup` for the accumulated count n
// (positive: towards `reference`).
void BlushZone(ConstTargetImage backup, TargetImage target, const ZoneGeometry& g, int n,
               const Bgr& reference);

// "Blush up" (direction +1) and "Blush down" (-1).
void Blush(State& st, Platform& pf, int direction);

}  // namespace wrimple
