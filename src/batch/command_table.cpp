#include "batch/command_table.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace wrimple::batch {

void CommandTable::Add(CommandSpec spec) { specs_.push_back(std::move(spec)); }

const CommandSpec* CommandTable::Find(std::string_view word) const {
  for (const CommandSpec& spec : specs_)
    if (spec.word == word) return &spec;
  return nullptr;
}

const std::vector<std::string_view>& KnownCommandWords() {
  static const std::vector<std::string_view> words = {
      "open", "reopen", "text", "base-color", "paste", "blank-source", "target-to-source",
      "copy", "save-as", "save", "next-save", "print", "target-size", "scale", "scale-pixels",
      "scale-step", "fit-to-target", "rotate", "flip-source", "align", "grab", "merge", "lock",
      "restore", "reference-color", "aggressiveness", "press", "move", "release", "zone",
      "sweep", "brushing", "nudge-down", "nudge-up", "nudge-left", "nudge-right",
      "twist-counter-clockwise", "twist-clockwise", "squash", "stretch", "blush-down",
      "blush-up", "portion-merge-1", "portion-merge-2", "fill-1", "fill-2", "bright-contrast",
      "highlight", "effects1", "effects2", "effects3", "dapple", "pencil-draw",
      "invert-brightness", "invert-color-brightness", "black-and-white", "sharpen", "emboss",
      "blur", "soften", "edge", "flip-horizontal", "flip-vertical", "state", "echo"};
  return words;
}

CommandTable BuildCommandTable() {
  CommandTable table;
  RegisterStateCommands(table);
  RegisterIoCommands(table);
  RegisterComposeCommands(table);
  RegisterGeometryCommands(table);
  RegisterZoneCommands(table);
  RegisterEffectsCommands(table);
  RegisterSpecialEffectsCommands(table);
  RegisterPrintCommands(table);
  return table;
}

std::string ParseLine(const CommandSpec& spec, const std::vector<Token>& tokens, ScriptLine& line) {
  line.word = spec.word;
  line.args.clear();
  line.options.clear();
  line.flags.clear();
  for (std::size_t i = 1; i < tokens.size(); ++i) {
    const Token& t = tokens[i];
    const std::size_t eq = t.text.find('=');
    if (t.quoted || spec.raw_words) {
      line.args.push_back(t.text);
    } else if (eq != std::string::npos && eq > 0) {
      const std::string key = t.text.substr(0, eq);
      if (std::find(spec.option_names.begin(), spec.option_names.end(), key) ==
          spec.option_names.end())
        return "unknown option '" + key + "' for " + spec.word;
      if (line.options.count(key)) return "option '" + key + "' given twice";
      line.options[key] = t.text.substr(eq + 1);
    } else if (std::find(spec.flag_names.begin(), spec.flag_names.end(), t.text) !=
               spec.flag_names.end()) {
      line.flags.insert(t.text);
    } else {
      if (!line.options.empty() || !line.flags.empty())
        return "positional argument '" + t.text + "' after the options of " + spec.word;
      line.args.push_back(t.text);
    }
  }
  const int count = int(line.args.size());
  if (count < spec.min_args) return spec.word + " needs more arguments: " + spec.synopsis;
  if (spec.max_args >= 0 && count > spec.max_args)
    return spec.word + " has too many arguments: " + spec.synopsis;
  return spec.check ? spec.check(line) : std::string();
}

namespace args {

bool ParseInt(std::string_view text, int& value) {
  if (text.empty()) return false;
  const char* first = text.data();
  if (*first == '+') ++first;
  const auto [end, ec] = std::from_chars(first, text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

bool ParseNumber(std::string_view text, double& value) {
  if (text.empty()) return false;
  const std::string copy(text);
  char* end = nullptr;
  value = std::strtod(copy.c_str(), &end);
  return end == copy.c_str() + copy.size() && std::isfinite(value);
}

std::string CheckInt(std::string_view text, int lo, int hi, std::string_view what) {
  int v = 0;
  if (!ParseInt(text, v)) return std::string(what) + " must be an integer, not '" + std::string(text) + "'";
  if (v < lo || v > hi)
    return std::string(what) + " must be in " + std::to_string(lo) + ".." + std::to_string(hi);
  return {};
}

std::string CheckNumber(std::string_view text, std::string_view what) {
  double v = 0;
  if (!ParseNumber(text, v)) return std::string(what) + " must be a number, not '" + std::string(text) + "'";
  return {};
}

std::string CheckOneOf(std::string_view text, const std::vector<std::string_view>& choices,
                       std::string_view what) {
  if (std::find(choices.begin(), choices.end(), text) != choices.end()) return {};
  std::string list;
  for (std::string_view c : choices) list += (list.empty() ? "" : "|") + std::string(c);
  return std::string(what) + " must be one of " + list;
}

std::string CheckColorOption(std::string_view text, std::string_view what) {
  int parts = 0;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = text.find(',', start);
    const std::string_view part = text.substr(start, comma == std::string_view::npos ? text.npos : comma - start);
    int v = 0;
    if (!ParseInt(part, v) || v < 0 || v > 255)
      return std::string(what) + " must be R,G,B with each value in 0..255";
    ++parts;
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return parts == 3 ? std::string() : std::string(what) + " must be R,G,B with each value in 0..255";
}

int ToInt(std::string_view text) {
  int v = 0;
  ParseInt(text, v);
  return v;
}

double ToNumber(std::string_view text) {
  double v = 0;
  ParseNumber(text, v);
  return v;
}

Rgb ToColorOption(std::string_view text) {
  Rgb c;
  const std::size_t a = text.find(',');
  const std::size_t b = text.find(',', a + 1);
  c.red = ToInt(text.substr(0, a));
  c.green = ToInt(text.substr(a + 1, b - a - 1));
  c.blue = ToInt(text.substr(b + 1));
  return c;
}

std::string FirstProblem(std::initializer_list<std::string> problems) {
  for (const std::string& p : problems)
    if (!p.empty()) return p;
  return {};
}

}  // namespace args

}  // namespace wrimple::batch
