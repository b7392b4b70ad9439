#include <gtest/gtest.h>

#include <sstream>

#include "geometry_fixture.h"
#include "support/run_script.h"
#include "support/script_session.h"

namespace wrimple::batch {
namespace {

using testing::RunScript;
using RunResult = testing::ScriptRun;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

struct BadLine {
  const char* name;
  const char* line;
  const char* reason;
};
class GeometryScriptError : public ::testing::TestWithParam<BadLine> {};

TEST_P(GeometryScriptError, IsRefusedBeforeAnythingRuns) {
  const RunResult r = RunScript(std::string("echo before\n") + GetParam().line + "\n");
  EXPECT_EQ(r.status, kExitScriptError);
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(Contains(r.err, "-:2: ")) << r.err;
  EXPECT_TRUE(Contains(r.err, GetParam().reason)) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, GeometryScriptError,
    ::testing::Values(BadLine{"MiddleMove", "grab middle move", "has no action"},
                      BadLine{"CornerCenter", "grab top_left center", "has no action"},
                      BadLine{"UnknownBox", "grab centre center", "BOX must be one of"},
                      BadLine{"DragWithoutDistance", "grab top_left drag", "needs DX DY"},
                      BadLine{"DistanceWithoutDrag", "grab top_left move 1 2", "only drag"},
                      BadLine{"AngleOutOfRange", "rotate 1 360", "DEGREES must be in 0..359"},
                      BadLine{"ThirdSource", "scale 3 50 50", "N must be in 1..2"},
                      BadLine{"PercentNotANumber", "scale 1 half 50", "WPCT must be a number"},
                      BadLine{"FractionalPixels", "scale-pixels 1 40.5 30", "W must be an integer"},
                      BadLine{"UnknownStep", "scale-step 1 sideways", "step must be one of"},
                      BadLine{"AspectTwo", "fit-to-target aspect=2", "aspect must be one of"},
                      BadLine{"AlignThree", "align 3", "align must be one of"},
                      BadLine{"FlipMissingN", "flip-source", "needs more arguments"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GeometryScript, TargetSizeTypedAppliedAndConfirmed) {
  const RunResult r = RunScript("target-size 800 600\nstate\n");
  EXPECT_EQ(r.status, kExitOk) << r.err;
  EXPECT_TRUE(Contains(r.out, "TargetWidth=800\nTargetHeight=600\n"));
}

TEST(GeometryScript, TargetWidthAboveTheMaximumIsLimitedAfterTheMessage) {
  const RunResult r = RunScript("target-size 5000 600\nstate\n", {"--keep-going"});
  EXPECT_EQ(r.status, kExitCommandFailed);
  EXPECT_TRUE(Contains(r.err, "wrimple: error: Enter an integer between 100 and 4096.\n")) << r.err;
  EXPECT_TRUE(Contains(r.out, "TargetWidth=4096\nTargetHeight=600\n"));
}

TEST(GeometryScript, CommandsNeedTheirSourceOrMode) {
  for (const char* line : {"rotate 1 90", "flip-source 2", "align 1", "grab top_left move", "scale 1 50 50"}) {
    const RunResult r = RunScript(std::string(line) + "\n");
    EXPECT_EQ(r.status, kExitCommandFailed) << line;
    const std::string word = std::string(line).substr(0, std::string(line).find(' '));
    EXPECT_TRUE(Contains(r.err, "wrimple: error: " + word + " is not available now")) << r.err;
  }
}

// Scripts run on a session whose slots the test filled, as the runner runs them.
class GeometrySession : public ::testing::Test {
 protected:
  GeometrySession() {
    session.state.SetTargetSize(100, 100);
    testing::PutSource(session.state, 1, 8, 6);
  }

  // Checks every line, then runs them in order; the number of failed lines.
  int Run(const std::string& script) { return lines.FailedLines(script); }
  const SourceImage& source(int n) const { return session.state.doc.Source(n); }

  testing::ScriptSession lines;
  Session& session = lines.session();
  Options& options = lines.options();
};

TEST_F(GeometrySession, ScaleTypesWidthThenHeightThenApplies) {
  EXPECT_EQ(Run("scale 1 50 25\n"), 0) << lines.err();
  EXPECT_EQ(source(1).ScaleXPercent, 50.0f);
  EXPECT_EQ(source(1).ScaleYPercent, 25.0f);
  EXPECT_FALSE(session.state.ScalingDialogOpen);
  // With the aspect lock the height entry wins: it is committed last.
  EXPECT_EQ(Run("scale 1 50 80 aspect=1\n"), 0) << lines.err();
  EXPECT_EQ(source(1).ScaleXPercent, 80.0f);
  EXPECT_EQ(source(1).ScaleYPercent, 80.0f);
}

TEST_F(GeometrySession, ScaleToTwiceThePictureSamplesEveryOtherPixelExactly) {
  EXPECT_EQ(Run("scale 1 200 200\n"), 0) << lines.err();
  const ConstTargetImage t = session.state.Target();
  // At 200 % an even target column X shows picture column X / 2, an even row Y
  // the picture's row 5 - Y / 2 counted from the bottom.
  for (int y : {0, 4, 10})
    for (int x : {0, 6, 14}) EXPECT_EQ(ReadPixel(t.pixel(x, y)), testing::PicturePixel(x / 2, 5 - y / 2)) << x << "," << y;
}

TEST_F(GeometrySession, RefusedPercentFailsTheLineAndKeepsTheScale) {
  EXPECT_EQ(Run("scale 1 0 50\n"), 1);
  EXPECT_TRUE(Contains(lines.err(), "wrimple: error: Enter a number between 0.001 and 1000000.")) << lines.err();
  EXPECT_EQ(source(1).ScaleXPercent, 100.0f);
  EXPECT_FALSE(session.state.ScalingDialogOpen);
}

TEST_F(GeometrySession, PixelsAndStepsReachTheDocument) {
  EXPECT_EQ(Run("scale-pixels 1 4 3\n"), 0) << lines.err();
  EXPECT_EQ(source(1).ScaleXPercent, 50.0f);
  EXPECT_EQ(source(1).ScaleYPercent, 50.0f);
  EXPECT_EQ(Run("scale-step 1 up\nscale-step 1 up\nscale-step 1 down\n"), 0) << lines.err();
  EXPECT_EQ(source(1).ScaleXPercent, 60.0f);
  EXPECT_EQ(Run("scale-step 1 100\n"), 0);
  EXPECT_EQ(source(1).ScaleYPercent, 100.0f);
  EXPECT_EQ(Run("scale-step 2 up\n"), 1) << "no source 2";
}

TEST_F(GeometrySession, FitToTargetLocksTheAspectUnlessToldOtherwise) {
  session.state.SetTargetSize(200, 120);
  EXPECT_EQ(Run("fit-to-target\n"), 0) << lines.err();
  EXPECT_EQ(source(1).ScaleXPercent, 2000.0f);
  EXPECT_EQ(source(1).ScaleYPercent, 2000.0f);
  EXPECT_EQ(source(1).OffsetX, (160 - 200) / 2);
  EXPECT_EQ(source(1).OffsetY, 0);
  EXPECT_EQ(Run("fit-to-target aspect=0\n"), 0);
  EXPECT_EQ(source(1).ScaleXPercent, 2500.0f);
  EXPECT_EQ(source(1).ScaleYPercent, 2000.0f);
}

TEST_F(GeometrySession, RotateAppliesOrCancels) {
  EXPECT_EQ(Run("rotate 1 270\n"), 0) << lines.err();
  EXPECT_EQ(source(1).Angle, -90.0f);
  EXPECT_EQ(source(1).PlacedWidth, 6);
  EXPECT_EQ(Run("rotate 1 45 cancel\n"), 0);
  EXPECT_EQ(source(1).Angle, -90.0f);
  EXPECT_FALSE(session.state.SourcePreview);
}

TEST_F(GeometrySession, FlipTwiceAndAnswers) {
  EXPECT_EQ(Run("flip-source 1\n"), 0);
  EXPECT_EQ(source(1).Flipped, 1);
  session.state.TargetModified = true;
  options.answer_yes = false;
  EXPECT_EQ(Run("flip-source 1\n"), 0) << "a No is no failure";
  EXPECT_EQ(source(1).Flipped, 1);
  EXPECT_TRUE(Contains(lines.err(), "wrimple: question: Flipping source 1 now will overwrite your previous "
                                  "changes to the Target.\\nIs this OK ?? -> no"));
  options.answer_yes = true;
  EXPECT_EQ(Run("flip-source 1\n"), 0);
  EXPECT_EQ(source(1).Flipped, 0);
}

TEST_F(GeometrySession, AlignAndGrab) {
  session.state.SetTargetSize(160, 120);
  testing::PutSource(session.state, 1, 400, 200);
  session.state.doc.Source(1).OffsetX = -100;
  session.state.doc.Source(1).OffsetY = -50;
  EXPECT_EQ(Run("align 1\ngrab top_left stretch\n"), 0) << lines.err();
  EXPECT_EQ(session.state.AligningSource, 1);
  EXPECT_EQ(source(1).ScaleXPercent, 125.0f);
  EXPECT_EQ(source(1).OffsetX, 0);
  EXPECT_EQ(Run("grab top_right drag 0 -30\n"), 0) << lines.err();
  EXPECT_FLOAT_EQ(source(1).ScaleYPercent, 125.0f * 280 / 250);
  EXPECT_EQ(source(1).OffsetY, 30) << "the bottom edge stays";
  EXPECT_EQ(Run("grab middle center\n"), 0);
  EXPECT_EQ(source(1).OffsetX, (source(1).PlacedWidth - 160) / 2);
  EXPECT_EQ(Run("rotate 1 90\n"), 1) << "no rotation while aligning";
  EXPECT_EQ(Run("align off\ngrab middle center\n"), 1);
  EXPECT_EQ(session.state.AligningSource, 0);
}

}  // namespace
}  // namespace wrimple::batch
