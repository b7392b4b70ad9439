#include "compose/grab_box.h"

#include "compose/align.h"
#include "compose/recompose.h"
#include "compose/source_scaling.h"

namespace wrimple {

namespace {

// Scales that a grab box computes stay in the range the scaling dialog accepts,
// so a stretch or drag past the opposite edge never yields a scale of 0 or below.
float LimitScale(float percent) {
  if (percent <= 0) return 1.0f;
  return percent > kMaxScalePercent ? kMaxScalePercent : percent;
}

// ratio = numerator / denominator in single precision, times the scale.
float Rescaled(float scale, int numerator, int denominator) {
  return scale * (float(numerator) / float(denominator));
}

bool IsLeftBox(GrabBoxName box) {
  return box == GrabBoxName::TopLeft || box == GrabBoxName::BottomLeft;
}

bool IsTopBox(GrabBoxName box) {
  return box == GrabBoxName::TopLeft || box == GrabBoxName::TopRight;
}

// Snaps the named corner of the placed box onto the same corner of the target.
void MoveToEdge(SourceImage& s, GrabBoxName box, int W, int H) {
  s.OffsetX = IsLeftBox(box) ? 0 : s.PlacedWidth - W;
  s.OffsetY = IsTopBox(box) ? 0 : s.PlacedHeight - H;
}

// Moves the named corner's edges onto the target's edges; the opposite edges stay.
void StretchToEdge(SourceImage& s, GrabBoxName box, int W, int H) {
  const int pw = s.PlacedWidth, ph = s.PlacedHeight;
  if (IsLeftBox(box)) {
    s.ScaleXPercent = LimitScale(Rescaled(s.ScaleXPercent, pw - s.OffsetX, pw));
    s.OffsetX = 0;
  } else {
    s.ScaleXPercent = LimitScale(Rescaled(s.ScaleXPercent, s.OffsetX + W, pw));
  }
  if (IsTopBox(box)) {
    s.ScaleYPercent = LimitScale(Rescaled(s.ScaleYPercent, ph - s.OffsetY, ph));
    s.OffsetY = 0;
  } else {
    s.ScaleYPercent = LimitScale(Rescaled(s.ScaleYPercent, s.OffsetY + H, ph));
  }
}

// Moves the named corner by (dx, dy); the opposite corner stays.
void DragCorner(SourceImage& s, GrabBoxName box, int dx, int dy) {
  const int pw = s.PlacedWidth, ph = s.PlacedHeight;
  if (IsLeftBox(box)) {
    s.ScaleXPercent = LimitScale(Rescaled(s.ScaleXPercent, pw - dx, pw));
    s.OffsetX -= dx;
  } else {
    s.ScaleXPercent = LimitScale(Rescaled(s.ScaleXPercent, pw + dx, pw));
  }
  if (IsTopBox(box)) {
    s.ScaleYPercent = LimitScale(Rescaled(s.ScaleYPercent, ph - dy, ph));
    s.OffsetY -= dy;
  } else {
    s.ScaleYPercent = LimitScale(Rescaled(s.ScaleYPercent, ph + dy, ph));
  }
}

// A corner drag of (dx, dy) pixels of the box moves the corner by as many
// whole target pixels as the zoom makes of them. The box follows its corner,
// so the motion not yet applied is measured again at the next move.
void DragBy(State& st, Platform& pf, GrabBoxName box, int dx, int dy) {
  const ViewMapping m = pf.view.Mapping();
  GrabBoxAction(st, pf, box, kDragCorner, m.LengthToTarget(m.UiLength(dx)),
                m.LengthToTarget(m.UiLength(dy)));
}

}  // namespace

std::string_view GrabBoxWindowName(GrabBoxName box) {
  static constexpr std::string_view kNames[kGrabBoxCount] = {"top_left", "bottom_right", "top_right",
                                                             "bottom_left", "middle"};
  return kNames[int(box)];
}

GrabBox& BoxOf(State& st, GrabBoxName box) { return st.GrabBoxes[std::size_t(box)]; }

Point GrabBoxAnchor(const State& st, int n, GrabBoxName box) {
  const SourceImage& s = st.doc.Source(n);
  const int left = -s.OffsetX, top = -s.OffsetY;
  switch (box) {
    case GrabBoxName::TopLeft: return {left, top};
    case GrabBoxName::BottomRight: return {s.PlacedWidth + left, s.PlacedHeight + top};
    case GrabBoxName::TopRight: return {s.PlacedWidth + left, top};
    case GrabBoxName::BottomLeft: return {left, s.PlacedHeight + top};
    case GrabBoxName::Middle: break;
  }
  return {s.PlacedWidth / 2 + left, s.PlacedHeight / 2 + top};
}

int GrabBoxModeAt(GrabBoxName box, int x, int y) {
  if (box == GrabBoxName::Middle) return kMoveToCenter;
  const bool outer_half = IsLeftBox(box) ? x < 10 : x > 10;
  if (outer_half) return kDragCorner;
  return y > 10 ? kStretchToEdge : kMoveToEdge;
}

std::string_view GrabBoxTipText(int mode) {
  switch (mode) {
    case kMoveToCenter: return "Click LMB:  Move source to center of target.";
    case kDragCorner: return "Move this edge/corner with LMB";
    case kStretchToEdge: return "Click LMB:  Stretch source to edge/corner of target.";
    default: return "Click LMB:  Move source to edge/corner of target.";
  }
}

void GrabBoxAction(State& st, Platform& pf, GrabBoxName box, int mode, int dx, int dy) {
  const int a = st.AligningSource;
  if (a == 0) return;
  SourceImage& s = st.doc.Source(a);
  if (s.PlacedWidth == 0) s.PlacedWidth = 1;
  if (s.PlacedHeight == 0) s.PlacedHeight = 1;
  const int W = st.TargetWidth(), H = st.TargetHeight();
  switch (mode) {
    case kMoveToEdge:
      if (box != GrabBoxName::Middle) MoveToEdge(s, box, W, H);
      break;
    case kStretchToEdge:
      if (box != GrabBoxName::Middle) StretchToEdge(s, box, W, H);
      break;
    case kDragCorner:
      if (box != GrabBoxName::Middle) DragCorner(s, box, dx, dy);
      break;
    case kMoveToCenter:
      s.OffsetX = (s.PlacedWidth - W) / 2;
      s.OffsetY = (s.PlacedHeight - H) / 2;
      break;
  }
  RecomposeTarget(st, pf);
  RepositionGrabBoxes(st, pf, a);
  if (st.ActiveScalingDialog) st.ActiveScalingDialog->ReloadFromDocument();
}

void GrabBoxPress(State& st, Platform& pf, GrabBoxName box, int x, int y) {
  st.tips.PreviewTip.CloseWindow();
  st.tips.AlignTip.Empty();
  st.tips.GrabBoxTip.Empty();
  GrabBox& b = BoxOf(st, box);
  b.captured = true;
  b.press_x = x;
  b.press_y = y;
  b.mode = GrabBoxModeAt(box, x, y);
  if (b.mode != kDragCorner) GrabBoxAction(st, pf, box, b.mode, x, y);
}

void GrabBoxMove(State& st, Platform& pf, GrabBoxName box, int x, int y) {
  const GrabBox& b = BoxOf(st, box);
  if (b.captured && b.mode == kDragCorner) {
    DragBy(st, pf, box, x - b.press_x, y - b.press_y);
    return;
  }
  TipSlot& tip = st.tips.GrabBoxTip;
  if (tip.occupied) {
    tip.text = std::string(GrabBoxTipText(GrabBoxModeAt(box, x, y)));
    return;
  }
  // Beside the box, on whichever side of it the view has room.
  const Size window = pf.view.ClientSize();
  const Point client = pf.view.Mapping().ToUi({window.width, window.height});
  const int right_room = client.x - (b.left + kGrabBoxSize);
  const int bottom_room = client.y - (b.top + kGrabBoxSize);
  const int left = b.left + (right_room < 200 ? -250 : 20);
  const int top = b.top + (bottom_room < 100 ? -50 : 50);
  tip.Fill(left, top, left + 200, top + 14, "Grab box tips");
}

void GrabBoxRelease(State& st, Platform& pf, GrabBoxName box, int x, int y) {
  GrabBox& b = BoxOf(st, box);
  if (!b.captured) return;
  b.captured = false;
  if (b.mode == kDragCorner) DragBy(st, pf, box, x - b.press_x, y - b.press_y);
}

GrabBoxColors GrabBoxColorsFor(const Bgr& base_color) {
  const int brightness = 37 * base_color[1] + 19 * base_color[2] + 7 * base_color[0];
  if (brightness <= 8000) return {MakeColorRef(80, 63, 208), MakeColorRef(255, 255, 255)};
  return {MakeColorRef(175, 192, 47), MakeColorRef(0, 0, 0)};
}

std::array<LineSegment, 2> GrabBoxMarks(GrabBoxName box) {
  if (box == GrabBoxName::Middle) return {{{{0, 0}, {19, 19}}, {{19, 0}, {0, 19}}}};
  const int h = IsLeftBox(box) ? 9 : 0;
  return {{{{h, 10}, {h + 9, 10}}, {{9, 0}, {9, 19}}}};
}

}  // namespace wrimple
