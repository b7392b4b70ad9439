#include "batch/command_table.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "batch/session.h"

namespace wrimple::batch {

namespace {

// The checks the parameter makes of its word.
std::string CheckParam(const ScriptParam& p, const std::string& text) {
  using P = ScriptParam;
  switch (p.kind) {
    case P::Int: return args::CheckInt(text, p.lowest, p.highest, p.name);
    case P::Field: {
      int value = 0;
      return args::ParseInt(text, value) ? std::string() : std::string(p.name) + " must be an integer";
    }
    case P::Number: {
      std::string problem = args::CheckNumber(text, p.name);
      if (problem.empty() && p.lowest < p.highest &&
          !(args::ToNumber(text) >= p.lowest && args::ToNumber(text) <= p.highest))
        problem = std::string(p.name) + " must be in " + p.Range();
      return problem;
    }
    case P::Choice: return args::CheckOneOf(text, args::Choices(p), p.name);
    case P::Code: {
      int code = 0;
      if (args::ChoiceIndex(p, text) >= 0 || (args::ParseInt(text, code) && code >= p.lowest && code <= p.highest))
        return {};
      return std::string(p.name) + " must be a code " + p.Range() + " or one of " + p.choices;
    }
    case P::Levels: return args::CheckLevels(text, p);
    case P::Color: return args::CheckColorOption(text, p.name);
    case P::Text:
    case P::Flag:
    case P::Rest: return {};
  }
  return {};
}

// The parameters' checks in their order, positionals by place and options by
// key; the first reason.
std::string CheckParams(const ScriptCommand& command, const ScriptLine& line) {
  std::size_t place = 0;
  for (const ScriptParam& p : command.params) {
    std::string problem;
    if (p.option) {
      if (line.Has(p.name)) problem = CheckParam(p, line.Option(p.name));
    } else if (p.kind == ScriptParam::Rest) {
      return {};
    } else if (p.kind != ScriptParam::Flag && place < line.args.size()) {
      problem = CheckParam(p, line.args[place++]);
    }
    if (!problem.empty()) return problem;
  }
  return {};
}

CommandSpec SpecOf(const ScriptCommand& command) {
  CommandSpec spec{.command = &command,
                   .word = command.word,
                   .synopsis = command.Synopsis(),
                   .summary = command.Summary()};
  for (const ScriptParam& p : command.params) {
    if (p.kind == ScriptParam::Flag)
      spec.flag_names.push_back(p.name);
    else if (p.option)
      spec.option_names.push_back(p.name);
    else if (p.kind == ScriptParam::Rest)
      spec.max_args = -1;
    else {
      spec.min_args += p.optional ? 0 : 1;
      if (spec.max_args >= 0) ++spec.max_args;
    }
  }
  return spec;
}

std::optional<CommandId> EnabledBy(const ScriptCommand& command, const ScriptLine& line) {
  const std::vector<CommandId>& ids = command.ids;
  if (ids.size() <= 1) return ids.empty() ? std::nullopt : std::optional(ids.front());
  // One command for each choice of the first positional.
  const ScriptParam& first = command.params.front();
  const int index = first.kind == ScriptParam::Int ? args::ToInt(line.args[0]) - first.lowest
                                                   : args::ChoiceIndex(first, line.args[0]);
  return ids.at(std::size_t(index));
}

// The core action of the command the line selects, once or times=N.
bool RunAction(Session& s, const ScriptLine& line) {
  return InfoOf(*EnabledBy(*line.command, line)).action(s.state, s.platform);
}

bool RunClicks(Session& s, const ScriptLine& line) {
  const CoreAction click = InfoOf(*EnabledBy(*line.command, line)).action;
  bool done = true;
  for (int i = args::IntOption(line, "times"); i > 0; --i) done = click(s.state, s.platform) && done;
  return done;
}

}  // namespace

std::optional<CommandId> CommandSpec::EnabledBy(const ScriptLine& line) const {
  return batch::EnabledBy(*command, line);
}

CommandTable::CommandTable() {
  for (const ScriptCommand& command : ScriptCommands()) {
    CommandSpec spec = SpecOf(command);
    if (command.form == ScriptForm::Action) spec.run = RunAction;
    if (command.form == ScriptForm::Clicks) spec.run = RunClicks;
    specs_.push_back(std::move(spec));
  }
}

void CommandTable::Bind(const std::string& word, ScriptRun run) {
  for (CommandSpec& spec : specs_)
    if (spec.word == word) {
      spec.run = std::move(run.run);
      spec.check = std::move(run.check);
      return;
    }
  stray_words_.push_back(word);
}

const CommandSpec* CommandTable::Find(std::string_view word) const {
  for (const CommandSpec& spec : specs_)
    if (spec.word == word && spec.run) return &spec;
  return nullptr;
}

std::vector<const CommandSpec*> CommandTable::all() const {
  std::vector<const CommandSpec*> runnable;
  for (const CommandSpec& spec : specs_)
    if (spec.run) runnable.push_back(&spec);
  return runnable;
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
  line.command = spec.command;
  line.word = spec.word;
  line.args.clear();
  line.options.clear();
  line.flags.clear();
  for (std::size_t i = 1; i < tokens.size(); ++i) {
    const Token& t = tokens[i];
    const std::size_t eq = t.text.find('=');
    if (t.quoted || spec.command->raw_words) {
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
  if (std::string problem = CheckParams(*spec.command, line); !problem.empty()) return problem;
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

int IntOption(const ScriptLine& line, const std::string& name) {
  return line.Has(name) ? ToInt(line.Option(name)) : line.command->Param(name)->default_value;
}

std::string WordOption(const ScriptLine& line, const std::string& name) {
  if (line.Has(name)) return line.Option(name);
  const ScriptParam& param = *line.command->Param(name);
  return std::string(Choices(param).at(std::size_t(param.default_value)));
}

std::vector<std::string_view> Choices(const ScriptParam& param) {
  std::vector<std::string_view> choices;
  const std::string_view all = param.choices;
  for (std::size_t start = 0; start <= all.size();) {
    const std::size_t bar = std::min(all.find('|', start), all.size());
    choices.push_back(all.substr(start, bar - start));
    start = bar + 1;
  }
  return choices;
}

int ChoiceIndex(const ScriptParam& param, std::string_view word) {
  const std::vector<std::string_view> choices = Choices(param);
  const auto it = std::find(choices.begin(), choices.end(), word);
  return it == choices.end() ? -1 : int(it - choices.begin());
}

std::vector<int> ParseLevels(std::string_view text) {
  std::vector<int> values;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = text.find(',', start);
    int v = 0;
    if (!ParseInt(text.substr(start, comma == std::string_view::npos ? comma : comma - start), v)) return {};
    values.push_back(v);
    if (comma == std::string_view::npos) return values;
    start = comma + 1;
  }
}

std::string CheckLevels(std::string_view text, const ScriptParam& param) {
  const std::vector<int> values = ParseLevels(text);
  const std::string reason = std::string(param.name) + " must be V or R,G,B with each value in " + param.Range();
  if (values.size() != 1 && values.size() != 3) return reason;
  for (int v : values)
    if (v < param.lowest || v > param.highest) return reason;
  return {};
}

std::string FirstProblem(std::initializer_list<std::string> problems) {
  for (const std::string& p : problems)
    if (!p.empty()) return p;
  return {};
}

}  // namespace args

}  // namespace wrimple::batch
