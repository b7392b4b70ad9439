// The program as a person uses it: start-up, the mouse on the view, the
// toolbars, the status bar panes and the settings kept between runs.
#include <QActionGroup>
#include <QFileInfo>
#include <QToolBar>
#include <QToolButton>
#include <QtTest/QTest>
#include <cstring>

#include "app/grab_box_widget.h"
#include "app_fixture.h"

namespace wrimple::app::testing {
namespace {

Bgr TargetPixel(const State& st, int x, int y) { return ReadPixel(st.Target().pixel(x, y)); }

QString AverageText(const Bgr& c) {
  return QString("Average REF. RGB = %1 %2 %3  >>>").arg(c[2]).arg(c[1]).arg(c[0]);
}

TEST_F(AppTest, StartsWithDefaultsAndTheHelpPictureWhenNoSettingsExist) {
  EXPECT_EQ(st().Aggressiveness, 5);
  EXPECT_TRUE(st().FlyingTipsEnabled);
  EXPECT_EQ(st().TargetWidth(), 1024);
  EXPECT_EQ(st().TargetHeight(), 768);
  EXPECT_TRUE(st().FirstTimeHelp);
  EXPECT_TRUE(st().HelpPictureOpened);
  EXPECT_TRUE(st().doc.help_picture.has_value());
  EXPECT_EQ(st().SourceCount, 0);
  EXPECT_EQ(Pane(0), "Awaiting load of a source image");
  EXPECT_EQ(Pane(1), "Target Unlocked");
  EXPECT_EQ(Pane(2), "");
  EXPECT_EQ(Pane(3), "");
  EXPECT_TRUE(window().RecentFiles().isEmpty());  // the help picture is not listed
}

TEST_F(AppTest, ZoneDraggedWithTheMouseShowsItsSize) {
  LoadSource();
  Press(Viewport(), Qt::LeftButton, {50, 40});
  Move(Viewport(), Qt::LeftButton, {170, 120});
  EXPECT_TRUE(st().zone.Dragging);
  Release(Viewport(), Qt::LeftButton, {170, 120});
  EXPECT_EQ(Pane(0), "Zone width = 120; height = 80");
  EXPECT_EQ(st().zone.ZoneWidth, 120);
  EXPECT_EQ(st().zone.ZoneHeight, 80);
}

TEST_F(AppTest, ZoneCommandsAreEnabledOnlyWhileAZoneIsSelected) {
  LoadSource();
  EXPECT_FALSE(Enabled(CommandId::TwistClockwise));
  EXPECT_TRUE(Enabled(CommandId::InvertBrightness));
  Drag(Viewport(), Qt::LeftButton, {50, 40}, {170, 120});
  EXPECT_TRUE(Enabled(CommandId::TwistClockwise));
  EXPECT_TRUE(Enabled(CommandId::NudgeDown));
  EXPECT_FALSE(Enabled(CommandId::InvertBrightness));
  EXPECT_FALSE(Enabled(CommandId::RestoreTarget));
  // A click without movement leaves a zone too small to be selected.
  Drag(Viewport(), Qt::LeftButton, {300, 300}, {300, 300});
  EXPECT_FALSE(Enabled(CommandId::TwistClockwise));
  EXPECT_TRUE(Enabled(CommandId::InvertBrightness));
}

TEST_F(AppTest, WarpClickedOnTheZoneToolbarChangesTheTarget) {
  LoadSource();
  Drag(Viewport(), Qt::LeftButton, {40, 40}, {240, 200});
  std::vector<std::uint8_t> before(st().Target().bits(), st().Target().bits() + st().Target().byte_size());
  auto* button = qobject_cast<QToolButton*>(
      window().ZoneToolbar()->widgetForAction(window().ActionOf(CommandId::TwistClockwise)));
  ASSERT_NE(button, nullptr);
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(st().steps.TwistCount, 1.0);
  EXPECT_TRUE(st().TargetModified);
  EXPECT_NE(std::memcmp(before.data(), st().Target().bits(), before.size()), 0);
  // Outside the zone the target is untouched.
  EXPECT_EQ(std::memcmp(before.data(), st().Target().bits(), 3 * 20), 0);
}

TEST_F(AppTest, AligningDragMovesTheSourceByTheDragDistance) {
  LoadSource();
  ASSERT_TRUE(window().RunCommand(CommandId::AlignSource1));
  EXPECT_EQ(Pane(0), "Aligning source 1");
  Drag(Viewport(), Qt::LeftButton, {100, 100}, {130, 120});
  EXPECT_EQ(st().doc.Source(1).OffsetX, -30);
  EXPECT_EQ(st().doc.Source(1).OffsetY, -20);
}

TEST_F(AppTest, GrabBoxesSnapAndStretchTheAlignedSource) {
  LoadSource(200, 150);  // fitted to 512 % of its size: 1024 x 768
  ASSERT_TRUE(window().RunCommand(CommandId::AlignSource1));
  Drag(Viewport(), Qt::LeftButton, {100, 100}, {130, 120});
  auto* middle = Viewport()->findChild<GrabBoxWidget*>("middle");
  ASSERT_NE(middle, nullptr);
  EXPECT_EQ(middle->size(), QSize(20, 20));
  QTest::mouseClick(middle, Qt::LeftButton, {}, {10, 10});
  EXPECT_EQ(st().doc.Source(1).OffsetX, 0);  // (pw - W) / 2 for a full-size picture
  EXPECT_EQ(st().doc.Source(1).OffsetY, 0);
  auto* corner = Viewport()->findChild<GrabBoxWidget*>("bottom_right");
  ASSERT_NE(corner, nullptr);
  const float scale_before = st().doc.Source(1).ScaleXPercent;
  const int placed_width = st().doc.Source(1).PlacedWidth;
  Press(corner, Qt::LeftButton, {15, 10});  // the outer half drags the corner
  Move(corner, Qt::LeftButton, {15 + 64, 10});
  // The box moved with the corner: the pointer is back where it was pressed.
  EXPECT_EQ(corner->pos(), QPoint(st().GrabBoxes[1].left, st().GrabBoxes[1].top));
  Release(corner, Qt::LeftButton, {15, 10});
  EXPECT_FLOAT_EQ(st().doc.Source(1).ScaleXPercent,
                  scale_before * (float(placed_width + 64) / float(placed_width)));
}

TEST_F(AppTest, BrushingPaintsSourceOneWithTheLeftAndTheReferenceColourWithTheRight) {
  LoadSource();
  ASSERT_TRUE(window().RunCommand(CommandId::InvertBrightness));
  Drag(Viewport(), Qt::LeftButton, {100, 100}, {140, 140});
  ASSERT_TRUE(window().RunCommand(CommandId::SourceBrushing));
  EXPECT_EQ(Pane(0), "Source brushing now on (drag L/R MBs");
  EXPECT_TRUE(window().ActionOf(CommandId::SourceBrushing)->isChecked());
  EXPECT_FALSE(Enabled(CommandId::SourceBrushing));

  Press(Viewport(), Qt::LeftButton, {300, 200});
  Move(Viewport(), Qt::LeftButton, {301, 200});
  Release(Viewport(), Qt::LeftButton, {301, 200});
  EXPECT_EQ(TargetPixel(st(), 301, 200), ReadPixel(st().doc.Source(1).plane().pixel(301, 200)));

  st().ReferenceColor = Bgr{10, 20, 30};
  Press(Viewport(), Qt::RightButton, {500, 400});
  Move(Viewport(), Qt::RightButton, {501, 400});
  Release(Viewport(), Qt::RightButton, {501, 400});
  EXPECT_EQ(TargetPixel(st(), 501, 400), (Bgr{10, 20, 30}));

  // Both buttons held paint nothing.
  const Bgr untouched = TargetPixel(st(), 700, 300);
  Move(Viewport(), Qt::LeftButton | Qt::RightButton, {700, 300});
  EXPECT_EQ(TargetPixel(st(), 700, 300), untouched);
}

TEST_F(AppTest, RightButtonSweepAveragesIntoTheReferenceColourAndPaneThree) {
  LoadSource();
  EXPECT_EQ(Pane(3), "");
  const Bgr first = TargetPixel(st(), 10, 10);
  const Bgr second = TargetPixel(st(), 90, 50);
  Press(Viewport(), Qt::RightButton, {10, 10});
  EXPECT_EQ(Pane(0), "Setting reference color from RMB sweep");
  EXPECT_EQ(st().ReferenceColor, first);
  Move(Viewport(), Qt::RightButton, {90, 50});
  Release(Viewport(), Qt::RightButton, {90, 50});
  Bgr average;
  for (int c = 0; c < 3; ++c) average[c] = std::uint8_t((first[c] + second[c]) / 2);
  EXPECT_EQ(st().ReferenceColor, average);
  EXPECT_EQ(Pane(3), AverageText(average));
  // A sweep that leaves the target reports it once a sweep has been seen.
  Press(Viewport(), Qt::RightButton, {1000, 760});
  Move(Viewport(), Qt::RightButton, {1100, 700});
  Release(Viewport(), Qt::RightButton, {1100, 700});
  EXPECT_EQ(Pane(3), "Cursor out of range.");
}

TEST_F(AppTest, SettingsWrittenAtExitAreReadAtTheNextStart) {
  st().SetTargetSize(2000, 1500);
  st().FlyingTipsEnabled = false;
  window().ChooseLook(208);
  Stop();
  Start();
  EXPECT_EQ(st().TargetWidth(), 2000);
  EXPECT_EQ(st().TargetHeight(), 1500);
  EXPECT_FALSE(st().FlyingTipsEnabled);
  EXPECT_FALSE(st().FirstTimeHelp);
  EXPECT_EQ(window().ApplicationLook(), 208);
}

TEST_F(AppTest, SettingsOutsideTheirLimitsAreBroughtIntoThem) {
  Stop();
  {
    QSettings raw(folder.filePath("settings.ini"), QSettings::IniFormat);
    raw.setValue("Configure/wrimple button aggressiveness", 40);
    raw.setValue("Configure/Target Width", 9000);
    raw.setValue("Configure/Target height", 0);
  }
  Start();
  EXPECT_EQ(st().Aggressiveness, 10);
  EXPECT_EQ(st().TargetWidth(), 4096);
  EXPECT_EQ(st().TargetHeight(), 1);
}

}  // namespace
}  // namespace wrimple::app::testing
