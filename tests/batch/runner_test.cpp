#include <gtest/gtest.h>

#include <sstream>

#include "batch/runner.h"
#include "support/run_script.h"
#include "batch/script.h"

namespace wrimple::batch {
namespace {

using testing::RunScript;
using RunResult = testing::ScriptRun;

TEST(BatchRunner, StatePrintsTheFreshState) {
  const RunResult r = RunScript("state\n");
  EXPECT_EQ(r.status, kExitOk) << r.err;
  EXPECT_EQ(r.err, "");
  for (const char* line :
       {"SourceCount=0\n", "TargetWidth=1024\n", "TargetHeight=768\n", "TargetModified=0\n",
        "TargetLock=0\n", "ReferenceColor=127,127,127\n", "BaseColor=0,0,0\n", "MergeMethod=6\n",
        "MergeBias=127\n", "ContrastMode=0\n", "ContrastThreshold=127\n", "Aggressiveness=5\n",
        "X1=-1\n", "ZoneWidth=20\n", "TwistCount=0\n", "AligningSource=0\n", "SourceBrushing=0\n",
        "Source1.Kind=7\n", "Source1.Width=0\n", "Source2.ScaleXPercent=100\n",
        "Source2.PlacedHeight=0\n"})
    EXPECT_NE(r.out.find(line), std::string::npos) << line;
  EXPECT_EQ(r.out.rfind("SourceCount=0\n", 0), 0u);
}

TEST(BatchRunner, EchoWritesItsWordsAndQuotedEscapes) {
  const RunResult r = RunScript("echo hello   world  # comment\necho \"a \\\"b\\\"\\tc\"\n\n# only a comment\n");
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_EQ(r.out, "hello world\na \"b\"\tc\n");
}

struct BadScript {
  std::string script;
  std::string reason;  // part of the message after "-:LINE: "
  int line;
};
void PrintTo(const BadScript& c, std::ostream* os) { *os << "line " << c.line << ": " << c.reason; }
class MalformedScript : public ::testing::TestWithParam<BadScript> {};

TEST_P(MalformedScript, ExitsOneWithLineAndReasonAndRunsNothing) {
  const BadScript& c = GetParam();
  const RunResult r = RunScript("echo before\n" + c.script);
  EXPECT_EQ(r.status, kExitScriptError);
  EXPECT_EQ(r.out, "") << "no command may run";
  const std::string prefix = "-:" + std::to_string(c.line) + ": ";
  EXPECT_EQ(r.err.rfind(prefix, 0), 0u) << r.err;
  EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MalformedScript,
    ::testing::Values(BadScript{"frobnicate\n", "unknown command 'frobnicate'", 2},
                      BadScript{"echo ok\nstate extra\n", "too many arguments", 3},
                      BadScript{"echo \"open\n", "unterminated", 2},
                      BadScript{"echo \"a\\q\"\n", "unknown escape", 2},
                      BadScript{"state x=1\n", "unknown option", 2}));

TEST(BatchRunner, UnreadableScriptIsAScriptError) {
  std::istringstream in;
  std::ostringstream out, err;
  EXPECT_EQ(RunBatch({"/nonexistent/script.wb"}, in, out, err), kExitScriptError);
  EXPECT_NE(err.str().find("cannot read the script"), std::string::npos);
}

TEST(BatchRunner, OptionsAreChecked) {
  for (const std::vector<std::string>& bad :
       std::vector<std::vector<std::string>>{{"--seed", "x"}, {"--answer", "maybe"}, {"--view", "3"}, {"--bogus"}}) {
    EXPECT_EQ(RunScript("state\n", bad).status, kExitScriptError);
  }
  EXPECT_EQ(RunScript("state\n", {"--seed", "7", "--answer", "no", "--view", "800", "600", "--keep-going"}).status,
            kExitOk);
}

TEST(BatchRunner, HelpListsEveryCommandOnItsOwnLine) {
  std::istringstream in;
  std::ostringstream out, err;
  EXPECT_EQ(RunBatch({"--help"}, in, out, err), kExitOk);
  for (const char* word : {"state", "echo TEXT", "  open", "  flip-vertical"})
    EXPECT_NE(out.str().find(word), std::string::npos) << word;
  std::ostringstream vout;
  EXPECT_EQ(RunBatch({"--version"}, in, vout, err), kExitOk);
  EXPECT_EQ(vout.str().rfind("wrimple-batch ", 0), 0u);
}

TEST(ScriptTokenizer, QuotedWordsKeepBlanksAndHashes) {
  std::vector<Token> tokens;
  std::string error;
  ASSERT_TRUE(Tokenize("text \"a # b\" color=1,2,3 # tail", tokens, error));
  ASSERT_EQ(tokens.size(), 3u);
  EXPECT_EQ(tokens[1].text, "a # b");
  EXPECT_TRUE(tokens[1].quoted);
  EXPECT_EQ(tokens[2].text, "color=1,2,3");
}

struct OptionWords {
  std::string line;
  std::vector<std::string> words;
};

TEST(ScriptTokenizer, QuotedOptionValuesKeepBlanksAndStayOptions) {
  const OptionWords cases[] = {
      {"text \"Hi\" font=\"DejaVu Serif\" height=-20", {"text", "Hi", "font=DejaVu Serif", "height=-20"}},
      {"text x font=\"Noto Sans Mono\"# tail", {"text", "x", "font=Noto Sans Mono"}},
      {"echo font=\"a \\\"b\\\" = c\"", {"echo", "font=a \"b\" = c"}},
      {"echo a=b=\"c d\"", {"echo", "a=b=\"c", "d\""}},  // only the first '=' opens a value
      {"echo =\"x y\"", {"echo", "=\"x", "y\""}},        // no key, no option
  };
  for (const OptionWords& c : cases) {
    std::vector<Token> tokens;
    std::string error;
    ASSERT_TRUE(Tokenize(c.line, tokens, error)) << c.line << ": " << error;
    std::vector<std::string> words;
    for (const Token& t : tokens) {
      words.push_back(t.text);
      EXPECT_EQ(t.quoted, t.text == "Hi") << c.line;
    }
    EXPECT_EQ(words, c.words) << c.line;
  }
  std::vector<Token> tokens;
  std::string error;
  EXPECT_FALSE(Tokenize("text x font=\"DejaVu Serif", tokens, error));
  EXPECT_EQ(error, "unterminated quoted argument");
  EXPECT_FALSE(Tokenize("text x font=\"DejaVu\"Serif", tokens, error));
}

TEST(BatchRunner, TextTakesAQuotedFontFaceWithABlank) {
  const RunResult r = RunScript("text \"Hi\" font=\"DejaVu Serif\"\n", {"--keep-going"});
  EXPECT_NE(r.status, kExitScriptError) << r.err;
  std::istringstream in;
  std::ostringstream out, err;
  RunBatch({"--help"}, in, out, err);
  EXPECT_NE(out.str().find("font=\"DejaVu Serif\""), std::string::npos) << "--help shows the quoting";
}

}  // namespace
}  // namespace wrimple::batch
