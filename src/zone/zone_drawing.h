// What the view draws over the target for the zone and the mouse modes, as
// plain data in window coordinates; the desktop program turns it into pen
// strokes and pixel blocks.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "document/platform.h"
#include "document/state.h"

namespace wrimple {

struct Segment {
  Point from, to;
};

// While a zone is dragged its inside shows the average of the two source planes.
struct ZonePreviewBlock {
  Point at;  // window point of the block's top-left pixel
  int width = 0, height = 0;
  std::vector<std::uint8_t> rows;  // bottom-up, RowLength24(width) bytes a row
};

// Dotted black pen, width 0.
struct ZoneDrawing {
  std::optional<ZonePreviewBlock> preview;  // drawn first
  std::array<Point, 5> outline;             // closed polyline
  std::array<Segment, 4> cross;             // centre cross, arms of at most 20
};

// The zone as drawn at the current scroll position: nothing without sources or
// with a corner at -1. The view's repaint draws it when the zone is selected.
std::optional<ZoneDrawing> DrawZone(const State& st, Point scroll);

}  // namespace wrimple
