// Script commands of the colour effects with a dialog: brightness and contrast, highlight.
#include <string>
#include <vector>

#include "batch/command_table.h"
#include "batch/session.h"
#include "effects/bright_contrast.h"
#include "effects/highlight.h"

namespace wrimple::batch {

namespace {

// One value moves the column's master slider, three move the red, green and
// blue sliders.
void PlaceLevels(bright_cont& dialog, const ScriptLine& line, const std::string& option,
                 bright_cont::Control master, bright_cont::Control red) {
  if (!line.Has(option)) return;
  const std::vector<int> values = args::ParseLevels(line.Option(option));
  if (values.size() == 1) return dialog.SetPosition(master, values[0]);
  for (int c = 0; c < 3; ++c) dialog.SetPosition(bright_cont::Control(red + c), values[std::size_t(c)]);
}

bool RunBrightContrastLine(Session& s, const ScriptLine& line) {
  RunBrightContrast(s.state, s.platform, [&line](bright_cont& dialog) {
    PlaceLevels(dialog, line, "brightness", bright_cont::kBrightnessAll, bright_cont::kBrightnessRed);
    PlaceLevels(dialog, line, "contrast", bright_cont::kContrastAll, bright_cont::kContrastRed);
    if (line.Has("gamma")) dialog.SetPosition(bright_cont::kGamma, args::ToInt(line.Option("gamma")));
    dialog.OnHScroll();
  });
  return true;
}

struct ArrowOption {
  const char* name;
  pos_bright_cont::Control button;
};
constexpr ArrowOption kArrows[] = {{"up", pos_bright_cont::kBrightenUpwards},
                                   {"down", pos_bright_cont::kBrightenDownwards},
                                   {"left", pos_bright_cont::kBrightenLeftwards},
                                   {"right", pos_bright_cont::kBrightenRightwards}};

bool RunHighlightLine(Session& s, const ScriptLine& line) {
  RunHighlight(s.state, s.platform, [&line](pos_bright_cont& dialog) {
    for (const ArrowOption& arrow : kArrows)
      for (int i = args::IntOption(line, arrow.name); i > 0; --i) dialog.OnButton(arrow.button);
    if (line.Flag("cancel"))
      dialog.OnCancel();
    else
      dialog.OnOk();
  });
  return true;
}

}  // namespace

void RegisterEffectsCommands(CommandTable& table) {
  table.Bind("bright-contrast", {RunBrightContrastLine});
  table.Bind("highlight", {RunHighlightLine});
}

}  // namespace wrimple::batch
