// Every dialog's title, labels, buttons, tooltips and pictures as their tables
// of controls give them.
#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QtTest/QTest>

#include "app/dialogs.h"
#include "app_fixture.h"
#include "modal_helpers.h"

namespace wrimple::app::testing {
namespace {

// What a person reads in a window: labels, button and group captions, tooltips.
QStringList TextsOf(QWidget* window) {
  QStringList texts;
  for (QLabel* l : window->findChildren<QLabel*>()) texts << l->text();
  for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) texts << QString(b->text()).remove('&');
  for (QGroupBox* g : window->findChildren<QGroupBox*>()) texts << g->title();
  for (QWidget* w : window->findChildren<QWidget*>())
    if (!w->toolTip().isEmpty()) texts << w->toolTip();
  return texts;
}

int PicturesIn(QWidget* window) {
  int pictures = 0;
  for (QLabel* l : window->findChildren<QLabel*>()) pictures += l->pixmap().isNull() ? 0 : 1;
  return pictures;
}

struct DialogTexts {
  CommandId command;
  const char* name;
  const char* title;
  std::vector<const char*> texts;
  int pictures = 0;
};

void PrintTo(const DialogTexts& c, std::ostream* os) { *os << c.name; }

const std::vector<DialogTexts> kDialogs = {
    {CommandId::NewChangeText, "text_entry", "Text Entry",
     {"Selected Source 2", "Paste", "Set Font", "Try Text", "OK"}},
    {CommandId::MergeTwoSources, "mergepix", "Merge Source 1 & 2  to Target",
     {"Merge Method", "1 only to target", "2 only to target", "Brightest pixel 1 , 2", "Darkest pixel   1 , 2",
      "Subtract Pixel  1 - 2", "Subtract Pixel  2 - 1", "Average Pixel  1 , 2", "If 1 > Ref. then 1 else 2",
      "If 1 > Ref. then 2 else 1", "If 2 > Ref. then 1 else 2", "If 2 > Ref. then 2 else 1", "Normal Contrast",
      "Infinite contast b/w", "Infinite contrast rgb", "Src 1 <--- BIAS --- > Src 2",
      "Infinite Contrast Threshold %", "Change Ref. Color", "Ref. =", "Next Slide", "DONE"}},
    {CommandId::SourceScaling, "source_scaling", "Sizing Source images and Target ",
     {"Source Sizes % of originals", "Source 1", "Source 2", "Width %", "Height %", "Width pixels",
      "Height pixels", "<", ">", "100%", "Apply", "Fit to target size (below)", "Preserve Aspect Ratio",
      "Target Size in pixels", "Width", "Height", "Maximum 4096 X 3072", "Set to window size",
      "Uncommon command", "Common Sizes", "1920:1080", "1920:1200", "1680:1050", "1280:800", "Other", "OK",
      "Cancel"}},
    {CommandId::RotateSource1, "rotate", "Rotate Source",
     {"Selected Source 1", "Apply", "0", "90", "180", "270", "OK", "Cancel"}},
    {CommandId::BrightContrast, "bright_cont", "Adjust Brightness & Contrast",
     {"Brightness", "Contrast", "Gamma Adjustment", "Reset", "OK"}, 3},
    {CommandId::Highlight, "pos_bright_cont", "Highlight to edge",
     {"Brighten upwards", "Brighten downwards", "Brighten leftwards", "Brighten rightwards", "Reset", "OK",
      "Cancel"}},
    {CommandId::Effects1, "effects", "Special Effects 1",
     {"Reset", "Next Slide", "Done", "Note that 'vitreous' buttons are best with close up portraits"}, 1},
    {CommandId::Effects2, "effects2", "Special effects",
     {"Pertubation Amplitude", "Pertubation Frequency", "Enter values from 1 to 100", "Try", "Done", "Cancel",
      "Next Slide"}},
    {CommandId::Effects3, "effects3", "Special Effects 3", {"Band frequency", "Try", "Done", "Cancel", "Next Slide"}},
    {CommandId::DappleEffect, "effects4", "Dapple Effect",
     {"You can adjust dapple size below.", "Try", "Done", "Cancel", "Next Slide"}, 1},
    {CommandId::SetupReferenceColor, "blush", "REFERENCE COLOR Adjustment",
     {"Ref.  View", "Black", "Gray", "White", "Done",
      "You can wipe the right mouse button over the image to get an avergage reference color.",
      "Use this reference color for 'blushing' and merging."},
     3},
    {CommandId::Options, "options", "Options", {"Allow flying tips", "Wrimple buttons: aggressiveness", "OK", "Cancel"}},
};

class DialogTextsTest : public AppTest, public ::testing::WithParamInterface<DialogTexts> {};

void Check(QWidget* dialog, const DialogTexts& c) {
  EXPECT_EQ(dialog->objectName(), c.name);
  EXPECT_EQ(dialog->windowTitle(), c.title);
  const QStringList texts = TextsOf(dialog);
  for (const char* text : c.texts) EXPECT_TRUE(texts.contains(text)) << c.name << ": \"" << text << "\"";
  EXPECT_EQ(PicturesIn(dialog), c.pictures) << c.name;
  EXPECT_GT(dialog->width(), dialog->fontMetrics().horizontalAdvance(c.title)) << c.name << ": title cut";
}

TEST_P(DialogTextsTest, AreThoseOfItsTableOfControls) {
  const DialogTexts& c = GetParam();
  LoadSource();
  LoadSource(300, 300);
  std::vector<ModalSteps::Step> steps;
  if (c.command == CommandId::NewChangeText)
    steps.push_back([](QWidget* replace) { QTest::mouseClick(ButtonWithText(replace, "Replace Src 2"), Qt::LeftButton); });
  bool checked = false;
  steps.push_back([&](QWidget* dialog) {
    Check(dialog, c);
    checked = true;
    dialog->close();
  });
  ModalSteps run(std::move(steps));
  ASSERT_TRUE(window().RunCommand(c.command));
  if (!checked) {  // a modeless window: it is open beside the program now
    QWidget* open = VisibleTopLevel(c.name);
    ASSERT_NE(open, nullptr) << c.name;
    QApplication::processEvents();
    Check(open, c);
    open->close();
  }
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogTextsTest, ::testing::ValuesIn(kDialogs),
                         [](const ::testing::TestParamInfo<DialogTexts>& info) { return std::string(info.param.name); });

TEST_F(AppTest, PrintLayoutDialogShowsItsWholeTitleAndItsChoices) {
  ModalSteps check({[](QWidget* dialog) {
    Check(dialog, {CommandId::Print, "print_layout", "Configure print layout",
                   {"Align to top", "Align to middle", "Align to bottom", "Stretch vertically", "OK", "Cancel"}});
    dialog->close();
  }});
  RunPrintLayoutDialog(&window(), st());
  EXPECT_EQ(check.done(), 1);
}

}  // namespace
}  // namespace wrimple::app::testing
