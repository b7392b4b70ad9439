// The runner's command table: every script command with its arguments, its
// check (run for the whole script before the first command runs) and its action.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/script.h"
#include "commands/command_catalog.h"
#include "document/commands.h"

namespace wrimple::batch {

class Session;

// A script command as the runner runs it: its catalogue row, what the parser
// needs of it, its checks (run for the whole script before the first command
// runs) and its action.
struct CommandSpec {
  const ScriptCommand* command = nullptr;
  std::string word;
  std::string synopsis;  // for --help: "open PATH [replace=0|1|2]"
  std::string summary;   // one line for --help
  int min_args = 0;
  int max_args = 0;  // -1: any number
  std::vector<std::string> option_names;
  std::vector<std::string> flag_names;
  // Checks beyond those of the parameters: empty, or the reason the line is wrong.
  std::function<std::string(const ScriptLine&)> check;
  // Runs the line; false when the command failed (a message with the error icon
  // counts as failure without this).
  std::function<bool(Session&, const ScriptLine&)> run;

  // The program's command whose enabling rule the line obeys.
  std::optional<CommandId> EnabledBy(const ScriptLine& line) const;
};

// The runner's own part of a script command: how it runs, and the checks its
// parameters do not make.
struct ScriptRun {
  std::function<bool(Session&, const ScriptLine&)> run;
  std::function<std::string(const ScriptLine&)> check = nullptr;
};

// The script commands of the catalogue that the runner can run, in the
// catalogue's order.
class CommandTable {
 public:
  CommandTable();
  // Gives a script command of the catalogue its run.
  void Bind(const std::string& word, ScriptRun run);
  const CommandSpec* Find(std::string_view word) const;
  // The commands that have a run.
  std::vector<const CommandSpec*> all() const;
  // Words bound that the catalogue does not have.
  const std::vector<std::string>& stray_words() const { return stray_words_; }

 private:
  std::vector<CommandSpec> specs_;
  std::vector<std::string> stray_words_;
};

// Each subsystem binds the runs of its script commands.
void RegisterStateCommands(CommandTable& table);
void RegisterComposeCommands(CommandTable& table);
void RegisterGeometryCommands(CommandTable& table);
void RegisterIoCommands(CommandTable& table);
void RegisterZoneCommands(CommandTable& table);
void RegisterEffectsCommands(CommandTable& table);
void RegisterSpecialEffectsCommands(CommandTable& table);
void RegisterPrintCommands(CommandTable& table);
CommandTable BuildCommandTable();

// Sorts a line's words into positional arguments, options and flags, and checks
// them against the command's description; empty or the reason.
std::string ParseLine(const CommandSpec& spec, const std::vector<Token>& tokens, ScriptLine& line);

// Argument checks and conversions shared by the commands. The checks return
// empty or the reason; the conversions assume a passed check.
namespace args {
bool ParseInt(std::string_view text, int& value);
bool ParseNumber(std::string_view text, double& value);
std::string CheckInt(std::string_view text, int lo, int hi, std::string_view what);
std::string CheckNumber(std::string_view text, std::string_view what);
std::string CheckOneOf(std::string_view text, const std::vector<std::string_view>& choices,
                       std::string_view what);
// "R,G,B", each 0..255.
std::string CheckColorOption(std::string_view text, std::string_view what);
int ToInt(std::string_view text);
double ToNumber(std::string_view text);
struct Rgb {
  int red = 0, green = 0, blue = 0;
};
Rgb ToColorOption(std::string_view text);
// Runs the checks in order and returns the first reason.
std::string FirstProblem(std::initializer_list<std::string> problems);
// An option's value, or the default its parameter declares.
int IntOption(const ScriptLine& line, const std::string& name);
std::string WordOption(const ScriptLine& line, const std::string& name);
// A parameter's choices, and the index of a word among them (-1: none).
std::vector<std::string_view> Choices(const ScriptParam& param);
int ChoiceIndex(const ScriptParam& param, std::string_view word);
// "V" or "R,G,B" as written; empty when a part is not an integer.
std::vector<int> ParseLevels(std::string_view text);
// "V" or "R,G,B", each in the parameter's range.
std::string CheckLevels(std::string_view text, const ScriptParam& param);
}  // namespace args

}  // namespace wrimple::batch
