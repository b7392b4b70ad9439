#include "batch/runner.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <sstream>

#include "batch/command_table.h"
#include "batch/session.h"

namespace wrimple::batch {

namespace {

constexpr const char* kVersion = "wrimple-batch 0.1.0";

struct Invocation {
  Options options;
  std::string script;  // path, or "-"
};

void WriteUsage(std::ostream& out, const CommandTable& table) {
  out << "usage: wrimple-batch [options] SCRIPT     (SCRIPT is a file, or - for standard input)\n"
         "\noptions:\n"
         "  --seed N          seed the random generator with N wherever the program seeds it from the clock\n"
         "  --answer yes|no   answer to every Yes/No question a command does not answer itself (yes)\n"
         "  --view W H        size of the view's client area (1024 768)\n"
         "  --keep-going      go on after a command that failed\n"
         "  --help, --version\n"
         "\nscript: one command a line; a word or an option value in double quotes may hold blanks,\n"
         "  with \\\" \\\\ \\n \\t as escapes: text \"Two words\" font=\"DejaVu Serif\"\n"
         "\ncommands:\n";
  for (const CommandSpec* spec : table.all())
    out << "  " << spec->synopsis << "\n      " << spec->summary << '\n';
}

// Parses the command line; returns false after writing the reason.
bool ParseInvocation(const std::vector<std::string>& argv, Invocation& inv, std::ostream& err,
                     bool& done, std::ostream& out, const CommandTable& table) {
  done = false;
  for (std::size_t i = 0; i < argv.size(); ++i) {
    const std::string& a = argv[i];
    auto value = [&](std::size_t k) -> const std::string* {
      return i + k < argv.size() ? &argv[i + k] : nullptr;
    };
    if (a == "--help" || a == "-h") {
      WriteUsage(out, table);
      done = true;
      return true;
    }
    if (a == "--version") {
      out << kVersion << '\n';
      done = true;
      return true;
    }
    if (a == "--seed") {
      const std::string* v = value(1);
      long long seed = 0;
      std::istringstream is(v ? *v : "");
      if (!v || !(is >> seed) || !is.eof() || seed < 0 || seed > 4294967295LL) {
        err << "wrimple-batch: --seed needs a number 0..4294967295\n";
        return false;
      }
      inv.options.seed = std::uint32_t(seed);
      ++i;
    } else if (a == "--answer") {
      const std::string* v = value(1);
      if (!v || (*v != "yes" && *v != "no")) {
        err << "wrimple-batch: --answer needs yes or no\n";
        return false;
      }
      inv.options.answer_yes = *v == "yes";
      ++i;
    } else if (a == "--view") {
      const std::string* w = value(1);
      const std::string* h = value(2);
      if (!w || !h || !args::CheckInt(*w, 1, 100000, "W").empty() ||
          !args::CheckInt(*h, 1, 100000, "H").empty()) {
        err << "wrimple-batch: --view needs two positive whole numbers W H\n";
        return false;
      }
      inv.options.view_width = args::ToInt(*w);
      inv.options.view_height = args::ToInt(*h);
      i += 2;
    } else if (a == "--keep-going") {
      inv.options.keep_going = true;
    } else if (a.size() > 1 && a[0] == '-' && a != "-") {
      err << "wrimple-batch: unknown option " << a << " (see --help)\n";
      return false;
    } else if (inv.script.empty()) {
      inv.script = a;
    } else {
      err << "wrimple-batch: only one SCRIPT may be given\n";
      return false;
    }
  }
  if (inv.script.empty()) {
    err << "wrimple-batch: no SCRIPT given (see --help)\n";
    return false;
  }
  return true;
}

}  // namespace

bool CheckScript(std::istream& in, const std::string& name, const CommandTable& table,
                 std::vector<CheckedLine>& lines, std::ostream& err) {
  std::string text;
  int number = 0;
  while (std::getline(in, text)) {
    CheckedLine checked;
    const std::string reason = CheckScriptLine(table, text, ++number, checked);
    if (!reason.empty()) {
      err << name << ':' << number << ": " << reason << '\n';
      return false;
    }
    if (checked.spec) lines.push_back(std::move(checked));
  }
  return true;
}

std::string CheckScriptLine(const CommandTable& table, const std::string& text, int number,
                            CheckedLine& checked) {
  std::vector<Token> tokens;
  std::string reason;
  if (!Tokenize(text, tokens, reason)) return reason;
  checked = {};
  if (tokens.empty()) return {};
  const std::string& word = tokens.front().text;
  const CommandSpec* spec = tokens.front().quoted ? nullptr : table.Find(word);
  if (!spec) return "unknown command '" + word + "'";
  checked.line.number = number;
  reason = ParseLine(*spec, tokens, checked.line);
  if (reason.empty()) checked.spec = spec;
  return reason;
}

bool RunScriptLine(Session& session, const CheckedLine& c) {
  session.BeginCommand();
  if (const auto id = c.spec->EnabledBy(c.line); id && !IsEnabled(session.state, *id)) {
    session.messages.ShowError(c.spec->word + " is not available now");
    return false;
  }
  const int errors_before = session.messages.errors_shown();
  const bool done = c.spec->run(session, c.line);
  return done && session.messages.errors_shown() == errors_before;
}

int RunBatch(const std::vector<std::string>& argv, std::istream& in, std::ostream& out,
             std::ostream& err) {
  const CommandTable table = BuildCommandTable();
  Invocation inv;
  bool done = false;
  if (!ParseInvocation(argv, inv, err, done, out, table)) return kExitScriptError;
  if (done) return kExitOk;

  std::vector<CheckedLine> lines;
  if (inv.script == "-") {
    if (!CheckScript(in, inv.script, table, lines, err)) return kExitScriptError;
  } else {
    std::ifstream file(inv.script);
    if (!file) {
      err << inv.script << ":0: cannot read the script\n";
      return kExitScriptError;
    }
    if (!CheckScript(file, inv.script, table, lines, err)) return kExitScriptError;
  }

  Session session(inv.options, out, err);
  StartUp(session);
  bool failed = false;
  for (const CheckedLine& line : lines) {
    if (RunScriptLine(session, line)) continue;
    failed = true;
    if (!inv.options.keep_going) break;
  }
  out.flush();
  return failed ? kExitCommandFailed : kExitOk;
}

}  // namespace wrimple::batch
