// Source brushing on and off, and the brush box that follows the mouse while it
// is on. The box is as large as the last dragged zone.
#pragma once

#include <array>
#include <optional>

#include "document/platform.h"
#include "document/state.h"

namespace wrimple {

// Dashed black pen, width 0, in window coordinates; the box covers ZoneWidth x
// ZoneHeight target pixels at any zoom.
struct BrushBox {
  Point centre;                  // the point after holding the box in the window and target
  std::array<Point, 5> outline;  // closed polyline
};

// Collapses the zone to its anchor and places the brush box around the window
// point p, held inside the client area and the target. Nothing without a target.
std::optional<BrushBox> DrawBrushBox(State& st, Platform& pf, Point p);

// "Source brushing": the brush tip, brushing on and the box at the zone centre.
std::optional<BrushBox> SourceBrushingOn(State& st, Platform& pf);

// "Source brushing off": collapses the zone and repaints.
void SourceBrushingOff(State& st, Platform& pf);

inline constexpr const char* kBrushTipText =
    "Position this source brush box, hold down LMB/RMB to draw source 1/2. When finished click "
    "source brushing off.";

}  // namespace wrimple
