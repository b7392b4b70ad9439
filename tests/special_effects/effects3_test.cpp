#include <gtest/gtest.h>

#include "effects/effects3.h"
#include "effects/effects3_dialog.h"
#include "smoothing_model.h"
#include "special_effects_fixture.h"

namespace wrimple::testing {
namespace {

class Effects3Test : public SpecialEffectsTest {};

// Grey rising from 0 at the left to 255 at the right.
void FillGreyRamp(TargetImage image) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const std::uint8_t v = std::uint8_t(x * 255 / (image.width() - 1));
      WritePixel(image.pixel(x, y), Bgr{v, v, v});
    }
}

TEST_F(Effects3Test, OneBandSplitsARampIntoBlackAndWhereBrightWhite) {
  UseTarget(80, 30);
  FillGreyRamp(st.Target());
  effects3 dialog(st, tp);
  ASSERT_TRUE(dialog.OnTry());
  for (int y = 8; y < 30 - 8; ++y) {
    const std::uint8_t* row = st.Target().row(y);
    int first_white = -1;
    for (int x = 8; x < 80 - 8; ++x) {
      if (first_white < 0 && row[3 * x] == 255) first_white = x;
      ASSERT_EQ(row[3 * x], first_white >= 0 ? 255 : 0) << x << "," << y;
    }
    EXPECT_GT(first_white, 30);
    EXPECT_LT(first_white, 50);
  }
  EXPECT_EQ(ReadPixel(st.Target().pixel(79, 15)), (Bgr{0, 0, 0})) << "the border reads 0";
}

struct BandCase {
  const char* name;
  int width, height, bands, threads;
};
class BandsAgainstModel : public Effects3Test, public ::testing::WithParamInterface<BandCase> {};

TEST_P(BandsAgainstModel, MatchesThePlainEffectByteForByte) {
  const BandCase& c = GetParam();
  UseTarget(c.width, c.height);
  FillPhotoLike(st.Target(), 8);
  SnapshotTarget(st);
  State model;
  model.SetTargetSize(c.width, c.height);
  ModelBands(st.Backup(), model.Target(), c.bands);
  DrawBands(st.Backup(), st.Target(), c.bands, tp.progress, c.threads);
  EXPECT_EQ(TargetPixels(), PixelsOf(model.Target()));
}

INSTANTIATE_TEST_SUITE_P(Parameters, BandsAgainstModel,
                         ::testing::Values(BandCase{"OneBand", 60, 40, 1, 1},
                                           BandCase{"TwentyBandsTwoThreads", 150, 280, 20, 2},
                                           BandCase{"NoInterior", 12, 12, 3, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

struct BandField {
  const char* name;
  const char* text;
  const char* message;
};
class Effects3Refuses : public Effects3Test, public ::testing::WithParamInterface<BandField> {};

TEST_P(Effects3Refuses, ShowsTheValidationMessageAndLeavesTheTarget) {
  UseTarget(30, 30);
  const auto before = TargetPixels();
  effects3 dialog(st, tp);
  dialog.bands().Type(GetParam().text);
  EXPECT_FALSE(dialog.OnTry());
  EXPECT_EQ(tp.messages.Texts(RecordedMessage::Error), std::vector<std::string>{GetParam().message});
  EXPECT_EQ(TargetPixels(), before);
  EXPECT_FALSE(dialog.OnDone());
}

INSTANTIATE_TEST_SUITE_P(Fields, Effects3Refuses,
                         ::testing::Values(BandField{"Zero", "0", "Enter an integer between 1 and 20."},
                                           BandField{"TwentyOne", "21", "Enter an integer between 1 and 20."},
                                           BandField{"Word", "five", "Enter an integer."}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Effects3Test, ArrowsStayWithinOneToTwentyAndRecompute) {
  UseTarget(30, 30);
  effects3 dialog(st, tp);
  dialog.OnArrow(-1);
  EXPECT_EQ(dialog.bands().value(), 1);
  for (int i = 0; i < 25; ++i) dialog.OnArrow(+1);
  EXPECT_EQ(dialog.bands().text(), "20");
  EXPECT_EQ(tp.view.redraws, 26);
}

}  // namespace
}  // namespace wrimple::testing
