// Start-up with a command-line file, start-ups that end early, leaving the
// program with unsaved changes, and the user's help.
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QTextBrowser>
#include <QtTest/QTest>

#include "app_fixture.h"
#include "modal_helpers.h"

namespace wrimple::app::testing {
namespace {

class StartUpTest : public AppTest {
 protected:
  void SetUp() override { ASSERT_TRUE(folder.isValid()); }

  // Starts with the given words after the program's name.
  bool StartWith(const QStringList& words) {
    settings = std::make_unique<QSettings>(folder.filePath("settings.ini"), QSettings::IniFormat);
    app = std::make_unique<Application>(*settings, StartOptions{.data_folder = WRIMPLE_APP_DATA});
    InstallCommandHandlers(*app);
    return app->StartUp(QStringList{"wrimple"} + words);
  }
  void WriteSetting(const QString& name, int value) {
    QSettings raw(folder.filePath("settings.ini"), QSettings::IniFormat);
    raw.setValue("Configure/" + name, value);
  }
  QVariant StoredSetting(const QString& name) {
    QSettings raw(folder.filePath("settings.ini"), QSettings::IniFormat);
    return raw.value("Configure/" + name);
  }
};

TEST_F(StartUpTest, AStartUpThatFailsLeavesTheStoredSettingsAsTheyWere) {
  WriteSetting("Flying tips", 1);
  WriteSetting("Target Width", 1500);
  WriteSetting("Target height", 900);
  for (const QString& bad : {folder.filePath("missing.bmp"), folder.path()}) {
    ModalSteps close_message({[](QWidget* box) { box->close(); }});
    EXPECT_FALSE(StartWith({bad})) << bad.toStdString();
    Stop();  // the program object goes, as when main returns
    EXPECT_EQ(StoredSetting("Flying tips").toInt(), 1);
    EXPECT_EQ(StoredSetting("Target Width").toInt(), 1500);
    EXPECT_EQ(StoredSetting("Target height").toInt(), 900);
    EXPECT_FALSE(StoredSetting("wrimple button aggressiveness").isValid());
  }
}

TEST_F(StartUpTest, ACommandLineFileEndsTheHelpPictureAndIsSourceOneShownAtOnce) {
  const QString path = WritePicture("first.bmp", 64, 48);
  WriteSetting("Target Width", 800);
  WriteSetting("Target height", 600);
  ASSERT_TRUE(StartWith({path}));
  // Fitted to the target of the settings: 800 * 100 / 64.
  EXPECT_EQ(st().doc.Source(1).ScaleXPercent, 1250.0f);
  EXPECT_EQ(st().TargetWidth(), 800);
  EXPECT_EQ(app->messages().errors_shown(), 0);
  EXPECT_TRUE(st().FlyingTipsEnabled);  // tips as the settings say
  EXPECT_FALSE(st().FirstTimeHelp);
  EXPECT_FALSE(st().doc.help_picture.has_value());
  EXPECT_EQ(st().SourceCount, 1);
  EXPECT_EQ(st().doc.Source(1).SourceKind, kKindImageFile);
  EXPECT_EQ(Pane(0), "One source image loaded");
  EXPECT_EQ(window().RecentFiles().value(0), QFileInfo(path).absoluteFilePath());
  // The view shows the target built from the file, not the help picture.
  window().resize(900, 700);
  QApplication::processEvents();
  const QImage shown = Viewport()->grab().toImage();
  for (const QPoint at : {QPoint(5, 5), QPoint(750, 300), QPoint(600, 500)}) {
    const Bgr source = ReadPixel(st().doc.Source(1).plane().pixel(at.x(), at.y()));
    EXPECT_EQ(ReadPixel(st().Target().pixel(at.x(), at.y())), source);
    EXPECT_EQ(shown.pixelColor(at), QColor(source[2], source[1], source[0])) << at.x() << "," << at.y();
  }
  // A second source goes into slot 2, not over the first.
  LoadSource();
  EXPECT_EQ(st().SourceCount, 2);
}

class ExitTest : public AppTest {
 protected:
  void Change() {
    LoadSource();
    ASSERT_TRUE(window().RunCommand(CommandId::InvertBrightness));
    ASSERT_TRUE(st().TargetModified);
    window().show();
  }
  static ModalSteps::Step Answer(QMessageBox::StandardButton button) {
    return [button](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(box->text(), "Save the changes to the target?");
      QTest::mouseClick(box->button(button), Qt::LeftButton);
    };
  }
  bool SettingsWritten() {
    settings->sync();
    return settings->contains("Configure/Target Width");
  }
};

TEST_F(ExitTest, UnchangedTargetClosesWithoutAQuestion) {
  LoadSource();
  window().show();
  ModalSteps none({});
  EXPECT_TRUE(window().close());
  EXPECT_TRUE(none.seen().isEmpty());
  EXPECT_TRUE(SettingsWritten());
}

TEST_F(ExitTest, CancelStaysAndNoLeavesWithoutSaving) {
  Change();
  {
    ModalSteps cancel({Answer(QMessageBox::Cancel)});
    EXPECT_FALSE(window().close());
    EXPECT_EQ(cancel.done(), 1);
    EXPECT_TRUE(window().isVisible());
    EXPECT_FALSE(SettingsWritten());
  }
  {
    ModalSteps escape({[](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); }});
    EXPECT_FALSE(window().close());
    EXPECT_TRUE(window().isVisible());
  }
  ModalSteps no({Answer(QMessageBox::No)});
  EXPECT_TRUE(window().RunCommand(CommandId::Exit));
  EXPECT_EQ(no.done(), 1);
  EXPECT_FALSE(window().isVisible());
  EXPECT_TRUE(SettingsWritten());
  EXPECT_TRUE(QDir(folder.path()).entryList({"*.png"}).isEmpty());
}

TEST_F(ExitTest, YesSavesFirstAndACancelledSaveKeepsTheProgramOpen) {
  Change();
  {
    ModalSteps cancelled_save({Answer(QMessageBox::Yes), [](QWidget* files) {
                                 ASSERT_NE(qobject_cast<QFileDialog*>(files), nullptr);
                                 qobject_cast<QDialog*>(files)->reject();
                               }});
    EXPECT_FALSE(window().close());
    EXPECT_EQ(cancelled_save.done(), 2);
    EXPECT_TRUE(window().isVisible());
  }
  const QString saved = folder.filePath("kept.png");
  ModalSteps save({Answer(QMessageBox::Yes), [this](QWidget* files) {
                     auto* dialog = qobject_cast<QFileDialog*>(files);
                     ASSERT_NE(dialog, nullptr);
                     dialog->setDirectory(folder.path());
                     auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
                     ASSERT_NE(name, nullptr);
                     QTest::keyClicks(name, "kept.png");
                     QTest::keyClick(name, Qt::Key_Return);
                   }});
  EXPECT_TRUE(window().close());
  EXPECT_TRUE(QFileInfo::exists(saved));
  EXPECT_FALSE(window().isVisible());
}

TEST_F(AppTest, HelpTopicsIsAlwaysEnabledAndShowsTheUsageSection) {
  EXPECT_TRUE(Enabled(CommandId::HelpTopics));  // before any source
  const HelpPage page = app->HelpTopicsPage();
  EXPECT_TRUE(QFileInfo::exists(page.path)) << page.path.toStdString();
  ASSERT_TRUE(window().RunCommand(CommandId::HelpTopics));
  QWidget* help = VisibleTopLevel("help");
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);  // the program stays usable
  auto* browser = help->findChild<QTextBrowser*>();
  ASSERT_NE(browser, nullptr);
  const QString shown = browser->toPlainText();
  EXPECT_TRUE(shown.startsWith("Usage")) << shown.left(80).toStdString();
  EXPECT_TRUE(shown.contains("Merge two sources"));
  EXPECT_FALSE(shown.contains("Image file encoders"));  // only that section
  help->close();
  LoadSource();
  Drag(Viewport(), Qt::LeftButton, {50, 50}, {150, 150});
  EXPECT_TRUE(Enabled(CommandId::HelpTopics));
}

}  // namespace
}  // namespace wrimple::app::testing
