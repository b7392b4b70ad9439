// Squash and stretch: the content inside the zone's ellipse shrinks towards or
// grows from the centre, most at the centre and not at all on the ellipse.
#pragma once

#include "document/platform.h"
#include "document/state.h"
#include "zone/zone_geometry.h"

namespace wrimple {

// Recomputes the zone of `target` from `backup` for the accumulated count n
// (positive: stretch) and the aggressiveness.
void SquashStretchZone(ConstTargetImage backup, TargetImage target, const ZoneGeometry& g, int n,
                       int aggressiveness);

// "Stretch" (direction +1) and "Squash" (-1).
void SquashStretch(State& st, Platform& pf, int direction);

}  // namespace wrimple
