// What the view draws over the target for the zone and the mouse modes, as
// plain data in window coordinates; the desktop program turns it into pen
// strokes and pictures.
#pragma once

#include <array>
#include <optional>

#include "document/platform.h"
#include "document/state.h"

namespace wrimple {

struct Segment {
  Point from, to;
};

// Dotted black pen, width 0.
struct ZoneDrawing {
  // While the zone is dragged its inside, these target pixels, shows the
  // average of the two source planes; drawn first.
  std::optional<PixelRect> preview;
  std::array<Point, 5> outline;             // closed polyline
  std::array<Segment, 4> cross;             // centre cross, arms of at most 20
};

// The zone as drawn by the view's mapping: the outline on the window pixels
// where the zone's edges fall, the cross scaled with the zoom. Nothing without
// sources or with a corner at -1. The view's repaint draws it when the zone is
// selected.
std::optional<ZoneDrawing> DrawZone(const State& st, const ViewMapping& mapping);

}  // namespace wrimple
