// The runner's effect commands on a session whose target is filled directly.
#include <gtest/gtest.h>

#include <sstream>

#include "effects/bright_contrast.h"
#include "effects_fixture.h"
#include "support/script_session.h"

namespace wrimple::batch {
namespace {

using testing::CopyOf;

// A session with a patterned 37 x 21 target and one source counted, seeded as
// the initial update after a loaded source would seed it.
class EffectsSession : public testing::ScriptSession {
 public:
  explicit EffectsSession(std::uint32_t seed) : ScriptSession({.seed = seed}) {
    wrimple::testing::PrepareTarget(state(), 37, 21);
    session().random.SeedFromClock();
  }
};

const char* const kEveryEffect[] = {
    "bright-contrast brightness=150 contrast=70,20,127 gamma=-40",
    "highlight up=2 right=3 left=1",
    "invert-brightness",
    "invert-color-brightness",
    "black-and-white",
    "sharpen",
    "emboss",
    "blur",
    "soften",
    "edge",
    "flip-horizontal",
    "flip-vertical",
    "highlight down=1 cancel",
};

std::vector<std::uint8_t> PictureAfterEveryEffect(std::uint32_t seed) {
  EffectsSession s(seed);
  for (const char* line : kEveryEffect) EXPECT_TRUE(s.Run(line)) << line;
  return CopyOf(s.state().Target());
}

TEST(EffectsScript, SameSeedGivesTheSamePictureOnEveryRun) {
  const auto first = PictureAfterEveryEffect(41);
  EXPECT_EQ(PictureAfterEveryEffect(41), first);
  EXPECT_NE(PictureAfterEveryEffect(42), first) << "the highlight dithering draws from the seeded generator";
}

TEST(EffectsScript, SingleValueMovesTheMasterAndThreeValuesTheChannels) {
  EffectsSession s(1);
  ASSERT_TRUE(s.Run("bright-contrast brightness=191 contrast=64,64,0"));
  const State& st = s.state();
  for (int x = 0; x < 37; ++x) {
    const std::uint8_t* was = st.Backup().pixel(x, 7);
    const std::uint8_t* now = st.Target().pixel(x, 7);
    EXPECT_EQ(now[0], BrightContrastValue(was[0], 191, 0, 0));
    EXPECT_EQ(now[1], std::min(255, was[1] + 126));
    EXPECT_EQ(now[2], std::min(255, was[2] + 126));
  }
  EXPECT_TRUE(st.TargetModified);
}

TEST(EffectsScript, HighlightCancelLeavesTheTargetAsItWas) {
  EffectsSession s(5);
  const auto before = CopyOf(s.state().Target());
  ASSERT_TRUE(s.Run("highlight up=3 left=2 cancel"));
  EXPECT_EQ(CopyOf(s.state().Target()), before);
}

struct ScriptCase {
  const char* name;
  std::string script;
  int status;
  std::string err;  // part of standard error
};
void PrintTo(const ScriptCase& c, std::ostream* os) { *os << c.name; }

class EffectsScriptStatus : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(EffectsScriptStatus, ExitsWithTheStatusAndReason) {
  std::istringstream in(GetParam().script);
  std::ostringstream out, err;
  EXPECT_EQ(RunBatch({"-"}, in, out, err), GetParam().status);
  EXPECT_NE(err.str().find(GetParam().err), std::string::npos) << err.str();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EffectsScriptStatus,
    ::testing::Values(ScriptCase{"DisabledWithoutSource", "blur\n", kExitCommandFailed,
                                 "wrimple: error: blur is not available now"},
                      ScriptCase{"FlipDisabledWithoutSource", "flip-vertical\n", kExitCommandFailed,
                                 "flip-vertical is not available now"},
                      ScriptCase{"BrightnessOutOfRange", "bright-contrast brightness=200\n", kExitScriptError,
                                 "-:1: brightness must be V or R,G,B with each value in 64..191"},
                      ScriptCase{"ContrastTwoValues", "bright-contrast contrast=3,4\n", kExitScriptError,
                                 "contrast must be V or R,G,B"},
                      ScriptCase{"GammaOutOfRange", "bright-contrast gamma=256\n", kExitScriptError, "gamma must be in"},
                      ScriptCase{"HighlightNegativeClicks", "highlight up=-1\n", kExitScriptError, "up must be in"},
                      ScriptCase{"FilterTakesNoArguments", "edge 3\n", kExitScriptError, "too many arguments"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wrimple::batch
