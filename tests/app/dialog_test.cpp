// The dialog windows drive their models: a person's clicks in a modal dialog.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>
#include <QtTest/QTest>

#include "app_fixture.h"
#include "modal_helpers.h"
#include "compose/source_scaling.h"

namespace wrimple::app::testing {
namespace {

QPushButton* ButtonOf(QWidget* dialog, const QString& text) {
  for (QPushButton* b : dialog->findChildren<QPushButton*>())
    if (b->text() == text) return b;
  return nullptr;
}

// Runs `act` on the modal dialog once it is up.
void WhenModal(std::function<void(QWidget*)> act) {
  QTimer::singleShot(0, [act] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    act(dialog);
  });
}

TEST_F(AppTest, MergeDialogTakesTheClickedMethodAndClosesOnDone) {
  LoadSource();
  LoadSource(300, 300);
  WhenModal([](QWidget* dialog) {
    EXPECT_EQ(dialog->objectName(), "mergepix");
    QTest::mouseClick(dialog->findChild<QRadioButton*>("1017"), Qt::LeftButton);  // method code 0
    QTest::mouseClick(ButtonOf(dialog, "DONE"), Qt::LeftButton);
  });
  ASSERT_TRUE(window().RunCommand(CommandId::MergeTwoSources));
  EXPECT_EQ(st().MergeMethod, 0);
  EXPECT_EQ(st().ActiveMergeDialog, nullptr);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(AppTest, OptionsDialogCancelKeepsTheZoneAndOkRemovesIt) {
  LoadSource();
  Drag(Viewport(), Qt::LeftButton, {50, 50}, {150, 150});
  WhenModal([](QWidget* dialog) { dialog->close(); });
  ASSERT_TRUE(window().RunCommand(CommandId::Options));
  EXPECT_TRUE(ZoneSelected(st()));
  WhenModal([](QWidget* dialog) {
    QTest::mouseClick(ButtonOf(dialog, "OK") ? ButtonOf(dialog, "OK") : ButtonOf(dialog, "&OK"),
                      Qt::LeftButton);
  });
  ASSERT_TRUE(window().RunCommand(CommandId::Options));
  EXPECT_FALSE(ZoneSelected(st()));
  EXPECT_EQ(st().zone.X1, -1);
}

}  // namespace
}  // namespace wrimple::app::testing

namespace wrimple::app::testing {
namespace {

TEST_F(AppTest, ScalingDialogStaysOpenBesideTheWindowAndSizesTheTarget) {
  LoadSource();
  ASSERT_TRUE(window().RunCommand(CommandId::SourceScaling));
  QWidget* dialog = VisibleTopLevel("source_scaling");
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(st().ScalingDialogOpen);
  EXPECT_FALSE(Enabled(CommandId::InvertBrightness));  // whole-target commands wait for it
  auto type = [dialog](ScalingControl id, const char* text) {
    auto* edit = dialog->findChild<QLineEdit*>(QString::number(int(id)));
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
  };
  type(ScalingControl::TargetWidth, "640");
  type(ScalingControl::TargetHeight, "480");
  QTest::mouseClick(dialog->findChild<QPushButton*>(QString::number(int(ScalingControl::TargetApply))),
                    Qt::LeftButton);
  QTest::mouseClick(dialog->findChild<QPushButton*>(QString::number(int(ScalingControl::Ok))),
                    Qt::LeftButton);
  EXPECT_EQ(st().TargetWidth(), 640);
  EXPECT_EQ(st().TargetHeight(), 480);
  EXPECT_FALSE(st().ScalingDialogOpen);
  EXPECT_EQ(VisibleTopLevel("source_scaling"), nullptr);
}

}  // namespace
}  // namespace wrimple::app::testing

namespace wrimple::app::testing {
namespace {

TEST_F(AppTest, ReferenceColourWindowSetsTheColourAndFollowsASweep) {
  LoadSource();
  ASSERT_TRUE(window().RunCommand(CommandId::SetupReferenceColor));
  QWidget* dialog = VisibleTopLevel("blush");
  ASSERT_NE(dialog, nullptr);
  QTest::mouseClick(ButtonOf(dialog, "White"), Qt::LeftButton);
  EXPECT_EQ(st().ReferenceColor, (Bgr{255, 255, 255}));
  // A right click on the view takes the pixel; the window's sliders follow.
  Drag(Viewport(), Qt::RightButton, {10, 10}, {10, 10});
  const Bgr picked = ReadPixel(st().Target().pixel(10, 10));
  EXPECT_EQ(st().ReferenceColor, picked);
  const QList<QSlider*> sliders = dialog->findChildren<QSlider*>();
  ASSERT_EQ(sliders.size(), 4);
  EXPECT_EQ(sliders[1]->value(), picked[2]);  // the red slider
  QTest::mouseClick(ButtonOf(dialog, "Done"), Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_EQ(st().ReferenceColorDialog, nullptr);
}

}  // namespace
}  // namespace wrimple::app::testing
