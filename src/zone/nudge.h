// Nudge: the content of the zone's rectangle is pushed up, down, left or right,
// most on the centre line across the push and fading out towards the sides,
// while the zone's first and last line along the push stay in place.
#pragma once

#include "document/platform.h"
#include "document/state.h"
#include "zone/zone_geometry.h"

namespace wrimple {

enum class NudgeAxis { Vertical, Horizontal };
enum class NudgeDirection { Down, Up, Left, Right };

// Recomputes the zone of `target` from `backup` for the accumulated count n
// (positive: content towards the top or the left) and the aggressiveness.
void NudgeZone(ConstTargetImage backup, TargetImage target, const ZoneGeometry& g, NudgeAxis axis,
               int n, int aggressiveness);

// "Nudge down", "Nudge up", "Nudge left" and "Nudge right".
void Nudge(State& st, Platform& pf, NudgeDirection direction);

}  // namespace wrimple
