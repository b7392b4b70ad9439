#include "zone/mouse_routing.h"

#include <algorithm>
#include <cstdlib>

#include "compose/align.h"
#include "zone/paint_brush.h"
#include "zone/sweep.h"

namespace wrimple {

namespace {

Point ToTarget(Platform& pf, Point window) { return pf.view.Mapping().ToTarget(window); }

Point ClampToTarget(const State& st, Point p) {
  return {std::clamp(p.x, 0, st.TargetWidth() - 1), std::clamp(p.y, 0, st.TargetHeight() - 1)};
}

bool HasAnchor(const State& st) { return st.zone.X1 != -1 && st.zone.Y1 != -1; }

// The mouse changes no target pixel but those the brush painted since the
// last repaint.
void Repaint(State& st, Platform& pf, ViewFeedback& fb) {
  const PixelRect painted = st.BrushPainted;
  st.BrushPainted = {};
  pf.view.RedrawTargetArea(painted);
  fb.repainted = true;
}

// After a repaint in target mode, the selected zone is drawn over the target.
ViewFeedback Finish(const State& st, Platform& pf, ViewFeedback fb) {
  const bool target_mode = st.AligningSource == 0 && !st.SourcePreview;
  if (fb.repainted && target_mode && ZoneSelected(st))
    fb.zone = DrawZone(st, pf.view.Mapping());
  return fb;
}

void ShowZoneTip(State& st, Platform& pf, Point t) {
  if (st.tips.ZoneTip.occupied || !st.FlyingTipsEnabled || st.AligningSource != 0) return;
  const ViewMapping m = pf.view.Mapping();
  const Point at = m.ToUi(m.ToWindow(t));
  st.tips.ZoneTip.Fill(at.x, at.y - 100, at.x + 480, at.y - 86, kZoneTipText);
}

ViewFeedback LeftDown(State& st, Platform& pf, const MouseEvent& e) {
  ViewFeedback fb;
  if (st.SourceCount == 0) return fb;
  const Point t = ToTarget(pf, e.window);
  st.MouseCaptured = true;
  st.tips.StartTip.Empty();
  st.tips.AlignTip.Empty();
  st.tips.BrushTip.Empty();
  st.tips.PreviewTip.CloseWindow();
  if (st.SourceBrushing) return fb;
  Repaint(st, pf, fb);
  WrimpleZone& z = st.zone;
  // A press left of or above the picture cannot happen in the window, but a
  // negative anchor would address pixels before the target's first row.
  if (t.x < 0 || t.y < 0 || t.x >= st.TargetWidth() || t.y >= st.TargetHeight()) {
    z.X1 = z.Y1 = z.X2 = z.Y2 = -1;
    return Finish(st, pf, fb);
  }
  z.X1 = z.X2 = t.x;
  z.Y1 = z.Y2 = t.y;
  z.Dragging = true;
  ShowZoneTip(st, pf, t);
  return Finish(st, pf, fb);
}

ViewFeedback RightDown(State& st, Platform& pf, const MouseEvent& e) {
  const Point t = ToTarget(pf, e.window);
  st.MouseCaptured = true;
  st.tips.StartTip.Empty();
  st.tips.BrushTip.Empty();
  if (!st.SourceBrushing) StartSweep(st, t.x, t.y);
  return {};
}

// A captured move that is not aligning, brushing or sweeping drags the zone's
// moving corner, held to the visible window and to the target.
void DragZoneCorner(State& st, Platform& pf, Point t) {
  const Size client = pf.view.ClientSize();
  const Point window_end = pf.view.Mapping().ToTarget({client.width, client.height});
  t.x = std::min(t.x, window_end.x);
  t.y = std::min(t.y, window_end.y);
  t = ClampToTarget(st, t);
  st.zone.X2 = t.x;
  st.zone.Y2 = t.y;
}

ViewFeedback CapturedMove(State& st, Platform& pf, Point window, std::uint32_t keys) {
  ViewFeedback fb;
  const Point t = ToTarget(pf, window);
  if (st.AligningSource != 0) {
    if (st.SourceCount >= 1) {
      Repaint(st, pf, fb);
      fb.align_line = Segment{pf.view.Mapping().ToWindow({st.zone.X1, st.zone.Y1}), window};
    }
  } else if (st.SourceBrushing) {
    Repaint(st, pf, fb);
    fb.brush_box = DrawBrushBox(st, pf, window);
    if (keys == kMouseLeftButton) PaintBrush(st, t.x, t.y, 1);
    if (keys == kMouseRightButton) PaintBrush(st, t.x, t.y, 2);
  } else if (keys == kMouseRightButton) {
    SweepStep(st, t.x, t.y);
  } else {
    DragZoneCorner(st, pf, t);
    Repaint(st, pf, fb);
  }
  return fb;
}

ViewFeedback LeftUp(State& st, Platform& pf, const MouseEvent& e) {
  ViewFeedback fb;
  const Point t = ClampToTarget(st, ToTarget(pf, e.window));
  st.MouseCaptured = false;
  if (!HasAnchor(st)) return fb;
  WrimpleZone& z = st.zone;
  if (st.AligningSource != 0) {
    MoveAlignedSource(st, pf, z.X1, z.Y1, t.x, t.y);
    return fb;
  }
  if (st.SourceBrushing) return fb;
  st.steps = StepCounters{};
  z.X2 = t.x;
  z.Y2 = t.y;
  z.ZoneWidth = std::abs(z.X2 - z.X1);
  z.ZoneHeight = std::abs(z.Y2 - z.Y1);
  st.tips.ZoneTip.Empty();
  z.Dragging = false;
  Repaint(st, pf, fb);
  return Finish(st, pf, fb);
}

ViewFeedback RightUp(State& st) {
  st.MouseCaptured = false;
  ViewFeedback fb;
  fb.refresh_reference_dialog = st.ReferenceColorDialog != nullptr;
  EndSweep(st);
  return fb;
}

}  // namespace

ViewFeedback OnButtonDown(State& st, Platform& pf, MouseButton button, const MouseEvent& e) {
  return button == MouseButton::Left ? LeftDown(st, pf, e) : RightDown(st, pf, e);
}

ViewFeedback OnMouseMove(State& st, Platform& pf, const MouseEvent& e) {
  st.tips.GrabBoxTip.Empty();
  if (!HasAnchor(st)) return {};
  // Window points beyond the zoomed picture's size count as on that edge.
  const Size picture = pf.view.Mapping().PictureSize(st.TargetWidth(), st.TargetHeight());
  const Point window{std::min(e.window.x, picture.width), std::min(e.window.y, picture.height)};
  if (st.MouseCaptured) return Finish(st, pf, CapturedMove(st, pf, window, e.keys));
  ViewFeedback fb;
  if (st.SourceBrushing) {
    Repaint(st, pf, fb);
    fb.brush_box = DrawBrushBox(st, pf, window);
  }
  return fb;
}

ViewFeedback OnButtonUp(State& st, Platform& pf, MouseButton button, const MouseEvent& e) {
  return button == MouseButton::Left ? LeftUp(st, pf, e) : RightUp(st);
}

}  // namespace wrimple
