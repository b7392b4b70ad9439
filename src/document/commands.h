// The program's command ids and the one rule that enables each of them. The
// desktop program consults it before every menu display and on every state
// change; the batch runner consults it before every command.
#pragma once

#include "document/state.h"

namespace wrimple {

enum class CommandId : int {
  New = 57600,
  OpenImage = 57601,
  ReopenLastImage = 32850,
  NewChangeText = 32772,
  BlankSource = 32868,
  Save = 57603,
  SaveAs = 57604,
  NextSave = 32894,
  Print = 57607,
  QuickPrint = 57608,
  PrintPreview = 57609,
  PrintSetup = 57606,
  RecentFileFirst = 57616,
  RecentFileLast = 57623,
  Exit = 57665,
  Copy = 57634,
  Cut = 57635,
  Paste = 57637,
  SetupReferenceColor = 32774,
  SourceScaling = 32804,
  BaseColor = 32808,
  RotateSource1 = 32811,
  RotateSource2 = 32813,
  FlipSource1 = 32810,
  FlipSource2 = 32812,
  RestoreTarget = 32784,
  MergeTwoSources = 32820,
  TargetToSource1 = 32817,
  TargetToSource2 = 32818,
  Options = 32809,
  AlignSource1 = 32783,
  AlignSource2 = 32806,
  AligningOff = 32807,
  LockTarget = 32819,
  BrightContrast = 32816,
  InvertBrightness = 32821,
  InvertColorBrightness = 32822,
  BlackAndWhite = 32823,
  Effects1 = 32824,
  Effects2 = 32825,
  Effects3 = 32826,
  DappleEffect = 32827,
  PencilDraw = 32828,
  Sharpen = 32829,
  Emboss = 32830,
  Blur = 32831,
  Soften = 32832,
  Edge = 32833,
  Highlight = 32834,
  FlipHorizontal = 32835,
  FlipVertical = 32836,
  PortionMergeSource1 = 32798,
  PortionMergeSource2 = 32814,
  FillFromSource1 = 32799,
  FillFromSource2 = 32815,
  NudgeDown = 32790,
  NudgeUp = 32791,
  NudgeLeft = 32792,
  NudgeRight = 32793,
  TwistCounterClockwise = 32794,
  TwistClockwise = 32795,
  Squash = 32796,
  Stretch = 32797,
  BlushDown = 32800,
  BlushUp = 32801,
  SourceBrushing = 32802,
  SourceBrushingOff = 32803,
  ToggleStatusBar = 59393,
  LookFirst = 205,
  LookLast = 219,
  About = 57664,
  HelpTopics = 57667,
  FlowDiagram = 32785,
  // View zoom commands.
  ZoomIn = 32900,
  ZoomOut = 32901,
  ActualSize = 32902,
  FitInWindow = 32903,
  // End of the view zoom commands.
};

// Whether the command may run in the current state. Commands whose bodies rely
// on their condition never run while it is false.
bool IsEnabled(const State& st, CommandId id);

// Whether the command's menu item and button show a check mark.
bool IsChecked(const State& st, CommandId id);

}  // namespace wrimple
