// The runner's command table: every script command with its arguments, its
// check (run for the whole script before the first command runs) and its action.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/script.h"
#include "document/commands.h"

namespace wrimple::batch {

class Session;

struct CommandSpec {
  std::string word;
  std::string synopsis;  // for --help: "open PATH [replace=0|1|2]"
  std::string summary;   // one line for --help
  int min_args = 0;
  int max_args = 0;  // -1: any number
  std::vector<std::string> option_names;
  std::vector<std::string> flag_names;
  bool raw_words = false;  // every word is positional (echo)
  // The program's command whose enabling rule the script command obeys.
  std::optional<CommandId> enabled_by;
  // Further checks of the arguments: empty, or the reason the line is wrong.
  std::function<std::string(const ScriptLine&)> check;
  // Runs the line; false when the command failed (a message with the error icon
  // counts as failure without this).
  std::function<bool(Session&, const ScriptLine&)> run;
};

class CommandTable {
 public:
  void Add(CommandSpec spec);
  const CommandSpec* Find(std::string_view word) const;
  const std::vector<CommandSpec>& all() const { return specs_; }

 private:
  std::vector<CommandSpec> specs_;
};

// Every command word the runner's interface defines, built or not yet.
const std::vector<std::string_view>& KnownCommandWords();

// Each subsystem adds its commands.
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
}  // namespace args

}  // namespace wrimple::batch
