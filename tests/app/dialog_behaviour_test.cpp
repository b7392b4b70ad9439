// How the dialogs behave for a person: default buttons, the reference colour
// window beside the merge dialog and the blank source, "Next Slide", a refused
// entry's message, and the text entry's Paste and Set Font.
#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QtTest/QTest>
#include <set>

#include "app_fixture.h"
#include "compose/source_scaling.h"
#include "modal_helpers.h"

namespace wrimple::app::testing {
namespace {

TEST_F(AppTest, ReplaceSourceDialogKeepsBothSourcesOnEnterAndOnEscape) {
  LoadSource();
  LoadSource(300, 300);
  const std::string first = st().doc.Source(1).file_path;
  const QString third = WritePicture("third.bmp", 50, 50);
  for (const int key : {Qt::Key_Return, Qt::Key_Escape}) {
    ModalSteps answer({[key](QWidget* dialog) {
      EXPECT_EQ(dialog->objectName(), "CReplaceSource");
      EXPECT_EQ(dialog->windowTitle(), "Replace Source Window");
      QStringList texts;
      for (QLabel* l : dialog->findChildren<QLabel*>()) texts << l->text();
      EXPECT_TRUE(texts.contains("No more than two sources can be present.\nWhich source do you want to replace?"));
      for (const char* text : {"Replace Src 1", "Replace Src 2", "Don't Replace"})
        EXPECT_NE(ButtonWithText(dialog, text), nullptr) << text;
      EXPECT_TRUE(ButtonWithText(dialog, "Don't Replace")->isDefault());
      const QList<QLineEdit*> descriptions = dialog->findChildren<QLineEdit*>();
      ASSERT_EQ(descriptions.size(), 2);
      EXPECT_TRUE(descriptions[0]->isReadOnly());
      EXPECT_TRUE(descriptions[0]->text().startsWith("1:  "));
      QTest::keyClick(dialog, Qt::Key(key));
    }});
    EXPECT_TRUE(app->OpenThroughFramework(third));
    EXPECT_EQ(answer.done(), 1);
    EXPECT_EQ(st().SourceCount, 2);
    EXPECT_EQ(st().doc.Source(1).file_path, first) << "key " << key;
  }
}

// Records whether a modal window blocks the window named `name`.
class BlockedWatch : public QObject {
 public:
  explicit BlockedWatch(QString name) : name_(std::move(name)) { qApp->installEventFilter(this); }
  ~BlockedWatch() override { qApp->removeEventFilter(this); }
  bool blocked = false;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && widget->isWindow() && widget->objectName() == name_) {
      if (event->type() == QEvent::WindowBlocked) blocked = true;
      if (event->type() == QEvent::WindowUnblocked) blocked = false;
    }
    return false;
  }

 private:
  QString name_;
};

TEST_F(AppTest, ReferenceColourWindowFromTheMergeDialogTakesInputAndRemerges) {
  LoadSource();
  LoadSource(300, 300);
  BlockedWatch watch("blush");
  ModalSteps merge({[&](QWidget* dialog) {
    QTest::mouseClick(dialog->findChild<QRadioButton*>("1007"), Qt::LeftButton);  // If 1 > Ref.
    const std::vector<std::uint8_t> before(st().Target().bits(), st().Target().bits() + st().Target().byte_size());
    QTest::mouseClick(ButtonWithText(dialog, "Change Ref. Color"), Qt::LeftButton);
    QWidget* reference = VisibleTopLevel("blush");
    ASSERT_NE(reference, nullptr);
    QApplication::processEvents();
    EXPECT_FALSE(watch.blocked) << "the merge dialog must not block the reference colour window";
    QTest::mouseClick(ButtonWithText(reference, "White"), Qt::LeftButton);
    EXPECT_EQ(st().ReferenceColor, (Bgr{255, 255, 255}));
    const std::vector<std::uint8_t> after(st().Target().bits(), st().Target().bits() + st().Target().byte_size());
    EXPECT_NE(before, after) << "the target is merged again with the new colour";
    QTest::mouseClick(ButtonWithText(dialog, "DONE"), Qt::LeftButton);
  }});
  ASSERT_TRUE(window().RunCommand(CommandId::MergeTwoSources));
  EXPECT_EQ(merge.done(), 1);
  EXPECT_EQ(st().ReferenceColorDialog, nullptr);
}

TEST_F(AppTest, BlankSourceWaitsForTheColourWithoutBlockingTheProgram) {
  LoadSource();
  const Bgr picked = ReadPixel(st().Target().pixel(30, 20));
  bool checked = false;
  QTimer::singleShot(0, [&] {
    QWidget* reference = VisibleTopLevel("blush");
    ASSERT_NE(reference, nullptr);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    // A right-button sweep over the target picks the colour meanwhile.
    Drag(Viewport(), Qt::RightButton, {30, 20}, {30, 20});
    EXPECT_EQ(st().ReferenceColor, picked);
    checked = true;
    QTest::mouseClick(ButtonWithText(reference, "Done"), Qt::LeftButton);
  });
  ASSERT_TRUE(window().RunCommand(CommandId::BlankSource));
  EXPECT_TRUE(checked);
  ASSERT_EQ(st().SourceCount, 2);
  EXPECT_EQ(st().doc.Source(2).SourceKind, kKindBlank);
  EXPECT_EQ(ReadPixel(st().doc.Source(2).SourcePicture->bits()), picked);
}

struct SlideCase {
  CommandId command;
  const char* dialog;
};

TEST_F(AppTest, NextSlideInTheMergeAndEffectDialogsWritesTheNextNumberedFile) {
  LoadSource();
  LoadSource(300, 300);
  st().doc.save_stem = folder.filePath("slide").toStdString();
  st().doc.save_extension = "bmp";
  st().doc.save_path = st().doc.save_stem + ".bmp";
  const SlideCase cases[] = {{CommandId::MergeTwoSources, "mergepix"}, {CommandId::Effects1, "effects"},
                             {CommandId::Effects2, "effects2"},        {CommandId::Effects3, "effects3"},
                             {CommandId::DappleEffect, "effects4"}};
  int number = 0;
  for (const SlideCase& c : cases) {
    ModalSteps slide({[&](QWidget* dialog) {
      EXPECT_EQ(dialog->objectName(), c.dialog);
      QPushButton* next = ButtonWithText(dialog, "Next Slide");
      ASSERT_NE(next, nullptr) << c.dialog;
      QTest::mouseClick(next, Qt::LeftButton);
      EXPECT_EQ(QApplication::activeModalWidget(), dialog) << "the dialog stays open";
      dialog->close();
    }});
    ASSERT_TRUE(window().RunCommand(c.command)) << c.dialog;
    const QString written = folder.filePath(QString("slide%1.bmp").arg(++number, 4, 10, QChar('0')));
    EXPECT_TRUE(QFileInfo::exists(written)) << c.dialog << ": " << written.toStdString();
  }
}

struct DefaultCase {
  CommandId command;
  const char* dialog;
  const char* default_button;
};

TEST_F(AppTest, EachDialogHasTheDefaultButtonOfItsTable) {
  LoadSource();
  LoadSource(300, 300);
  const DefaultCase cases[] = {
      {CommandId::MergeTwoSources, "mergepix", "DONE"}, {CommandId::RotateSource1, "rotate", "OK"},
      {CommandId::BrightContrast, "bright_cont", "OK"}, {CommandId::Highlight, "pos_bright_cont", "OK"},
      {CommandId::Effects1, "effects", "Done"},         {CommandId::Effects2, "effects2", "Done"},
      {CommandId::Effects3, "effects3", "Done"},        {CommandId::DappleEffect, "effects4", "Done"},
      {CommandId::NewChangeText, "text_entry", "OK"},
  };
  for (const DefaultCase& c : cases) {
    std::vector<ModalSteps::Step> steps;
    // Text entry first asks which source to replace.
    if (c.command == CommandId::NewChangeText)
      steps.push_back([](QWidget* replace) { QTest::mouseClick(ButtonWithText(replace, "Replace Src 2"), Qt::LeftButton); });
    steps.push_back([&c](QWidget* dialog) {
      EXPECT_EQ(dialog->objectName(), c.dialog);
      QStringList defaults;
      for (QPushButton* b : dialog->findChildren<QPushButton*>())
        if (b->isDefault()) defaults << b->text();
      EXPECT_EQ(defaults, QStringList{c.default_button}) << c.dialog;
      dialog->close();
    });
    ModalSteps answer(std::move(steps));
    ASSERT_TRUE(window().RunCommand(c.command)) << c.dialog;
    EXPECT_EQ(answer.done(), c.command == CommandId::NewChangeText ? 2 : 1) << c.dialog;
  }
  // Enter in the merge dialog is DONE: the method chosen stays, nothing else is run.
  ModalSteps enter({[](QWidget* dialog) {
    QTest::mouseClick(dialog->findChild<QRadioButton*>("1002"), Qt::LeftButton);  // brightest
    QTest::keyClick(dialog, Qt::Key_Return);
  }});
  ASSERT_TRUE(window().RunCommand(CommandId::MergeTwoSources));
  EXPECT_EQ(st().MergeMethod, 2);
  // The scaling dialog is modeless; its Apply is the default.
  ASSERT_TRUE(window().RunCommand(CommandId::SourceScaling));
  QWidget* scaling = VisibleTopLevel("source_scaling");
  ASSERT_NE(scaling, nullptr);
  auto* apply = scaling->findChild<QPushButton*>(QString::number(int(ScalingControl::Apply)));
  ASSERT_NE(apply, nullptr);
  EXPECT_TRUE(apply->isDefault());
  scaling->close();
}

TEST_F(AppTest, ScalingDialogShowsARefusedEntrysMessageOnce) {
  LoadSource();
  ASSERT_TRUE(window().RunCommand(CommandId::SourceScaling));
  QWidget* dialog = VisibleTopLevel("source_scaling");
  ASSERT_NE(dialog, nullptr);
  auto* edit = dialog->findChild<QLineEdit*>(QString::number(int(ScalingControl::WidthPercent1)));
  ASSERT_NE(edit, nullptr);
  dialog->activateWindow();
  QApplication::setActiveWindow(dialog);
  edit->setFocus();
  ASSERT_TRUE(edit->hasFocus());
  const int errors = app->messages().errors_shown();
  // The window manager gives the message the focus.
  auto activate_and_close = [](QWidget* box) {
    QApplication::setActiveWindow(box);
    box->setFocus();
    QApplication::processEvents();
    box->close();
  };
  ModalSteps close_all({activate_and_close, activate_and_close});
  edit->selectAll();
  QTest::keyClicks(edit, "abc");
  // Tab leaves the edit for the next one, which the message then takes the
  // focus from.
  QTest::keyClick(edit, Qt::Key_Tab);
  QApplication::processEvents();
  EXPECT_EQ(close_all.done(), 1) << close_all.seen().join(", ").toStdString();
  EXPECT_EQ(app->messages().errors_shown(), errors + 1);
  dialog->close();
}

TEST_F(AppTest, TextEntryPastesTheClipboardAndShowsTheChosenFont) {
  LoadSource();
  QApplication::clipboard()->setText("pasted words");
  QString shown_family;
  int shown_size = 0;
  const QString chosen_family = QFontDatabase::families().value(0);
  ModalSteps steps({
      [&](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Text Entry");
        auto* edit = dialog->findChild<QPlainTextEdit*>();
        ASSERT_NE(edit, nullptr);
        edit->clear();
        QTest::mouseClick(ButtonWithText(dialog, "Paste"), Qt::LeftButton);
        EXPECT_EQ(edit->toPlainText(), "pasted words");
        QTest::mouseClick(ButtonWithText(dialog, "Set Font"), Qt::LeftButton);
        shown_family = edit->font().family();
        shown_size = edit->font().pixelSize();
        QTest::mouseClick(ButtonWithText(dialog, "OK"), Qt::LeftButton);
      },
      [&](QWidget* fonts) {
        auto* dialog = qobject_cast<QFontDialog*>(fonts);
        ASSERT_NE(dialog, nullptr);
        QFont font(chosen_family);
        font.setPixelSize(31);
        dialog->setCurrentFont(font);
        dialog->accept();
      },
      [](QWidget* colours) {
        ASSERT_NE(qobject_cast<QColorDialog*>(colours), nullptr);
        qobject_cast<QDialog*>(colours)->accept();
      },
  });
  ASSERT_TRUE(window().RunCommand(CommandId::NewChangeText));
  EXPECT_EQ(steps.done(), 3);
  EXPECT_EQ(shown_family.toStdString(), st().doc.text_font.face_name);
  EXPECT_EQ(shown_size, std::abs(st().doc.text_font.height));
  EXPECT_EQ(st().doc.Source(2).text, "pasted words\r\n");
}

}  // namespace
}  // namespace wrimple::app::testing
