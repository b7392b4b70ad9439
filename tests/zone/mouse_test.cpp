#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "document/commands.h"
#include "zone/mouse_routing.h"
#include "zone/options_dialog.h"
#include "zone/paint_brush.h"
#include "zone/source_brushing.h"
#include "zone/twist.h"
#include "zone_fixture.h"

namespace wrimple::testing {
namespace {

class Mouse : public ZoneTest {
 protected:
  void SetUp() override { Start(64, 48); }
  ViewFeedback Press(int x, int y, MouseButton b = MouseButton::Left) {
    return OnButtonDown(
        *st, tp, b,
        {.window = {x, y}, .keys = b == MouseButton::Left ? kMouseLeftButton : kMouseRightButton});
  }
  ViewFeedback Move(int x, int y, std::uint32_t keys) {
    return OnMouseMove(*st, tp, {.window = {x, y}, .keys = keys});
  }
  ViewFeedback Release(int x, int y, MouseButton b = MouseButton::Left) {
    return OnButtonUp(*st, tp, b, {.window = {x, y}, .keys = 0});
  }
  void Drag(int x1, int y1, int x2, int y2) {
    Press(x1, y1);
    Move(x2, y2, kMouseLeftButton);
    Release(x2, y2);
  }
  void ExpectCorners(int x1, int y1, int x2, int y2) {
    EXPECT_EQ(st->zone.X1, x1);
    EXPECT_EQ(st->zone.Y1, y1);
    EXPECT_EQ(st->zone.X2, x2);
    EXPECT_EQ(st->zone.Y2, y2);
  }
};

struct DragCase {
  std::string name;
  int x1, y1, x2, y2;
};
void PrintTo(const DragCase& c, std::ostream* os) { *os << c.name; }
class ZoneDrag : public Mouse, public ::testing::WithParamInterface<DragCase> {};

TEST_P(ZoneDrag, GivesTheSameZoneAndTwistInEveryDirection) {
  const DragCase& c = GetParam();
  st->steps.BlushCount = 3;
  Drag(c.x1, c.y1, c.x2, c.y2);
  ExpectCorners(c.x1, c.y1, c.x2, c.y2);
  EXPECT_EQ(st->zone.ZoneWidth, 40);
  EXPECT_EQ(st->zone.ZoneHeight, 30);
  EXPECT_FALSE(st->zone.Dragging);
  EXPECT_FALSE(st->MouseCaptured);
  EXPECT_EQ(st->steps.BlushCount, 0) << "a finished drag zeroes the counters";
  ASSERT_TRUE(ZoneSelected(*st));
  Twist(*st, tp, 1);
  ModelPicture expected = BackupPicture();
  ModelTwist(BackupPicture(), expected, {10, 8, 50, 38}, 1.0, 5);
  EXPECT_EQ(TargetPicture().bytes, expected.bytes);
}

INSTANTIATE_TEST_SUITE_P(Directions, ZoneDrag,
                         ::testing::Values(DragCase{"TopLeftToBottomRight", 10, 8, 50, 38},
                                           DragCase{"BottomRightToTopLeft", 50, 38, 10, 8},
                                           DragCase{"TopRightToBottomLeft", 50, 8, 10, 38},
                                           DragCase{"BottomLeftToTopRight", 10, 38, 50, 8}),
                         [](const ::testing::TestParamInfo<DragCase>& info) {
                           return info.param.name;
                         });

struct SizeCase {
  std::string name;
  int width, height;
  bool selected;
};
void PrintTo(const SizeCase& c, std::ostream* os) { *os << c.name; }
class ZoneSize : public Mouse, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(ZoneSize, SelectsFromTenByTenAndSwitchesTheCommands) {
  const SizeCase& c = GetParam();
  Drag(20, 5, 20 + c.width, 5 + c.height);
  EXPECT_EQ(ZoneSelected(*st), c.selected);
  EXPECT_EQ(IsEnabled(*st, CommandId::TwistClockwise), c.selected);
  EXPECT_EQ(IsEnabled(*st, CommandId::SourceBrushing), c.selected);
  EXPECT_EQ(IsEnabled(*st, CommandId::Blur), !c.selected);
  EXPECT_EQ(IsEnabled(*st, CommandId::RestoreTarget), !c.selected);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, ZoneSize,
    ::testing::Values(SizeCase{"TenByTen", 10, 10, true}, SizeCase{"NineByFifty", 9, 40, false},
                      SizeCase{"FiftyByNine", 40, 9, false}, SizeCase{"Click", 0, 0, false}),
    [](const ::testing::TestParamInfo<SizeCase>& info) { return info.param.name; });

TEST_F(Mouse, DragStopsAtTheVisibleWindowAndTheTargetEdge) {
  tp.view.client = {40, 30};
  Press(5, 5);
  Move(200, 300, kMouseLeftButton);
  ExpectCorners(5, 5, 40, 30);
  Release(35, 20);
  tp.view.client = {1024, 768};
  Drag(5, 5, 200, 300);
  ExpectCorners(5, 5, 63, 47);
  Drag(30, 30, -20, -9);
  ExpectCorners(30, 30, 0, 0);
}

TEST_F(Mouse, ScrollPositionTurnsWindowPointsIntoTargetPoints) {
  tp.view.scroll = {10, 4};
  Drag(5, 5, 25, 35);
  ExpectCorners(15, 9, 35, 39);
}

// At other zooms every point is the target pixel under the window pixel.
TEST_F(Mouse, AtAQuarterTenWindowPixelsMakeFortyTargetPixels) {
  tp.view.zoom = {1, 4};
  Drag(2, 1, 12, 9);
  ExpectCorners(10, 6, 50, 38);
  EXPECT_EQ(st->zone.ZoneWidth, 40);
  Drag(2, 1, 500, 500);
  ExpectCorners(10, 6, 63, 47);  // held to the target
}

TEST_F(Mouse, AtThreeTimesTheZoneIsDrawnOnItsPixelsEdges) {
  tp.view.zoom = {3, 1};
  tp.view.scroll = {6, 3};
  Press(30, 20);
  Move(120, 90, kMouseLeftButton);
  const ViewFeedback done = Release(120, 90);
  ExpectCorners(12, 7, 42, 31);
  ASSERT_TRUE(done.zone.has_value());
  EXPECT_EQ(done.zone->outline[0].x, 3 * 12 - 6);
  EXPECT_EQ(done.zone->outline[0].y, 3 * 7 - 3);
  EXPECT_EQ(done.zone->outline[2].x, 3 * 42 - 6);
  EXPECT_EQ(done.zone->cross[0].to.x, 3 * (27 + 15) - 6) << "arms in target pixels";
}

TEST_F(Mouse, TipsSitAtTheTargetPointInUserInterfacePixels) {
  st->FlyingTipsEnabled = true;
  tp.view.zoom = {2, 1};
  tp.view.ui_scale = 2.0;
  Press(41, 61);
  EXPECT_EQ(st->zone.X1, 20);
  EXPECT_EQ(st->tips.ZoneTip.left, 20) << "window pixel 40 is interface pixel 20";
  EXPECT_EQ(st->tips.ZoneTip.top, 30 - 100);
}

TEST_F(Mouse, WithoutSourcesTheLeftButtonDoesNothing) {
  st->SourceCount = 0;
  const ViewFeedback fb = Press(10, 10);
  EXPECT_FALSE(st->MouseCaptured);
  EXPECT_FALSE(fb.repainted);
  Move(40, 40, kMouseLeftButton);
  Release(40, 40);
  ExpectCorners(-1, -1, -1, -1);
}

TEST_F(Mouse, MovesDragOnlyBetweenPressAndRelease) {
  Drag(10, 10, 30, 30);
  Move(50, 40, kMouseLeftButton);
  ExpectCorners(10, 10, 30, 30);
  Move(50, 40, kMouseRightButton);
  EXPECT_EQ(st->SweepX, -1);
  EXPECT_EQ(st->ReferenceColor, (Bgr{127, 127, 127}));
  Press(12, 12);
  EXPECT_TRUE(st->MouseCaptured);
  Move(40, 44, 0);
  ExpectCorners(12, 12, 40, 44);
}

TEST_F(Mouse, PressOutsideTheTargetRemovesTheZone) {
  Drag(10, 10, 30, 30);
  Press(64, 10);
  ExpectCorners(-1, -1, -1, -1);
  Release(20, 20);
  Drag(10, 10, 30, 30);
  Press(-3, 10);  // left of the picture, as a script may press
  ExpectCorners(-1, -1, -1, -1);
  Move(20, 20, kMouseLeftButton);
  ExpectCorners(-1, -1, -1, -1);
}

TEST_F(Mouse, ZoneTipShowsWhileDragging) {
  st->FlyingTipsEnabled = true;
  st->tips.StartTip.Fill(1, 2, 3, 4, "start");
  st->tips.PreviewTip.Fill(1, 2, 3, 4, "preview");
  tp.view.scroll = {2, 1};
  Press(30, 40);
  EXPECT_FALSE(st->tips.StartTip.occupied);
  EXPECT_TRUE(st->tips.PreviewTip.occupied);
  EXPECT_FALSE(st->tips.PreviewTip.window_open);
  const TipSlot& tip = st->tips.ZoneTip;
  ASSERT_TRUE(tip.occupied);
  EXPECT_EQ(tip.left, 30);
  EXPECT_EQ(tip.top, 40 - 100);
  EXPECT_EQ(tip.right, 510);
  EXPECT_EQ(tip.bottom, 40 - 86);
  EXPECT_EQ(tip.text, std::string(kZoneTipText));
  Release(50, 44);
  EXPECT_FALSE(st->tips.ZoneTip.occupied);
}

TEST_F(Mouse, DragShowsTheAveragedSourcesUnderTheZone) {
  Press(10, 8);
  const ViewFeedback fb = Move(50, 38, kMouseLeftButton);
  ASSERT_TRUE(fb.zone.has_value());
  ASSERT_TRUE(fb.zone->preview.has_value());
  EXPECT_EQ(*fb.zone->preview, (PixelRect{10, 8, 50, 38})) << "the zone's target pixels";
  const ViewFeedback done = Release(50, 38);
  ASSERT_TRUE(done.zone.has_value());
  EXPECT_FALSE(done.zone->preview.has_value());
  EXPECT_EQ(done.zone->outline[2].x, 50);
  EXPECT_EQ(done.zone->outline[2].y, 38);
  EXPECT_EQ(done.zone->cross[0].to.x, 30 + 20) << "arms are at most 20";
  EXPECT_EQ(done.zone->cross[2].to.y, 23 + 15);
}

TEST_F(Mouse, RightClickTakesThePixelAndRemovesTheZone) {
  Drag(10, 10, 40, 40);
  Press(20, 25, MouseButton::Right);
  const ViewFeedback fb = Release(20, 25, MouseButton::Right);
  EXPECT_EQ(st->ReferenceColor, TargetAt(20, 25));
  EXPECT_FALSE(st->SweepActive);
  EXPECT_FALSE(fb.refresh_reference_dialog);
  EXPECT_FALSE(ZoneSelected(*st));
}

TEST_F(Mouse, SweepFromBlackToWhiteAveragesTo127) {
  WritePixel(st->Target().pixel(5, 5), {0, 0, 0});
  WritePixel(st->Target().pixel(6, 5), {255, 255, 255});
  Press(5, 5, MouseButton::Right);
  Move(6, 5, kMouseRightButton);
  EXPECT_EQ(st->ReferenceColor, (Bgr{127, 127, 127}));
  EXPECT_EQ(st->SweepX, 6);
  Move(70, 5, kMouseRightButton);  // off the target: nothing taken
  EXPECT_EQ(st->SweepX, -1);
  Move(5, 5, kMouseRightButton);
  EXPECT_EQ(st->ReferenceColor, (Bgr{85, 85, 85})) << "255 / 3";
  Release(5, 5, MouseButton::Right);
  EXPECT_FALSE(st->SweepActive);
}

TEST_F(Mouse, SweepStartedOutsideTheTargetKeepsTheReferenceColour) {
  Press(64, 47, MouseButton::Right);
  Move(10, 10, kMouseRightButton);
  EXPECT_EQ(st->ReferenceColor, (Bgr{127, 127, 127}));
  EXPECT_EQ(st->SweepX, -1);
}

// ---- Source brushing.

class Brushing : public Mouse {
 protected:
  // A zone of bw x bh, then brushing on.
  void BrushOf(int bw, int bh) {
    Drag(20, 10, 20 + bw, 10 + bh);
    ASSERT_TRUE(IsEnabled(*st, CommandId::SourceBrushing));
    SourceBrushingOn(*st, tp);
    ASSERT_TRUE(st->SourceBrushing);
  }
  // Whether (k, i) lies in the brush ellipse around (x, y).
  static bool InBrush(int bw, int bh, int x, int y, int k, int i) {
    const double a = (k - x) * (double(bh) / bw);
    return k >= x - bw / 2 && k < x + bw / 2 && i >= y - bh / 2 && i < y + bh / 2 &&
           bh - 2 * std::sqrt(a * a + (i - y) * (i - y)) >= 0;
  }
};

TEST_F(Brushing, OnCollapsesTheZoneAndOffEndsIt) {
  BrushOf(20, 16);
  EXPECT_FALSE(ZoneSelected(*st));
  EXPECT_FALSE(IsEnabled(*st, CommandId::TwistClockwise));
  EXPECT_TRUE(IsChecked(*st, CommandId::SourceBrushing));
  SourceBrushingOff(*st, tp);
  EXPECT_FALSE(st->SourceBrushing);
  EXPECT_EQ(st->zone.X2, st->zone.X1);
}

TEST_F(Brushing, SpotNearTheCornerIsClippedAtRowAndColumnZero) {
  BrushOf(12, 10);
  const ModelPicture before = TargetPicture();
  Press(2, 3);
  const ViewFeedback fb = Move(2, 3, kMouseLeftButton);
  ASSERT_TRUE(fb.brush_box.has_value());
  EXPECT_EQ(fb.brush_box->centre.x, 6) << "the box stays inside the window";
  EXPECT_EQ(fb.brush_box->centre.y, 5);
  EXPECT_EQ(fb.brush_box->outline[2].x, 0);
  EXPECT_EQ(fb.brush_box->outline[2].y, 0);
  const ModelPicture after = TargetPicture();
  for (int i = 0; i < 12; ++i)
    for (int k = 0; k < 14; ++k) {
      const Bgr expected =
          InBrush(12, 10, 2, 3, k, i) ? PlaneAt(1, k, i) : ReadPixel(before.At(k, i));
      EXPECT_EQ(ReadPixel(after.At(k, i)), expected) << k << "," << i;
    }
  EXPECT_TRUE(st->TargetModified);
  EXPECT_EQ(st->steps.TwistCount, 0.0);
}

TEST_F(Brushing, AtTwiceTheSizeTheBoxCoversTheBrushInTargetPixels) {
  BrushOf(10, 10);
  tp.view.zoom = {2, 1};
  const ViewFeedback fb = Move(61, 41, 0);
  ASSERT_TRUE(fb.brush_box.has_value());
  EXPECT_EQ(fb.brush_box->outline[2].x, 2 * (30 - 5));
  EXPECT_EQ(fb.brush_box->outline[2].y, 2 * (20 - 5));
  EXPECT_EQ(fb.brush_box->outline[0].x, 2 * (30 + 5));
  EXPECT_EQ(fb.brush_box->centre.x, 60);
}

struct KeysCase {
  std::string name;
  std::uint32_t keys;
  int source;  // 0: nothing painted
};
void PrintTo(const KeysCase& c, std::ostream* os) { *os << c.name; }
class BrushKeys : public Brushing, public ::testing::WithParamInterface<KeysCase> {};

TEST_P(BrushKeys, PaintOnlyWithExactlyOneButton) {
  BrushOf(10, 10);
  const Bgr before = TargetAt(30, 30);
  Press(30, 30, GetParam().keys & kMouseRightButton ? MouseButton::Right : MouseButton::Left);
  Move(30, 30, GetParam().keys);
  const int s = GetParam().source;
  EXPECT_EQ(TargetAt(30, 30), s == 0 ? before : PlaneAt(s, 30, 30));
}

INSTANTIATE_TEST_SUITE_P(
    Flags, BrushKeys,
    ::testing::Values(KeysCase{"Left", kMouseLeftButton, 1},
                      KeysCase{"Right", kMouseRightButton, 2},
                      KeysCase{"Both", kMouseLeftButton | kMouseRightButton, 0},
                      KeysCase{"LeftAndShift", kMouseLeftButton | kMouseShift, 0},
                      KeysCase{"LeftAndControl", kMouseLeftButton | kMouseControl, 0}),
    [](const ::testing::TestParamInfo<KeysCase>& info) { return info.param.name; });

TEST_F(Brushing, WithOneSourceTheRightButtonPaintsTheReferenceColour) {
  st->SourceCount = 1;
  st->ReferenceColor = {1, 2, 3};
  BrushOf(10, 10);
  Press(30, 30, MouseButton::Right);
  Move(30, 30, kMouseRightButton);
  EXPECT_EQ(TargetAt(30, 30), (Bgr{1, 2, 3}));
  EXPECT_EQ(TargetAt(33, 28), (Bgr{1, 2, 3}));
}

TEST_F(Brushing, WithoutAPressMovesOnlyPlaceTheBox) {
  BrushOf(10, 10);
  const ModelPicture before = TargetPicture();
  const ViewFeedback fb = Move(30, 30, kMouseLeftButton);
  EXPECT_TRUE(fb.repainted);
  ASSERT_TRUE(fb.brush_box.has_value());
  EXPECT_EQ(TargetPicture().bytes, before.bytes);
}

TEST_F(Brushing, PaintingAtTheTargetEdgeStaysInsideThePicture) {
  st->zone.ZoneWidth = 4000;
  st->zone.ZoneHeight = 3000;
  PaintBrush(*st, 64, 48, 1);
  EXPECT_EQ(TargetAt(63, 47), PlaneAt(1, 63, 47));
}

TEST(Options, OkTakesTheValuesAndRemovesTheZoneCancelChangesNothing) {
  State st;
  st.zone = WrimpleZone{.X1 = 1, .Y1 = 1, .X2 = 30, .Y2 = 30};
  st.steps.TwistCount = 2;
  options cancelled(st);
  cancelled.SetAggressiveness(9);
  EXPECT_EQ(st.Aggressiveness, 5);
  options dialog(st);
  EXPECT_EQ(dialog.aggressiveness(), 5);
  dialog.SetAggressiveness(12);
  EXPECT_EQ(dialog.aggressiveness(), 10);
  dialog.SetAllowFlyingTips(true);
  dialog.Ok(st);
  EXPECT_EQ(st.Aggressiveness, 10);
  EXPECT_TRUE(st.FlyingTipsEnabled);
  EXPECT_EQ(st.zone.X1, -1);
  EXPECT_EQ(st.steps.TwistCount, 0.0);
}

}  // namespace
}  // namespace wrimple::testing
