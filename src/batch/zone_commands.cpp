// Script commands of the zone, the mouse and the zone operations.
#include <functional>
#include <string>
#include <vector>

#include "batch/command_table.h"
#include "batch/session.h"
#include "zone/blush.h"
#include "zone/fill.h"
#include "zone/lock_target.h"
#include "zone/mouse_routing.h"
#include "zone/nudge.h"
#include "zone/options_dialog.h"
#include "zone/portion_merge.h"
#include "zone/restore_target.h"
#include "zone/source_brushing.h"
#include "zone/squash_stretch.h"
#include "zone/twist.h"

namespace wrimple::batch {

namespace {

// Mouse points may lie outside the window, as when the mouse is captured.
constexpr int kFarPoint = 100000;

std::string CheckPoint(const ScriptLine& line, std::size_t first) {
  return args::FirstProblem({args::CheckInt(line.args[first], -kFarPoint, kFarPoint, "X"),
                             args::CheckInt(line.args[first + 1], -kFarPoint, kFarPoint, "Y")});
}

Point PointAt(const ScriptLine& line, std::size_t first) {
  return {args::ToInt(line.args[first]), args::ToInt(line.args[first + 1])};
}

MouseButton ButtonOf(const ScriptLine& line) {
  return line.Has("button") && line.Option("button") == "right" ? MouseButton::Right
                                                                : MouseButton::Left;
}

std::string CheckButtonLine(const ScriptLine& line) {
  return args::FirstProblem(
      {CheckPoint(line, 0),
       line.Has("button") ? args::CheckOneOf(line.Option("button"), {"left", "right"}, "button")
                          : std::string()});
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

std::string CheckMove(const ScriptLine& line) {
  return args::FirstProblem(
      {CheckPoint(line, 0),
       line.Has("buttons") ? args::CheckOneOf(line.Option("buttons"),
                                              {"none", "left", "right", "left+right"}, "buttons")
                           : std::string(),
       line.Has("shift") ? args::CheckOneOf(line.Option("shift"), {"0", "1"}, "shift")
                         : std::string()});
}

std::string CheckSweep(const ScriptLine& line) {
  if (line.args.size() % 2 != 0) return "sweep needs X Y pairs";
  for (std::size_t i = 0; i < line.args.size(); i += 2)
    if (std::string problem = CheckPoint(line, i); !problem.empty()) return problem;
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

void AddMouseCommands(CommandTable& table) {
  table.Add({.word = "press",
             .synopsis = "press X Y [button=left|right]",
             .summary = "a button press on the view, in target coordinates",
             .min_args = 2,
             .max_args = 2,
             .option_names = {"button"},
             .check = CheckButtonLine,
             .run = [](Session& s, const ScriptLine& line) {
               const MouseButton b = ButtonOf(line);
               Press(s, b, PointAt(line, 0), KeyOf(b));
               return true;
             }});
  table.Add({.word = "move",
             .synopsis = "move X Y [buttons=none|left|right|left+right] [shift=0|1]",
             .summary = "a mouse move over the view with those buttons held",
             .min_args = 2,
             .max_args = 2,
             .option_names = {"buttons", "shift"},
             .check = CheckMove,
             .run = [](Session& s, const ScriptLine& line) {
               Move(s, PointAt(line, 0), KeysOf(line));
               return true;
             }});
  table.Add({.word = "release",
             .synopsis = "release X Y [button=left|right]",
             .summary = "a button release on the view",
             .min_args = 2,
             .max_args = 2,
             .option_names = {"button"},
             .check = CheckButtonLine,
             .run = [](Session& s, const ScriptLine& line) {
               Release(s, ButtonOf(line), PointAt(line, 0));
               return true;
             }});
  table.Add({.word = "zone",
             .synopsis = "zone X1 Y1 X2 Y2",
             .summary = "a zone drag: left press, move and release",
             .min_args = 4,
             .max_args = 4,
             .check =
                 [](const ScriptLine& line) {
                   return args::FirstProblem({CheckPoint(line, 0), CheckPoint(line, 2)});
                 },
             .run =
                 [](Session& s, const ScriptLine& line) {
                   Press(s, MouseButton::Left, PointAt(line, 0), kMouseLeftButton);
                   Move(s, PointAt(line, 2), kMouseLeftButton);
                   Release(s, MouseButton::Left, PointAt(line, 2));
                   return true;
                 }});
  table.Add({.word = "sweep",
             .synopsis = "sweep X1 Y1 [X Y ...]",
             .summary = "a right-button sweep through the points into the reference colour",
             .min_args = 2,
             .max_args = -1,
             .check = CheckSweep,
             .run = [](Session& s, const ScriptLine& line) {
               Press(s, MouseButton::Right, PointAt(line, 0), kMouseRightButton);
               for (std::size_t i = 2; i < line.args.size(); i += 2)
                 Move(s, PointAt(line, i), kMouseRightButton);
               Release(s, MouseButton::Right, PointAt(line, line.args.size() - 2));
               return true;
             }});
}

struct ZoneCommand {
  const char* word;
  const char* summary;
  CommandId id;
  std::function<void(State&, Platform&)> click;
};

std::vector<ZoneCommand> ZoneCommands() {
  using D = NudgeDirection;
  return {
      {"nudge-down", "\"Nudge down\"", CommandId::NudgeDown,
       [](State& st, Platform& pf) { Nudge(st, pf, D::Down); }},
      {"nudge-up", "\"Nudge up\"", CommandId::NudgeUp,
       [](State& st, Platform& pf) { Nudge(st, pf, D::Up); }},
      {"nudge-left", "\"Nudge left\"", CommandId::NudgeLeft,
       [](State& st, Platform& pf) { Nudge(st, pf, D::Left); }},
      {"nudge-right", "\"Nudge right\"", CommandId::NudgeRight,
       [](State& st, Platform& pf) { Nudge(st, pf, D::Right); }},
      {"twist-counter-clockwise", "\"Twist counter clockwise\"", CommandId::TwistCounterClockwise,
       [](State& st, Platform& pf) { Twist(st, pf, -1); }},
      {"twist-clockwise", "\"Twist clockwise\"", CommandId::TwistClockwise,
       [](State& st, Platform& pf) { Twist(st, pf, 1); }},
      {"squash", "\"Squash\"", CommandId::Squash,
       [](State& st, Platform& pf) { SquashStretch(st, pf, -1); }},
      {"stretch", "\"Stretch\"", CommandId::Stretch,
       [](State& st, Platform& pf) { SquashStretch(st, pf, 1); }},
      {"blush-down", "\"Blush down\"", CommandId::BlushDown,
       [](State& st, Platform& pf) { Blush(st, pf, -1); }},
      {"blush-up", "\"Blush up\"", CommandId::BlushUp,
       [](State& st, Platform& pf) { Blush(st, pf, 1); }},
      {"portion-merge-1", "\"Portion merge in source 1\"", CommandId::PortionMergeSource1,
       [](State& st, Platform& pf) { PortionMerge(st, pf, 1); }},
      {"portion-merge-2", "\"Portion merge in source 2\"", CommandId::PortionMergeSource2,
       [](State& st, Platform& pf) { PortionMerge(st, pf, -1); }},
      {"fill-1", "\"Fill from source 1\"", CommandId::FillFromSource1,
       [](State& st, Platform& pf) { Fill(st, pf, 1); }},
      {"fill-2", "\"Fill from source 2\"", CommandId::FillFromSource2,
       [](State& st, Platform& pf) { Fill(st, pf, 2); }},
  };
}

void AddZoneOperations(CommandTable& table) {
  for (ZoneCommand& c : ZoneCommands()) {
    table.Add({.word = c.word,
               .synopsis = std::string(c.word) + " [times=N]",
               .summary = std::string(c.summary) + " clicked N times (default 1)",
               .option_names = {"times"},
               .enabled_by = c.id,
               .check =
                   [](const ScriptLine& line) {
                     return line.Has("times")
                                ? args::CheckInt(line.Option("times"), 1, 100000, "times")
                                : std::string();
                   },
               .run =
                   [click = std::move(c.click)](Session& s, const ScriptLine& line) {
                     const int times = line.Has("times") ? args::ToInt(line.Option("times")) : 1;
                     for (int i = 0; i < times; ++i) click(s.state, s.platform);
                     return true;
                   }});
  }
}

bool RunBrushing(Session& s, const ScriptLine& line) {
  const bool on = line.args[0] == "on";
  if (!IsEnabled(s.state, on ? CommandId::SourceBrushing : CommandId::SourceBrushingOff)) {
    s.messages.ShowError("brushing is not available now");
    return false;
  }
  if (on)
    SourceBrushingOn(s.state, s.platform);
  else
    SourceBrushingOff(s.state, s.platform);
  return true;
}

void AddTargetCommands(CommandTable& table) {
  table.Add({.word = "brushing",
             .synopsis = "brushing on|off",
             .summary = "\"Source brushing\" / \"Source brushing off\"",
             .min_args = 1,
             .max_args = 1,
             .check =
                 [](const ScriptLine& line) {
                   return args::CheckOneOf(line.args[0], {"on", "off"}, "brushing");
                 },
             .run = RunBrushing});
  table.Add({.word = "aggressiveness",
             .synopsis = "aggressiveness A",
             .summary = "\"Options\": aggressiveness A (1..10), flying tips unchanged, OK",
             .min_args = 1,
             .max_args = 1,
             .enabled_by = CommandId::Options,
             .check =
                 [](const ScriptLine& line) {
                   return args::CheckInt(line.args[0], options::kMinAggressiveness,
                                         options::kMaxAggressiveness, "aggressiveness");
                 },
             .run =
                 [](Session& s, const ScriptLine& line) {
                   options dialog(s.state);
                   dialog.SetAggressiveness(args::ToInt(line.args[0]));
                   dialog.Ok(s.state);
                   return true;
                 }});
  table.Add({.word = "lock",
             .synopsis = "lock",
             .summary = "\"Lock target\" (toggles)",
             .enabled_by = CommandId::LockTarget,
             .run = [](Session& s, const ScriptLine&) {
               LockTarget(s.state);
               return true;
             }});
  table.Add({.word = "restore",
             .synopsis = "restore",
             .summary = "\"Restore target\": the target rebuilt from the sources",
             .enabled_by = CommandId::RestoreTarget,
             .run = [](Session& s, const ScriptLine&) {
               RestoreTarget(s.state, s.platform);
               return true;
             }});
}

}  // namespace

void RegisterZoneCommands(CommandTable& table) {
  AddMouseCommands(table);
  AddZoneOperations(table);
  AddTargetCommands(table);
}

}  // namespace wrimple::batch
