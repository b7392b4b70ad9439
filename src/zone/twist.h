// Twist: the content inside the zone's ellipse turns about the centre, fully at
// the centre and not at all on the ellipse.
#pragma once

#include "document/platform.h"
#include "document/state.h"
#include "zone/zone_geometry.h"

namespace wrimple {

// Recomputes the zone of `target` from `backup` for the accumulated count n
// (positive: clockwise on the screen) and the aggressiveness.
void TwistZone(ConstTargetImage backup, TargetImage target, const ZoneGeometry& g, double n,
               int aggressiveness);

// "Twist clockwise" (direction +1) and "Twist counter clockwise" (-1).
void Twist(State& st, Platform& pf, int direction);

}  // namespace wrimple
