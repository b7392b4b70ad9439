#include "app/command_entries.h"

#include <algorithm>
#include <optional>

namespace wrimple::app {

namespace {

using C = CommandId;
using K = QKeySequence;

const std::vector<CommandEntry> kEntries = {
    {C::New, "", "Create a new document\nNew"},
    {C::OpenImage, "&Open image...\tCtrl+O", "Open an existing document\nOpen", {K(Qt::CTRL | Qt::Key_O)}},
    {C::ReopenLastImage, "Re_open last image...\tCtrl+R", "Reopen the last file\nReopen",
     {K(Qt::CTRL | Qt::Key_R)}},
    {C::NewChangeText, "New/Change Text ...\tCtrl+T", "", {K(Qt::CTRL | Qt::Key_T)}},
    {C::BlankSource, "Blank Source", ""},
    {C::Save, "&Save\tCtrl+S", "Save the active document\nSave", {K(Qt::CTRL | Qt::Key_S)}},
    {C::SaveAs, "Save &As...", "Save the active document with a new name\nSave As"},
    {C::NextSave, "Next Save\tN", "Save the next slide\nNext Slide", {}, "Nn"},
    {C::Print, "&Print...\tCtrl+P", "Print the active document\nPrint", {K(Qt::CTRL | Qt::Key_P)}},
    {C::QuickPrint, "", "Print the active document using current options\nQuick Print"},
    {C::PrintPreview, "Print Pre&view", "Display full pages\nPrint Preview"},
    {C::PrintSetup, "P&rint Setup...", "Change the printer and printing options\nPrint Setup"},
    {C::Exit, "E&xit", "Quit the application; prompts to save documents\nExit"},
    {C::Copy, "&Copy\tCtrl+C", "Copy the selection and put it on the Clipboard\nCopy",
     {K(Qt::CTRL | Qt::Key_C), K(Qt::CTRL | Qt::Key_Insert)}},
    {C::Cut, "Cu&t\tCtrl+X", "Cut the selection and put it on the Clipboard\nCut"},
    {C::Paste, "&Paste\tCtrl+V", "Insert Clipboard contents\nPaste",
     {K(Qt::CTRL | Qt::Key_V), K(Qt::SHIFT | Qt::Key_Insert)}},
    {C::SetupReferenceColor, "Setup Reference Color",
     "Setup reference color, used in merging and blushing\nReference Color"},
    {C::SourceScaling, "Source scaling",
     "Set scale X & Y of the source image(s). Also can set size of the target\nSet scaling and "
     "sizes"},
    {C::BaseColor, "Base color", "Setup the underlying base color\nBase color"},
    {C::RotateSource1, "Rotate Source 1", "Rotate source 1\nRotate source 1"},
    {C::RotateSource2, "Rotate Source 2", "Rotate source 2\nRotate source 2"},
    {C::FlipSource1, "Flip source 1 horizontal", "Horizontally flip source 1\nFlip source 1"},
    {C::FlipSource2, "Flip source 2 horizontal", "Horizontally flip source 2\nFlip source 2"},
    {C::RestoreTarget, "Restore target",
     "Restore the target image before any wrimpling, effects, brushing or blushing.\nRestore "
     "the target",
     {K(Qt::Key_Backspace)}},
    {C::MergeTwoSources, "Merge two sources", "Merge Sources: 1 & 2 to the target\n Src 1 & 2 -> target",
     {}, "m"},
    {C::TargetToSource1, "Target to source 1", "Copy snapshot of target to Source 1\nTarget to Source 1"},
    {C::TargetToSource2, "Target to source 2", "Copy snapshot of target to Source 2\nTarget to source 2"},
    {C::Options, "Options", "Enables flying tips"},
    {C::AlignSource1, "", "Align source 1 with left mouse button.\nAlign source 1", {}, "1"},
    {C::AlignSource2, "", "Align source 2 with left mouse button.\nAlign source 2", {}, "2"},
    {C::AligningOff, "", "Done with aligning sources.\nAligning off", {}, "x"},
    {C::LockTarget, "",
     "Freezes position of the target image so possible to merge in underlaying parts of source "
     "image(s) that have been repositioned.\nLock target image"},
    {C::BrightContrast, "Bright/contrast", "Adjust brightness and contrast\nBrightness Contrast"},
    {C::InvertBrightness, "Invert Brightness"},
    {C::InvertColorBrightness, "Invert Color/Brightness"},
    {C::BlackAndWhite, "Black and White"},
    {C::Effects1, "Effects 1"},
    {C::Effects2, "Effects 2"},
    {C::Effects3, "Effects 3"},
    {C::DappleEffect, "Dapple effect"},
    {C::PencilDraw, "Pencil Draw"},
    {C::Sharpen, "Sharpen"},
    {C::Emboss, "Emboss"},
    {C::Blur, "Blur"},
    {C::Soften, "Soften"},
    {C::Edge, "Edge"},
    {C::Highlight, "Highlight"},
    {C::FlipHorizontal, "Flip horizontal", "Flip the target image horizontally\nFlip horizontal", {}, "f"},
    {C::FlipVertical, "Flip vertical", "Flip the target image vertically\nFlip vertical"},
    {C::PortionMergeSource1, "Blush from source 1",
     "Portion merge (smoothly blend) in underlying source 1 within the box\nPortion Merge in "
     "source 1",
     {K(Qt::CTRL | Qt::Key_1)}},
    {C::PortionMergeSource2, "Blush from source 2",
     "Portion merge (smoothly blend) in underlying source 2 within the box\nPortion Merge in "
     "source 2",
     {K(Qt::CTRL | Qt::Key_2)}},
    {C::FillFromSource1, "Rect. section from src 1", "Fill the box with source 1\nFill from source 1"},
    {C::FillFromSource2, "Rect. section from src 2", "Fill the box with source 2\nFill from source 2"},
    {C::NudgeDown, "", "Nudge downwards within the box\nNudge down", {K(Qt::Key_Down)}},
    {C::NudgeUp, "", "Nudge upwards within the box\nNudge up", {K(Qt::Key_Up)}},
    {C::NudgeLeft, "", "Nudge to the left within the box\nNudge left", {K(Qt::Key_Left)}},
    {C::NudgeRight, "", "Nudge to the right within the box\nNudge right", {K(Qt::Key_Right)}},
    {C::TwistCounterClockwise, "", "Twist counter clockwise within the box\nTwist counter clockwise",
     {}, "<"},
    {C::TwistClockwise, "", "Twist clockwise within the box\nTwist clockwise", {}, ">"},
    {C::Squash, "", "Squash within the box\nSquash", {}, ","},
    {C::Stretch, "", "Stretch within the box\nStretch", {}, "."},
    {C::BlushDown, "", "Smoothly \"move away\" from reference color\nBlush down",
     {K(Qt::CTRL | Qt::Key_Down)}},
    {C::BlushUp, "", "Smoothly \"Move towards (converge to) the reference color\nBlush up",
     {K(Qt::CTRL | Qt::Key_Up)}},
    {C::SourceBrushing, "", "Source brushing\nSource brushing", {}, "b"},
    {C::SourceBrushingOff, "", "Source brushing off\nSource brushing off", {K(Qt::CTRL | Qt::Key_B)}},
    {C::ToggleStatusBar, "&Status Bar", "Show or hide the status bar\nToggle Status Bar"},
    {C::About, "&About wrimple32...", "Display program information, version number and copyright\nAbout"},
    {C::HelpTopics, "Help topics"},
    {C::FlowDiagram, "Wrimple Flow Diagram"},
};

const std::vector<MenuLayout> kMenus = {
    {"&File",
     {{.id = C::OpenImage}, {.id = C::ReopenLastImage}, {.id = C::NewChangeText},
      {.id = C::BlankSource}, {.id = C::Save}, {.id = C::SaveAs}, {.id = C::NextSave},
      {MenuItem::Separator}, {.id = C::Print}, {.id = C::PrintPreview}, {.id = C::PrintSetup},
      {MenuItem::Separator}, {MenuItem::RecentFiles}, {MenuItem::Separator}, {.id = C::Exit}}},
    {"&Edit",
     {{.id = C::Copy}, {.id = C::Paste}, {.id = C::SetupReferenceColor}, {.id = C::SourceScaling},
      {.id = C::BaseColor}, {.id = C::RotateSource1}, {.id = C::RotateSource2},
      {.id = C::FlipSource1}, {.id = C::FlipSource2},
      {.id = C::RestoreTarget, .text = "Restore Target"}, {.id = C::MergeTwoSources},
      {.id = C::RestoreTarget, .text = "Restore target"}, {.id = C::TargetToSource1},
      {.id = C::TargetToSource2}, {.id = C::Options}}},
    {"Target",
     {{.id = C::BrightContrast}, {.id = C::InvertBrightness}, {.id = C::InvertColorBrightness},
      {.id = C::BlackAndWhite}, {.id = C::Effects1}, {.id = C::Effects2}, {.id = C::Effects3},
      {.id = C::DappleEffect}, {.id = C::PencilDraw}, {.id = C::Sharpen}, {.id = C::Emboss},
      {.id = C::Blur}, {.id = C::Soften}, {.id = C::Edge}, {.id = C::Highlight},
      {.id = C::FlipHorizontal}, {.id = C::FlipVertical}, {.id = C::PortionMergeSource1},
      {.id = C::PortionMergeSource2}, {.id = C::FillFromSource1}, {.id = C::FillFromSource2},
      {.id = C::RestoreTarget}}},
    {"&Help", {{.id = C::About}, {.id = C::HelpTopics}, {.id = C::FlowDiagram}}},
};

const std::vector<CommandId> kSourceToolbar = {
    C::BaseColor,      C::SetupReferenceColor, C::New,          C::SourceScaling,
    C::AlignSource1,   C::AlignSource2,        C::AligningOff,  C::RotateSource1,
    C::RotateSource2,  C::FlipSource1,         C::FlipSource2,  C::MergeTwoSources,
    C::LockTarget,     C::RestoreTarget,       C::New,          C::TargetToSource1,
    C::TargetToSource2, C::FlowDiagram,
};

const std::vector<CommandId> kZoneToolbar = {
    C::NudgeDown,           C::NudgeUp,         C::NudgeLeft,           C::NudgeRight,
    C::TwistCounterClockwise, C::TwistClockwise, C::Squash,             C::Stretch,
    C::BlushDown,           C::BlushUp,         C::PortionMergeSource1, C::PortionMergeSource2,
    C::FillFromSource1,     C::FillFromSource2, C::SourceBrushing,      C::SourceBrushingOff,
    C::BrightContrast,      C::FlipHorizontal,  C::FlipVertical,
};

}  // namespace

const std::vector<CommandEntry>& CommandEntries() { return kEntries; }

const CommandEntry& EntryOf(CommandId id) {
  return *std::find_if(kEntries.begin(), kEntries.end(),
                       [id](const CommandEntry& e) { return e.id == id; });
}

QString PromptOf(const CommandEntry& entry) {
  return QString::fromUtf8(entry.prompt).section('\n', 0, 0);
}

QString TooltipOf(const CommandEntry& entry) {
  const QString prompt = QString::fromUtf8(entry.prompt);
  return prompt.contains('\n') ? prompt.section('\n', 1) : QString();
}

const std::vector<MenuLayout>& MainMenus() { return kMenus; }
const std::vector<CommandId>& SourceToolbarButtons() { return kSourceToolbar; }
const std::vector<CommandId>& ZoneToolbarButtons() { return kZoneToolbar; }

std::optional<CommandId> CommandOfCharacter(QChar character) {
  for (const CommandEntry& e : kEntries)
    if (QString::fromUtf8(e.characters).contains(character)) return e.id;
  return std::nullopt;
}

}  // namespace wrimple::app
