#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "batch/runner.h"
#include "batch/session.h"
#include "support/script_session.h"
#include "support/scripted_platform.h"
#include "zone_model.h"

namespace wrimple::batch {
namespace {

using testing::ModelPicture;

// A runner session whose sources are made directly: a 64 x 48 target with two
// patterned planes. Lines run as the runner runs them, enabling rule first.
class ZoneScript : public ::testing::Test {
 protected:
  void SetUp() override {
    session.state.SetTargetSize(64, 48);
    session.state.SourceCount = 2;
    testing::FillTargetPattern(session.state, 1);
    testing::FillPlanePattern(session.state, 1, 2);
    testing::FillPlanePattern(session.state, 2, 9);
  }

  // false when the line failed; a wrong line fails the test.
  bool Run(const std::string& text) { return script.Run(text); }
  std::string Problem(const std::string& text) const { return script.Problem(text); }
  ModelPicture Target() const {
    const ConstTargetImage t = session.state.Target();
    return {t.width(), t.height(), std::vector<std::uint8_t>(t.bits(), t.bits() + t.byte_size())};
  }
  Bgr TargetAt(int x, int y) const { return ReadPixel(session.state.Target().pixel(x, y)); }

  testing::ScriptSession script;
  Session& session = script.session();
};

TEST_F(ZoneScript, ZoneAndTimesGiveTheClickedPictureAndCounter) {
  ASSERT_TRUE(Run("zone 50 40 10 8"));
  const ModelPicture base = Target();
  ASSERT_TRUE(Run("twist-clockwise times=3"));
  EXPECT_EQ(session.state.steps.TwistCount, 3.0);
  ModelPicture expected = base;
  testing::ModelTwist(base, expected, {50, 40, 10, 8}, 3.0, 5);
  EXPECT_EQ(Target().bytes, expected.bytes);
  ASSERT_TRUE(Run("twist-counter-clockwise times=3"));
  EXPECT_EQ(session.state.steps.TwistCount, 0.0);
}

TEST_F(ZoneScript, EveryZoneCommandRunsWithASelectedZone) {
  ASSERT_TRUE(Run("zone 8 6 56 42"));
  for (const char* word :
       {"nudge-down", "nudge-up", "nudge-left", "nudge-right", "twist-counter-clockwise",
        "twist-clockwise", "squash", "stretch", "blush-down", "blush-up", "portion-merge-1",
        "portion-merge-2", "fill-1", "fill-2"})
    EXPECT_TRUE(Run(std::string(word) + " times=2")) << word << ": " << script.err();
  EXPECT_EQ(TargetAt(30, 20), ReadPixel(session.state.doc.Source(2).plane().pixel(30, 20)))
      << "fill-2 last";
  EXPECT_EQ(session.state.steps.PortionMergeCount, 0);
  EXPECT_TRUE(session.state.TargetModified);
}

TEST_F(ZoneScript, ZoneCommandsWithoutAZoneAreNotAvailable) {
  ASSERT_TRUE(Run("zone 8 6 16 50"));  // 8 wide: not selected
  EXPECT_FALSE(Run("squash"));
  EXPECT_NE(script.err().find("wrimple: error: squash is not available now"), std::string::npos)
      << script.err();
  EXPECT_EQ(session.state.steps.SquashStretchCount, 0);
}

TEST_F(ZoneScript, MouseCommandsDragSweepAndBrush) {
  ASSERT_TRUE(Run("press 10 10"));
  ASSERT_TRUE(Run("move 30 25 buttons=left"));
  ASSERT_TRUE(Run("release 30 25"));
  EXPECT_EQ(session.state.zone.ZoneWidth, 20);
  EXPECT_EQ(session.state.zone.ZoneHeight, 15);
  ASSERT_TRUE(Run("brushing on"));
  EXPECT_TRUE(session.state.SourceBrushing);
  const Bgr untouched = TargetAt(40, 30);
  ASSERT_TRUE(Run("move 40 30 buttons=left"));
  EXPECT_EQ(TargetAt(40, 30), untouched) << "no press: no paint";
  ASSERT_TRUE(Run("press 40 30 button=right"));
  ASSERT_TRUE(Run("move 40 30 buttons=right shift=1"));
  EXPECT_EQ(TargetAt(40, 30), untouched) << "shift held: no paint";
  ASSERT_TRUE(Run("move 40 30 buttons=right"));
  EXPECT_EQ(TargetAt(40, 30), ReadPixel(session.state.doc.Source(2).plane().pixel(40, 30)));
  ASSERT_TRUE(Run("release 40 30 button=right"));
  ASSERT_TRUE(Run("brushing off"));
  EXPECT_FALSE(Run("brushing off"));
  EXPECT_NE(script.err().find("brushing is not available now"), std::string::npos);
  WritePixel(session.state.Target().pixel(3, 3), {0, 0, 0});
  WritePixel(session.state.Target().pixel(4, 3), {255, 255, 255});
  ASSERT_TRUE(Run("sweep 3 3 4 3"));
  EXPECT_EQ(session.state.ReferenceColor, (Bgr{127, 127, 127}));
  EXPECT_FALSE(session.state.SweepActive);
}

TEST_F(ZoneScript, AggressivenessLockAndRestore) {
  ASSERT_TRUE(Run("zone 8 6 56 42"));
  ASSERT_TRUE(Run("aggressiveness 9"));
  EXPECT_EQ(session.state.Aggressiveness, 9);
  EXPECT_EQ(session.state.zone.X1, -1) << "OK clears the zone";
  ASSERT_TRUE(Run("lock"));
  EXPECT_TRUE(session.state.TargetLock);
  EXPECT_FALSE(Run("restore"));
  ASSERT_TRUE(Run("lock"));
  session.state.TargetModified = true;
  ASSERT_TRUE(Run("restore"));
  EXPECT_FALSE(session.state.TargetModified);
}

TEST_F(ZoneScript, MalformedLinesAreScriptErrors) {
  EXPECT_NE(Problem("aggressiveness 11"), "");
  EXPECT_NE(Problem("squash times=0"), "");
  EXPECT_NE(Problem("sweep 1 2 3"), "");
  EXPECT_NE(Problem("move 1 2 buttons=middle"), "");
  EXPECT_NE(Problem("press 1 2 button=both"), "");
  EXPECT_NE(Problem("brushing maybe"), "");
  EXPECT_NE(Problem("zone 1 2 3"), "");
  EXPECT_EQ(Problem("move -5 2 buttons=left+right shift=1"), "");
}

TEST(ZoneRunner, ZoneWithoutSourcesLeavesNoZone) {
  std::istringstream in("zone 10 10 50 50\nstate\nsquash\n");
  std::ostringstream out, err;
  EXPECT_EQ(RunBatch({"-"}, in, out, err), kExitCommandFailed);
  EXPECT_NE(out.str().find("X1=-1\n"), std::string::npos);
  EXPECT_NE(err.str().find("squash is not available now"), std::string::npos);
}

}  // namespace
}  // namespace wrimple::batch
