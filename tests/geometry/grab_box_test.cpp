#include <gtest/gtest.h>

#include "compose/align.h"
#include "compose/grab_box.h"
#include "compose/source_scaling.h"
#include "geometry_fixture.h"

namespace wrimple::testing {
namespace {

using G = GrabBoxName;

struct HitCase {
  const char* name;
  G box;
  int x, y;
  int mode;
};
class GrabBoxHitZone : public ::testing::TestWithParam<HitCase> {};

TEST_P(GrabBoxHitZone, OuterHalfDragsInnerHalfSnapsOrStretches) {
  EXPECT_EQ(GrabBoxModeAt(GetParam().box, GetParam().x, GetParam().y), GetParam().mode);
}

INSTANTIATE_TEST_SUITE_P(
    Points, GrabBoxHitZone,
    ::testing::Values(HitCase{"TopLeftOuter", G::TopLeft, 9, 0, kDragCorner},
                      HitCase{"TopLeftUpperInner", G::TopLeft, 10, 10, kMoveToEdge},
                      HitCase{"TopLeftLowerInner", G::TopLeft, 10, 11, kStretchToEdge},
                      HitCase{"BottomLeftOuter", G::BottomLeft, 0, 19, kDragCorner},
                      HitCase{"TopRightAtTen", G::TopRight, 10, 5, kMoveToEdge},
                      HitCase{"TopRightOuter", G::TopRight, 11, 5, kDragCorner},
                      HitCase{"BottomRightLowerInner", G::BottomRight, 3, 11, kStretchToEdge},
                      HitCase{"MiddleAnywhere", G::Middle, 0, 19, kMoveToCenter}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GrabBoxTips, EachModeHasItsText) {
  EXPECT_EQ(GrabBoxTipText(kMoveToCenter), "Click LMB:  Move source to center of target.");
  EXPECT_EQ(GrabBoxTipText(kDragCorner), "Move this edge/corner with LMB");
  EXPECT_EQ(GrabBoxTipText(kStretchToEdge), "Click LMB:  Stretch source to edge/corner of target.");
  EXPECT_EQ(GrabBoxTipText(kMoveToEdge), "Click LMB:  Move source to edge/corner of target.");
}

TEST(GrabBoxLook, BoxColourDependsOnTheBrightnessOfTheBaseColour) {
  // 37 x 211 + 19 x 5 + 7 x 14 = 8000: still the dark side.
  const GrabBoxColors at_limit = GrabBoxColorsFor(Bgr{14, 211, 5});
  EXPECT_EQ(at_limit.fill, MakeColorRef(80, 63, 208));
  EXPECT_EQ(at_limit.pen, MakeColorRef(255, 255, 255));
  const GrabBoxColors above = GrabBoxColorsFor(Bgr{15, 211, 5});
  EXPECT_EQ(above.fill, MakeColorRef(175, 192, 47));
  EXPECT_EQ(above.pen, MakeColorRef(0, 0, 0));
  EXPECT_EQ(GrabBoxMarks(G::TopLeft)[0].from.x, 9);
  EXPECT_EQ(GrabBoxMarks(G::TopRight)[0].to.x, 9);
  EXPECT_EQ(GrabBoxMarks(G::Middle)[1].from.x, 19);
}

// A 400 x 200 picture at 100 % in a 160 x 120 target, its placed box starting at
// target (100, 50).
class GrabBoxTest : public GeometryTest {
 protected:
  GrabBoxTest() {
    PutSource(st, 1, 400, 200);
    st.doc.Source(1).OffsetX = -100;
    st.doc.Source(1).OffsetY = -50;
    SetAligning(st, pf(), 1);
  }
  const SourceImage& source() const { return st.doc.Source(1); }
};

struct ActionCase {
  const char* name;
  G box;
  int mode, dx, dy;
  float scale_x, scale_y;
  int offset_x, offset_y;
};
class GrabBoxEdit : public GrabBoxTest, public ::testing::WithParamInterface<ActionCase> {};

TEST_P(GrabBoxEdit, ChangesTheAlignedSource) {
  const ActionCase& c = GetParam();
  GrabBoxAction(st, pf(), c.box, c.mode, c.dx, c.dy);
  EXPECT_FLOAT_EQ(source().ScaleXPercent, c.scale_x);
  EXPECT_FLOAT_EQ(source().ScaleYPercent, c.scale_y);
  EXPECT_EQ(source().OffsetX, c.offset_x);
  EXPECT_EQ(source().OffsetY, c.offset_y);
  const Point corner = GrabBoxAnchor(st, 1, c.box);
  EXPECT_EQ(st.GrabBoxes[std::size_t(c.box)].left, corner.x - 10) << "box follows its anchor";
}

// pw = 400, ph = 200, ox = -100, oy = -50, W = 160, H = 120.
INSTANTIATE_TEST_SUITE_P(
    Actions, GrabBoxEdit,
    ::testing::Values(
        ActionCase{"MoveTopLeft", G::TopLeft, kMoveToEdge, 0, 0, 100, 100, 0, 0},
        ActionCase{"MoveTopRight", G::TopRight, kMoveToEdge, 0, 0, 100, 100, 240, 0},
        ActionCase{"MoveBottomLeft", G::BottomLeft, kMoveToEdge, 0, 0, 100, 100, 0, 80},
        ActionCase{"MoveBottomRight", G::BottomRight, kMoveToEdge, 0, 0, 100, 100, 240, 80},
        ActionCase{"StretchTopLeft", G::TopLeft, kStretchToEdge, 0, 0, 125, 125, 0, 0},
        ActionCase{"StretchBottomRight", G::BottomRight, kStretchToEdge, 0, 0, 15, 35, -100, -50},
        ActionCase{"StretchTopRight", G::TopRight, kStretchToEdge, 0, 0, 15, 125, -100, 0},
        ActionCase{"StretchBottomLeft", G::BottomLeft, kStretchToEdge, 0, 0, 125, 35, 0, -50},
        ActionCase{"DragTopLeft", G::TopLeft, kDragCorner, 10, -20, 97.5f, 110, -110, -30},
        ActionCase{"DragBottomRight", G::BottomRight, kDragCorner, 10, -20, 102.5f, 90, -100, -50},
        ActionCase{"DragTopRightThirtyUp", G::TopRight, kDragCorner, 0, -30, 100, 115, -100, -20},
        ActionCase{"DragBottomLeft", G::BottomLeft, kDragCorner, 10, 20, 97.5f, 110, -110, -50},
        ActionCase{"DragPastTheOppositeCorner", G::TopLeft, kDragCorner, 500, 300, 1, 1, -600, -350},
        ActionCase{"Centre", G::Middle, kMoveToCenter, 0, 0, 100, 100, 120, 40}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GrabBoxTest, StretchingTopLeftKeepsTheRightEdge) {
  GrabBoxAction(st, pf(), G::TopLeft, kStretchToEdge, 0, 0);
  EXPECT_EQ(source().PlacedWidth, 500);
  EXPECT_EQ(GrabBoxAnchor(st, 1, G::TopLeft).x, 0);
  EXPECT_EQ(GrabBoxAnchor(st, 1, G::BottomRight).x, 400 + 100);
}

// A picture pushed to the target's right edge has nothing left to stretch: the
// scale stops at 1 instead of reaching 0.
TEST_F(GrabBoxTest, StretchOfAPictureBeyondTheEdgeKeepsAPositiveScale) {
  st.doc.Source(1).OffsetX = -160;
  GrabBoxAction(st, pf(), G::BottomRight, kStretchToEdge, 0, 0);
  EXPECT_EQ(source().ScaleXPercent, 1.0f);
  st.doc.Source(1).OffsetY = 300;  // wholly above the target
  GrabBoxAction(st, pf(), G::TopLeft, kStretchToEdge, 0, 0);
  EXPECT_EQ(source().ScaleYPercent, 1.0f);
}

TEST_F(GrabBoxTest, ZeroPlacedSizeCountsAsOnePixel) {
  st.doc.Source(1).ScaleXPercent = 0.1f;
  st.doc.Source(1).PlacedWidth = 0;
  st.doc.Source(1).OffsetX = 0;
  GrabBoxAction(st, pf(), G::BottomRight, kStretchToEdge, 0, 0);
  EXPECT_FLOAT_EQ(source().ScaleXPercent, 0.1f * 160);
}

TEST_F(GrabBoxTest, MiddleCentresAThousandByEightHundredBox) {
  st.SetTargetSize(1920, 1080);
  PutSource(st, 1, 1000, 800);
  st.doc.Source(1).PlacedWidth = 1000;  // as the last placement left it
  st.doc.Source(1).PlacedHeight = 800;
  GrabBoxAction(st, pf(), G::Middle, kMoveToCenter, 0, 0);
  EXPECT_EQ(source().OffsetX, -460);
  EXPECT_EQ(source().OffsetY, -140);
}

TEST_F(GrabBoxTest, NothingHappensWhenNotAligning) {
  SetAligning(st, pf(), 0);
  GrabBoxAction(st, pf(), G::TopLeft, kMoveToEdge, 0, 0);
  EXPECT_EQ(source().OffsetX, -100);
}

TEST_F(GrabBoxTest, OpenScalingDialogShowsTheNewScale) {
  auto dialog = OpenSourceScaling(st, pf());
  GrabBoxAction(st, pf(), G::TopLeft, kStretchToEdge, 0, 0);
  EXPECT_EQ(dialog->Text(ScalingControl::WidthPercent1), "125");
  EXPECT_EQ(dialog->Text(ScalingControl::HeightPixels1), "250");
}

TEST_F(GrabBoxTest, APressOnTheInnerHalfActsAtOnce) {
  st.tips.AlignTip.Fill(1, 1, 2, 2, "align");
  st.tips.PreviewTip.Fill(1, 1, 2, 2, "preview");
  st.tips.GrabBoxTip.Fill(1, 1, 2, 2, "grab");
  GrabBoxPress(st, pf(), G::BottomRight, 5, 5);
  EXPECT_EQ(source().OffsetX, 240);
  EXPECT_EQ(source().OffsetY, 80);
  EXPECT_FALSE(st.tips.AlignTip.occupied);
  EXPECT_FALSE(st.tips.GrabBoxTip.occupied);
  EXPECT_TRUE(st.tips.PreviewTip.occupied);
  EXPECT_FALSE(st.tips.PreviewTip.window_open);
  GrabBoxRelease(st, pf(), G::BottomRight, 5, 5);
  EXPECT_FALSE(BoxOf(st, G::BottomRight).captured);
  EXPECT_EQ(source().OffsetX, 240);
}

TEST_F(GrabBoxTest, DraggingTheOuterHalfMovesTheCornerWithTheMouse) {
  GrabBoxPress(st, pf(), G::TopLeft, 4, 4);
  EXPECT_EQ(source().ScaleXPercent, 100.0f) << "a drag waits for the mouse to move";
  const int window_x = BoxOf(st, G::TopLeft).left + 4 + 10;
  const int window_y = BoxOf(st, G::TopLeft).top + 4 - 20;
  GrabBoxMove(st, pf(), G::TopLeft, 14, -16);
  EXPECT_FLOAT_EQ(source().ScaleXPercent, 97.5f);
  EXPECT_EQ(source().OffsetX, -110);
  // Released where the mouse is: the box has come along, so nothing more moves.
  GrabBoxRelease(st, pf(), G::TopLeft, window_x - BoxOf(st, G::TopLeft).left,
                 window_y - BoxOf(st, G::TopLeft).top);
  EXPECT_FLOAT_EQ(source().ScaleXPercent, 97.5f);
  EXPECT_EQ(source().OffsetX, -110);
  EXPECT_EQ(source().OffsetY, -30);
}

TEST_F(GrabBoxTest, AtHalfSizeADragMovesTheCornerTwiceTheMouseMotion) {
  tp.view.zoom = {1, 2};
  RepositionGrabBoxes(st, pf(), 1);
  EXPECT_EQ(BoxOf(st, G::TopLeft).left, 50 - 10) << "the corner at target 100 is window pixel 50";
  GrabBoxPress(st, pf(), G::TopLeft, 4, 4);
  GrabBoxMove(st, pf(), G::TopLeft, 14, 4);
  EXPECT_EQ(source().OffsetX, -120) << "10 window pixels are 20 target pixels";
  EXPECT_EQ(BoxOf(st, G::TopLeft).left, 60 - 10) << "the box came along with its corner";
}

TEST_F(GrabBoxTest, HoveringShowsTheTipOfTheZoneUnderTheMouse) {
  GrabBoxMove(st, pf(), G::TopLeft, 15, 15);
  const TipSlot& tip = st.tips.GrabBoxTip;
  ASSERT_TRUE(tip.occupied);
  EXPECT_EQ(tip.text, "Grab box tips");
  // The top-left box sits at window (90, 40): room on the right and below.
  EXPECT_EQ(tip.left, 90 + 20);
  EXPECT_EQ(tip.top, 40 + 50);
  EXPECT_EQ(tip.right, tip.left + 200);
  EXPECT_EQ(tip.bottom, tip.top + 14);
  GrabBoxMove(st, pf(), G::TopLeft, 15, 15);
  EXPECT_EQ(tip.text, "Click LMB:  Stretch source to edge/corner of target.");
}

TEST_F(GrabBoxTest, TipNearTheViewsEdgesOpensTowardsTheInside) {
  tp.view.client = {200, 100};
  GrabBoxMove(st, pf(), G::TopLeft, 15, 15);
  EXPECT_EQ(st.tips.GrabBoxTip.left, 90 - 250);
  EXPECT_EQ(st.tips.GrabBoxTip.top, 40 - 50);
}

}  // namespace
}  // namespace wrimple::testing
