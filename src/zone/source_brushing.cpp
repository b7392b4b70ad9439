#include "zone/source_brushing.h"

namespace wrimple {

std::optional<BrushBox> DrawBrushBox(State& st, Platform& pf, Point p) {
  if (st.TargetWidth() == 0 || st.TargetHeight() == 0) return std::nullopt;
  st.zone.X2 = st.zone.X1;
  st.zone.Y2 = st.zone.Y1;
  const int half_w = st.zone.ZoneWidth / 2, half_h = st.zone.ZoneHeight / 2;
  const ViewMapping m = pf.view.Mapping();
  const Size client = pf.view.ClientSize();
  // In target pixels: the visible part of the target starts at `first` and
  // ends before `end`; the target's own edges are measured from the visible
  // start, as they are in the window at 1:1.
  const Point first = m.ToTarget({0, 0}), end = m.ToTarget({client.width, client.height});
  Point t = m.ToTarget(p);
  // The order of these checks decides where a box larger than the room ends up.
  if (end.y < t.y + half_h) t.y = end.y - (half_h + 1);
  if (end.x < t.x + half_w) t.x = end.x - half_w - 1;
  if (t.y - first.y < half_h) t.y = first.y + half_h;
  if (t.x - first.x < half_w) t.x = first.x + half_w;
  if (t.x - first.x + half_w >= st.TargetWidth()) t.x = first.x + st.TargetWidth() - half_w - 1;
  if (t.y - first.y + half_h >= st.TargetHeight()) t.y = first.y + st.TargetHeight() - half_h - 1;
  const Point top_left = m.ToWindow({t.x - half_w, t.y - half_h});
  const Point bottom_right = m.ToWindow({t.x + half_w, t.y + half_h});
  const int left = top_left.x, right = bottom_right.x, top = top_left.y, bottom = bottom_right.y;
  return BrushBox{.centre = m.ToWindow(t),
                  .outline = {Point{right, bottom}, Point{left, bottom}, Point{left, top},
                              Point{right, top}, Point{right, bottom}}};
}

std::optional<BrushBox> SourceBrushingOn(State& st, Platform& pf) {
  if (!st.tips.BrushTip.occupied && st.FlyingTipsEnabled && st.AligningSource == 0) {
    const ViewMapping m = pf.view.Mapping();
    const Point at = m.ToUi(m.ToWindow({st.zone.X1, st.zone.Y1}));
    st.tips.BrushTip.Fill(at.x, at.y - 100, at.x + 480, at.y - 86, kBrushTipText);
  }
  if (st.TargetWidth() == 0 || st.TargetHeight() == 0 || st.SourceCount <= 0) {
    st.SourceBrushing = false;
    return std::nullopt;
  }
  st.SourceBrushing = true;
  const Point centre{(st.zone.xmin() + st.zone.xmax()) >> 1,
                     (st.zone.ymin() + st.zone.ymax()) >> 1};
  return DrawBrushBox(st, pf, centre);
}

void SourceBrushingOff(State& st, Platform& pf) {
  st.zone.X2 = st.zone.X1;
  st.zone.Y2 = st.zone.Y1;
  st.SourceBrushing = false;
  pf.view.RedrawView();
}

}  // namespace wrimple
