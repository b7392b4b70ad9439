// Script commands of the mouse on the view and of the options dialog.
#include <string>

#include "batch/command_table.h"
#include "batch/session.h"
#include "zone/mouse_routing.h"
#include "zone/options_dialog.h"

namespace wrimple::batch {

namespace {

Point PointAt(const ScriptLine& line, std::size_t first) {
  return {args::ToInt(line.args[first]), args::ToInt(line.args[first + 1])};
}

MouseButton ButtonOf(const ScriptLine& line) {
  return line.Has("button") && line.Option("button") == "right" ? MouseButton::Right
                                                                : MouseButton::Left;
}

std::uint32_t KeysOf(const ScriptLine& line) {
  std::uint32_t keys = 0;
  if (line.Has("buttons")) {
    const std::string& b = line.Option("buttons");
    if (b == "left" || b == "left+right") keys |= kMouseLeftButton;
    if (b == "right" || b == "left+right") keys |= kMouseRightButton;
  }
  if (line.Has("shift") && line.Option("shift") == "1") keys |= kMouseShift;
  return keys;
}

// The further points of a sweep, checked as its first point is.
std::string CheckSweep(const ScriptLine& line) {
  if (line.args.size() % 2 != 0) return "sweep needs X Y pairs";
  const ScriptParam& x = line.command->params[0];
  const ScriptParam& y = line.command->params[1];
  for (std::size_t i = 2; i < line.args.size(); i += 2) {
    std::string problem = args::FirstProblem({args::CheckInt(line.args[i], x.lowest, x.highest, x.name),
                                              args::CheckInt(line.args[i + 1], y.lowest, y.highest, y.name)});
    if (!problem.empty()) return problem;
  }
  return {};
}

void Press(Session& s, MouseButton button, Point at, std::uint32_t keys) {
  OnButtonDown(s.state, s.platform, button, {.window = at, .keys = keys});
}
void Move(Session& s, Point at, std::uint32_t keys) {
  OnMouseMove(s.state, s.platform, {.window = at, .keys = keys});
}
void Release(Session& s, MouseButton button, Point at) {
  OnButtonUp(s.state, s.platform, button, {.window = at, .keys = 0});
}

std::uint32_t KeyOf(MouseButton button) {
  return button == MouseButton::Left ? kMouseLeftButton : kMouseRightButton;
}

bool RunPress(Session& s, const ScriptLine& line) {
  const MouseButton b = ButtonOf(line);
  Press(s, b, PointAt(line, 0), KeyOf(b));
  return true;
}

bool RunMove(Session& s, const ScriptLine& line) {
  Move(s, PointAt(line, 0), KeysOf(line));
  return true;
}

bool RunRelease(Session& s, const ScriptLine& line) {
  Release(s, ButtonOf(line), PointAt(line, 0));
  return true;
}

bool RunZoneDrag(Session& s, const ScriptLine& line) {
  Press(s, MouseButton::Left, PointAt(line, 0), kMouseLeftButton);
  Move(s, PointAt(line, 2), kMouseLeftButton);
  Release(s, MouseButton::Left, PointAt(line, 2));
  return true;
}

bool RunSweep(Session& s, const ScriptLine& line) {
  Press(s, MouseButton::Right, PointAt(line, 0), kMouseRightButton);
  for (std::size_t i = 2; i < line.args.size(); i += 2) Move(s, PointAt(line, i), kMouseRightButton);
  Release(s, MouseButton::Right, PointAt(line, line.args.size() - 2));
  return true;
}

bool RunAggressiveness(Session& s, const ScriptLine& line) {
  options dialog(s.state);
  dialog.SetAggressiveness(args::ToInt(line.args[0]));
  dialog.Ok(s.state);
  return true;
}

}  // namespace

void RegisterZoneCommands(CommandTable& table) {
  table.Bind("press", {RunPress});
  table.Bind("move", {RunMove});
  table.Bind("release", {RunRelease});
  table.Bind("zone", {RunZoneDrag});
  table.Bind("sweep", {RunSweep, CheckSweep});
  table.Bind("aggressiveness", {RunAggressiveness});
}

}  // namespace wrimple::batch
