// Flying tips' sizing and the exact-character accelerators.
#include <QFontMetrics>
#include <QKeyEvent>
#include <QApplication>

#include "app/flying_tip.h"
#include "app_fixture.h"

namespace wrimple::app::testing {
namespace {

TEST(FlyingTip, IsTenPixelsWiderThanItsWidestLineAndTwoTallerThanItsLines) {
  QWidget parent;
  const QString widest = "the widest of the three lines";
  FlyingTip tip(&parent, 30, 40, "one\n" + widest + "\nthree");
  const QFontMetrics metrics(FlyingTip::TipFont());
  EXPECT_EQ(tip.width(), metrics.horizontalAdvance(widest) + 10);
  EXPECT_EQ(tip.height(), 3 * metrics.height() + 2);
  EXPECT_EQ(tip.pos(), QPoint(30, 40));
  EXPECT_EQ(tip.objectName(), "tips");
}

TEST_F(AppTest, ZoneDragShowsTheZoneTipUntilTheRelease) {
  LoadSource();
  st().tips.StartTip.Empty();
  Press(Viewport(), Qt::LeftButton, {200, 300});
  ASSERT_TRUE(st().tips.ZoneTip.occupied);
  FlyingTip* tip = window().view().TipWindow(st().tips.ZoneTip);
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(tip->pos(), QPoint(200, 200));
  Release(Viewport(), Qt::LeftButton, {260, 340});
  EXPECT_EQ(window().view().TipWindow(st().tips.ZoneTip), nullptr);
}

void Type(QWidget* to, const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, 0, modifiers, text);
  QApplication::sendEvent(to, &press);
}

TEST_F(AppTest, CharacterAcceleratorsMatchOnlyTheirExactCharacter) {
  LoadSource();
  Drag(Viewport(), Qt::LeftButton, {50, 50}, {150, 150});
  Type(Viewport(), "B", Qt::ShiftModifier);
  EXPECT_FALSE(st().SourceBrushing);
  Type(Viewport(), "b");
  EXPECT_TRUE(st().SourceBrushing);
}

TEST_F(AppTest, TwistKeysAccumulateAndCancel) {
  LoadSource();
  Drag(Viewport(), Qt::LeftButton, {50, 50}, {250, 200});
  Type(Viewport(), ">");
  Type(Viewport(), ">");
  EXPECT_EQ(st().steps.TwistCount, 2.0);
  Type(Viewport(), "<");
  EXPECT_EQ(st().steps.TwistCount, 1.0);
}

}  // namespace
}  // namespace wrimple::app::testing

namespace wrimple::app::testing {
namespace {

TEST_F(AppTest, HoveringThePeekPanesShowsTheSecondSourceTipUntilTheMouseLeaves) {
  StatusBar& bar = window().status();
  Move(&bar, Qt::NoButton, bar.PaneRect(7).center());
  EXPECT_EQ(bar.SecondSourceTip(), nullptr);  // nothing happens without a source
  LoadSource();
  Move(&bar, Qt::NoButton, bar.PaneRect(7).center());
  ASSERT_NE(bar.SecondSourceTip(), nullptr);
  EXPECT_TRUE(bar.SecondSourceTip()->text().startsWith("Only one source image is present."));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&bar, &leave);
  EXPECT_EQ(bar.SecondSourceTip(), nullptr);
}

TEST_F(AppTest, ProgressPaneFillsItsShareOfThePane) {
  StatusBar& bar = window().status();
  bar.resize(1400, bar.height());
  bar.FillProgressPane(kProgressWorking, 40);
  const QImage shot = bar.grab().toImage();
  const QRect pane = bar.PaneRect(5);
  const int filled_right = pane.left() + pane.width() * 40 / 100 - 1;
  EXPECT_EQ(QColor(shot.pixel(pane.left() + 1, pane.center().y())), QColor(0, 255, 0));
  EXPECT_EQ(QColor(shot.pixel(filled_right, pane.center().y())), QColor(0, 255, 0));
  EXPECT_NE(QColor(shot.pixel(filled_right + 2, pane.center().y())), QColor(0, 255, 0));
}

}  // namespace
}  // namespace wrimple::app::testing
