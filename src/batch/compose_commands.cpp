// Script commands of merging and the reference colour.
#include <string>

#include "batch/command_table.h"
#include "batch/session.h"
#include "compose/merge_command.h"
#include "compose/merge_dialog.h"
#include "compose/reference_color_dialog.h"

namespace wrimple::batch {

namespace {

// A method given by name or by its code.
int MethodCode(const ScriptLine& line) {
  const std::string& text = line.Option("method");
  const int named = args::ChoiceIndex(*line.command->Param("method"), text);
  return named >= 0 ? named : args::ToInt(text);
}

// The dialog's controls in the order the command lists them, then DONE.
bool RunMerge(Session& s, const ScriptLine& line) {
  bool done_accepted = true;
  const MergeCommandOutcome outcome = MergeTwoSources(s.state, s.platform, [&](mergepix& dialog) {
    if (line.Has("method")) dialog.OnMethodButton(MethodCode(line));
    if (line.Has("contrast"))
      dialog.OnContrastButton(args::ChoiceIndex(*line.command->Param("contrast"), line.Option("contrast")));
    if (line.Has("bias")) dialog.MoveBiasSlider(args::ToInt(line.Option("bias")));
    if (line.Has("threshold"))
      dialog.MoveThresholdSlider(mergepix::kThresholdMax - args::ToInt(line.Option("threshold")));
    done_accepted = dialog.OnOK();
    if (!done_accepted) dialog.OnCancel();
  });
  return outcome != MergeCommandOutcome::NeedsTwoSources && done_accepted;
}

bool RunReferenceColor(Session& s, const ScriptLine& line) {
  blush* dialog = SetupReferenceColor(s.state, s.platform);
  dialog->MoveSlider(blush::Slider::Red, args::ToInt(line.args[0]));
  dialog->MoveSlider(blush::Slider::Green, args::ToInt(line.args[1]));
  dialog->MoveSlider(blush::Slider::Blue, args::ToInt(line.args[2]));
  CloseReferenceColorDialog(s.state);
  return true;
}

}  // namespace

void RegisterComposeCommands(CommandTable& table) {
  table.Bind("merge", {RunMerge});
  table.Bind("reference-color", {RunReferenceColor});
}

}  // namespace wrimple::batch
