// Script commands of merging and the reference colour.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "batch/command_table.h"
#include "batch/session.h"
#include "compose/merge_command.h"
#include "compose/merge_dialog.h"
#include "compose/reference_color_dialog.h"

namespace wrimple::batch {

namespace {

// Method names by MergeMethod code.
constexpr std::array<std::string_view, mergepix::kMethodCount> kMethodNames = {
    "picture1", "picture2", "brightest", "darkest", "subtract12", "subtract21",
    "average",  "comp12",   "comp21",    "comp_h_12", "comp_h_21"};
constexpr std::array<std::string_view, mergepix::kContrastModes> kContrastNames = {"normal", "bw",
                                                                                   "rgb"};

// A method given by name or by its code; -1 when it is neither.
int MethodCode(std::string_view text) {
  for (std::size_t code = 0; code < kMethodNames.size(); ++code)
    if (kMethodNames[code] == text) return int(code);
  int code = 0;
  if (args::ParseInt(text, code) && code >= 0 && code < mergepix::kMethodCount) return code;
  return -1;
}

int ContrastCode(std::string_view text) {
  for (std::size_t mode = 0; mode < kContrastNames.size(); ++mode)
    if (kContrastNames[mode] == text) return int(mode);
  return 0;
}

std::string CheckMerge(const ScriptLine& line) {
  if (line.Has("method") && MethodCode(line.Option("method")) < 0)
    return "method must be a code 0..10 or one of picture1|picture2|brightest|darkest|"
           "subtract12|subtract21|average|comp12|comp21|comp_h_12|comp_h_21";
  return args::FirstProblem(
      {line.Has("bias") ? args::CheckInt(line.Option("bias"), 0, mergepix::kBiasMax, "bias") : "",
       line.Has("threshold")
           ? args::CheckInt(line.Option("threshold"), 0, mergepix::kThresholdMax, "threshold")
           : "",
       line.Has("contrast") ? args::CheckOneOf(line.Option("contrast"),
                                               {kContrastNames.begin(), kContrastNames.end()},
                                               "contrast")
                            : ""});
}

// The dialog's controls in the order the command lists them, then DONE.
bool RunMerge(Session& s, const ScriptLine& line) {
  bool done_accepted = true;
  const MergeCommandOutcome outcome = MergeTwoSources(s.state, s.platform, [&](mergepix& dialog) {
    if (line.Has("method")) dialog.OnMethodButton(MethodCode(line.Option("method")));
    if (line.Has("contrast")) dialog.OnContrastButton(ContrastCode(line.Option("contrast")));
    if (line.Has("bias")) dialog.MoveBiasSlider(args::ToInt(line.Option("bias")));
    if (line.Has("threshold"))
      dialog.MoveThresholdSlider(mergepix::kThresholdMax - args::ToInt(line.Option("threshold")));
    done_accepted = dialog.OnOK();
    if (!done_accepted) dialog.OnCancel();
  });
  return outcome != MergeCommandOutcome::NeedsTwoSources && done_accepted;
}

std::string CheckReferenceColor(const ScriptLine& line) {
  return args::FirstProblem({args::CheckInt(line.args[0], 0, 255, "R"),
                             args::CheckInt(line.args[1], 0, 255, "G"),
                             args::CheckInt(line.args[2], 0, 255, "B")});
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
  table.Add({.word = "merge",
             .synopsis = "merge [method=M] [bias=0..255] [threshold=0..100] [contrast=normal|bw|rgb]",
             .summary = "\"Merge two sources\": the method button, the contrast button, the bias and "
                        "threshold sliders, then DONE",
             .option_names = {"method", "bias", "threshold", "contrast"},
             .enabled_by = CommandId::MergeTwoSources,
             .check = CheckMerge,
             .run = RunMerge});
  table.Add({.word = "reference-color",
             .synopsis = "reference-color R G B",
             .summary = "\"Setup Reference Color\": the three channel sliders set, then Done",
             .min_args = 3,
             .max_args = 3,
             .enabled_by = CommandId::SetupReferenceColor,
             .check = CheckReferenceColor,
             .run = RunReferenceColor});
}

}  // namespace wrimple::batch
