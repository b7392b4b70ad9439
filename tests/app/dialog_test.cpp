// The dialog windows drive their models: a person's clicks in a modal dialog.
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include "app_fixture.h"

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
    QList<QPushButton*> buttons = dialog->findChildren<QPushButton*>();
    ASSERT_GT(buttons.size(), 11);
    QTest::mouseClick(buttons[0], Qt::LeftButton);  // method code 0
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
