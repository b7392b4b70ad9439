// Script commands of the special effects with a dialog: effects 1 to 3 and dapple.
#include <string>

#include "batch/command_table.h"
#include "batch/session.h"
#include "effects/dapple_dialog.h"
#include "effects/effects1_dialog.h"
#include "effects/effects2_dialog.h"
#include "effects/effects3_dialog.h"

namespace wrimple::batch {

namespace {

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
  table.Bind("effects1", {RunEffects1});
  table.Bind("effects2", {RunEffects2});
  table.Bind("effects3", {RunEffects3});
  table.Bind("dapple", {RunDappleCommand});
}

}  // namespace wrimple::batch
