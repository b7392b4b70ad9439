#include "zone/zone_drawing.h"

#include <algorithm>
#include <cstdlib>

namespace wrimple {

std::optional<ZoneDrawing> DrawZone(const State& st, const ViewMapping& mapping) {
  const WrimpleZone& z = st.zone;
  if (st.SourceCount == 0 || z.X1 == -1 || z.Y1 == -1 || z.X2 == -1 || z.Y2 == -1)
    return std::nullopt;
  const Point top_left = mapping.ToWindow({z.xmin(), z.ymin()});
  const Point bottom_right = mapping.ToWindow({z.xmax(), z.ymax()});
  const int left = top_left.x, top = top_left.y, right = bottom_right.x, bottom = bottom_right.y;
  ZoneDrawing d;
  if (z.Dragging) d.preview = PixelRect{z.xmin(), z.ymin(), z.xmax(), z.ymax()};
  d.outline = {Point{left, top}, Point{right, top}, Point{right, bottom}, Point{left, bottom},
               Point{left, top}};
  // The cross in target pixels, arms of at most 20, then onto the window.
  const Point c{(z.xmin() + z.xmax()) / 2, (z.ymin() + z.ymax()) / 2};
  const int ax = std::min(std::abs((z.xmax() - z.xmin()) >> 1), 20);
  const int ay = std::min(std::abs((z.ymax() - z.ymin()) >> 1), 20);
  const Point centre = mapping.ToWindow(c);
  d.cross = {Segment{centre, mapping.ToWindow({c.x + ax, c.y})},
             Segment{centre, mapping.ToWindow({c.x - ax, c.y})},
             Segment{centre, mapping.ToWindow({c.x, c.y + ay})},
             Segment{centre, mapping.ToWindow({c.x, c.y - ay})}};
  return d;
}

}  // namespace wrimple
