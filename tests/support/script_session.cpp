#include "support/script_session.h"

#include <gtest/gtest.h>

#include <vector>

namespace wrimple::testing {

ScriptSession::ScriptSession(batch::Options options) : options_(options) { batch::StartUp(session_); }

int ScriptSession::RunLines(const std::string& script, bool keep_going) {
  std::istringstream in(script);
  std::string text;
  std::vector<batch::CheckedLine> lines;
  for (int number = 1; std::getline(in, text); ++number) {
    batch::CheckedLine checked;
    const std::string reason = batch::CheckScriptLine(table_, text, number, checked);
    EXPECT_EQ(reason, "") << text;
    if (!reason.empty()) return 1;
    if (checked.spec) lines.push_back(std::move(checked));
  }
  int failed = 0;
  for (const batch::CheckedLine& line : lines) {
    if (batch::RunScriptLine(session_, line)) continue;
    ++failed;
    if (!keep_going) break;
  }
  return failed;
}

bool ScriptSession::Run(const std::string& script) { return RunLines(script, false) == 0; }

int ScriptSession::FailedLines(const std::string& script) { return RunLines(script, true); }

std::string ScriptSession::Problem(const std::string& text) const {
  batch::CheckedLine checked;
  return batch::CheckScriptLine(table_, text, 1, checked);
}

}  // namespace wrimple::testing
