// The runner's merge and reference-color commands: through the runner where no
// file is needed, and on a session whose slots the test fills directly.
#include <gtest/gtest.h>

#include <sstream>

#include "compose_fixture.h"
#include "support/run_script.h"
#include "support/script_session.h"

namespace wrimple::batch {
namespace {

using RunResult = testing::ScriptRun;
using testing::RunScript;

TEST(ComposeCommands, MergeIsNotAvailableWithoutSources) {
  const RunResult r = RunScript("merge method=average\necho after\n");
  EXPECT_EQ(r.status, kExitCommandFailed);
  EXPECT_EQ(r.err, "wrimple: error: merge is not available now\n");
  EXPECT_EQ(r.out, "");
}

TEST(ComposeCommands, ReferenceColorSetsTheChannels) {
  const RunResult r = RunScript("reference-color 10 20 30\nstate\n");
  EXPECT_EQ(r.status, kExitOk) << r.err;
  EXPECT_NE(r.out.find("ReferenceColor=10,20,30\n"), std::string::npos);
}

struct BadLine {
  std::string line;
  std::string reason;
};
void PrintTo(const BadLine& c, std::ostream* os) { *os << c.line; }
class ComposeScriptError : public ::testing::TestWithParam<BadLine> {};

TEST_P(ComposeScriptError, IsRefusedBeforeAnythingRuns) {
  const RunResult r = RunScript("echo first\n" + GetParam().line + "\n");
  EXPECT_EQ(r.status, kExitScriptError);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err.rfind("-:2: ", 0), 0u) << r.err;
  EXPECT_NE(r.err.find(GetParam().reason), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ComposeScriptError,
    ::testing::Values(BadLine{"merge method=blend", "method must be"},
                      BadLine{"merge method=11", "method must be"},
                      BadLine{"merge bias=256", "bias must be in 0..255"},
                      BadLine{"merge threshold=-1", "threshold must be in 0..100"},
                      BadLine{"merge contrast=grey", "contrast must be one of normal|bw|rgb"},
                      BadLine{"merge average", "too many arguments"},
                      BadLine{"reference-color 1 2", "needs more arguments"},
                      BadLine{"reference-color 1 2 256", "B must be in 0..255"},
                      BadLine{"reference-color red 2 3", "R must be an integer"}));

// A session with two small image sources, its lines run as the runner runs them.
class MergeSession : public ::testing::Test {
 protected:
  MergeSession() {
    State& st = session.state;
    st.SetTargetSize(5, 4);
    testing::LoadSource(st, 1, testing::MakePicture(5, 4, [](int, int) { return Bgr{200, 100, 50}; }));
    testing::LoadSource(st, 2, testing::MakePicture(5, 4, [](int, int) { return Bgr{30, 60, 90}; }));
  }
  bool Run(const std::string& text) { return script.Run(text); }
  Bgr Target() const { return testing::TargetPixel(session.state, 4, 3); }

  testing::ScriptSession script;
  Session& session = script.session();
  Options& options = script.options();
};

struct MergeLine {
  std::string name;
  std::string script;  // lines run in order
  Bgr expected;
  int method, bias, contrast, threshold;
};
void PrintTo(const MergeLine& c, std::ostream* os) { *os << c.name; }
class MergeLines : public MergeSession, public ::testing::WithParamInterface<MergeLine> {};

TEST_P(MergeLines, MergeTheTwoSources) {
  const MergeLine& c = GetParam();
  std::istringstream lines(c.script);
  for (std::string line; std::getline(lines, line);) ASSERT_TRUE(Run(line)) << line << "\n" << script.err();
  const State& st = session.state;
  EXPECT_EQ(Target(), c.expected);
  EXPECT_EQ(st.MergeMethod, c.method);
  EXPECT_EQ(st.MergeBias, c.bias);
  EXPECT_EQ(st.ContrastMode, c.contrast);
  EXPECT_EQ(st.ContrastThreshold, c.threshold);
  EXPECT_EQ(st.ActiveMergeDialog, nullptr);
  EXPECT_FALSE(st.TargetModified);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, MergeLines,
    ::testing::Values(
        MergeLine{"DefaultsAverage", "merge", {114, 79, 69}, 6, 127, 0, 127},
        MergeLine{"BiasAfterTheMethod", "merge method=subtract12 bias=100", {255, 152, 79}, 4, 100, 0, 127},
        MergeLine{"CodeAndBlackWhiteWhite", "merge method=3 contrast=bw threshold=20", {255, 255, 255}, 3, 127, 1, 51},
        MergeLine{"CodeAndBlackWhiteBlack", "merge method=3 contrast=bw threshold=30", {0, 0, 0}, 3, 127, 1, 76},
        // The contrast button puts the bias to 127 before the bias slider moves.
        MergeLine{"ComparisonAgainstTheReference",
                  "reference-color 255 255 255\nmerge contrast=rgb method=comp_h_21 bias=200",
                  {255, 0, 0}, 10, 200, 2, 127},
        MergeLine{"SourceTwoAlone", "merge method=picture2", {30, 60, 90}, 1, 127, 0, 127}),
    [](const auto& info) { return info.param.name; });

TEST_F(MergeSession, LockedTargetAnsweredNoIsNotAFailure) {
  State& st = session.state;
  st.TargetLock = true;
  testing::FillTargetPattern(st);
  const auto before = testing::TargetBytes(st);
  options.answer_yes = false;  // the session's answers read these options
  EXPECT_TRUE(Run("merge method=picture1"));
  EXPECT_TRUE(st.TargetLock);
  EXPECT_EQ(testing::TargetBytes(st), before);
  EXPECT_NE(script.err().find("wrimple: question: Target lock is on"), std::string::npos);
  EXPECT_NE(script.err().find("-> no\n"), std::string::npos);
}

TEST_F(MergeSession, OneSourceFails) {
  session.state.SourceCount = 1;
  EXPECT_FALSE(Run("merge"));
  EXPECT_EQ(script.err(), "wrimple: info: Two source images need to be present before they can be merged.\n");
}

TEST_F(MergeSession, MergeIsRefusedWhileAZoneIsSelected) {
  session.state.zone = {.X1 = 0, .Y1 = 0, .X2 = 20, .Y2 = 20};
  EXPECT_FALSE(Run("merge"));
  EXPECT_FALSE(Run("reference-color 1 2 3"));
}

}  // namespace
}  // namespace wrimple::batch
