// Script commands of the geometry of the sources: sizes, rotation, mirror, alignment.
#include <array>
#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "batch/command_table.h"
#include "batch/session.h"
#include "compose/align.h"
#include "compose/flip_source.h"
#include "compose/grab_box.h"
#include "compose/rotate.h"
#include "compose/source_scaling.h"

namespace wrimple::batch {

namespace {

using C = ScalingControl;

bool NotAvailable(Session& s, const ScriptLine& line) {
  s.messages.ShowError(line.word + " is not available now");
  return false;
}

// Source N of the line's first argument: 1 or 2.
int SourceArg(const ScriptLine& line) { return args::ToInt(line.args[0]); }

std::string CheckSourceArg(const ScriptLine& line) { return args::CheckInt(line.args[0], 1, 2, "N"); }

std::string CheckAspect(const ScriptLine& line) {
  return line.Has("aspect") ? args::CheckOneOf(line.Option("aspect"), {"0", "1"}, "aspect") : "";
}

// Whether the scaling dialog offers the controls of source n.
bool SourceControlsEnabled(const State& st, int n) {
  return st.SourceCount >= n && st.doc.Source(n).SourceKind != kKindBlank;
}

// Opens the scaling dialog, lets `drive` press its controls, then OK. The line
// fails when a control refuses its entry or OK stays open (the dialog is then
// cancelled); a No to the opening question ends the line without failure.
bool WithScalingDialog(Session& s, const std::function<bool(source_scaling&)>& drive) {
  std::unique_ptr<source_scaling> dialog = OpenSourceScaling(s.state, s.platform);
  if (!dialog) return true;
  bool accepted = drive(*dialog);
  if (!dialog->Click(C::Ok)) {
    accepted = false;
    dialog->Click(C::Cancel);
  }
  return accepted;
}

// The aspect check box set to the line's aspect= (or its default) by a click.
bool SetAspect(source_scaling& dialog, const ScriptLine& line, bool default_on) {
  const bool on = line.Has("aspect") ? line.Option("aspect") == "1" : default_on;
  if (dialog.IsChecked(C::PreserveAspect) == on) return true;
  return dialog.Click(C::PreserveAspect);
}

bool TypeAndLeave(source_scaling& dialog, C edit, const std::string& text) {
  dialog.Type(edit, text);
  return dialog.LeaveEdit(edit);
}

bool RunTargetSize(Session& s, const ScriptLine& line) {
  return WithScalingDialog(s, [&](source_scaling& d) {
    if (!d.IsEnabled(C::TargetApply)) return NotAvailable(s, line);
    d.Type(C::TargetWidth, line.args[0]);
    d.Type(C::TargetHeight, line.args[1]);
    return d.Click(C::TargetApply);
  });
}

// scale and scale-pixels: the width edit, then the height edit, then Apply.
bool RunScaleEdits(Session& s, const ScriptLine& line, C width_edit, C height_edit) {
  if (!SourceControlsEnabled(s.state, SourceArg(line))) return NotAvailable(s, line);
  return WithScalingDialog(s, [&](source_scaling& d) {
    bool accepted = SetAspect(d, line, false);
    accepted = TypeAndLeave(d, width_edit, line.args[1]) && accepted;
    accepted = TypeAndLeave(d, height_edit, line.args[2]) && accepted;
    return d.Click(C::Apply) && accepted;
  });
}

bool RunScale(Session& s, const ScriptLine& line) {
  const bool first = SourceArg(line) == 1;
  return RunScaleEdits(s, line, first ? C::WidthPercent1 : C::WidthPercent2,
                       first ? C::HeightPercent1 : C::HeightPercent2);
}

bool RunScalePixels(Session& s, const ScriptLine& line) {
  const bool first = SourceArg(line) == 1;
  return RunScaleEdits(s, line, first ? C::WidthPixels1 : C::WidthPixels2,
                       first ? C::HeightPixels1 : C::HeightPixels2);
}

std::string CheckScale(const ScriptLine& line) {
  return args::FirstProblem({CheckSourceArg(line), args::CheckNumber(line.args[1], "WPCT"),
                             args::CheckNumber(line.args[2], "HPCT"), CheckAspect(line)});
}

std::string CheckScalePixels(const ScriptLine& line) {
  return args::FirstProblem({CheckSourceArg(line), args::CheckInt(line.args[1], INT_MIN, INT_MAX, "W"),
                             args::CheckInt(line.args[2], INT_MIN, INT_MAX, "H"), CheckAspect(line)});
}

bool RunScaleStep(Session& s, const ScriptLine& line) {
  const int n = SourceArg(line);
  if (!SourceControlsEnabled(s.state, n)) return NotAvailable(s, line);
  const std::string& step = line.args[1];
  const C button = step == "up"     ? (n == 1 ? C::StepUp1 : C::StepUp2)
                   : step == "down" ? (n == 1 ? C::StepDown1 : C::StepDown2)
                                    : (n == 1 ? C::Reset1 : C::Reset2);
  return WithScalingDialog(s, [&](source_scaling& d) { return d.Click(button); });
}

bool RunFitToTarget(Session& s, const ScriptLine& line) {
  return WithScalingDialog(s, [&](source_scaling& d) {
    const bool accepted = SetAspect(d, line, true);
    return d.Click(C::FitToTarget) && accepted;
  });
}

constexpr CommandId kRotateIds[2] = {CommandId::RotateSource1, CommandId::RotateSource2};
constexpr CommandId kFlipIds[2] = {CommandId::FlipSource1, CommandId::FlipSource2};

std::string CheckRotate(const ScriptLine& line) {
  std::string problem = CheckSourceArg(line);
  if (problem.empty()) problem = args::CheckNumber(line.args[1], "DEGREES");
  if (problem.empty() && !(args::ToNumber(line.args[1]) >= 0 && args::ToNumber(line.args[1]) <= 359))
    problem = "DEGREES must be in 0..359";
  return problem;
}

bool RunRotate(Session& s, const ScriptLine& line) {
  const int n = SourceArg(line);
  if (!IsEnabled(s.state, kRotateIds[n - 1])) return NotAvailable(s, line);
  bool accepted = true;
  RotateSource(s.state, s.platform, n, [&](rotate& dialog) {
    dialog.TypeAngle(line.args[1]);
    accepted = dialog.LeaveEdit() && dialog.Apply();
    if (line.Flag("cancel"))
      dialog.Cancel();
    else
      accepted = dialog.Ok() && accepted;
  });
  return accepted;
}

bool RunFlipSource(Session& s, const ScriptLine& line) {
  const int n = SourceArg(line);
  if (!IsEnabled(s.state, kFlipIds[n - 1])) return NotAvailable(s, line);
  FlipSource(s.state, s.platform, n);
  return true;
}

bool RunAlign(Session& s, const ScriptLine& line) {
  const std::string& which = line.args[0];
  const int n = which == "off" ? 0 : args::ToInt(which);
  const CommandId id = n == 0 ? CommandId::AligningOff : n == 1 ? CommandId::AlignSource1 : CommandId::AlignSource2;
  if (!IsEnabled(s.state, id)) return NotAvailable(s, line);
  SetAligning(s.state, s.platform, n);
  if (n == 0) s.state.tips.PreviewTip.Empty();
  return true;
}

constexpr std::array<std::string_view, kGrabBoxCount> kBoxWords = {"top_left", "bottom_right", "top_right",
                                                                   "bottom_left", "middle"};
constexpr std::array<std::string_view, 4> kActionWords = {"move", "stretch", "drag", "center"};

GrabBoxName BoxArg(const ScriptLine& line) {
  for (std::size_t i = 0; i < kBoxWords.size(); ++i)
    if (kBoxWords[i] == line.args[0]) return GrabBoxName(i);
  return GrabBoxName::Middle;
}

int ModeArg(const ScriptLine& line) {
  for (std::size_t i = 0; i < kActionWords.size(); ++i)
    if (kActionWords[i] == line.args[1]) return int(i);
  return kMoveToCenter;
}

std::string CheckGrab(const ScriptLine& line) {
  std::string problem = args::FirstProblem(
      {args::CheckOneOf(line.args[0], {kBoxWords.begin(), kBoxWords.end()}, "BOX"),
       args::CheckOneOf(line.args[1], {kActionWords.begin(), kActionWords.end()}, "ACTION")});
  if (!problem.empty()) return problem;
  if ((BoxArg(line) == GrabBoxName::Middle) != (ModeArg(line) == kMoveToCenter))
    return "grab " + line.args[0] + " has no action " + line.args[1] +
           " (middle: center; the corners: move, stretch, drag)";
  const bool drag = ModeArg(line) == kDragCorner;
  if (drag && line.args.size() != 4) return "grab ... drag needs DX DY";
  if (!drag && line.args.size() != 2) return "only drag takes DX DY";
  if (drag)
    return args::FirstProblem({args::CheckInt(line.args[2], -100000, 100000, "DX"),
                               args::CheckInt(line.args[3], -100000, 100000, "DY")});
  return {};
}

// A point of the box inside the hit zone of a mode.
Point PressPointFor(GrabBoxName box, int mode) {
  if (box == GrabBoxName::Middle) return {10, 10};
  const bool left_box = box == GrabBoxName::TopLeft || box == GrabBoxName::BottomLeft;
  if (mode == kDragCorner) return {left_box ? 4 : 15, 4};
  return {left_box ? 15 : 4, mode == kStretchToEdge ? 15 : 4};
}

bool RunGrab(Session& s, const ScriptLine& line) {
  const GrabBoxName box = BoxArg(line);
  const int mode = ModeArg(line);
  GrabBox& b = BoxOf(s.state, box);
  if (s.state.AligningSource == 0 || !b.exists) return NotAvailable(s, line);
  const Point press = PressPointFor(box, mode);
  GrabBoxPress(s.state, s.platform, box, press.x, press.y);
  Point release = press;
  if (mode == kDragCorner) {
    // The mouse moves by (DX, DY) and is released there; the box has moved with
    // its corner meanwhile, so the release is measured from its new place.
    const int window_x = b.left + press.x + args::ToInt(line.args[2]);
    const int window_y = b.top + press.y + args::ToInt(line.args[3]);
    GrabBoxMove(s.state, s.platform, box, window_x - b.left, window_y - b.top);
    release = {window_x - b.left, window_y - b.top};
  }
  GrabBoxRelease(s.state, s.platform, box, release.x, release.y);
  return true;
}

}  // namespace

void RegisterGeometryCommands(CommandTable& table) {
  table.Add({.word = "target-size",
             .synopsis = "target-size W H",
             .summary = "source scaling dialog: target Width and Height typed, target Apply, OK",
             .min_args = 2,
             .max_args = 2,
             .enabled_by = CommandId::SourceScaling,
             .check =
                 [](const ScriptLine& line) {
                   return args::FirstProblem({args::CheckInt(line.args[0], INT_MIN, INT_MAX, "W"),
                                              args::CheckInt(line.args[1], INT_MIN, INT_MAX, "H")});
                 },
             .run = RunTargetSize});
  table.Add({.word = "scale",
             .synopsis = "scale N WPCT HPCT [aspect=0|1]",
             .summary = "source scaling dialog: Width % and Height % of source N typed and left, Apply, OK",
             .min_args = 3,
             .max_args = 3,
             .option_names = {"aspect"},
             .enabled_by = CommandId::SourceScaling,
             .check = CheckScale,
             .run = RunScale});
  table.Add({.word = "scale-pixels",
             .synopsis = "scale-pixels N W H [aspect=0|1]",
             .summary = "source scaling dialog: Width and Height pixels of source N typed and left, Apply, OK",
             .min_args = 3,
             .max_args = 3,
             .option_names = {"aspect"},
             .enabled_by = CommandId::SourceScaling,
             .check = CheckScalePixels,
             .run = RunScalePixels});
  table.Add({.word = "scale-step",
             .synopsis = "scale-step N up|down|100",
             .summary = "source scaling dialog: \">\", \"<\" or \"100%\" of source N, OK",
             .min_args = 2,
             .max_args = 2,
             .enabled_by = CommandId::SourceScaling,
             .check =
                 [](const ScriptLine& line) {
                   return args::FirstProblem(
                       {CheckSourceArg(line), args::CheckOneOf(line.args[1], {"up", "down", "100"}, "step")});
                 },
             .run = RunScaleStep});
  table.Add({.word = "fit-to-target",
             .synopsis = "fit-to-target [aspect=0|1]",
             .summary = "source scaling dialog: \"Fit to target size (below)\" (aspect lock default 1), OK",
             .option_names = {"aspect"},
             .enabled_by = CommandId::SourceScaling,
             .check = CheckAspect,
             .run = RunFitToTarget});
  table.Add({.word = "rotate",
             .synopsis = "rotate N DEGREES [cancel]",
             .summary = "\"Rotate Source N\": the angle typed (0..359), Apply, then OK or Cancel",
             .min_args = 2,
             .max_args = 2,
             .flag_names = {"cancel"},
             .check = CheckRotate,
             .run = RunRotate});
  table.Add({.word = "flip-source",
             .synopsis = "flip-source N",
             .summary = "\"Flip source N horizontal\"",
             .min_args = 1,
             .max_args = 1,
             .check = CheckSourceArg,
             .run = RunFlipSource});
  table.Add({.word = "align",
             .synopsis = "align 1|2|off",
             .summary = "\"Align source 1\", \"Align source 2\" or \"Aligning off\"",
             .min_args = 1,
             .max_args = 1,
             .check = [](const ScriptLine& line) { return args::CheckOneOf(line.args[0], {"1", "2", "off"}, "align"); },
             .run = RunAlign});
  table.Add({.word = "grab",
             .synopsis = "grab BOX ACTION [DX DY]",
             .summary = "while aligning: a click on a grab box (move, stretch, center) or a drag of a corner",
             .min_args = 2,
             .max_args = 4,
             .check = CheckGrab,
             .run = RunGrab});
}

}  // namespace wrimple::batch
