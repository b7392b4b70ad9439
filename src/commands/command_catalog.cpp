#include "commands/command_catalog.h"

#include <algorithm>
#include <climits>

#include "compose/align.h"
#include "compose/flip_source.h"
#include "compose/merge_dialog.h"
#include "compose/rotate.h"
#include "effects/apply_filter.h"
#include "effects/black_and_white.h"
#include "effects/bright_contrast.h"
#include "effects/dapple_dialog.h"
#include "effects/effects1_dialog.h"
#include "effects/effects2_dialog.h"
#include "effects/effects3_dialog.h"
#include "effects/flip_horizontal.h"
#include "effects/flip_vertical.h"
#include "effects/invert_brightness.h"
#include "effects/invert_color_brightness.h"
#include "effects/pencil_draw.h"
#include "io/clipboard_sources.h"
#include "io/loading.h"
#include "io/saving.h"
#include "zone/blush.h"
#include "zone/fill.h"
#include "zone/lock_target.h"
#include "zone/nudge.h"
#include "zone/options_dialog.h"
#include "zone/portion_merge.h"
#include "zone/restore_target.h"
#include "zone/source_brushing.h"
#include "zone/squash_stretch.h"
#include "zone/twist.h"

namespace wrimple {

namespace {

using C = CommandId;

// A core call that always does what was asked, as a CoreAction.
template <void (*kCall)(State&, Platform&)>
bool Done(State& st, Platform& pf) {
  kCall(st, pf);
  return true;
}

template <ConvolutionFilter kFilter>
void Convolve(State& st, Platform& pf) {
  OnConvolutionFilter(st, pf, kFilter);
}

void AligningOff(State& st, Platform& pf) {
  SetAligning(st, pf, 0);
  st.tips.PreviewTip.Empty();
}

template <NudgeDirection kDirection>
void NudgeTo(State& st, Platform& pf) {
  Nudge(st, pf, kDirection);
}

// A core call with its source (1, 2) or direction (+1, -1) given.
template <void (*kOperation)(State&, Platform&, int), int kArgument>
void With(State& st, Platform& pf) {
  kOperation(st, pf, kArgument);
}

void Lock(State& st, Platform&) { LockTarget(st); }

void BrushingOn(State& st, Platform& pf) { SourceBrushingOn(st, pf); }

const std::vector<CommandInfo> kCommands = {
    {C::New, "", "Create a new document\nNew"},
    {C::OpenImage, "&Open image...\tCtrl+O", "Open an existing document\nOpen", {"Ctrl+O"}, "",
     Done<OpenImage>},
    {C::ReopenLastImage, "Re_open last image...\tCtrl+R", "Reopen the last file\nReopen", {"Ctrl+R"}, "",
     Done<ReopenLastImage>},
    {C::NewChangeText, "New/Change Text ...\tCtrl+T", "", {"Ctrl+T"}},
    {C::BlankSource, "Blank Source", ""},
    {C::Save, "&Save\tCtrl+S", "Save the active document\nSave", {"Ctrl+S"}, "", Save},
    {C::SaveAs, "Save &As...", "Save the active document with a new name\nSave As", {}, "", SaveAs},
    {C::NextSave, "Next Save\tN", "Save the next slide\nNext Slide", {}, "Nn", NextSave},
    {C::Print, "&Print...\tCtrl+P", "Print the active document\nPrint", {"Ctrl+P"}},
    {C::QuickPrint, "", "Print the active document using current options\nQuick Print"},
    {C::PrintPreview, "Print Pre&view", "Display full pages\nPrint Preview"},
    {C::PrintSetup, "P&rint Setup...", "Change the printer and printing options\nPrint Setup"},
    {C::Exit, "E&xit", "Quit the application; prompts to save documents\nExit"},
    {C::Copy, "&Copy\tCtrl+C", "Copy the selection and put it on the Clipboard\nCopy", {"Ctrl+C", "Ctrl+Ins"}, "",
     Done<CopyTarget>},
    {C::Cut, "Cu&t\tCtrl+X", "Cut the selection and put it on the Clipboard\nCut"},
    {C::Paste, "&Paste\tCtrl+V", "Insert Clipboard contents\nPaste", {"Ctrl+V", "Shift+Ins"}, "", Done<Paste>},
    {C::SetupReferenceColor, "Setup Reference Color",
     "Setup reference color, used in merging and blushing\nReference Color"},
    {C::SourceScaling, "Source scaling",
     "Set scale X & Y of the source image(s). Also can set size of the target\nSet scaling and "
     "sizes"},
    {C::BaseColor, "Base color", "Setup the underlying base color\nBase color"},
    {C::RotateSource1, "Rotate Source 1", "Rotate source 1\nRotate source 1"},
    {C::RotateSource2, "Rotate Source 2", "Rotate source 2\nRotate source 2"},
    {C::FlipSource1, "Flip source 1 horizontal", "Horizontally flip source 1\nFlip source 1", {}, "",
     Done<With<FlipSource, 1>>},
    {C::FlipSource2, "Flip source 2 horizontal", "Horizontally flip source 2\nFlip source 2", {}, "",
     Done<With<FlipSource, 2>>},
    {C::RestoreTarget, "Restore target",
     "Restore the target image before any wrimpling, effects, brushing or blushing.\nRestore "
     "the target",
     {"Backspace"}, "", Done<RestoreTarget>},
    {C::MergeTwoSources, "Merge two sources", "Merge Sources: 1 & 2 to the target\n Src 1 & 2 -> target",
     {}, "m"},
    {C::TargetToSource1, "Target to source 1", "Copy snapshot of target to Source 1\nTarget to Source 1", {}, "",
     Done<With<TargetToSource, 1>>},
    {C::TargetToSource2, "Target to source 2", "Copy snapshot of target to Source 2\nTarget to source 2", {}, "",
     Done<With<TargetToSource, 2>>},
    {C::Options, "Options", "Enables flying tips"},
    {C::AlignSource1, "", "Align source 1 with left mouse button.\nAlign source 1", {}, "1",
     Done<With<SetAligning, 1>>},
    {C::AlignSource2, "", "Align source 2 with left mouse button.\nAlign source 2", {}, "2",
     Done<With<SetAligning, 2>>},
    {C::AligningOff, "", "Done with aligning sources.\nAligning off", {}, "x", Done<AligningOff>},
    {C::LockTarget, "",
     "Freezes position of the target image so possible to merge in underlaying parts of source "
     "image(s) that have been repositioned.\nLock target image",
     {}, "", Done<Lock>},
    {C::BrightContrast, "Bright/contrast", "Adjust brightness and contrast\nBrightness Contrast"},
    {C::InvertBrightness, "Invert Brightness", "", {}, "", Done<OnInvertBrightness>},
    {C::InvertColorBrightness, "Invert Color/Brightness", "", {}, "", Done<OnInvertColorBrightness>},
    {C::BlackAndWhite, "Black and White", "", {}, "", Done<OnBlackAndWhite>},
    {C::Effects1, "Effects 1"},
    {C::Effects2, "Effects 2"},
    {C::Effects3, "Effects 3"},
    {C::DappleEffect, "Dapple effect"},
    {C::PencilDraw, "Pencil Draw", "", {}, "", Done<PencilDraw>},
    {C::Sharpen, "Sharpen", "", {}, "", Done<Convolve<ConvolutionFilter::Sharpen>>},
    {C::Emboss, "Emboss", "", {}, "", Done<Convolve<ConvolutionFilter::Emboss>>},
    {C::Blur, "Blur", "", {}, "", Done<Convolve<ConvolutionFilter::Blur>>},
    {C::Soften, "Soften", "", {}, "", Done<Convolve<ConvolutionFilter::Soften>>},
    {C::Edge, "Edge", "", {}, "", Done<Convolve<ConvolutionFilter::Edge>>},
    {C::Highlight, "Highlight"},
    {C::FlipHorizontal, "Flip horizontal", "Flip the target image horizontally\nFlip horizontal", {}, "f",
     Done<OnFlipHorizontal>},
    {C::FlipVertical, "Flip vertical", "Flip the target image vertically\nFlip vertical", {}, "",
     Done<OnFlipVertical>},
    {C::PortionMergeSource1, "Blush from source 1",
     "Portion merge (smoothly blend) in underlying source 1 within the box\nPortion Merge in "
     "source 1",
     {"Ctrl+1"}, "", Done<With<PortionMerge, +1>>},
    {C::PortionMergeSource2, "Blush from source 2",
     "Portion merge (smoothly blend) in underlying source 2 within the box\nPortion Merge in "
     "source 2",
     {"Ctrl+2"}, "", Done<With<PortionMerge, -1>>},
    {C::FillFromSource1, "Rect. section from src 1", "Fill the box with source 1\nFill from source 1", {}, "",
     Done<With<Fill, 1>>},
    {C::FillFromSource2, "Rect. section from src 2", "Fill the box with source 2\nFill from source 2", {}, "",
     Done<With<Fill, 2>>},
    {C::NudgeDown, "", "Nudge downwards within the box\nNudge down", {"Down"}, "",
     Done<NudgeTo<NudgeDirection::Down>>},
    {C::NudgeUp, "", "Nudge upwards within the box\nNudge up", {"Up"}, "", Done<NudgeTo<NudgeDirection::Up>>},
    {C::NudgeLeft, "", "Nudge to the left within the box\nNudge left", {"Left"}, "",
     Done<NudgeTo<NudgeDirection::Left>>},
    {C::NudgeRight, "", "Nudge to the right within the box\nNudge right", {"Right"}, "",
     Done<NudgeTo<NudgeDirection::Right>>},
    {C::TwistCounterClockwise, "", "Twist counter clockwise within the box\nTwist counter clockwise", {}, "<",
     Done<With<Twist, -1>>},
    {C::TwistClockwise, "", "Twist clockwise within the box\nTwist clockwise", {}, ">", Done<With<Twist, +1>>},
    {C::Squash, "", "Squash within the box\nSquash", {}, ",", Done<With<SquashStretch, -1>>},
    {C::Stretch, "", "Stretch within the box\nStretch", {}, ".", Done<With<SquashStretch, +1>>},
    {C::BlushDown, "", "Smoothly \"move away\" from reference color\nBlush down", {"Ctrl+Down"}, "",
     Done<With<Blush, -1>>},
    {C::BlushUp, "", "Smoothly \"Move towards (converge to) the reference color\nBlush up", {"Ctrl+Up"}, "",
     Done<With<Blush, +1>>},
    {C::SourceBrushing, "", "Source brushing\nSource brushing", {}, "b", Done<BrushingOn>},
    {C::SourceBrushingOff, "", "Source brushing off\nSource brushing off", {"Ctrl+B"}, "",
     Done<SourceBrushingOff>},
    {C::ToggleStatusBar, "&Status Bar", "Show or hide the status bar\nToggle Status Bar"},
    {C::About, "&About wrimple32...", "Display program information, version number and copyright\nAbout"},
    {C::HelpTopics, "Help topics"},
    {C::FlowDiagram, "Wrimple Flow Diagram"},
    // View zoom commands (the desktop view's handlers run them).
    {C::ZoomIn, "Zoom &In\tCtrl++", "Show the picture larger\nZoom In", {"Ctrl++", "Ctrl+="}},
    {C::ZoomOut, "Zoom &Out\tCtrl+-", "Show the picture smaller\nZoom Out", {"Ctrl+-"}},
    {C::ActualSize, "&Actual Size\tCtrl+0", "One target pixel on one screen pixel\nActual Size",
     {"Ctrl+0"}},
    {C::FitInWindow, "&Fit in Window\tCtrl+Shift+0", "Show the whole picture in the window\nFit in Window",
     {"Ctrl+Shift+0"}},
    // End of the view zoom commands.
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

using P = ScriptParam;

// Mouse points may lie outside the window, as when the mouse is captured.
constexpr int kFarPoint = 100000;
constexpr int kMostClicks = 100000;
constexpr int kMostArrowClicks = 1000;

P Positional(const char* name, P::Kind kind = P::Text, const char* label = "") {
  return {.name = name, .kind = kind, .label = label};
}
P IntArg(const char* name, int lowest, int highest, const char* label = "") {
  return {.name = name, .kind = P::Int, .lowest = lowest, .highest = highest, .label = label};
}
P ChoiceArg(const char* name, const char* choices, const char* label = "") {
  return {.name = name, .kind = P::Choice, .choices = choices, .label = label};
}
P FieldArg(const char* name, int highest) { return {.name = name, .kind = P::Field, .lowest = 1, .highest = highest}; }
P Option(const char* name, P::Kind kind, const char* label = "") {
  return {.name = name, .kind = kind, .label = label, .option = true};
}
P IntOption(const char* name, int lowest, int highest, const char* label = "", int default_value = 0) {
  return {.name = name, .kind = P::Int, .lowest = lowest, .highest = highest, .label = label, .option = true,
          .default_value = default_value};
}
P ChoiceOption(const char* name, const char* choices, int default_value = 0) {
  return {.name = name, .kind = P::Choice, .choices = choices, .option = true, .default_value = default_value};
}
P Flag(const char* name) { return {.name = name, .kind = P::Flag}; }

const P kReplace = IntOption("replace", 0, 2, "N");
const P kZoneAnswer = ChoiceOption("zone", "yes|no");
const P kSourceN = IntArg("N", 1, 2);
const P kX = IntArg("X", -kFarPoint, kFarPoint);
const P kY = IntArg("Y", -kFarPoint, kFarPoint);
const P kButton = ChoiceOption("button", "left|right");

std::vector<P> Rgb() { return {IntArg("R", 0, 255), IntArg("G", 0, 255), IntArg("B", 0, 255)}; }

P Levels(const char* name, bright_cont::Control master) {
  const bright_cont::SliderRange range = bright_cont::RangeOf(master);
  return {.name = name, .kind = P::Levels, .lowest = range.min, .highest = range.max, .label = "V|R,G,B",
          .option = true};
}

P Spin(const char* name, effects::Spin spin) {
  return IntArg(name, effects::kRanges[std::size_t(spin)].lowest, effects::kRanges[std::size_t(spin)].highest);
}

// Method names by MergeMethod code.
constexpr const char* kMergeMethods =
    "picture1|picture2|brightest|darkest|subtract12|subtract21|average|comp12|comp21|comp_h_12|comp_h_21";

std::vector<ScriptCommand> SourceScripts() {
  P open_replace = kReplace;
  open_replace.label = "0|1|2";
  return {
      {"open", {C::OpenImage}, {Positional("PATH"), open_replace},
       "\"Open image\" with the file dialog returning PATH"},
      {"reopen", {C::ReopenLastImage}, {}, "\"Re_open last image\""},
      {"text",
       {C::NewChangeText},
       {Positional("TEXT"), kReplace, Option("font", P::Text, "FACE"), IntOption("height", -1000, 1000, "H"),
        IntOption("weight", 0, 1000, "W"), IntOption("italic", 0, 1, "0|1"), IntOption("underline", 0, 1, "0|1"),
        IntOption("strikeout", 0, 1, "0|1"), Option("color", P::Color), IntOption("try", 0, 1000, "N")},
       "\"New/Change Text ...\" with TEXT typed (\\n breaks lines), closed with OK"},
      {"base-color", {C::BaseColor}, Rgb(), "\"Base color\" with the colour dialog answered R G B"},
      {"paste", {C::Paste}, {Positional("PATH"), kReplace},
       "\"Paste\" with the clipboard holding the bitmap of the BMP file PATH"},
      {"blank-source", {C::BlankSource}, {kReplace}, "\"Blank Source\" of the current reference colour"},
      {"target-to-source", {C::TargetToSource1, C::TargetToSource2}, {IntArg("the source", 1, 2, "1|2")},
       "\"Target to source 1\" or \"Target to source 2\"", ScriptForm::Action},
      {"copy", {C::Copy}, {Positional("PATH"), kZoneAnswer},
       "\"Copy\"; the clipboard's bitmap is written to PATH as a 24-bit BMP file"},
      {"save-as", {C::SaveAs}, {Positional("PATH"), IntOption("filter", 1, 6, "", 1), kZoneAnswer},
       "\"Save As\" with the dialog returning PATH and the filter (1 bmp, 2 jpg, 3 png, 4 tif, 5 tga, 6 pcx)"},
      {"save", {C::Save}, {}, "\"Save\": the whole target to the last \"Save As\" file"},
      {"next-save", {C::NextSave}, {}, "\"Next Save\": the next numbered file of the last \"Save As\" name"},
      {"print",
       {C::Print},
       {Positional("PDF"), ChoiceOption("layout", "top|middle|bottom|stretch"), ChoiceOption("page", "a4|letter"),
        ChoiceOption("orientation", "portrait|landscape")},
       "\"Print...\" into the PDF file PDF, the layout dialog answered"},
  };
}

std::vector<ScriptCommand> PlacementScripts() {
  const P aspect_off = ChoiceOption("aspect", "0|1", 0);
  const P aspect_on = ChoiceOption("aspect", "0|1", 1);
  return {
      {"target-size", {C::SourceScaling}, {IntArg("W", INT_MIN, INT_MAX), IntArg("H", INT_MIN, INT_MAX)},
       "source scaling dialog: target Width and Height typed, target Apply, OK"},
      {"scale", {C::SourceScaling}, {kSourceN, Positional("WPCT", P::Number), Positional("HPCT", P::Number), aspect_off},
       "source scaling dialog: Width % and Height % of source N typed and left, Apply, OK"},
      {"scale-pixels",
       {C::SourceScaling},
       {kSourceN, IntArg("W", INT_MIN, INT_MAX), IntArg("H", INT_MIN, INT_MAX), aspect_off},
       "source scaling dialog: Width and Height pixels of source N typed and left, Apply, OK"},
      {"scale-step", {C::SourceScaling}, {kSourceN, ChoiceArg("step", "up|down|100")},
       "source scaling dialog: \">\", \"<\" or \"100%\" of source N, OK"},
      {"fit-to-target", {C::SourceScaling}, {aspect_on},
       "source scaling dialog: \"Fit to target size (below)\" (aspect lock default 1), OK"},
      {"rotate",
       {C::RotateSource1, C::RotateSource2},
       {kSourceN,
        {.name = "DEGREES", .kind = P::Number, .lowest = rotate::kLowestAngle, .highest = rotate::kHighestAngle},
        Flag("cancel")},
       "\"Rotate Source N\": the angle typed ({DEGREES}), Apply, then OK or Cancel"},
      {"flip-source", {C::FlipSource1, C::FlipSource2}, {kSourceN}, "\"Flip source N horizontal\"",
       ScriptForm::Action},
      {"align", {C::AlignSource1, C::AlignSource2, C::AligningOff}, {ChoiceArg("align", "1|2|off")},
       "\"Align source 1\", \"Align source 2\" or \"Aligning off\"", ScriptForm::Action},
      {"grab",
       {},
       {ChoiceArg("BOX", "top_left|bottom_right|top_right|bottom_left|middle", "BOX"),
        ChoiceArg("ACTION", "move|stretch|drag|center", "ACTION"), {.name = "DX", .kind = P::Text, .optional = true},
        {.name = "DY", .kind = P::Text, .optional = true}},
       "while aligning: a click on a grab box (move, stretch, center) or a drag of a corner"},
      {"merge",
       {C::MergeTwoSources},
       {{.name = "method", .kind = P::Code, .lowest = 0, .highest = mergepix::kMethodCount - 1,
         .choices = kMergeMethods, .label = "M", .option = true},
        IntOption("bias", 0, mergepix::kBiasMax), IntOption("threshold", 0, mergepix::kThresholdMax),
        ChoiceOption("contrast", "normal|bw|rgb")},
       "\"Merge two sources\": the method button, the contrast button, the bias and threshold sliders, then DONE"},
      {"lock", {C::LockTarget}, {}, "\"Lock target\" (toggles)", ScriptForm::Action},
      {"restore", {C::RestoreTarget}, {}, "\"Restore target\": the target rebuilt from the sources",
       ScriptForm::Action},
      {"reference-color", {C::SetupReferenceColor}, Rgb(),
       "\"Setup Reference Color\": the three channel sliders set, then Done"},
      {"aggressiveness",
       {C::Options},
       {IntArg("aggressiveness", options::kMinAggressiveness, options::kMaxAggressiveness, "A")},
       "\"Options\": aggressiveness A ({aggressiveness}), flying tips unchanged, OK"},
  };
}

std::vector<ScriptCommand> MouseScripts() {
  P x1 = kX, y1 = kY, x2 = kX, y2 = kY;
  x1.label = "X1", y1.label = "Y1", x2.label = "X2", y2.label = "Y2";
  return {
      {"press", {}, {kX, kY, kButton}, "a button press on the view, in target coordinates"},
      {"move",
       {},
       {kX, kY, ChoiceOption("buttons", "none|left|right|left+right"), ChoiceOption("shift", "0|1")},
       "a mouse move over the view with those buttons held"},
      {"release", {}, {kX, kY, kButton}, "a button release on the view"},
      {"zone", {}, {x1, y1, x2, y2}, "a zone drag: left press, move and release"},
      {"sweep", {}, {x1, y1, Positional("X Y", P::Rest, "[X Y ...]")},
       "a right-button sweep through the points into the reference colour"},
      {"brushing", {C::SourceBrushing, C::SourceBrushingOff}, {ChoiceArg("brushing", "on|off")},
       "\"Source brushing\" / \"Source brushing off\"", ScriptForm::Action},
  };
}

// The zone operations: one script command each, clicked times=N.
std::vector<ScriptCommand> ZoneScripts() {
  const std::pair<const char*, CommandId> words[] = {
      {"nudge-down", C::NudgeDown},
      {"nudge-up", C::NudgeUp},
      {"nudge-left", C::NudgeLeft},
      {"nudge-right", C::NudgeRight},
      {"twist-counter-clockwise", C::TwistCounterClockwise},
      {"twist-clockwise", C::TwistClockwise},
      {"squash", C::Squash},
      {"stretch", C::Stretch},
      {"blush-down", C::BlushDown},
      {"blush-up", C::BlushUp},
      {"portion-merge-1", C::PortionMergeSource1},
      {"portion-merge-2", C::PortionMergeSource2},
      {"fill-1", C::FillFromSource1},
      {"fill-2", C::FillFromSource2},
  };
  std::vector<ScriptCommand> scripts;
  for (const auto& [word, id] : words)
    scripts.push_back({word, {id}, {IntOption("times", 1, kMostClicks, "N", 1)},
                       "\"{TOOLTIP}\" clicked N times (default 1)", ScriptForm::Clicks});
  return scripts;
}

std::vector<ScriptCommand> EffectScripts() {
  const P arrows[] = {IntOption("up", 0, kMostArrowClicks, "N"), IntOption("down", 0, kMostArrowClicks, "N"),
                      IntOption("left", 0, kMostArrowClicks, "N"), IntOption("right", 0, kMostArrowClicks, "N")};
  const bright_cont::SliderRange gamma = bright_cont::RangeOf(bright_cont::kGamma);
  std::vector<ScriptCommand> scripts = {
      {"bright-contrast",
       {C::BrightContrast},
       {Levels("brightness", bright_cont::kBrightnessAll), Levels("contrast", bright_cont::kContrastAll),
        IntOption("gamma", gamma.min, gamma.max, "G")},
       "\"Bright/contrast\": the sliders placed, one recomputation, OK"},
      {"highlight",
       {C::Highlight},
       {arrows[0], arrows[1], arrows[2], arrows[3], Flag("cancel")},
       "\"Highlight\": N clicks of each arrow (up, down, left, right), then OK or Cancel"},
      {"effects1",
       {C::Effects1},
       {Spin("VIT1", effects::kVitreous1), Spin("VIT2", effects::kVitreous2), Spin("TEAR", effects::kTear),
        Spin("SEG", effects::kSegment), Spin("SCAT", effects::kScatter)},
       "Effects 1 with its five spins at these values, one recomputation, Done"},
      {"effects2", {C::Effects2}, {FieldArg("AMPLITUDE", effects2::kHighest), FieldArg("FREQUENCY", effects2::kHighest)},
       "Effects 2: the perturbation fields typed ({AMPLITUDE}), Try, Done"},
      {"effects3", {C::Effects3}, {FieldArg("BANDS", effects3::kHighest)},
       "Effects 3: the band frequency typed ({BANDS}), Try, Done"},
      {"dapple", {C::DappleEffect}, {FieldArg("SIZE", effects4::kHighest)},
       "Dapple effect: the size typed ({SIZE}), Try, Done"},
      {"pencil-draw", {C::PencilDraw}, {}, "Pencil Draw over the whole target", ScriptForm::Action},
  };
  for (const auto& [word, id] : std::initializer_list<std::pair<const char*, CommandId>>{
           {"invert-brightness", C::InvertBrightness},
           {"invert-color-brightness", C::InvertColorBrightness},
           {"black-and-white", C::BlackAndWhite},
           {"sharpen", C::Sharpen},
           {"emboss", C::Emboss},
           {"blur", C::Blur},
           {"soften", C::Soften},
           {"edge", C::Edge},
           {"flip-horizontal", C::FlipHorizontal},
           {"flip-vertical", C::FlipVertical}})
    scripts.push_back({word, {id}, {}, "the Target menu's \"{MENU}\"", ScriptForm::Action});
  return scripts;
}

std::vector<ScriptCommand> ReportScripts() {
  return {
      {"state", {}, {}, "write the editing state, one Name=value line each"},
      {"echo", {}, {Positional("TEXT", P::Rest, "TEXT")}, "write TEXT to standard output", ScriptForm::OwnRun,
       true},
  };
}

std::vector<ScriptCommand> AllScripts() {
  std::vector<ScriptCommand> all;
  for (std::vector<ScriptCommand> part : {SourceScripts(), PlacementScripts(), MouseScripts(), ZoneScripts(),
                                          EffectScripts(), ReportScripts()})
    all.insert(all.end(), part.begin(), part.end());
  return all;
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

}  // namespace

const std::vector<CommandInfo>& Commands() { return kCommands; }

const CommandInfo& InfoOf(CommandId id) {
  return *std::find_if(kCommands.begin(), kCommands.end(), [id](const CommandInfo& c) { return c.id == id; });
}

const std::vector<MenuLayout>& MainMenus() { return kMenus; }
const std::vector<CommandId>& SourceToolbarButtons() { return kSourceToolbar; }
const std::vector<CommandId>& ZoneToolbarButtons() { return kZoneToolbar; }

std::string ScriptParam::Range() const { return std::to_string(lowest) + ".." + std::to_string(highest); }

std::string ScriptParam::ShownLabel() const {
  if (*label) return label;
  if (kind == Choice) return choices;
  if (!option) return name;
  if (kind == Int) return Range();
  if (kind == Color) return "R,G,B";
  return name;
}

std::string ScriptCommand::Synopsis() const {
  std::string text = word;
  bool in_optional = false;
  for (const ScriptParam& p : params) {
    if (p.option || p.kind == ScriptParam::Flag) continue;
    text += p.optional && !in_optional ? " [" : " ";
    text += p.ShownLabel();
    in_optional = p.optional;
  }
  if (in_optional) text += "]";
  for (const ScriptParam& p : params) {
    if (p.option) text += " [" + std::string(p.name) + "=" + p.ShownLabel() + "]";
    if (p.kind == ScriptParam::Flag) text += " [" + std::string(p.name) + "]";
  }
  return text;
}

std::string ScriptCommand::Summary() const {
  std::string text = summary;
  for (const ScriptParam& p : params) ReplaceAll(text, "{" + std::string(p.name) + "}", p.Range());
  if (!ids.empty()) {
    const CommandInfo& info = InfoOf(ids.front());
    const std::string prompt = info.prompt;
    ReplaceAll(text, "{MENU}", std::string(info.menu_text).substr(0, std::string(info.menu_text).find('\t')));
    ReplaceAll(text, "{TOOLTIP}", prompt.substr(prompt.find('\n') + 1));
  }
  return text;
}

const ScriptParam* ScriptCommand::Param(const std::string& name) const {
  for (const ScriptParam& p : params)
    if (name == p.name) return &p;
  return nullptr;
}

const std::vector<ScriptCommand>& ScriptCommands() {
  static const std::vector<ScriptCommand> scripts = AllScripts();
  return scripts;
}

}  // namespace wrimple
