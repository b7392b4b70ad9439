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
