#include <gtest/gtest.h>

#include "effects/smoothing.h"
#include "smoothing_model.h"
#include "special_effects_fixture.h"

namespace wrimple::testing {
namespace {

struct SmoothCase {
  const char* name;
  int width, height, threads;
};
class SmoothingAgainstModel : public SpecialEffectsTest,
                              public ::testing::WithParamInterface<SmoothCase> {};

TEST_P(SmoothingAgainstModel, MatchesThePlainSumsByteForByte) {
  const SmoothCase& c = GetParam();
  UseTarget(c.width, c.height);
  FillPhotoLike(st.Target(), 11);
  // Bright spots: sums above 255 must clamp.
  for (int y = 0; y < c.height; y += 3) WritePixel(st.Target().pixel(c.width / 2, y), Bgr{255, 255, 255});
  const SmoothingPlane smoothed = SmoothPicture(st.Target(), tp.progress, c.threads);
  const ModelPlane model = ModelSmooth(st.Target());
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x)
      for (int k = 0; k < 3; ++k)
        ASSERT_EQ(smoothed.image().pixel(x, y)[k], model.at(x, y, k)) << x << "," << y << " " << k;
}

INSTANTIATE_TEST_SUITE_P(Sizes, SmoothingAgainstModel,
                         ::testing::Values(SmoothCase{"Small", 45, 30, 1},
                                           SmoothCase{"WiderThanAStripTwoThreads", 300, 270, 2},
                                           SmoothCase{"NoVerticalPass", 40, 16, 1},
                                           SmoothCase{"NoPassAtAll", 16, 40, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

// Sixteen neighbours whose decimal weighted sum is a whole number (132) while
// the double sum falls just below it, so the first smoothed pixel is 131.
TEST_F(SpecialEffectsTest, SmoothingKeepsTheDoubleRoundingOfWholeSums) {
  constexpr std::uint8_t kRun[16] = {30, 79, 123, 213, 234, 172, 145, 142, 75, 33, 168, 49, 242, 210, 20, 10};
  UseTarget(40, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 16; ++x) WritePixel(st.Target().pixel(x, y), Bgr{kRun[x], kRun[x], kRun[x]});
  const SmoothingPlane smoothed = SmoothPicture(st.Target(), tp.progress, 1);
  const ModelPlane model = ModelSmooth(st.Target());
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x)
      for (int k = 0; k < 3; ++k) ASSERT_EQ(smoothed.image().pixel(x, y)[k], model.at(x, y, k)) << x << "," << y;
  double sum = 0;
  for (int j = 0; j < 16; ++j) sum += kModelWeights[j] * kRun[j];
  EXPECT_EQ(int(sum), 131);
}

TEST_F(SpecialEffectsTest, SmoothingReportsEveryRowThenEveryColumn) {
  UseTarget(30, 20);
  SmoothPicture(st.Target(), tp.progress, 1);
  const auto& fills = tp.progress.fills;
  ASSERT_EQ(fills.size(), 20u + 14u);
  EXPECT_EQ(fills[19], std::make_pair(kProgressWorking, 33 * 19 / 20));
  EXPECT_EQ(fills[20], std::make_pair(kProgressWorking, 33 * 8 / 22 + 33));
  EXPECT_EQ(fills.back(), std::make_pair(kProgressWorking, 33 * 21 / 22 + 33));
}

}  // namespace
}  // namespace wrimple::testing
