// wrimple-batch: runs the program's commands from a script, without a window.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "batch/script.h"

namespace wrimple::batch {

class CommandTable;
class Session;
struct CommandSpec;

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitScriptError = 1;
inline constexpr int kExitCommandFailed = 2;

// One line of a script after its check: the command and its sorted words.
struct CheckedLine {
  const CommandSpec* spec = nullptr;  // null for a blank or comment line
  ScriptLine line;
};

// Checks line `number` of a script against the table; empty when it is right,
// else the reason it is wrong.
std::string CheckScriptLine(const CommandTable& table, const std::string& text, int number,
                            CheckedLine& checked);

// Checks every line of the script named `name` and keeps its commands in
// `lines`; on the first wrong line writes SCRIPT:LINE: reason and returns false.
bool CheckScript(std::istream& in, const std::string& name, const CommandTable& table,
                 std::vector<CheckedLine>& lines, std::ostream& err);

// Runs one checked line: the command's enabling rule first, then the command.
// False when it failed; a message with the error icon counts as failure.
bool RunScriptLine(Session& session, const CheckedLine& checked);

// Runs wrimple-batch with its command-line words (without the program name);
// standard input serves the script "-".
int RunBatch(const std::vector<std::string>& argv, std::istream& in, std::ostream& out,
             std::ostream& err);

}  // namespace wrimple::batch
