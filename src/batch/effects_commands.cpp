// Script commands of the whole-target colour effects, filters and flips.
#include <string>
#include <vector>

#include "batch/command_table.h"
#include "batch/session.h"
#include "effects/apply_filter.h"
#include "effects/black_and_white.h"
#include "effects/bright_contrast.h"
#include "effects/flip_horizontal.h"
#include "effects/flip_vertical.h"
#include "effects/highlight.h"
#include "effects/invert_brightness.h"
#include "effects/invert_color_brightness.h"

namespace wrimple::batch {

namespace {

// "V" or "R,G,B" as written; empty when a part is not an integer.
std::vector<int> ParseLevels(const std::string& text) {
  std::vector<int> values;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = text.find(',', start);
    int v = 0;
    if (!args::ParseInt(text.substr(start, comma == std::string::npos ? comma : comma - start), v))
      return {};
    values.push_back(v);
    if (comma == std::string::npos) return values;
    start = comma + 1;
  }
}

std::string CheckLevels(const ScriptLine& line, const std::string& option, bright_cont::Control master) {
  if (!line.Has(option)) return {};
  const std::vector<int> values = ParseLevels(line.Option(option));
  const bright_cont::SliderRange range = bright_cont::RangeOf(master);
  const std::string reason = option + " must be V or R,G,B with each value in " +
                             std::to_string(range.min) + ".." + std::to_string(range.max);
  if (values.size() != 1 && values.size() != 3) return reason;
  for (int v : values)
    if (v < range.min || v > range.max) return reason;
  return {};
}

// One value moves the column's master slider, three move the red, green and
// blue sliders.
void PlaceLevels(bright_cont& dialog, const ScriptLine& line, const std::string& option,
                 bright_cont::Control master, bright_cont::Control red) {
  if (!line.Has(option)) return;
  const std::vector<int> values = ParseLevels(line.Option(option));
  if (values.size() == 1) return dialog.SetPosition(master, values[0]);
  for (int c = 0; c < 3; ++c) dialog.SetPosition(bright_cont::Control(red + c), values[std::size_t(c)]);
}

CommandSpec BrightContrastCommand() {
  return {
      .word = "bright-contrast",
      .synopsis = "bright-contrast [brightness=V|R,G,B] [contrast=V|R,G,B] [gamma=G]",
      .summary = "\"Bright/contrast\": the sliders placed, one recomputation, OK",
      .option_names = {"brightness", "contrast", "gamma"},
      .enabled_by = CommandId::BrightContrast,
      .check =
          [](const ScriptLine& line) {
            return args::FirstProblem(
                {CheckLevels(line, "brightness", bright_cont::kBrightnessAll),
                 CheckLevels(line, "contrast", bright_cont::kContrastAll),
                 line.Has("gamma") ? args::CheckInt(line.Option("gamma"), -255, 255, "gamma") : ""});
          },
      .run =
          [](Session& s, const ScriptLine& line) {
            RunBrightContrast(s.state, s.platform, [&line](bright_cont& dialog) {
              PlaceLevels(dialog, line, "brightness", bright_cont::kBrightnessAll, bright_cont::kBrightnessRed);
              PlaceLevels(dialog, line, "contrast", bright_cont::kContrastAll, bright_cont::kContrastRed);
              if (line.Has("gamma")) dialog.SetPosition(bright_cont::kGamma, args::ToInt(line.Option("gamma")));
              dialog.OnHScroll();
            });
            return true;
          },
  };
}

struct ArrowOption {
  const char* name;
  pos_bright_cont::Control button;
};
constexpr ArrowOption kArrows[] = {{"up", pos_bright_cont::kBrightenUpwards},
                                   {"down", pos_bright_cont::kBrightenDownwards},
                                   {"left", pos_bright_cont::kBrightenLeftwards},
                                   {"right", pos_bright_cont::kBrightenRightwards}};

CommandSpec HighlightCommand() {
  return {
      .word = "highlight",
      .synopsis = "highlight [up=N] [down=N] [left=N] [right=N] [cancel]",
      .summary = "\"Highlight\": N clicks of each arrow (up, down, left, right), then OK or Cancel",
      .option_names = {"up", "down", "left", "right"},
      .flag_names = {"cancel"},
      .enabled_by = CommandId::Highlight,
      .check =
          [](const ScriptLine& line) {
            for (const ArrowOption& arrow : kArrows) {
              if (!line.Has(arrow.name)) continue;
              std::string problem = args::CheckInt(line.Option(arrow.name), 0, 1000, arrow.name);
              if (!problem.empty()) return problem;
            }
            return std::string();
          },
      .run =
          [](Session& s, const ScriptLine& line) {
            RunHighlight(s.state, s.platform, [&line](pos_bright_cont& dialog) {
              for (const ArrowOption& arrow : kArrows) {
                const int clicks = line.Has(arrow.name) ? args::ToInt(line.Option(arrow.name)) : 0;
                for (int i = 0; i < clicks; ++i) dialog.OnButton(arrow.button);
              }
              if (line.Flag("cancel"))
                dialog.OnCancel();
              else
                dialog.OnOk();
            });
            return true;
          },
  };
}

struct MenuCommand {
  const char* word;
  const char* menu_text;
  CommandId id;
  void (*handler)(State&, Platform&);
};

template <ConvolutionFilter kFilter>
void Convolve(State& st, Platform& pf) {
  OnConvolutionFilter(st, pf, kFilter);
}

constexpr MenuCommand kMenuCommands[] = {
    {"invert-brightness", "Invert Brightness", CommandId::InvertBrightness, OnInvertBrightness},
    {"invert-color-brightness", "Invert Color/Brightness", CommandId::InvertColorBrightness,
     OnInvertColorBrightness},
    {"black-and-white", "Black and White", CommandId::BlackAndWhite, OnBlackAndWhite},
    {"sharpen", "Sharpen", CommandId::Sharpen, Convolve<ConvolutionFilter::Sharpen>},
    {"emboss", "Emboss", CommandId::Emboss, Convolve<ConvolutionFilter::Emboss>},
    {"blur", "Blur", CommandId::Blur, Convolve<ConvolutionFilter::Blur>},
    {"soften", "Soften", CommandId::Soften, Convolve<ConvolutionFilter::Soften>},
    {"edge", "Edge", CommandId::Edge, Convolve<ConvolutionFilter::Edge>},
    {"flip-horizontal", "Flip horizontal", CommandId::FlipHorizontal, OnFlipHorizontal},
    {"flip-vertical", "Flip vertical", CommandId::FlipVertical, OnFlipVertical},
};

}  // namespace

void RegisterEffectsCommands(CommandTable& table) {
  table.Add(BrightContrastCommand());
  table.Add(HighlightCommand());
  for (const MenuCommand& c : kMenuCommands) {
    auto handler = c.handler;
    table.Add({.word = c.word,
               .synopsis = c.word,
               .summary = std::string("the Target menu's \"") + c.menu_text + "\"",
               .enabled_by = c.id,
               .run = [handler](Session& s, const ScriptLine&) {
                 handler(s.state, s.platform);
                 return true;
               }});
  }
}

}  // namespace wrimple::batch
