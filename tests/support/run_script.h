// Runs a script through wrimple-batch in-process, as the runner's tests do.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "batch/runner.h"

namespace wrimple::testing {

struct ScriptRun {
  int status;
  std::string out, err;
};

// The script is read from standard input ("-"), after the given options.
inline ScriptRun RunScript(const std::string& script, std::vector<std::string> options = {}) {
  std::istringstream in(script);
  std::ostringstream out, err;
  options.push_back("-");
  const int status = batch::RunBatch(options, in, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace wrimple::testing
