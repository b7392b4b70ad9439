#include "zone/source_brushing.h"

namespace wrimple {

std::optional<BrushBox> DrawBrushBox(State& st, Platform& pf, Point p) {
  if (st.TargetWidth() == 0 || st.TargetHeight() == 0) return std::nullopt;
  st.zone.X2 = st.zone.X1;
  st.zone.Y2 = st.zone.Y1;
  const int half_w = st.zone.ZoneWidth / 2, half_h = st.zone.ZoneHeight / 2;
  const Size client = pf.view.ClientSize();
  // The order of these checks decides where a box larger than the room ends up.
  if (client.height < p.y + half_h) p.y = client.height - (half_h + 1);
  if (client.width < p.x + half_w) p.x = client.width - half_w - 1;
  if (p.y < half_h) p.y = half_h;
  if (p.x < half_w) p.x = half_w;
  if (p.x + half_w >= st.TargetWidth()) p.x = st.TargetWidth() - half_w - 1;
  if (p.y + half_h >= st.TargetHeight()) p.y = st.TargetHeight() - half_h - 1;
  const int left = p.x - half_w, right = p.x + half_w, top = p.y - half_h, bottom = p.y + half_h;
  return BrushBox{.centre = p,
                  .outline = {Point{right, bottom}, Point{left, bottom}, Point{left, top},
                              Point{right, top}, Point{right, bottom}}};
}

std::optional<BrushBox> SourceBrushingOn(State& st, Platform& pf) {
  const Point scroll = pf.view.ScrollPosition();
  if (!st.tips.BrushTip.occupied && st.FlyingTipsEnabled && st.AligningSource == 0) {
    const int left = st.zone.X1 - scroll.x;
    st.tips.BrushTip.Fill(left, st.zone.Y1 - scroll.y - 100, left + 480, st.zone.Y1 - scroll.y - 86,
                          kBrushTipText);
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
