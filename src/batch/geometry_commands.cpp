// Script commands of the geometry of the sources: sizes, rotation, mirror, alignment.
#include <functional>
#include <memory>
#include <string>

#include "batch/command_table.h"
#include "batch/session.h"
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
bool SetAspect(source_scaling& dialog, const ScriptLine& line) {
  const bool on = args::WordOption(line, "aspect") == "1";
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
    bool accepted = SetAspect(d, line);
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
    const bool accepted = SetAspect(d, line);
    return d.Click(C::FitToTarget) && accepted;
  });
}

bool RunRotate(Session& s, const ScriptLine& line) {
  const int n = SourceArg(line);
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

// The box and the mode of a grab line, by their places among the choices.
GrabBoxName BoxArg(const ScriptLine& line) {
  return GrabBoxName(args::ChoiceIndex(line.command->params[0], line.args[0]));
}

int ModeArg(const ScriptLine& line) { return args::ChoiceIndex(line.command->params[1], line.args[1]); }

std::string CheckGrab(const ScriptLine& line) {
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
  table.Bind("target-size", {RunTargetSize});
  table.Bind("scale", {RunScale});
  table.Bind("scale-pixels", {RunScalePixels});
  table.Bind("scale-step", {RunScaleStep});
  table.Bind("fit-to-target", {RunFitToTarget});
  table.Bind("rotate", {RunRotate});
  table.Bind("grab", {RunGrab, CheckGrab});
}

}  // namespace wrimple::batch
