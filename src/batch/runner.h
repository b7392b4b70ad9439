// wrimple-batch: runs the program's commands from a script, without a window.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace wrimple::batch {

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitScriptError = 1;
inline constexpr int kExitCommandFailed = 2;

// Runs wrimple-batch with its command-line words (without the program name);
// standard input serves the script "-".
int RunBatch(const std::vector<std::string>& argv, std::istream& in, std::ostream& out,
             std::ostream& err);

}  // namespace wrimple::batch
