// Portion merge: a source's plane is blended into the zone's ellipse, an eighth
// of the way per click at the centre and not at all on the ellipse.
#pragma once

#include "document/platform.h"
#include "document/state.h"
#include "zone/zone_geometry.h"

namespace wrimple {

// Blends `source` into the zone of `target` from `backup` with strength |n|
// (n != 0).
void PortionMergeZone(ConstTargetImage backup, TargetImage target, ConstPlane source,
                      const ZoneGeometry& g, int n);

// "Portion merge in source 1" (direction +1) and "in source 2" (-1). The sign of
// the accumulated count, not the button, chooses the source; a count of 0
// brings the whole base picture back.
void PortionMerge(State& st, Platform& pf, int direction);

}  // namespace wrimple
