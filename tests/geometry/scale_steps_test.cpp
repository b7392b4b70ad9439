#include <gtest/gtest.h>

#include "compose/scale_steps.h"

namespace wrimple {
namespace {

struct StepCase {
  const char* name;
  float width, height;
  float down, up;
};
class ScaleStep : public ::testing::TestWithParam<StepCase> {};

TEST_P(ScaleStep, GoesToTheNextTensStep) {
  const StepCase& c = GetParam();
  EXPECT_EQ(StepDownPercent(c.width, c.height), c.down);
  EXPECT_EQ(StepUpPercent(c.width, c.height), c.up);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ScaleStep,
    ::testing::Values(StepCase{"Hundred", 100, 100, 90, 110}, StepCase{"FiftySevenEighty", 57, 80, 70, 60},
                      StepCase{"Fifteen", 15, 15, 10, 20}, StepCase{"TenStaysTenDown", 10, 10, 10, 20},
                      StepCase{"NineNinetyFive", 995, 995, 980, 1000},
                      StepCase{"ThousandStaysUp", 1000, 1000, 990, 1000},
                      StepCase{"Sixty", 60, 60, 50, 70}, StepCase{"Tiny", 0.5f, 0.5f, 10, 10}),
    [](const auto& info) { return std::string(info.param.name); });

// Kept point, per axis: the far edge when it lies before the middle of the view,
// otherwise the point under the middle.
TEST(KeptOffset, FarEdgeBeforeTheMiddleStaysPut) {
  // 100 pixels wide at 50 %, offset 0, view 1024: the right edge at 100 < 512.
  const int o = KeptOffset(0, 50, 100, 100, 200, 1024);
  EXPECT_EQ(o, 100);
  EXPECT_EQ(200 - o, 100 - 0) << "right edge of the picture";
}

TEST(KeptOffset, PointUnderTheMiddleStaysPut) {
  // 1000 pixels at 100 % going to 200 %, offset 100: picture column 612 lies
  // under window column 512 and must do so afterwards.
  const int o = KeptOffset(100, 100, 200, 1000, 2000, 1024);
  EXPECT_EQ(o, 100 + 612);
  EXPECT_EQ(512 + o, 612 * 2);
}

TEST(KeptOffset, MiddleBeforeThePictureKeepsTheNearEdge) {
  // The picture starts at window column 700 (offset -700), right of the middle.
  EXPECT_EQ(KeptOffset(-700, 100, 50, 1000, 500, 1024), -700);
}

TEST(KeptOffset, TruncatesTowardsZeroInSinglePrecision) {
  // 7 x (90 - 100) / 90 = -0.78 gives 0; 333 x (90 - 100) / 90 = -37 exactly.
  EXPECT_EQ(KeptOffset(0, 100, 90, 10, 7, 1024), 0);
  EXPECT_EQ(KeptOffset(0, 100, 90, 10, 333, 1024), -37);
}

}  // namespace
}  // namespace wrimple
