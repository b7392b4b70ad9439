#include "zone/zone_drawing.h"

#include <algorithm>
#include <cstdlib>

namespace wrimple {

namespace {

ZonePreviewBlock SourcesUnderZone(const State& st, const WrimpleZone& z, Point at) {
  ZonePreviewBlock block{.at = at, .width = z.xmax() - z.xmin(), .height = z.ymax() - z.ymin()};
  block.rows.assign(std::size_t(RowLength24(block.width)) * block.height, 0);
  const TargetImage out(block.rows.data(), block.width, block.height);
  const ConstPlane a = st.doc.Source(1).plane();
  const ConstPlane b = st.doc.Source(st.SourceCount >= 2 ? 2 : 1).plane();
  for (int y = 0; y < block.height; ++y) {
    const std::uint8_t* pa = a.pixel(z.xmin(), z.ymin() + y);
    const std::uint8_t* pb = b.pixel(z.xmin(), z.ymin() + y);
    std::uint8_t* o = out.row(y);
    for (int i = 0; i < 3 * block.width; ++i) o[i] = std::uint8_t((pa[i] + pb[i]) >> 1);
  }
  return block;
}

}  // namespace

std::optional<ZoneDrawing> DrawZone(const State& st, Point scroll) {
  const WrimpleZone& z = st.zone;
  if (st.SourceCount == 0 || z.X1 == -1 || z.Y1 == -1 || z.X2 == -1 || z.Y2 == -1)
    return std::nullopt;
  const int left = z.xmin() - scroll.x, right = z.xmax() - scroll.x;
  const int top = z.ymin() - scroll.y, bottom = z.ymax() - scroll.y;
  ZoneDrawing d;
  if (z.Dragging) d.preview = SourcesUnderZone(st, z, {left, top});
  d.outline = {Point{left, top}, Point{right, top}, Point{right, bottom}, Point{left, bottom},
               Point{left, top}};
  const Point c{(z.xmin() + z.xmax()) / 2 - scroll.x, (z.ymin() + z.ymax()) / 2 - scroll.y};
  const int ax = std::min(std::abs((z.xmax() - z.xmin()) >> 1), 20);
  const int ay = std::min(std::abs((z.ymax() - z.ymin()) >> 1), 20);
  d.cross = {Segment{c, {c.x + ax, c.y}}, Segment{c, {c.x - ax, c.y}}, Segment{c, {c.x, c.y + ay}},
             Segment{c, {c.x, c.y - ay}}};
  return d;
}

}  // namespace wrimple
