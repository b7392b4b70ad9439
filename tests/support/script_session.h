// A runner session for the script tests: lines are checked and run by the
// runner's own line step, on a state the test may prepare directly.
#pragma once

#include <sstream>
#include <string>

#include "batch/command_table.h"
#include "batch/runner.h"
#include "batch/session.h"

namespace wrimple::testing {

class ScriptSession {
 public:
  explicit ScriptSession(batch::Options options = {});

  // Checks every line of the script (a wrong line fails the test), then runs
  // them in order up to the first that fails; false when one failed.
  bool Run(const std::string& script);
  // The same, going on after a failed line; the number of lines that failed.
  int FailedLines(const std::string& script);
  // Why a line is wrong, or empty.
  std::string Problem(const std::string& text) const;

  batch::Session& session() { return session_; }
  // The options the session reads while it runs.
  batch::Options& options() { return options_; }
  State& state() { return session_.state; }
  const State& state() const { return session_.state; }
  std::string out() const { return out_.str(); }
  std::string err() const { return err_.str(); }

 private:
  int RunLines(const std::string& script, bool keep_going);

  batch::Options options_;
  std::ostringstream out_, err_;
  batch::CommandTable table_ = batch::BuildCommandTable();
  batch::Session session_{options_, out_, err_};
};

}  // namespace wrimple::testing
