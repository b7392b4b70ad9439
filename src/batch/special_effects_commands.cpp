// Script commands of the special effects: effects 1 to 3, dapple and pencil drawing.
#include <string>

#include "batch/command_table.h"
#include "batch/session.h"
#include "effects/dapple_dialog.h"
#include "effects/effects1_dialog.h"
#include "effects/effects2_dialog.h"
#include "effects/effects3_dialog.h"
#include "effects/pencil_draw.h"

namespace wrimple::batch {

namespace {

constexpr const char* kSpinNames[effects::kSpinCount] = {"VIT1", "VIT2", "TEAR", "SEG", "SCAT"};

std::string CheckSpins(const ScriptLine& line) {
  for (int s = 0; s < effects::kSpinCount; ++s) {
    const std::string problem =
        args::CheckInt(line.args[std::size_t(s)], effects::kRanges[std::size_t(s)].lowest,
                       effects::kRanges[std::size_t(s)].highest, kSpinNames[s]);
    if (!problem.empty()) return problem;
  }
  return {};
}

// Field values are whole numbers; their range is the dialog's to refuse.
std::string CheckFieldWords(const ScriptLine& line, std::initializer_list<const char*> names) {
  std::size_t i = 0;
  for (const char* name : names) {
    int value = 0;
    if (!args::ParseInt(line.args[i++], value)) return std::string(name) + " must be an integer";
  }
  return {};
}

bool RunEffects1(Session& s, const ScriptLine& line) {
  effects dialog(s.state, s.platform);
  for (int spin = 0; spin < effects::kSpinCount; ++spin)
    dialog.SetPosition(effects::Spin(spin), args::ToInt(line.args[std::size_t(spin)]));
  dialog.OnHScroll();
  return true;
}

// Done closes the dialog; when it refuses, the runner gives up with Cancel.
template <typename Dialog>
bool DoneOrCancel(Dialog& dialog) {
  if (dialog.OnDone()) return true;
  dialog.OnCancel();
  return false;
}

bool RunEffects2(Session& s, const ScriptLine& line) {
  effects2 dialog(s.state, s.platform);
  dialog.amplitude().Type(line.args[0]);
  dialog.frequency().Type(line.args[1]);
  dialog.OnTry();
  return DoneOrCancel(dialog);
}

bool RunEffects3(Session& s, const ScriptLine& line) {
  effects3 dialog(s.state, s.platform);
  dialog.bands().Type(line.args[0]);
  dialog.OnTry();
  return DoneOrCancel(dialog);
}

bool RunDappleCommand(Session& s, const ScriptLine& line) {
  effects4 dialog(s.state, s.platform);
  dialog.OnSizeEdited(line.args[0]);
  dialog.OnTry();
  return DoneOrCancel(dialog);
}

}  // namespace

void RegisterSpecialEffectsCommands(CommandTable& table) {
  table.Add({.word = "effects1",
             .synopsis = "effects1 VIT1 VIT2 TEAR SEG SCAT",
             .summary = "Effects 1 with its five spins at these values, one recomputation, Done",
             .min_args = 5,
             .max_args = 5,
             .enabled_by = CommandId::Effects1,
             .check = CheckSpins,
             .run = RunEffects1});
  table.Add({.word = "effects2",
             .synopsis = "effects2 AMPLITUDE FREQUENCY",
             .summary = "Effects 2: the perturbation fields typed (1..100), Try, Done",
             .min_args = 2,
             .max_args = 2,
             .enabled_by = CommandId::Effects2,
             .check = [](const ScriptLine& l) { return CheckFieldWords(l, {"AMPLITUDE", "FREQUENCY"}); },
             .run = RunEffects2});
  table.Add({.word = "effects3",
             .synopsis = "effects3 BANDS",
             .summary = "Effects 3: the band frequency typed (1..20), Try, Done",
             .min_args = 1,
             .max_args = 1,
             .enabled_by = CommandId::Effects3,
             .check = [](const ScriptLine& l) { return CheckFieldWords(l, {"BANDS"}); },
             .run = RunEffects3});
  table.Add({.word = "dapple",
             .synopsis = "dapple SIZE",
             .summary = "Dapple effect: the size typed (1..10), Try, Done",
             .min_args = 1,
             .max_args = 1,
             .enabled_by = CommandId::DappleEffect,
             .check = [](const ScriptLine& l) { return CheckFieldWords(l, {"SIZE"}); },
             .run = RunDappleCommand});
  table.Add({.word = "pencil-draw",
             .synopsis = "pencil-draw",
             .summary = "Pencil Draw over the whole target",
             .enabled_by = CommandId::PencilDraw,
             .run = [](Session& s, const ScriptLine&) {
               PencilDraw(s.state, s.platform);
               return true;
             }});
}

}  // namespace wrimple::batch
