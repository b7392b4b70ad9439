#include <gtest/gtest.h>

#include "effects/effects2.h"
#include "effects/effects2_dialog.h"
#include "smoothing_model.h"
#include "special_effects_fixture.h"

namespace wrimple::testing {
namespace {

class Effects2Test : public SpecialEffectsTest {
 protected:
  std::vector<std::string> Errors() const { return tp.messages.Texts(RecordedMessage::Error); }
};

struct Size2 {
  const char* name;
  int width, height;
};
class Effects2WithoutInterior : public Effects2Test, public ::testing::WithParamInterface<Size2> {};

TEST_P(Effects2WithoutInterior, TurnsTheWholeTargetBlack) {
  UseTarget(GetParam().width, GetParam().height);
  effects2 dialog(st, tp);
  ASSERT_TRUE(dialog.OnTry());
  for (std::uint8_t b : TargetPixels()) ASSERT_EQ(b, 0);
  EXPECT_TRUE(st.TargetModified);
}

INSTANTIATE_TEST_SUITE_P(Sizes, Effects2WithoutInterior,
                         ::testing::Values(Size2{"SixteenWide", 16, 40}, Size2{"SixteenHigh", 50, 16},
                                           Size2{"Tiny", 3, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Effects2Test, AmplitudeTwoTakesEveryInteriorPixelFromAtMostOnePixelAway) {
  UseTarget(40, 36);
  effects2 dialog(st, tp);
  dialog.amplitude().Type("2");
  dialog.frequency().Type("100");
  ASSERT_TRUE(dialog.OnTry());
  int moved = 0;
  for (int y = 8; y < 36 - 8; ++y)
    for (int x = 8; x < 40 - 8; ++x) {
      const Bgr p = ReadPixel(st.Target().pixel(x, y));
      bool near = false;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) near = near || p == ReadPixel(st.Backup().pixel(x + dx, y + dy));
      ASSERT_TRUE(near) << x << "," << y;
      moved += p != ReadPixel(st.Backup().pixel(x, y));
    }
  EXPECT_GT(moved, 0);
}

struct PerturbCase {
  const char* name;
  int width, height, amplitude, frequency, threads;
};
class PerturbationAgainstModel : public Effects2Test,
                                 public ::testing::WithParamInterface<PerturbCase> {};

TEST_P(PerturbationAgainstModel, MatchesThePlainEffectByteForByte) {
  const PerturbCase& c = GetParam();
  UseTarget(c.width, c.height);
  FillPhotoLike(st.Target(), 5);
  SnapshotTarget(st);
  State model;
  model.SetTargetSize(c.width, c.height);
  ModelPerturb(st.Backup(), model.Target(), c.amplitude, c.frequency);
  Perturb(st.Backup(), st.Target(), c.amplitude, c.frequency, tp.progress, c.threads);
  EXPECT_EQ(TargetPixels(), PixelsOf(model.Target()));
}

INSTANTIATE_TEST_SUITE_P(
    Parameters, PerturbationAgainstModel,
    ::testing::Values(PerturbCase{"Initial", 50, 40, 10, 10, 1},
                      PerturbCase{"LargeAmplitudeLeavesThePicture", 50, 40, 100, 37, 1},
                      PerturbCase{"HighFrequencyTwoThreads", 200, 300, 7, 100, 2}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadField {
  const char* name;
  const char* amplitude;
  const char* frequency;
  const char* message;
};
class Effects2Refuses : public Effects2Test, public ::testing::WithParamInterface<BadField> {};

TEST_P(Effects2Refuses, ShowsTheValidationMessageAndLeavesTheTarget) {
  UseTarget(30, 30);
  const auto before = TargetPixels();
  effects2 dialog(st, tp);
  dialog.amplitude().Type(GetParam().amplitude);
  dialog.frequency().Type(GetParam().frequency);
  EXPECT_FALSE(dialog.OnTry());
  EXPECT_EQ(Errors(), std::vector<std::string>{GetParam().message});
  EXPECT_EQ(TargetPixels(), before);
  EXPECT_FALSE(st.TargetModified);
  EXPECT_FALSE(dialog.OnDone()) << "Done stays open";
}

INSTANTIATE_TEST_SUITE_P(
    Fields, Effects2Refuses,
    ::testing::Values(BadField{"AmplitudeZero", "0", "10", "Enter an integer between 1 and 100."},
                      BadField{"Amplitude101", "101", "10", "Enter an integer between 1 and 100."},
                      BadField{"Frequency101", "10", "101", "Enter an integer between 1 and 100."},
                      BadField{"FrequencyCheckedFirst", "x", "0", "Enter an integer between 1 and 100."},
                      BadField{"NotANumber", "1.5", "10", "Enter an integer."},
                      BadField{"Empty", "10", "", "Enter an integer."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Effects2Test, RightArrowAtTheHighestKeepsItAndRunsTryAgain) {
  UseTarget(30, 30);
  effects2 dialog(st, tp);
  dialog.amplitude().Type("100");
  ASSERT_TRUE(dialog.OnTry());
  const int redraws = tp.view.redraws;
  dialog.OnAmplitudeArrow(+1);
  EXPECT_EQ(dialog.amplitude().value(), 100);
  EXPECT_EQ(dialog.amplitude().text(), "100");
  EXPECT_EQ(tp.view.redraws, redraws + 1);
  dialog.OnFrequencyArrow(-1);
  dialog.OnFrequencyArrow(-20);
  EXPECT_EQ(dialog.frequency().text(), "1") << "a value of 0 or less becomes 1";
}

TEST_F(Effects2Test, DoneKeepsTheResultAndCancelRestoresTheSnapshot) {
  UseTarget(40, 40);
  const auto before = TargetPixels();
  {
    effects2 dialog(st, tp);
    ASSERT_TRUE(dialog.OnDone());
  }
  const auto done = TargetPixels();
  EXPECT_NE(done, before);
  effects2 again(st, tp);
  again.OnFrequencyArrow(+1);
  EXPECT_NE(TargetPixels(), done);
  again.OnCancel();
  EXPECT_EQ(TargetPixels(), done);
  EXPECT_EQ(tp.progress.fills.back(), std::make_pair(kProgressIdle, 100));
}

TEST_F(Effects2Test, ProgressRunsGreyGreenGrey) {
  UseTarget(30, 20);
  effects2 dialog(st, tp);
  ASSERT_TRUE(dialog.OnTry());
  const auto& fills = tp.progress.fills;
  ASSERT_EQ(fills.size(), 1u + 20u + 14u + 20u + 1u);
  EXPECT_EQ(fills.front(), std::make_pair(kProgressIdle, 100));
  EXPECT_EQ(fills[1 + 20 + 14], std::make_pair(kProgressWorking, 67));
  EXPECT_EQ(fills[fills.size() - 2], std::make_pair(kProgressWorking, 33 * 19 / 20 + 67));
  EXPECT_EQ(fills.back(), std::make_pair(kProgressIdle, 100));
}

}  // namespace
}  // namespace wrimple::testing
