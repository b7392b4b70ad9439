#include "compose/align.h"

#include "compose/grab_box.h"
#include "compose/recompose.h"

namespace wrimple {

namespace {

// The grab boxes are centred on the window points of their anchors; they are
// child windows, placed in user-interface pixels and of a fixed size.
void PlaceBox(GrabBox& box, Point anchor, const ViewMapping& m) {
  const Point at = m.ToUi(m.ToWindow(anchor));
  box.left = at.x - kGrabBoxSize / 2;
  box.top = at.y - kGrabBoxSize / 2;
}

void CreateGrabBoxes(State& st, Platform& pf, int n) {
  const ViewMapping m = pf.view.Mapping();
  for (int i = 0; i < kGrabBoxCount; ++i) {
    GrabBox& box = st.GrabBoxes[std::size_t(i)];
    box = GrabBox{};
    box.exists = true;
    PlaceBox(box, GrabBoxAnchor(st, n, GrabBoxName(i)), m);
  }
}

// True when the placed picture of source n lies wholly outside the visible part
// of the view.
bool Offside(const State& st, Platform& pf, int n) {
  const SourceImage& s = st.doc.Source(n);
  const Size client = pf.view.ClientSize();
  const ViewMapping m = pf.view.Mapping();
  const Point top_left = m.ToWindow({-s.OffsetX, -s.OffsetY});
  const Point bottom_right = m.ToWindow({s.PlacedWidth - s.OffsetX, s.PlacedHeight - s.OffsetY});
  return top_left.y > client.height || bottom_right.y < 0 || top_left.x > client.width ||
         bottom_right.x < 0;
}

}  // namespace

void SetAligning(State& st, Platform& pf, int n) {
  if (n != 0 && !st.TargetLock) {
    if (st.TargetModified &&
        !pf.messages.AskYesNo("Aligning (repositioning) any source image now will overwrite your "
                              "previous changes to the Target.\nIs this OK ??"))
      return;
    st.TargetModified = false;
  }
  if (st.AligningSource == n) return;
  st.GrabBoxes.fill(GrabBox{});
  st.AligningSource = n;
  RecomposeTarget(st, pf);
  ClearZone(st);
  pf.view.RedrawView();
  if (n == 0) {
    st.tips.AlignTip.Empty();
    return;
  }
  if (!st.tips.AlignTip.occupied && st.FlyingTipsEnabled)
    st.tips.AlignTip.Fill(100, 100, 700, 200, kAlignTipText);
  CreateGrabBoxes(st, pf, n);
  if (Offside(st, pf, n) && st.FlyingTipsEnabled) pf.messages.ShowInfo(kOffsideText);
}

void MoveAlignedSource(State& st, Platform& pf, int x1, int y1, int x, int y) {
  const int a = st.AligningSource;
  if (a == 0) return;
  SourceImage& s = st.doc.Source(a);
  s.OffsetX += x1 - x;
  s.OffsetY += y1 - y;
  if (s.OffsetX + st.TargetWidth() < 0) s.OffsetX = -st.TargetWidth();
  if (s.OffsetY + st.TargetHeight() < 0) s.OffsetY = -st.TargetHeight();
  RecomposeTarget(st, pf);
  RepositionGrabBoxes(st, pf, a);
}

void RepositionGrabBoxes(State& st, Platform& pf, int n) {
  if (n != 1 && n != 2) return;
  const ViewMapping m = pf.view.Mapping();
  for (int i = 0; i < kGrabBoxCount; ++i) {
    GrabBox& box = st.GrabBoxes[std::size_t(i)];
    if (box.exists) PlaceBox(box, GrabBoxAnchor(st, n, GrabBoxName(i)), m);
  }
}

}  // namespace wrimple
